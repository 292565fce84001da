#include "freezemeter.h"

#include <algorithm>

FreezeMeter::FreezeMeter()
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &FreezeMeter::Tick);
}

FreezeMeter::~FreezeMeter()
{
    Stop();
}

int64_t FreezeMeter::Ms(Clock::time_point t) const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(t - started_).count();
}

void FreezeMeter::Start()
{
    Stop();
    started_ = Clock::now();
    ticks_.assign(1, 0);
    {
        std::lock_guard<std::mutex> lock(watcherMutex_);
        wakeUps_.assign(1, 0);
    }
    watching_ = true;
    watcher_ = std::thread([this] {
        while (watching_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kTickMs));
            std::lock_guard<std::mutex> lock(watcherMutex_);
            wakeUps_.push_back(Ms(Clock::now()));
        }
    });
    timer_.start();
}

void FreezeMeter::Stop()
{
    if (timer_.isActive()) {
        timer_.stop();
        ticks_.push_back(Ms(Clock::now()));
    }
    watching_ = false;
    if (watcher_.joinable())
        watcher_.join();
}

void FreezeMeter::Tick()
{
    ticks_.push_back(Ms(Clock::now()));
}

int64_t FreezeMeter::WatcherGapMs(int64_t from, int64_t to) const
{
    std::lock_guard<std::mutex> lock(watcherMutex_);
    int64_t longest = 0;
    int64_t previous = from;
    for (int64_t t : wakeUps_) {
        if (t <= from)
            continue;
        if (t >= to)
            break;
        longest = std::max(longest, t - previous);
        previous = t;
    }
    return std::max(longest, to - previous);
}

std::vector<FreezeMeter::Freeze> FreezeMeter::Freezes(int boundMs) const
{
    std::vector<Freeze> found;
    for (size_t i = 1; i < ticks_.size(); ++i) {
        const int64_t gap = ticks_[i] - ticks_[i - 1];
        if (gap <= boundMs)
            continue;
        // The watcher woke up at least every half bound meanwhile: the
        // process ran, its event loop did not.
        if (WatcherGapMs(ticks_[i - 1], ticks_[i]) < boundMs / 2)
            found.push_back({ticks_[i - 1], gap});
    }
    return found;
}

int64_t FreezeMeter::LongestGapMs() const
{
    int64_t longest = 0;
    for (size_t i = 1; i < ticks_.size(); ++i)
        longest = std::max(longest, ticks_[i] - ticks_[i - 1]);
    return longest;
}

std::string FreezeMeter::Describe(int boundMs) const
{
    std::string text = "longest gap " + std::to_string(LongestGapMs()) + " ms over " +
                       std::to_string(ticks_.empty() ? 0 : ticks_.back()) + " ms";
    for (const Freeze& f : Freezes(boundMs))
        text += "; frozen " + std::to_string(f.gapMs) + " ms at " + std::to_string(f.atMs) + " ms";
    return text;
}

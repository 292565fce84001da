#pragma once
// FreezeMeter: did the window thread's event loop keep running?
//
//   FreezeMeter meter;
//   meter.Start();            // before the walk
//   ... wait for the page on the event loop ...
//   meter.Stop();
//   EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();
//
// A 5 ms timer on the event loop notes when it fires. A gap between two of
// its ticks longer than the bound is a freeze, but only when a watcher
// thread of the meter, which wakes up every 5 ms on its own, kept waking up
// during that gap: then the process was able to run and the event loop did
// not. On a machine so loaded that the watcher was held back as well, the
// gap proves nothing and is not counted.

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FreezeMeter : public QObject {
public:
    static constexpr int kTickMs = 5;
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers make every step of the window thread (creating a
    // window, laying out a page) several times slower; what they are run
    // for is memory and undefined behaviour, not the time bound.
    static constexpr int kBoundMs = 250;
#else
    static constexpr int kBoundMs = 100;
#endif

    FreezeMeter();
    ~FreezeMeter() override;

    void Start();
    void Stop();

    struct Freeze {
        int64_t atMs; // since Start
        int64_t gapMs;
    };
    // The gaps longer than `boundMs` during which the watcher ran.
    std::vector<Freeze> Freezes(int boundMs = kBoundMs) const;
    // The longest gap between two ticks, counted or not.
    int64_t LongestGapMs() const;
    std::string Describe(int boundMs = kBoundMs) const;

private:
    using Clock = std::chrono::steady_clock;
    void Tick();
    int64_t Ms(Clock::time_point t) const;
    // The longest stretch in [from, to] without a wake-up of the watcher.
    int64_t WatcherGapMs(int64_t from, int64_t to) const;

    QTimer timer_;
    Clock::time_point started_;
    std::vector<int64_t> ticks_; // ms since Start, window thread
    mutable std::mutex watcherMutex_;
    std::vector<int64_t> wakeUps_; // ms since Start, watcher thread
    std::atomic<bool> watching_{false};
    std::thread watcher_;
};

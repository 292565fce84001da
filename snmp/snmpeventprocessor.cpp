#include "snmp/snmpeventprocessor.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <algorithm>
#include <stdexcept>

#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"

SnmpEventProcessor::SnmpEventProcessor(QObject* parent) : QObject(parent)
{
    timer_.setInterval(20);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &SnmpEventProcessor::OnTick);
    InstallSnmpEventPump(this);
}

SnmpEventProcessor::~SnmpEventProcessor()
{
    Stop();
    if (InstalledSnmpEventPump() == this)
        InstallSnmpEventPump(nullptr);
}

void SnmpEventProcessor::Start()
{
    running_ = true;
    SyncNotifiers();
    if (SnmpEngine* engine = KvSnmpSession()) {
        engine->SetSessionsChangedHook([this] { SyncNotifiers(); });
        // A request sent while the pump rests wakes it.
        engine->SetActivityHook([this] {
            if (running_ && !timer_.isActive())
                timer_.start();
        });
    }
    timer_.start();
}

void SnmpEventProcessor::Stop()
{
    running_ = false;
    timer_.stop();
    if (SnmpEngine* engine = KvSnmpSession()) {
        engine->SetSessionsChangedHook(nullptr);
        engine->SetActivityHook(nullptr);
    }
    notifiers_.clear();
}

bool SnmpEventProcessor::IsRunning() const
{
    return running_;
}

void SnmpEventProcessor::OnTick()
{
    // Retransmissions, timeouts and anything a notifier has not yet seen.
    timer_.stop();
    SnmpEngine* engine = KvSnmpSession();
    std::exception_ptr escaped;
    if (engine)
        escaped = Guarded([engine] { engine->ProcessPendingEvents(); });
    // With nothing outstanding the pump rests until the next request (the
    // engine's activity hook); answers are read by the socket notifiers.
    if (running_ && (!engine || !engine->Idle()))
        timer_.start();
    Report(escaped);
}

void SnmpEventProcessor::OnReadable(int fd)
{
    SnmpEngine* engine = KvSnmpSession();
    if (!engine)
        return;
    Report(Guarded([engine, fd] { engine->ProcessSocket(fd); }));
}

template <typename Step>
std::exception_ptr SnmpEventProcessor::Guarded(Step step)
{
    // A completion callback that lets an error escape leaves the completions
    // after it queued for the next step: the pump keeps going.
    try {
        step();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void SnmpEventProcessor::Report(std::exception_ptr escaped)
{
    // Reported after the timer is set again, so that a report that waits (a
    // message box) does not hold the engine up.
    if (!escaped)
        return;
    try {
        std::rethrow_exception(escaped);
    } catch (const std::exception& error) {
        report_(error);
    } catch (...) {
        report_(std::runtime_error("Unknown error"));
    }
}

void SnmpEventProcessor::SetErrorReport(ErrorReport report)
{
    report_ = report ? report : &SnmpEventProcessor::LogError;
}

void SnmpEventProcessor::LogError(const std::exception& error)
{
    qWarning("SNMP event processing: %s", error.what());
}

void SnmpEventProcessor::SyncNotifiers()
{
    if (!running_)
        return;
    SnmpEngine* engine = KvSnmpSession();
    std::vector<int> fds = engine ? engine->Descriptors() : std::vector<int>{};
    // Drop the notifiers of closed sessions, add those of new ones.
    for (auto it = notifiers_.begin(); it != notifiers_.end();) {
        if (std::find(fds.begin(), fds.end(), it->first) == fds.end()) {
            it->second->setEnabled(false);
            it->second.release()->deleteLater();
            it = notifiers_.erase(it);
        } else {
            ++it;
        }
    }
    for (int fd : fds) {
        if (notifiers_.count(fd))
            continue;
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, [this, fd] { OnReadable(fd); });
        notifiers_.emplace(fd, std::move(notifier));
    }
}

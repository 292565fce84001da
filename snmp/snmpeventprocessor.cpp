#include "snmp/snmpeventprocessor.h"

#include <QSocketNotifier>

#include <algorithm>

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
    if (engine) {
        try {
            engine->ProcessPendingEvents();
        } catch (...) {
            // A completion callback let an error escape; the pump keeps going.
        }
    }
    // With nothing outstanding the pump rests until the next request (the
    // engine's activity hook); answers are read by the socket notifiers.
    if (running_ && (!engine || !engine->Idle()))
        timer_.start();
}

void SnmpEventProcessor::OnReadable(int fd)
{
    SnmpEngine* engine = KvSnmpSession();
    if (!engine)
        return;
    try {
        engine->ProcessSocket(fd);
    } catch (...) {
        // As in OnTick.
    }
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

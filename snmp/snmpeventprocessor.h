#pragma once
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "snmp/kvsnmpsession.h"

class QSocketNotifier;

// Drives the process-wide SNMP engine from the Qt event loop of the GUI thread.
//
// A 20 ms timer lets the engine retransmit and time out requests (it rests
// while nothing is outstanding); besides, every
// socket of the engine is watched, and a readable socket is processed at once,
// so asynchronous responses (and table walks) are not held back to one per tick.
//
// Create one instance at program initialisation (after the QCoreApplication,
// before StartSnmpEngine); it installs itself as the engine's event processor and
// StartSnmpEngine starts it. Destroying it stops it and uninstalls it.
class SnmpEventProcessor : public QObject, public KvSnmpEventPump {
public:
    explicit SnmpEventProcessor(QObject* parent = nullptr);
    ~SnmpEventProcessor() override;

    void Start() override;
    void Stop() override;
    bool IsRunning() const;
    // Whether the timer is counting (false while the pump rests).
    bool IsTicking() const { return timer_.isActive(); }

private:
    void OnTick();
    void OnReadable(int fd);
    void SyncNotifiers();

    QTimer timer_;
    std::map<int, std::unique_ptr<QSocketNotifier>> notifiers_;
    bool running_ = false;
};

#pragma once
#include <QObject>
#include <QTimer>
#include <exception>
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
//
// An error that escapes a completion callback does not stop the pump: it is
// handed to the error report (by default a warning on the log) once the
// events at hand are processed, and the pump goes on.
class SnmpEventProcessor : public QObject, public KvSnmpEventPump {
public:
    using ErrorReport = void (*)(const std::exception& error);

    explicit SnmpEventProcessor(QObject* parent = nullptr);
    ~SnmpEventProcessor() override;

    void Start() override;
    void Stop() override;
    bool IsRunning() const;
    // Whether the timer is counting (false while the pump rests).
    bool IsTicking() const { return timer_.isActive(); }
    // Where escaped errors go (the application's exception display, for
    // instance); null puts back the warning on the log.
    void SetErrorReport(ErrorReport report);

private:
    void OnTick();
    void OnReadable(int fd);
    void SyncNotifiers();
    // Runs one engine step; what escapes it, or null.
    template <typename Step>
    std::exception_ptr Guarded(Step step);
    void Report(std::exception_ptr escaped);
    static void LogError(const std::exception& error);

    QTimer timer_;
    std::map<int, std::unique_ptr<QSocketNotifier>> notifiers_;
    bool running_ = false;
    ErrorReport report_ = &SnmpEventProcessor::LogError;
};

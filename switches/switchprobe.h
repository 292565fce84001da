#pragma once
#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <string>

#include "shell/kvhandedsecrets.h"
#include "switches/switchrecord.h"

class KvSNMPRequest;

// What one read of a switch's system group gave.
struct SwitchProbeResult {
    bool answered = false;
    std::string sysName;
    std::string sysDescr;
    std::string upTime; // as the module shows time ticks
    std::string error;  // the status text of the message sets, when not answered
    qint64 roundTripMs = 0;
};

// One asynchronous GET of sysName, sysDescr and sysUpTime with a switch's
// settings, on the process's SNMP engine (its completion comes on the event
// loop; nothing waits for it). Emits finished once per Start.
class SwitchProbe : public QObject {
    Q_OBJECT
public:
    explicit SwitchProbe(QObject* parent = nullptr);
    ~SwitchProbe() override;

    // False (and no signal) while a GET is outstanding.
    bool Start(const SwitchRecord& record, const KvHandedSecrets& secrets);
    bool Busy() const { return request_ != nullptr; }

signals:
    void finished(const SwitchProbeResult& result);

private:
    static void OnComplete(void* context, struct KvSNMPError& error, class KvSNMPVarList& variables);
    void Finish(SwitchProbeResult result);

    std::unique_ptr<KvSNMPRequest> request_;
    QElapsedTimer clock_;
};

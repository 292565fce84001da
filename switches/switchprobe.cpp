#include "switches/switchprobe.h"

#include "snmp/kvsnmprequest.h"
#include "snmp/vardef.h"

#include <QTimer>

namespace {

// clang-format off
const VarDef kSystemGroup[] = {
    {"1.3.6.1.2.1.1.5", "sysName",   synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.1", "sysDescr",  synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.3", "sysUpTime", synTimeTicks,     accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr,           nullptr,     0,                0,     nullptr, nullptr, nullptr, nullptr},
};
// clang-format on

} // namespace

SwitchProbe::SwitchProbe(QObject* parent) : QObject(parent) {}

SwitchProbe::~SwitchProbe()
{
    if (request_)
        request_->AbandonCompletions();
}

bool SwitchProbe::Start(const SwitchRecord& record, const KvHandedSecrets& secrets)
{
    if (request_)
        return false;
    request_ = std::make_unique<KvSNMPRequest>();
    KvSNMPRequest& r = *request_;
    r.variables = KvSNMPVarList(kSystemGroup, kvListScalars, 0);
    r.address = record.address;
    r.port = record.port;
    r.version = record.version;
    r.readCommunity = secrets.read.value_or("");
    r.writeCommunity = secrets.write.value_or("");
    if (record.IsVersion3()) {
        r.securityModel = kvSecurityModelUsm;
        r.securityLevel = record.securityLevel;
        r.securityName = record.user;
        r.authProtocol = record.NeedsAuthPassword() ? record.authProtocol : kvAuthNone;
        r.privProtocol = record.NeedsPrivPassword() ? record.privProtocol : kvPrivNone;
        r.authPassword = secrets.auth.value_or("");
        r.privPassword = secrets.priv.value_or("");
        r.contextName = record.contextName;
        r.contextEngineId = record.contextEngineId;
    }
    clock_.start();
    try {
        r.FetchAsync(&SwitchProbe::OnComplete, this, true);
    } catch (const std::exception& error) {
        // Not sent (an address the engine cannot use): reported like an answer, after this call.
        SwitchProbeResult result;
        result.error = error.what();
        QTimer::singleShot(0, this, [this, result] { Finish(result); });
    }
    return true;
}

void SwitchProbe::OnComplete(void* context, KvSNMPError& error, KvSNMPVarList& variables)
{
    auto* self = static_cast<SwitchProbe*>(context);
    SwitchProbeResult result;
    result.roundTripMs = self->clock_.elapsed();
    if (error.code == 0 && variables.Count() == 3) {
        result.answered = true;
        result.sysName = variables[0].value;
        result.sysDescr = variables[1].value;
        result.upTime = variables[2].value;
    } else {
        result.error = error.message.empty() ? "error " + std::to_string(error.code) : error.message;
    }
    // The request is let go of outside its own callback.
    QTimer::singleShot(0, self, [self, result] { self->Finish(result); });
}

void SwitchProbe::Finish(SwitchProbeResult result)
{
    request_.reset();
    emit finished(result);
}

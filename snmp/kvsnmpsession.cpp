#include "snmp/kvsnmpsession.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "common/kvmessages.h"
#include "platform/kvpath.h"
#include "snmp/bootcounter.h"
#include "snmp/snmpengine.h"

// The process-wide settings (members empty until StartSnmpEngine).
KvSNMPDeviceSettings KvSNMPDevice;
KvSNMPSecuritySettings KvSNMPSecurity;
KvSNMPScopeSettings KvSNMPScope;
int32_t defaultTimeout = 0;

namespace {

// The session object lives until the end of the process.
std::unique_ptr<SnmpEngine>& SessionObject()
{
    static std::unique_ptr<SnmpEngine>* object = new std::unique_ptr<SnmpEngine>();
    return *object;
}

KvSnmpEventPump*& EventPump()
{
    static KvSnmpEventPump* pump = nullptr;
    return pump;
}

// The message of the set, followed by what went wrong with which file, so that
// the operator can act on it (typically: a working directory without write
// permission).
KvError BootCounterError(int code, const std::string& directory, const std::string& file, int result, int savedErrno)
{
    const std::string where = directory.empty() ? std::string("its working directory")
                                                : "the directory \"" + KvAbsoluteNativePath(directory) + "\"";
    std::string detail;
    switch (result) {
    case bootCounterCannotOpen:
    case bootCounterCannotCreate:
    case bootCounterCannotRename:
        detail = "Cannot write the boot counter file \"" + KvAbsoluteNativePath(file) + "\"";
        if (savedErrno)
            detail += std::string(": ") + std::strerror(savedErrno);
        detail += ". The program keeps this file in " + where + ", which must exist and be writable.";
        break;
    case bootCounterMalformed:
        detail = "The boot counter file \"" + KvAbsoluteNativePath(file) + "\" holds a malformed line.";
        break;
    case bootCounterIdTooLong:
        detail = "The SNMP engine ID is too long.";
        break;
    default:
        break;
    }
    std::string message = KvErrorText(code);
    if (!detail.empty())
        message += "\n" + detail;
    return KvError(code, message);
}

} // namespace

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    if (directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}

SnmpEngine* KvSnmpSession()
{
    return SessionObject().get();
}

void InstallSnmpEventPump(KvSnmpEventPump* pump)
{
    EventPump() = pump;
}

KvSnmpEventPump* InstalledSnmpEventPump()
{
    return EventPump();
}

void StartSnmpEngine(const std::string& directory)
{
    // 1. The session object (created once; a later start keeps it).
    if (!SessionObject()) {
        int status = -1;
        auto engine = std::make_unique<SnmpEngine>(status);
        if (status != 0)
            throw KvMakeError(kvErrNoSession);
        SessionObject() = std::move(engine);
    }

    // 2.-4. Advance the boot counter.
    const std::string file = JoinPath(directory, kvBootCounterFile);
    uint32_t boots = 0;
    errno = 0;
    int result = getBootCounter(file, kvLocalEngineId, boots);
    if (result < bootCounterCannotOpen)
        throw BootCounterError(kvErrBootCounterLoad, directory, file, result, 0);
    if (result != bootCounterOk)
        boots = 0;
    ++boots;
    errno = 0;
    result = saveBootCounter(file, kvLocalEngineId, boots);
    if (result != bootCounterOk)
        throw BootCounterError(kvErrBootCounterSave, directory, file, result, errno);

    // 5. SNMPv3 message processing.
    SessionObject()->MpInit(kvLocalEngineId, boots);

    // 6. Defaults, in this order.
    KvSNMPDevice.address = "127.0.0.1";
    KvSNMPDevice.port = 161;
    KvSNMPScope.contextEngineId = "";
    KvSNMPScope.contextName = "";
    KvSNMPSecurity.version = 0;
    KvSNMPSecurity.readCommunity = "ravine";
    KvSNMPSecurity.writeCommunity = "lantern";
    KvSNMPSecurity.securityModel = 1;
    KvSNMPSecurity.securityLevel = 1;
    KvSNMPSecurity.securityName = "";
    KvSNMPSecurity.authPassword = "";
    KvSNMPSecurity.privPassword = "";
    KvSNMPSecurity.authProtocol = 1;
    KvSNMPSecurity.privProtocol = 1;

    // 7. Timeout of new requests: one second.
    defaultTimeout = 100;

    // 8. The event pump.
    if (EventPump())
        EventPump()->Start();
}

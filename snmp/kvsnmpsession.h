#pragma once
#include <cstdint>
#include <string>

// Process-wide SNMP session settings and the engine start-up.
//
// There is one instance of each settings record for the whole process:
// `KvSNMPDevice`, `KvSNMPSecurity` and `KvSNMPScope`. Their members start out
// empty (zero); StartSnmpEngine puts the defaults in, start-up then overwrites
// them from the command line and the INI file, and every request copies them
// when it is constructed.
//
// Numbers (versions, security models and levels, protocols) use the numbering
// that host applications pass on their command lines; see the constants below.

// SNMP versions.
constexpr int8_t kvVersion1 = 0;
constexpr int8_t kvVersion2c = 1;
constexpr int8_t kvVersion3 = 3;

// Security models.
constexpr int32_t kvSecurityModelAny = 0;
constexpr int32_t kvSecurityModelV1 = 1;
constexpr int32_t kvSecurityModelV2c = 2;
constexpr int32_t kvSecurityModelUsm = 3;

// Security levels.
constexpr int32_t kvSecurityLevelNoAuthNoPriv = 1;
constexpr int32_t kvSecurityLevelAuthNoPriv = 2;
constexpr int32_t kvSecurityLevelAuthPriv = 3;

// Authentication protocols.
constexpr int32_t kvAuthNone = 1;
constexpr int32_t kvAuthMd5 = 2;
constexpr int32_t kvAuthSha = 3;

// Privacy protocols.
constexpr int32_t kvPrivNone = 1;
constexpr int32_t kvPrivDes = 2;
constexpr int32_t kvPriv3Des = 3;
constexpr int32_t kvPrivAes128 = 4;
constexpr int32_t kvPrivIdea = 9;
constexpr int32_t kvPrivAes192 = 20;
constexpr int32_t kvPrivAes256 = 21;

// The agent.
struct KvSNMPDeviceSettings {
    std::string address; // IPv4 address or DNS name; default "127.0.0.1"
    uint16_t port = 0;   // UDP port; default 161
};

// Version, communities and the SNMPv3 user.
struct KvSNMPSecuritySettings {
    int8_t version = 0;         // 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3; default 0
    std::string readCommunity;  // default "ravine"
    std::string writeCommunity; // default "lantern"
    int32_t securityModel = 0;  // default 1
    int32_t securityLevel = 0;  // default 1 (noAuthNoPriv)
    std::string securityName;   // USM user; default ""
    std::string authPassword;   // default ""
    std::string privPassword;   // default ""
    int32_t authProtocol = 0;   // default 1 (none)
    int32_t privProtocol = 0;   // default 1 (none)
};

// SNMPv3 context put into every PDU.
struct KvSNMPScopeSettings {
    std::string contextEngineId; // default ""
    std::string contextName;     // default ""
};

extern KvSNMPDeviceSettings KvSNMPDevice;
extern KvSNMPSecuritySettings KvSNMPSecurity;
extern KvSNMPScopeSettings KvSNMPScope;

// Timeout every new request copies, in hundredths of a second (StartSnmpEngine
// sets 100).
extern int32_t defaultTimeout;

// Local SNMPv3 engine ID and the boot counter file kept in the working directory.
inline constexpr const char* kvLocalEngineId = "KvSNMP_PP_Application";
inline constexpr const char* kvBootCounterFile = "KvSNMP_PP_BootCounter";

// Starts the process-wide SNMP engine once: creates the session object, advances
// the boot counter kept in JoinPath(directory, "KvSNMP_PP_BootCounter"),
// initialises SNMPv3 message processing with the engine ID
// "KvSNMP_PP_Application", sets the defaults of the three settings records and
// defaultTimeout, and starts the event processor if one is installed.
// Raises KvError -506, -507 or -508 and leaves the settings untouched on failure
// (an unwritable working directory gives -508). Start-up passes its boot
// counter directory, "" (the working directory) unless told otherwise.
void StartSnmpEngine(const std::string& directory);

// "" + name gives name; a directory not ending in a backslash gets one inserted.
std::string JoinPath(const std::string& directory, const std::string& name);

class SnmpEngine;

// The process-wide session object that StartSnmpEngine created (null before).
// Every request sends through it.
SnmpEngine* KvSnmpSession();

// The event processor that pumps the session object. The program installs one
// (SnmpEventProcessor, on the Qt event loop) before StartSnmpEngine, which
// starts it. Without one, completions are delivered whenever the session
// object's events are processed (blocking requests, waiting destructors).
class KvSnmpEventPump {
public:
    virtual ~KvSnmpEventPump() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
};
void InstallSnmpEventPump(KvSnmpEventPump* pump); // null uninstalls
KvSnmpEventPump* InstalledSnmpEventPump();

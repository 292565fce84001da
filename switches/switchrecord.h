#pragma once
#include <cstdint>
#include <string>

#include "snmp/kvsnmpsession.h"

// One switch of the list: everything needed to reach it except its secrets
// (communities and SNMPv3 passwords), which live in the keyring. Versions,
// security levels and protocols use the session's numbering (kvVersion2c,
// kvSecurityLevelAuthPriv, kvAuthSha, ...).
struct SwitchRecord {
    std::string name;
    std::string address; // IPv4 address or host name
    uint16_t port = 161;
    int8_t version = kvVersion2c;
    // SNMPv3 only.
    std::string user;
    int32_t securityLevel = kvSecurityLevelAuthPriv;
    int32_t authProtocol = kvAuthSha;
    int32_t privProtocol = kvPrivAes128;
    std::string contextName;
    std::string contextEngineId;

    bool IsVersion3() const { return version == kvVersion3; }
    bool NeedsAuthPassword() const { return IsVersion3() && securityLevel >= kvSecurityLevelAuthNoPriv; }
    bool NeedsPrivPassword() const { return IsVersion3() && securityLevel >= kvSecurityLevelAuthPriv; }

    bool operator==(const SwitchRecord&) const = default;
};

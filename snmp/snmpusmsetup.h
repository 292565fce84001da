#pragma once
#include <string>

#include "snmp/snmpengine.h"

struct snmp_session;

// SNMPv3 user-based security of Net-SNMP sessions: the keys of a session
// about to be opened, and the library's process-wide user entries.
class SnmpUsmSetup {
public:
    // Sets the security model, name, level, protocols and keys (derived from
    // the passwords) of `session` for `user`, whose protocol numbers are those
    // of UsmProtocols.
    // `securityName` must outlive the opening of the session. 0 or a USM
    // status (unsupported protocol, a key that cannot be derived).
    static int Apply(snmp_session& session, const std::string& securityName, const SnmpEngine::UsmUser& user);

    // Removes and frees every user entry of the library named `name`.
    static void ForgetUser(const std::string& name);
};

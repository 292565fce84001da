#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "snmp/snmpvb.h"

// A request or response PDU as the adapter exchanges it: the bindings, the
// SNMPv3 scope and, in a response, the error status and index.
struct SnmpPdu {
    std::vector<SnmpVb> vbs;
    int32_t securityLevel = 1; // 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv
    std::string contextName;
    std::string contextEngineId; // as given (octets of the text)
    int32_t errorStatus = 0;
    int32_t errorIndex = 0;
    // A GETBULK request: repetitions of every binding (no non-repeaters).
    int32_t maxRepetitions = 0;
};

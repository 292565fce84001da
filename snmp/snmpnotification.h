#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "snmp/snmpvb.h"

// A notification (trap or inform) as the receiver hands it on. An SNMPv1 trap
// is given in the SNMPv2 form: its generic traps become the standard
// notifications (coldStart 1.3.6.1.6.3.1.1.5.1 ... egpNeighborLoss ...5.6), an
// enterprise-specific one becomes <enterprise>.0.<specific>.
struct SnmpNotification {
    int32_t version = 0; // 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3
    bool inform = false;
    std::string source;      // "address:port" of the sender
    std::string trapOid;     // dotted
    uint32_t upTime = 0;     // the sender's sysUpTime, hundredths of a second
    std::vector<SnmpVb> vbs; // the variables, without sysUpTime.0 and snmpTrapOID.0
};

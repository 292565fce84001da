#pragma once
#include "snmp/netsnmpptr.h"
#include "snmp/snmppdu.h"
#include "snmp/snmptarget.h"

// Between the adapter's PDUs and Net-SNMP's (the only code besides the engine
// that builds or reads Net-SNMP PDUs).
class SnmpPduTranslation {
public:
    // A Net-SNMP PDU of `command` (SNMP_MSG_GET, ...) carrying the bindings of
    // `pdu` and, by target, the community or the SNMPv3 security level and
    // scope. 0 or a status of snmpstatus.h (an OID that is no dotted
    // identifier, a tag without a wire type, a security level out of range);
    // `out` is set only on success.
    static int Build(int command, const SnmpPdu& pdu, const SnmpTarget& target, NetSnmpPdu& out);

    // Copies a received PDU. A report (SNMPv3) becomes an empty PDU whose
    // error status is the report's meaning in the numbering.
    static void Read(const snmp_pdu* p, SnmpPdu& out);
};

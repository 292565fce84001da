#include "snmp/netsnmpptr.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

void NetSnmpPduFree::operator()(snmp_pdu* pdu) const noexcept
{
    snmp_free_pdu(pdu);
}

void NetSnmpSessionClose::operator()(void* handle) const noexcept
{
    snmp_sess_close(handle);
}

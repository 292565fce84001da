#pragma once
#include <memory>

struct snmp_pdu;

// Owners of Net-SNMP objects, so that each is freed exactly once on every path.
//
// A PDU handed to a send call belongs to the library only when the send
// succeeds: release() it then, and let the owner free it when the send fails.
struct NetSnmpPduFree {
    void operator()(snmp_pdu* pdu) const noexcept;
};
using NetSnmpPdu = std::unique_ptr<snmp_pdu, NetSnmpPduFree>;

// A single-session handle (snmp_sess_open), closed with its owner.
struct NetSnmpSessionClose {
    void operator()(void* handle) const noexcept;
};
using NetSnmpSession = std::unique_ptr<void, NetSnmpSessionClose>;

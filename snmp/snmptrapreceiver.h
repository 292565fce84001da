#pragma once
#include <netinet/in.h>

#include <cstdint>
#include <string>
#include <vector>

#include "snmp/netsnmpptr.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpnotification.h"

// Receives the switch's notifications: SNMPv1 traps, SNMPv2c traps and
// informs, SNMPv3 traps and informs under the session's USM user. Informs are
// acknowledged. Only what comes from the switch's address is handed on; an
// SNMPv3 message that fails authentication (wrong key, another user, a lower
// security level than the user's), a datagram that does not parse, and
// anything from elsewhere are dropped and counted.
//
// The engine (SnmpEngine) must exist: it has set Net-SNMP up. Nothing blocks;
// the owner watches Descriptor() and calls Read when it is readable.
class SnmpTrapReceiver {
public:
    struct Counters {
        uint64_t accepted = 0;     // handed on
        uint64_t otherSource = 0;  // well-formed, from another address
        uint64_t authFailures = 0; // SNMPv3: failed authentication or wrong user or level
        uint64_t malformed = 0;    // not parsed, or no notification
        uint64_t informsAcknowledged = 0;
    };

    SnmpTrapReceiver() = default;
    ~SnmpTrapReceiver();
    SnmpTrapReceiver(const SnmpTrapReceiver&) = delete;
    SnmpTrapReceiver& operator=(const SnmpTrapReceiver&) = delete;

    // Listens on `address` ("udp:HOST:PORT"); 0, or a status with a
    // readable reason in `error`.
    int Open(const std::string& address, std::string& error);
    bool IsOpen() const { return handle_ != nullptr; }
    // "udp:HOST:PORT" actually bound (the port chosen when 0 was given).
    const std::string& BoundAddress() const { return bound_; }
    int Descriptor() const { return fd_; }

    // The switch: notifications from other addresses are counted, not handed
    // on. False when `host` does not resolve to an IPv4 address.
    bool AcceptFrom(const std::string& host);
    // The SNMPv3 user notifications must come from (the session's); with an
    // empty name SNMPv3 notifications are all refused.
    void SetUser(const std::string& name, const SnmpEngine::UsmUser& user, int32_t securityLevel);

    // Reads at most `maxDatagrams` datagrams that are waiting (never blocks);
    // the notifications among them go to `out`. Gives the number read.
    int Read(int maxDatagrams, std::vector<SnmpNotification>& out);

    const Counters& Stats() const { return counters_; }

private:
    static int Callback(int op, struct snmp_session* session, int reqid, struct snmp_pdu* pdu, void* magic);
    void Take(struct snmp_session* session, struct snmp_pdu* pdu);
    // The library's user entry for `engineId` (made when missing).
    void EnsureUser(const std::string& engineId);

    NetSnmpSession handle_;
    int fd_ = -1;
    std::string bound_;
    in_addr accept_{};
    bool acceptKnown_ = false;
    std::string userName_;
    SnmpEngine::UsmUser user_;
    int32_t securityLevel_ = 1;
    Counters counters_;
    // While Read runs: where notifications go, and whether the datagram at
    // hand gave one (or was counted otherwise).
    std::vector<SnmpNotification>* out_ = nullptr;
    bool counted_ = false;
};

#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "snmp/snmpdiscovery.h"
#include "snmp/snmppdu.h"
#include "snmp/snmptarget.h"

class SnmpEngine;
struct snmp_session;
struct snmp_pdu;

// Reasons given to completion callbacks.
constexpr int snmpReasonTimeout = -5;       // no answer after all retries
constexpr int snmpReasonResponse = -6;      // answered; status in response.errorStatus
constexpr int snmpReasonSessionClosed = -8; // the engine closed with the request outstanding

// Completion of an asynchronous request. For snmpReasonResponse the response's
// errorStatus holds the status in the library numbering (0, a PDU error status
// 1..18, an SNMPv3 or USM status, or a negative session status).
using SnmpCallback = void (*)(int reason, SnmpEngine& snmp, SnmpPdu& response, const SnmpTarget& target, void* data);

// The process-wide SNMP session object on Net-SNMP.
//
// One Net-SNMP single session is opened per distinct target (address, port,
// version, and for SNMPv3 the user with its protocols and passwords) on first
// use and kept; communities travel in each PDU. Results use the numbering of
// snmpstatus.h. Everything runs on the thread that owns the engine; completion
// callbacks run from ProcessPendingEvents, ProcessSocket, WaitForEvents or a
// blocking request, never from inside Net-SNMP.
class SnmpEngine {
public:
    // Initialises Net-SNMP (no configuration files, no persistent files, no
    // MIB files, no console output) and checks that a UDP socket on any local
    // port can be opened; `status` is 0 on success.
    explicit SnmpEngine(int& status);
    // Outstanding asynchronous requests complete with snmpReasonSessionClosed.
    ~SnmpEngine();
    SnmpEngine(const SnmpEngine&) = delete;
    SnmpEngine& operator=(const SnmpEngine&) = delete;

    // Blocking requests: the response replaces the bindings of `pdu`. Gives 0,
    // the response's error status (1..18), an SNMPv3/USM status, or a session
    // status (-5 timeout, ...).
    int Get(SnmpPdu& pdu, const SnmpTarget& target);
    int GetNext(SnmpPdu& pdu, const SnmpTarget& target);
    // GETBULK (SNMPv2c and v3) with pdu.maxRepetitions repetitions of every
    // binding; the response's bindings come row by row (repetition 0 of every
    // binding, then repetition 1, ...) and may be cut short by the agent.
    int GetBulk(SnmpPdu& pdu, const SnmpTarget& target);
    int Set(SnmpPdu& pdu, const SnmpTarget& target);

    // Asynchronous requests: 0 when sent (the callback follows exactly once),
    // otherwise the status of the failed send (no callback).
    int Get(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data);
    int GetNext(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data);
    int GetBulk(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data);
    int Set(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data);

    // Queues a completion that needs no agent: `callback` is called with
    // snmpReasonResponse and `response` at the next delivery of completions
    // (at once when the caller is itself a completion callback).
    void Post(SnmpCallback callback, void* data, SnmpPdu response, const SnmpTarget& target);

    // Registers (or replaces) a USM user. Protocol numbers are those of
    // UsmProtocols; any other fails at send time (unsupported protocol).
    void UsmAddUserName(const std::string& name, int32_t authProtocol, int32_t privProtocol,
                        const std::string& authPassword, const std::string& privPassword);

    // Sets the local SNMPv3 engine ID and boot count; 0 on success.
    int MpInit(const std::string& engineId, uint32_t boots);

    // Reads every readable socket and handles retransmissions and timeouts that
    // are due, then delivers completions. Never blocks.
    void ProcessPendingEvents();
    // Reads the given socket while it is readable, then delivers completions.
    void ProcessSocket(int fd);
    // Waits at most `maxMs` for a socket to become readable or the next timeout
    // to fall due, then processes as ProcessPendingEvents.
    void WaitForEvents(int maxMs);
    // Milliseconds until the next retransmission or timeout, -1 when none.
    int NextTimeoutMs();

    // Sockets of the open sessions (for an event loop to watch).
    std::vector<int> Descriptors() const;
    // Called whenever a session is opened or closed, so a driver can update the
    // sockets it watches.
    void SetSessionsChangedHook(std::function<void()> hook) { sessionsChanged_ = std::move(hook); }

    // Asynchronous requests sent and not yet completed.
    int Outstanding() const { return static_cast<int>(outstanding_.size()); }
    // Nothing to do until the next request: no request outstanding, no
    // completion waiting to be delivered.
    bool Idle() const { return outstanding_.empty() && completions_.empty(); }
    // Called whenever a request is sent or a completion posted, so that a
    // driver resting while the engine is idle wakes up.
    void SetActivityHook(std::function<void()> hook) { activity_ = std::move(hook); }

    struct Session;
    friend struct Session;
    struct Request {
        const Session* session = nullptr;
        SnmpTarget target;
        SnmpCallback callback = nullptr;
        void* data = nullptr;
        // Beyond every retry: if the library has not completed the request by
        // then, it is completed as timed out.
        std::chrono::steady_clock::time_point deadline;
    };
    struct UsmUser {
        int32_t authProtocol = 1;
        int32_t privProtocol = 1;
        std::string authPassword;
        std::string privPassword;
    };

private:
    enum class Op { Get, GetNext, GetBulk, Set };
    int Send(Op op, const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data);
    void CloseSession(const std::string& key);
    bool HasOutstanding(const Session& session) const;
    void ReplaceUsmUser(const std::string& name, const std::string& credentials);
    int StartDiscovery(Session& session, const SnmpTarget& target);
    void ServeDiscovery(Session& session, bool readable);
    void EndDiscovery(Session& session, const SnmpDiscovery::Engine* found);
    // Probes the agents of sessions whose requests had to be sent again: an
    // agent that now is another engine (replaced), or the same one with its
    // boots gone back (reset), never answers them.
    void StartEngineChecks();
    void EndEngineCheck(Session& session, const SnmpDiscovery::Engine* found);
    // The discovered engine ID, boots and time into the session and the
    // library's user entry.
    void AdoptEngine(Session& session, const SnmpDiscovery::Engine& found);
    int SendBlocking(Op op, SnmpPdu& pdu, const SnmpTarget& target);
    int OpenSession(const SnmpTarget& target, Session*& session);
    void DeliverCompletions();
    void ExpireOverdue();
    static int NetSnmpCallback(int op, struct snmp_session* sess, int reqid, struct snmp_pdu* pdu, void* magic);

    struct Completion {
        int reason;
        SnmpPdu response;
        SnmpTarget target;
        SnmpCallback callback;
        void* data;
    };

    std::map<std::string, std::unique_ptr<Session>> sessions_;
    std::map<std::string, UsmUser> users_;
    // Credentials behind the library's user entries, by user name.
    std::map<std::string, std::string> usmCredentials_;
    // Outstanding asynchronous requests; the address of each is the token the
    // library hands back with its completion (compared, never dereferenced
    // before it is found here).
    std::map<const void*, std::unique_ptr<Request>> outstanding_;
    std::deque<Completion> completions_;
    std::function<void()> sessionsChanged_;
    std::function<void()> activity_;
    bool closing_ = false;
};

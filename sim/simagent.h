#pragma once
// The SNMP agent of the simulator: Net-SNMP's agent library as an embedded
// master agent, with its own SNMPv3 framework, USM, VACM, target and
// notification tables, and the switch's objects from the store behind one
// handler. It reads no configuration of the machine: its configuration and
// persistent files live in a private directory.

#include <csignal>
#include <set>
#include <string>

#include "sim/simagentconfig.h"
#include "sim/simnotifier.h"
#include "sim/simoptions.h"
#include "sim/simpdulog.h"
#include "sim/simrequesthandler.h"
#include "sim/simstore.h"

struct snmp_session;
struct snmp_pdu;
struct netsnmp_transport_s;

class SimAgent {
public:
    SimAgent(const SimOptions& options, SimStore& store);
    ~SimAgent();
    SimAgent(const SimAgent&) = delete;
    SimAgent& operator=(const SimAgent&) = delete;

    // Sets Net-SNMP up, opens the listening socket and registers the store.
    bool Start(std::string& error);
    // Answers requests until *stop becomes non-zero.
    void Run(volatile std::sig_atomic_t* stop);
    // Saves the state (with --state), shuts Net-SNMP down and removes the
    // private directory unless it belongs to the state file.
    void Shutdown();

    // The address actually listened on, for example "udp:127.0.0.1:40123".
    const std::string& BoundAddress() const { return boundAddress_; }

    // The engine ID: 0x80 | enterprise number, format 4 (text), then `text`.
    static std::string EngineId(unsigned enterpriseNumber, const std::string& text);

private:
    struct Delayed;

    static int PacketCallback(int op, snmp_session* session, int reqid, snmp_pdu* pdu, void* magic);
    static void DelayedCallback(unsigned int reg, void* clientarg);

    bool OpenTransport(std::string& error);
    bool WriteReadyFile(std::string& error);
    void SaveState();
    int OnPacket(int op, snmp_session* session, int reqid, snmp_pdu* pdu);
    void SendError(snmp_session* session, snmp_pdu* pdu, int status, int index);

    SimOptions options_;
    SimStore& store_;
    SimPduLog log_;
    SimAgentConfig config_;
    SimRequestHandler requests_;
    SimNotifier notifier_;
    std::string engineId_;
    std::string boundAddress_;
    snmp_session* session_ = nullptr;
    bool started_ = false;
    std::set<Delayed*> delayed_;
};

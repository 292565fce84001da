#pragma once
// The SNMP agent of the simulator: Net-SNMP's agent library as an embedded
// master agent, with its own SNMPv3 framework, USM, VACM, target and
// notification tables, and the switch's objects from the store behind one
// handler. It reads no configuration of the machine: its configuration and
// persistent files live in a private directory.

#include <chrono>
#include <csignal>
#include <set>
#include <string>

#include "sim/simoptions.h"
#include "sim/simpdulog.h"
#include "sim/simstore.h"

struct netsnmp_mib_handler_s;
struct netsnmp_handler_registration_s;
struct netsnmp_agent_request_info_s;
struct netsnmp_request_info_s;
struct snmp_session;
struct snmp_pdu;
struct netsnmp_transport_s;

class SimAgent {
public:
    SimAgent(const SimOptions &options, SimStore &store);
    ~SimAgent();
    SimAgent(const SimAgent &) = delete;
    SimAgent &operator=(const SimAgent &) = delete;

    // Sets Net-SNMP up, opens the listening socket and registers the store.
    bool start(std::string &error);
    // Answers requests until *stop becomes non-zero.
    void run(volatile std::sig_atomic_t *stop);
    // Saves the state (with --state), shuts Net-SNMP down and removes the
    // private directory unless it belongs to the state file.
    void shutdown();

    // The address actually listened on, for example "udp:127.0.0.1:40123".
    const std::string &boundAddress() const { return boundAddress_; }

    // The engine ID: 0x80 | enterprise number, format 4 (text), then `text`.
    static std::string engineId(unsigned enterpriseNumber, const std::string &text);

private:
    struct Delayed;

    static int packetCallback(int op, snmp_session *session, int reqid, snmp_pdu *pdu, void *magic);
    static void delayedCallback(unsigned int reg, void *clientarg);
    static int handler(netsnmp_mib_handler_s *handler, netsnmp_handler_registration_s *reginfo,
                       netsnmp_agent_request_info_s *reqinfo, netsnmp_request_info_s *requests);

    bool preparePrivateDirectory(std::string &error);
    std::string netsnmpDir() const;
    bool writeConfig(std::string &error);
    void createUsers();
    bool openTransport(std::string &error);
    bool registerStore(std::string &error);
    bool writeReadyFile(std::string &error);
    void saveState();
    int onPacket(int op, snmp_session *session, int reqid, snmp_pdu *pdu);
    void sendError(snmp_session *session, snmp_pdu *pdu, int status, int index);
    void readValue(const SimObject &object, struct variable_list *vb) const;

    SimOptions options_;
    SimStore &store_;
    SimPduLog log_;
    std::string privateDir_;
    bool removePrivateDir_ = false;
    std::string engineId_;
    std::string boundAddress_;
    snmp_session *session_ = nullptr;
    bool started_ = false;
    bool dirty_ = false;
    std::set<Delayed *> delayed_;
    std::chrono::steady_clock::time_point startTime_;
};

#include "sim/simagent.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include "sim/simdatafile.h"

// Module initialisers of Net-SNMP's MIB library that have no public header.
extern "C" {
void init_vacm_vars(void);
void init_vacm_context(void);
void init_usmUser(void);
void init_usmStats(void);
void init_snmpEngine(void);
void init_snmpMPDStats(void);
void init_snmpTargetAddrEntry(void);
void init_snmpTargetParamsEntry(void);
void init_target_counters(void);
void init_snmpNotifyTable(void);
void init_snmpNotifyFilterProfileTable(void);
void init_snmpNotifyFilterTable(void);
}

namespace {

const char* const appName = SimAgentConfig::appName;

int LogCallback(int, int, void* serverarg, void*)
{
    const auto* msg = static_cast<const snmp_log_message*>(serverarg);
    if (msg && msg->msg) {
        std::string text = msg->msg;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        std::fprintf(stderr, "osprey-sim: net-snmp: %s\n", text.c_str());
    }
    return 0;
}

bool IsRequest(int command)
{
    return command == SNMP_MSG_GET || command == SNMP_MSG_GETNEXT || command == SNMP_MSG_GETBULK ||
           command == SNMP_MSG_SET;
}

} // namespace

struct SimAgent::Delayed {
    SimAgent* agent;
    netsnmp_session* session;
    netsnmp_pdu* pdu;
};

std::string SimAgent::EngineId(unsigned enterpriseNumber, const std::string& text)
{
    const uint32_t e = 0x80000000u | enterpriseNumber;
    std::string id;
    id += static_cast<char>((e >> 24) & 0xFF);
    id += static_cast<char>((e >> 16) & 0xFF);
    id += static_cast<char>((e >> 8) & 0xFF);
    id += static_cast<char>(e & 0xFF);
    id += '\x04';
    id += text.substr(0, 27);
    return id;
}

SimAgent::SimAgent(const SimOptions& options, SimStore& store)
    : options_(options), store_(store), requests_(options_, store), notifier_(store)
{
}

SimAgent::~SimAgent()
{
    Shutdown();
}

bool SimAgent::OpenTransport(std::string& error)
{
    netsnmp_transport* t = netsnmp_tdomain_transport(options_.listen.c_str(), 1, "udp");
    if (!t) {
        error = "cannot listen on " + options_.listen;
        return false;
    }
    netsnmp_session sess;
    snmp_sess_init(&sess);
    sess.version = SNMP_DEFAULT_VERSION;
    sess.callback = &SimAgent::PacketCallback;
    sess.callback_magic = this;
    sess.authenticator = nullptr;
    sess.flags = netsnmp_ds_get_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_FLAGS);
    sess.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
    session_ = snmp_add(&sess, t, nullptr, netsnmp_agent_check_parse);
    if (!session_) {
        error = "cannot open an SNMP session on " + options_.listen;
        return false;
    }
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    char host[INET6_ADDRSTRLEN] = "?";
    unsigned port = 0;
    if (getsockname(t->sock, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
        if (addr.ss_family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(&addr);
            inet_ntop(AF_INET, &in->sin_addr, host, sizeof host);
            port = ntohs(in->sin_port);
            boundAddress_ = std::string("udp:") + host + ":" + std::to_string(port);
        } else if (addr.ss_family == AF_INET6) {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&addr);
            inet_ntop(AF_INET6, &in6->sin6_addr, host, sizeof host);
            port = ntohs(in6->sin6_port);
            boundAddress_ = std::string("udp6:[") + host + "]:" + std::to_string(port);
        }
    }
    if (boundAddress_.empty())
        boundAddress_ = options_.listen;
    return true;
}

bool SimAgent::WriteReadyFile(std::string& error)
{
    if (options_.readyFile.empty())
        return true;
    const std::string tmp = options_.readyFile + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << boundAddress_ << "\n";
        out.flush();
        if (!out) {
            error = tmp + ": cannot write";
            return false;
        }
    }
    if (std::rename(tmp.c_str(), options_.readyFile.c_str()) != 0) {
        error = options_.readyFile + ": cannot write (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

bool SimAgent::Start(std::string& error)
{
    log_.SetCommunities(SimAgentConfig::Communities());
    if (!options_.logFile.empty() && !log_.Open(options_.logFile, error))
        return false;
    if (!config_.Prepare(options_.stateFile, error))
        return false;
    const std::string engineText =
        options_.stateFile.empty() ? std::string(appName) + "-" + std::to_string(getpid()) : std::string(appName);
    engineId_ = EngineId(store_.EnterpriseNumber(), engineText);
    requests_.SetEngineId(engineId_);
    if (!config_.Write(engineId_, SimNotifier::ConfigLines(options_.trapTo, SimAgentConfig::ReadCommunity()), error))
        return false;

    // Only the private directory is read (the configuration written above
    // and what Net-SNMP saved there last time); no MIB files are loaded.
    setenv("SNMPCONFPATH", config_.NetsnmpDir().c_str(), 1);
    setenv("SNMP_PERSISTENT_DIR", config_.NetsnmpDir().c_str(), 1);
    setenv("MIBDIRS", config_.NetsnmpDir().c_str(), 1);
    setenv("MIBS", "", 1);
    unsetenv("SNMP_PERSISTENT_FILE");
    unsetenv("SNMPD_PERSISTENT_DIR");

    snmp_disable_log();
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, LogCallback, nullptr);
    // OSPREY_SIM_NETSNMP_DEBUG=token,token turns on Net-SNMP's own debugging
    // output for those tokens (for finding faults in the simulator itself).
    const char* debugTokens = std::getenv("OSPREY_SIM_NETSNMP_DEBUG");
    if (debugTokens && *debugTokens) {
        debug_register_tokens(debugTokens);
        snmp_set_do_debugging(1);
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_DEBUG);
    } else {
        snmp_set_do_debugging(0);
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_WARNING);
    }
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, config_.NetsnmpDir().c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR, config_.NetsnmpDir().c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_ALARM_DONT_USE_SIG, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_QUICK_PRINT, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);

    if (init_agent(appName) != 0) {
        error = "the SNMP agent library did not start";
        return false;
    }
    init_vacm_vars();
    init_vacm_context();
    init_usmUser();
    init_usmStats();
    init_snmpEngine();
    init_snmpMPDStats();
    init_snmpTargetAddrEntry();
    init_snmpTargetParamsEntry();
    init_target_counters();
    init_snmpNotifyTable();
    init_snmpNotifyFilterProfileTable();
    init_snmpNotifyFilterTable();
    init_snmp(appName);
    // The agent library answers a GETBULK with at most this many bindings
    // (fewer repetitions than asked for); unlimited (-1), only the message
    // size bounds an answer, as on the switch.
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKRESPONSES,
                       options_.faults.bulkMaxBindings > 0 ? static_cast<int>(options_.faults.bulkMaxBindings) : -1);
    started_ = true;
    SimAgentConfig::CreateUsers();

    if (!OpenTransport(error))
        return false;
    if (!requests_.Register(error))
        return false;
    notifier_.Start();
    return WriteReadyFile(error);
}

void SimAgent::Run(volatile std::sig_atomic_t* stop)
{
    const pid_t parent = getppid();
    while (!*stop) {
        // A test that dies without stopping its simulator leaves it to init.
        if (options_.exitWithParent && getppid() != parent)
            break;
        int numfds = 0;
        fd_set readfds;
        FD_ZERO(&readfds);
        timeval timeout{0, 200000};
        int block = 0;
        snmp_select_info(&numfds, &readfds, &timeout, &block);
        const int count = select(numfds, &readfds, nullptr, nullptr, &timeout);
        if (count > 0)
            snmp_read(&readfds);
        else if (count == 0)
            snmp_timeout();
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
        if (requests_.TakeChanged()) {
            notifier_.CheckPorts();
            SaveState();
        }
    }
}

void SimAgent::SaveState()
{
    if (options_.stateFile.empty())
        return;
    std::string error;
    if (!SimDataFile::Save(options_.stateFile, store_, error))
        std::fprintf(stderr, "osprey-sim: %s\n", error.c_str());
}

void SimAgent::Shutdown()
{
    if (!started_) {
        config_.Remove();
        return;
    }
    started_ = false;
    SaveState();
    for (Delayed* d : delayed_) {
        snmp_free_pdu(d->pdu);
        delete d;
    }
    delayed_.clear();
    snmp_shutdown(appName);
    shutdown_agent();
    config_.Remove();
}

int SimAgent::PacketCallback(int op, netsnmp_session* session, int reqid, netsnmp_pdu* pdu, void* magic)
{
    return static_cast<SimAgent*>(magic)->OnPacket(op, session, reqid, pdu);
}

int SimAgent::OnPacket(int op, netsnmp_session* session, int reqid, netsnmp_pdu* pdu)
{
    if (op != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu || !IsRequest(pdu->command))
        return handle_snmp_packet(op, session, reqid, pdu, nullptr);

    // An SNMPv3 message whose digest is wrong reaches this point too: the
    // agent library does nothing with it but count it. The log says so, and
    // it counts for no fault.
    if (pdu->version == SNMP_VERSION_3 && session->s_snmp_errno == SNMPERR_USM_AUTHENTICATIONFAILURE) {
        log_.Write(pdu, "authentication failed");
        return handle_snmp_packet(op, session, reqid, pdu, nullptr);
    }

    std::vector<SimOid> oids;
    for (variable_list* vb = pdu->variables; vb; vb = vb->next_variable)
        oids.emplace_back(vb->name, vb->name + vb->name_length);
    const SimFaults::Decision d = options_.faults.Next(oids);
    switch (d.action) {
    case SimFaults::Action::Drop:
        log_.Write(pdu, "dropped");
        return 1;
    case SimFaults::Action::Silent:
        log_.Write(pdu, "not answered");
        return 1;
    case SimFaults::Action::Error:
        log_.Write(pdu, std::string("answered ") + SimFaults::StatusName(d.errorStatus));
        SendError(session, pdu, d.errorStatus, d.errorIndex);
        return 1;
    case SimFaults::Action::Answer:
        break;
    }
    if (pdu->command == SNMP_MSG_GETBULK && options_.faults.refuseBulk) {
        const int status = options_.faults.refuseBulk;
        log_.Write(pdu, std::string("answered ") + SimFaults::StatusName(status));
        SendError(session, pdu, status, 0);
        return 1;
    }
    if (options_.faults.delayMs > 0) {
        log_.Write(pdu, "delayed " + std::to_string(options_.faults.delayMs) + " ms");
        netsnmp_pdu* copy = snmp_clone_pdu(pdu);
        if (!copy)
            return 1;
        auto* delayed = new Delayed{this, session, copy};
        delayed_.insert(delayed);
        timeval tv{options_.faults.delayMs / 1000, (options_.faults.delayMs % 1000) * 1000};
        snmp_alarm_register_hr(tv, 0, &SimAgent::DelayedCallback, delayed);
        return 1;
    }
    log_.Write(pdu, "");
    return handle_snmp_packet(op, session, reqid, pdu, nullptr);
}

void SimAgent::DelayedCallback(unsigned int, void* clientarg)
{
    auto* d = static_cast<Delayed*>(clientarg);
    SimAgent* self = d->agent;
    if (!self->delayed_.erase(d))
        return;
    handle_snmp_packet(NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE, d->session, d->pdu->reqid, d->pdu, nullptr);
    snmp_free_pdu(d->pdu);
    delete d;
}

void SimAgent::SendError(netsnmp_session* session, netsnmp_pdu* pdu, int status, int index)
{
    netsnmp_pdu* response = snmp_clone_pdu(pdu);
    if (!response)
        return;
    response->command = SNMP_MSG_RESPONSE;
    response->errstat = status;
    response->errindex = index;
    if (!snmp_send(session, response))
        snmp_free_pdu(response);
}

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
#include <filesystem>
#include <fstream>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/library/snmpusm.h>

#include "sim/simdatafile.h"
#include "sim/simfrontpanel.h"
#include "sim/simmovingcounter.h"
#include "sim/simtransaction.h"

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

const char appName[] = "osprey-sim";

// The documented SNMPv3 users (README).
struct UserRow {
    const char *name;
    const char *createLine; // arguments of Net-SNMP's createUser
};

const UserRow users[] = {
    {"sha-user",    "sha-user SHA sha-auth-pass AES sha-priv-pass"},
    {"md5-user",    "md5-user MD5 md5-auth-pass DES md5-priv-pass"},
    {"auth-user",   "auth-user SHA auth-user-pass"},
    {"noauth-user", "noauth-user"},
};

// The communities and the word the request log writes for each: the log
// says which community a request used, never its text.
const char readCommunity[] = "ravine";
const char writeCommunity[] = "lantern";
const SimPduLog::Community communities[] = {
    {readCommunity, "read"},
    {writeCommunity, "write"},
};

// Communities, groups, views and access rights; these rows show in the
// agent's VACM tables.
const std::string communityConfig[] = {
    std::string("com2sec readSec  default ") + readCommunity,
    std::string("com2sec writeSec default ") + writeCommunity,
};
const char *const accessConfig[] = {
    "group readGroup  v1  readSec",
    "group readGroup  v2c readSec",
    "group writeGroup v1  writeSec",
    "group writeGroup v2c writeSec",
    "group adminGroup usm sha-user",
    "group adminGroup usm md5-user",
    "group authGroup  usm auth-user",
    "group guestGroup usm noauth-user",
    "view  all included .1",
    "access readGroup  \"\" any noauth exact all none none",
    "access writeGroup \"\" any noauth exact all all  none",
    "access adminGroup \"\" usm priv   exact all all  all",
    "access authGroup  \"\" usm auth   exact all all  none",
    "access guestGroup \"\" usm noauth exact all all  none",
    // A management station in the SNMP target tables (read-only rows).
    "targetAddr nms .1.3.6.1.6.1.1 0x7f00000100a2 1500 3 \"trap\" nmsParams 5 1",
    "targetParams nmsParams 1 2 readSec 1 5 1",
};

int logCallback(int, int, void *serverarg, void *)
{
    const auto *msg = static_cast<const snmp_log_message *>(serverarg);
    if (msg && msg->msg) {
        std::string text = msg->msg;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        std::fprintf(stderr, "osprey-sim: net-snmp: %s\n", text.c_str());
    }
    return 0;
}

std::string dataListKey(const netsnmp_handler_registration *reg)
{
    return "osprey-sim:" + simoid::format(reg->rootoid, reg->rootoid_len);
}

void freeTransaction(void *p)
{
    delete static_cast<SimTransaction *>(p);
}

bool isRequest(int command)
{
    return command == SNMP_MSG_GET || command == SNMP_MSG_GETNEXT || command == SNMP_MSG_GETBULK
           || command == SNMP_MSG_SET;
}

} // namespace

struct SimAgent::Delayed {
    SimAgent *agent;
    netsnmp_session *session;
    netsnmp_pdu *pdu;
};

std::string SimAgent::engineId(unsigned enterpriseNumber, const std::string &text)
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

SimAgent::SimAgent(const SimOptions &options, SimStore &store)
    : options_(options), store_(store), startTime_(store.startTime())
{
}

SimAgent::~SimAgent()
{
    shutdown();
}

bool SimAgent::preparePrivateDirectory(std::string &error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!options_.stateFile.empty()) {
        // Net-SNMP's own state (users, engine boots, SNMPv3 table rows)
        // stays beside the state file, so it survives restarts too.
        privateDir_ = options_.stateFile + ".netsnmp";
        removePrivateDir_ = false;
        fs::create_directories(privateDir_, ec);
        if (ec) {
            error = privateDir_ + ": cannot create (" + ec.message() + ")";
            return false;
        }
    } else {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/osprey-sim.XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data())) {
            error = pattern + ": cannot create a private directory (" + std::strerror(errno) + ")";
            return false;
        }
        privateDir_ = buf.data();
        removePrivateDir_ = true;
    }
    fs::create_directories(netsnmpDir(), ec);
    if (ec) {
        error = privateDir_ + ": cannot create its sub-directories (" + ec.message() + ")";
        return false;
    }
    return true;
}

std::string SimAgent::netsnmpDir() const
{
    return privateDir_ + "/net-snmp";
}

bool SimAgent::writeConfig(std::string &error)
{
    // The ".local" file is ours; Net-SNMP keeps its own state in
    // osprey-sim.conf beside it.
    const std::string path = netsnmpDir() + "/" + appName + ".local.conf";
    std::ofstream out(path, std::ios::trunc);
    if (!out) {
        error = path + ": cannot write (" + std::strerror(errno) + ")";
        return false;
    }
    out << "# Written by osprey-sim at every start.\n";
    out << "exactEngineID 0x" << SimValue::hex(engineId_) << "\n";
    for (const std::string &line : communityConfig)
        out << line << "\n";
    for (const char *line : accessConfig)
        out << line << "\n";
    out.flush();
    if (!out) {
        error = path + ": write failed";
        return false;
    }
    return true;
}

void SimAgent::createUsers()
{
    u_char id[64];
    const size_t idLen = snmpv3_get_engineID(id, sizeof id);
    for (const UserRow &u : users) {
        if (usm_get_user(id, idLen, const_cast<char *>(u.name)))
            continue; // kept from an earlier run (persistent directory)
        std::vector<char> line(u.createLine, u.createLine + std::strlen(u.createLine) + 1);
        usm_parse_create_usmUser("createUser", line.data());
    }
}

bool SimAgent::openTransport(std::string &error)
{
    netsnmp_transport *t = netsnmp_tdomain_transport(options_.listen.c_str(), 1, "udp");
    if (!t) {
        error = "cannot listen on " + options_.listen;
        return false;
    }
    netsnmp_session sess;
    snmp_sess_init(&sess);
    sess.version = SNMP_DEFAULT_VERSION;
    sess.callback = &SimAgent::packetCallback;
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
    if (getsockname(t->sock, reinterpret_cast<sockaddr *>(&addr), &len) == 0) {
        if (addr.ss_family == AF_INET) {
            const auto *in = reinterpret_cast<const sockaddr_in *>(&addr);
            inet_ntop(AF_INET, &in->sin_addr, host, sizeof host);
            port = ntohs(in->sin_port);
            boundAddress_ = std::string("udp:") + host + ":" + std::to_string(port);
        } else if (addr.ss_family == AF_INET6) {
            const auto *in6 = reinterpret_cast<const sockaddr_in6 *>(&addr);
            inet_ntop(AF_INET6, &in6->sin6_addr, host, sizeof host);
            port = ntohs(in6->sin6_port);
            boundAddress_ = std::string("udp6:[") + host + "]:" + std::to_string(port);
        }
    }
    if (boundAddress_.empty())
        boundAddress_ = options_.listen;
    return true;
}

bool SimAgent::registerStore(std::string &error)
{
    for (const SimOid &root : store_.registrationRoots()) {
        netsnmp_handler_registration *reg = netsnmp_create_handler_registration(
            appName, &SimAgent::handler, root.data(), root.size(), HANDLER_CAN_RWRITE);
        if (!reg) {
            error = "cannot register " + simoid::format(root);
            return false;
        }
        reg->handler->myvoid = this;
        // Net-SNMP's own tables (default priority 127) win where they overlap.
        reg->priority = 150;
        const int rc = netsnmp_register_handler(reg);
        if (rc != MIB_REGISTERED_OK) {
            error = "cannot register the subtree " + simoid::format(root) + " (code " + std::to_string(rc) + ")";
            return false;
        }
    }
    return true;
}

bool SimAgent::writeReadyFile(std::string &error)
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

bool SimAgent::start(std::string &error)
{
    log_.setCommunities(std::vector<SimPduLog::Community>(std::begin(communities), std::end(communities)));
    if (!options_.logFile.empty() && !log_.open(options_.logFile, error))
        return false;
    if (!preparePrivateDirectory(error))
        return false;
    const std::string engineText = options_.stateFile.empty() ? std::string(appName) + "-" + std::to_string(getpid())
                                                              : std::string(appName);
    engineId_ = engineId(store_.enterpriseNumber(), engineText);
    if (!writeConfig(error))
        return false;

    // Only the private directory is read (the configuration written above
    // and what Net-SNMP saved there last time); no MIB files are loaded.
    setenv("SNMPCONFPATH", netsnmpDir().c_str(), 1);
    setenv("SNMP_PERSISTENT_DIR", netsnmpDir().c_str(), 1);
    setenv("MIBDIRS", netsnmpDir().c_str(), 1);
    setenv("MIBS", "", 1);
    unsetenv("SNMP_PERSISTENT_FILE");
    unsetenv("SNMPD_PERSISTENT_DIR");

    snmp_disable_log();
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, logCallback, nullptr);
    // OSPREY_SIM_NETSNMP_DEBUG=token,token turns on Net-SNMP's own debugging
    // output for those tokens (for finding faults in the simulator itself).
    const char *debugTokens = std::getenv("OSPREY_SIM_NETSNMP_DEBUG");
    if (debugTokens && *debugTokens) {
        debug_register_tokens(debugTokens);
        snmp_set_do_debugging(1);
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_DEBUG);
    } else {
        snmp_set_do_debugging(0);
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_WARNING);
    }
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, netsnmpDir().c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR, netsnmpDir().c_str());
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
    started_ = true;
    createUsers();

    if (!openTransport(error))
        return false;
    if (!registerStore(error))
        return false;
    return writeReadyFile(error);
}

void SimAgent::run(volatile std::sig_atomic_t *stop)
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
        if (dirty_)
            saveState();
    }
}

void SimAgent::saveState()
{
    dirty_ = false;
    if (options_.stateFile.empty())
        return;
    std::string error;
    if (!SimDataFile::save(options_.stateFile, store_, error))
        std::fprintf(stderr, "osprey-sim: %s\n", error.c_str());
}

void SimAgent::shutdown()
{
    if (!started_) {
        if (removePrivateDir_ && !privateDir_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(privateDir_, ec);
            privateDir_.clear();
        }
        return;
    }
    started_ = false;
    saveState();
    for (Delayed *d : delayed_) {
        snmp_free_pdu(d->pdu);
        delete d;
    }
    delayed_.clear();
    snmp_shutdown(appName);
    shutdown_agent();
    if (removePrivateDir_ && !privateDir_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(privateDir_, ec);
        privateDir_.clear();
    }
}

int SimAgent::packetCallback(int op, netsnmp_session *session, int reqid, netsnmp_pdu *pdu, void *magic)
{
    return static_cast<SimAgent *>(magic)->onPacket(op, session, reqid, pdu);
}

int SimAgent::onPacket(int op, netsnmp_session *session, int reqid, netsnmp_pdu *pdu)
{
    if (op != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu || !isRequest(pdu->command))
        return handle_snmp_packet(op, session, reqid, pdu, nullptr);

    // An SNMPv3 message whose digest is wrong reaches this point too: the
    // agent library does nothing with it but count it. The log says so, and
    // it counts for no fault.
    if (pdu->version == SNMP_VERSION_3 && session->s_snmp_errno == SNMPERR_USM_AUTHENTICATIONFAILURE) {
        log_.write(pdu, "authentication failed");
        return handle_snmp_packet(op, session, reqid, pdu, nullptr);
    }

    std::vector<SimOid> oids;
    for (variable_list *vb = pdu->variables; vb; vb = vb->next_variable)
        oids.emplace_back(vb->name, vb->name + vb->name_length);
    const SimFaults::Decision d = options_.faults.next(oids);
    switch (d.action) {
    case SimFaults::Action::Drop:
        log_.write(pdu, "dropped");
        return 1;
    case SimFaults::Action::Silent:
        log_.write(pdu, "not answered");
        return 1;
    case SimFaults::Action::Error:
        log_.write(pdu, std::string("answered ") + SimFaults::statusName(d.errorStatus));
        sendError(session, pdu, d.errorStatus, d.errorIndex);
        return 1;
    case SimFaults::Action::Answer:
        break;
    }
    if (pdu->command == SNMP_MSG_GETBULK) {
        const SimFaults &f = options_.faults;
        const long asked = static_cast<long>(oids.size()) * std::max(0L, pdu->max_repetitions);
        const int status = f.refuseBulk ? f.refuseBulk
                           : f.bulkMaxBindings > 0 && asked > f.bulkMaxBindings ? SNMP_ERR_TOOBIG
                                                                                  : 0;
        if (status) {
            log_.write(pdu, std::string("answered ") + SimFaults::statusName(status));
            sendError(session, pdu, status, 0);
            return 1;
        }
    }
    if (options_.faults.delayMs > 0) {
        log_.write(pdu, "delayed " + std::to_string(options_.faults.delayMs) + " ms");
        netsnmp_pdu *copy = snmp_clone_pdu(pdu);
        if (!copy)
            return 1;
        auto *delayed = new Delayed{this, session, copy};
        delayed_.insert(delayed);
        timeval tv{options_.faults.delayMs / 1000, (options_.faults.delayMs % 1000) * 1000};
        snmp_alarm_register_hr(tv, 0, &SimAgent::delayedCallback, delayed);
        return 1;
    }
    log_.write(pdu, "");
    return handle_snmp_packet(op, session, reqid, pdu, nullptr);
}

void SimAgent::delayedCallback(unsigned int, void *clientarg)
{
    auto *d = static_cast<Delayed *>(clientarg);
    SimAgent *self = d->agent;
    if (!self->delayed_.erase(d))
        return;
    handle_snmp_packet(NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE, d->session, d->pdu->reqid, d->pdu, nullptr);
    snmp_free_pdu(d->pdu);
    delete d;
}

void SimAgent::sendError(netsnmp_session *session, netsnmp_pdu *pdu, int status, int index)
{
    netsnmp_pdu *response = snmp_clone_pdu(pdu);
    if (!response)
        return;
    response->command = SNMP_MSG_RESPONSE;
    response->errstat = status;
    response->errindex = index;
    if (!snmp_send(session, response))
        snmp_free_pdu(response);
}

void SimAgent::readValue(const SimObject &object, variable_list *vb) const
{
    SimType wrongType;
    SimValue wrongValue;
    if (options_.faults.substitute(object.oid, object.type, wrongType, wrongValue)) {
        wrongValue.toVarbind(wrongType, vb);
        return;
    }
    switch (object.special) {
    case SimSpecial::Uptime: {
        const auto elapsed = std::chrono::steady_clock::now() - startTime_;
        SimValue v;
        v.integer = static_cast<int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10 % 0x100000000ll);
        v.toVarbind(object.type, vb);
        return;
    }
    case SimSpecial::FrontPanel: {
        const auto elapsed = std::chrono::steady_clock::now() - startTime_;
        SimValue v;
        v.octets = SimFrontPanel::compute(store_,
                                          static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count()));
        v.toVarbind(object.type, vb);
        return;
    }
    case SimSpecial::EngineId: {
        SimValue v;
        v.octets = engineId_;
        v.toVarbind(object.type, vb);
        return;
    }
    default:
        if (object.movingRate) {
            const auto elapsed = std::chrono::steady_clock::now() - startTime_;
            SimValue v = object.value;
            v.integer = static_cast<int64_t>(SimMovingCounter::valueAt(
                object.type, static_cast<uint64_t>(object.value.integer), object.movingRate,
                static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count())));
            v.toVarbind(object.type, vb);
            return;
        }
        object.value.toVarbind(object.type, vb);
        return;
    }
}

int SimAgent::handler(netsnmp_mib_handler *handler, netsnmp_handler_registration *reginfo,
                      netsnmp_agent_request_info *reqinfo, netsnmp_request_info *requests)
{
    auto *self = static_cast<SimAgent *>(handler->myvoid);
    SimStore &store = self->store_;
    const SimOid root(reginfo->rootoid, reginfo->rootoid + reginfo->rootoid_len);

    switch (reqinfo->mode) {
    case MODE_GET:
        for (netsnmp_request_info *r = requests; r; r = r->next) {
            if (r->processed)
                continue;
            const SimOid name(r->requestvb->name, r->requestvb->name + r->requestvb->name_length);
            if (const SimObject *o = store.find(name)) {
                self->readValue(*o, r->requestvb);
                continue;
            }
            // An instance of a known object or column that is not there is
            // noSuchInstance; anything else noSuchObject.
            SimOid parent = name;
            if (!parent.empty())
                parent.pop_back();
            bool known = store.hasObjectsUnder(parent);
            if (!known) {
                const SimTable *t = store.tableFor(name);
                known = t != nullptr;
            }
            netsnmp_set_request_error(reqinfo, r, known ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
        }
        return SNMP_ERR_NOERROR;

    case MODE_GETNEXT:
        for (netsnmp_request_info *r = requests; r; r = r->next) {
            if (r->processed)
                continue;
            const SimOid name(r->requestvb->name, r->requestvb->name + r->requestvb->name_length);
            const SimObject *o = nullptr;
            if (r->inclusive)
                o = store.find(name);
            if (!o)
                o = store.next(name);
            if (!o || !simoid::isPrefix(root, o->oid))
                continue; // nothing more here: the agent moves on
            snmp_set_var_objid(r->requestvb, o->oid.data(), o->oid.size());
            self->readValue(*o, r->requestvb);
        }
        return SNMP_ERR_NOERROR;

    case MODE_SET_RESERVE1: {
        std::vector<SimSetItem> items;
        std::vector<netsnmp_request_info *> order;
        for (netsnmp_request_info *r = requests; r; r = r->next) {
            if (r->processed)
                continue;
            items.push_back(SimSetItem::fromVarbind(r->requestvb));
            order.push_back(r);
        }
        auto *tx = new SimTransaction(store, self->options_.strictRowStatus);
        const SimTransaction::Result result = tx->check(items);
        if (result.status != SNMP_ERR_NOERROR) {
            delete tx;
            netsnmp_set_request_error(reqinfo, order[result.index], result.status);
            return SNMP_ERR_NOERROR;
        }
        const std::string key = dataListKey(reginfo);
        netsnmp_agent_add_list_data(reqinfo, netsnmp_create_data_list(key.c_str(), tx, &freeTransaction));
        return SNMP_ERR_NOERROR;
    }
    case MODE_SET_RESERVE2:
        return SNMP_ERR_NOERROR;
    case MODE_SET_ACTION: {
        auto *tx = static_cast<SimTransaction *>(netsnmp_agent_get_list_data(reqinfo, dataListKey(reginfo).c_str()));
        if (tx)
            tx->commit();
        return SNMP_ERR_NOERROR;
    }
    case MODE_SET_UNDO: {
        auto *tx = static_cast<SimTransaction *>(netsnmp_agent_get_list_data(reqinfo, dataListKey(reginfo).c_str()));
        if (tx)
            tx->undo();
        return SNMP_ERR_NOERROR;
    }
    case MODE_SET_COMMIT:
        self->dirty_ = true;
        return SNMP_ERR_NOERROR;
    case MODE_SET_FREE:
        return SNMP_ERR_NOERROR;
    default:
        return SNMP_ERR_GENERR;
    }
}

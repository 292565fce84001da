// The session side of SnmpEngine: Net-SNMP set-up, sessions by target,
// sending and completions. Event processing is in snmpengineevents.cpp, PDU
// translation in snmppdutranslation.cpp, USM keys in snmpusmsetup.cpp, engine
// discovery in snmpenginediscovery.cpp.
#include "snmp/snmpengine.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <syslog.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "snmp/snmpdiscovery.h"
#include "snmp/snmpenginesession.h"
#include "snmp/snmppdutranslation.h"
#include "snmp/snmpstatus.h"
#include "snmp/snmpusmsetup.h"

namespace {

// Net-SNMP is process-wide: it is initialised once, quietly.
void InitialiseNetSnmpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Nothing on the console: a handler that drops every message.
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
    // No configuration files, no persistent state, no MIB files.
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_NO_TOKEN_WARNINGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_CHECK_RANGE, 1);
    netsnmp_set_mib_directory("");
    init_snmp("kvsnmp");
}

// The IPv4 address and port a target names (the first address of a name).
bool ResolvePeer(const SnmpTarget& target, sockaddr_in& peer)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    const std::string service = std::to_string(target.port);
    if (getaddrinfo(target.address.c_str(), service.c_str(), &hints, &result) != 0 || !result)
        return false;
    std::memcpy(&peer, result->ai_addr, std::min<size_t>(sizeof peer, result->ai_addrlen));
    freeaddrinfo(result);
    return peer.sin_family == AF_INET;
}

// Whether a received PDU came from `peer`: the UDP transport hands the
// datagram's source address along with it. A PDU without one is taken.
bool FromPeer(const netsnmp_pdu* pdu, const sockaddr_in& peer)
{
    if (!pdu || !pdu->transport_data || pdu->transport_data_length < static_cast<int>(sizeof(netsnmp_sockaddr_storage)))
        return true;
    const auto* source = static_cast<const netsnmp_sockaddr_storage*>(pdu->transport_data);
    if (source->sa.sa_family != AF_INET)
        return true;
    return source->sin.sin_addr.s_addr == peer.sin_addr.s_addr && source->sin.sin_port == peer.sin_port;
}

// A user's protocols and passwords as one text (sessions and library user
// entries are told apart by it).
std::string Credentials(const SnmpEngine::UsmUser& user)
{
    return std::to_string(user.authProtocol) + '\x1f' + std::to_string(user.privProtocol) + '\x1f' + user.authPassword +
           '\x1f' + user.privPassword;
}

} // namespace

namespace snmpengine {

bool Readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLERR | POLLHUP));
}

int SessionError(void* handle)
{
    int libErrno = 0;
    int snmpErrno = 0;
    char* text = nullptr;
    snmp_sess_error(handle, &libErrno, &snmpErrno, &text);
    free(text);
    int status = SnmpTranslateError(snmpErrno);
    return status == snmpOk ? snmpClassError : status;
}

std::chrono::steady_clock::time_point RequestDeadline(const SnmpTarget& target)
{
    const long ms = SnmpRequestTimeMs(std::max(1, target.timeout), std::max(0, target.retries) + 1) + 2000;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

} // namespace snmpengine

using snmpengine::SessionError;

bool SnmpTarget::IsValidAddress() const
{
    if (address.empty())
        return false;
    in_addr a{};
    if (inet_pton(AF_INET, address.c_str(), &a) == 1)
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(address.c_str(), nullptr, &hints, &result) != 0 || !result)
        return false;
    freeaddrinfo(result);
    return true;
}

SnmpEngine::SnmpEngine(int& status)
{
    InitialiseNetSnmpOnce();
    // The session object must be able to talk UDP from any local port.
    UniqueFd probe(::socket(AF_INET, SOCK_DGRAM, 0));
    if (!probe.IsOpen()) {
        status = snmpClassTransportFailed;
        return;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    status =
        ::bind(probe.Get(), reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 ? snmpOk : snmpClassTransportFailed;
}

SnmpEngine::~SnmpEngine()
{
    closing_ = true;
    // Every outstanding request completes with "session closed".
    for (auto& [token, request] : outstanding_)
        completions_.push_back(
            Completion{snmpReasonSessionClosed, SnmpPdu{}, request->target, request->callback, request->data});
    outstanding_.clear();
    DeliverCompletions();
    sessions_.clear();
}

void SnmpEngine::UsmAddUserName(const std::string& name, int32_t authProtocol, int32_t privProtocol,
                                const std::string& authPassword, const std::string& privPassword)
{
    users_[name] = UsmUser{authProtocol, privProtocol, authPassword, privPassword};
}

int SnmpEngine::MpInit(const std::string& engineId, uint32_t boots)
{
    if (engineId.empty() || engineId.size() > 32)
        return snmpClassError;
    if (set_exact_engineID(reinterpret_cast<const u_char*>(engineId.data()), engineId.size()) != SNMPERR_SUCCESS)
        return snmpClassError;
    // The configuration handler of the boot count is the library's only setter;
    // it counts one boot on from the value it is given.
    std::string previous = std::to_string(boots > 0 ? boots - 1 : 0);
    engineBoots_conf("engineBoots", previous.data());
    if (snmpv3_local_snmpEngineBoots() != boots) {
        std::string exact = std::to_string(boots);
        engineBoots_conf("engineBoots", exact.data());
    }
    return snmpv3_local_snmpEngineBoots() == boots ? snmpOk : snmpClassError;
}

int SnmpEngine::OpenSession(const SnmpTarget& target, Session*& session)
{
    if (target.version != 0 && target.version != 1 && target.version != 3)
        return snmpClassInvalidTarget;
    if (target.address.empty())
        return snmpClassInvalidAddress;

    std::string key = target.address + '\x1f' + std::to_string(target.port) + '\x1f' + std::to_string(target.version) +
                      '\x1f' + std::to_string(target.retries) + '\x1f' + std::to_string(target.timeout);
    UsmUser user;
    if (target.IsUserTarget()) {
        auto found = users_.find(target.securityName);
        if (found != users_.end())
            user = found->second;
        key += '\x1f' + target.securityName + '\x1f' + Credentials(user);
    }
    auto existing = sessions_.find(key);
    if (existing != sessions_.end() && existing->second->engineInDoubt && !HasOutstanding(*existing->second)) {
        // The agent is no longer the engine this session discovered (or did
        // not answer): the session goes, and its successor discovers anew.
        CloseSession(key);
    } else if (existing != sessions_.end()) {
        session = existing->second.get();
        return snmpOk;
    }
    if (target.IsUserTarget())
        ReplaceUsmUser(target.securityName, Credentials(user));

    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = "udp:" + target.address + ":" + std::to_string(target.port);
    s.peername = const_cast<char*>(peer.c_str());
    s.version = target.version == 0 ? SNMP_VERSION_1 : target.version == 1 ? SNMP_VERSION_2c : SNMP_VERSION_3;
    s.retries = std::max(0, target.retries);
    s.timeout = static_cast<long>(std::max(1, target.timeout)) * 10000L;
    s.callback = &SnmpEngine::NetSnmpCallback;
    auto fresh = std::make_unique<Session>();
    fresh->engine = this;
    fresh->key = key;
    if (target.IsUserTarget())
        fresh->userName = target.securityName;
    s.callback_magic = fresh.get();

    std::string securityName = target.securityName;
    if (target.IsUserTarget()) {
        const int status = SnmpUsmSetup::Apply(s, securityName, user);
        if (status != snmpOk)
            return status;
    } else {
        // The community goes with every PDU; the session's own is never used.
        static u_char noCommunity[] = "";
        s.community = noCommunity;
        s.community_len = 0;
    }

    // SNMPv3: the agent's engine ID is discovered later, without blocking
    // (StartDiscovery), not by the library while it opens the session.
    if (target.IsUserTarget())
        s.flags |= SNMP_FLAGS_DONT_PROBE;
    fresh->handle.reset(snmp_sess_open(&s));
    if (!fresh->handle) {
        int status = SnmpTranslateError(s.s_snmp_errno);
        return status == snmpOk ? snmpClassError : status;
    }
    void* handle = fresh->handle.get();
    fresh->peerKnown = ResolvePeer(target, fresh->peer);
    if (target.IsUserTarget()) {
        netsnmp_session* opened = snmp_sess_session(handle);
        opened->flags |= SNMP_FLAGS_DONT_PROBE;
        fresh->engineKnown = opened->securityEngineIDLen > 0;
    }
    netsnmp_transport* transport = snmp_sess_transport(handle);
    fresh->fd = transport ? transport->sock : -1;
    session = fresh.get();
    sessions_.emplace(key, std::move(fresh));
    if (sessionsChanged_)
        sessionsChanged_();
    return snmpOk;
}

bool SnmpEngine::HasOutstanding(const Session& session) const
{
    return std::any_of(outstanding_.begin(), outstanding_.end(),
                       [&session](const auto& entry) { return entry.second->session == &session; });
}

void SnmpEngine::ReplaceUsmUser(const std::string& name, const std::string& credentials)
{
    // The library keeps one user entry per (engine ID, name) for the whole
    // process and reuses it for every session of that name: when the name
    // comes with other protocols or passwords, the old entries and the sessions
    // built on them go, so the next session creates the entry anew.
    auto known = usmCredentials_.find(name);
    if (known != usmCredentials_.end() && known->second == credentials)
        return;
    std::vector<std::string> stale;
    for (const auto& [key, session] : sessions_)
        if (session->userName == name && !session->userName.empty())
            stale.push_back(key);
    for (const std::string& key : stale)
        CloseSession(key);
    SnmpUsmSetup::ForgetUser(name);
    usmCredentials_[name] = credentials;
}

void SnmpEngine::CloseSession(const std::string& key)
{
    auto found = sessions_.find(key);
    if (found == sessions_.end())
        return;
    const Session* session = found->second.get();
    for (auto it = outstanding_.begin(); it != outstanding_.end();) {
        if (it->second->session == session) {
            completions_.push_back(Completion{snmpReasonSessionClosed, SnmpPdu{}, it->second->target,
                                              it->second->callback, it->second->data});
            it = outstanding_.erase(it);
        } else {
            ++it;
        }
    }
    // Whoever watches the socket lets go of it before it is closed (with
    // `closing`, on the way out).
    std::unique_ptr<Session> closing = std::move(found->second);
    sessions_.erase(found);
    if (sessionsChanged_)
        sessionsChanged_();
}

int SnmpEngine::Send(Op op, const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    if (!callback)
        return snmpClassInvalidCallback;
    if (closing_)
        return snmpClassSessionDestroyed;
    Session* session = nullptr;
    int status = OpenSession(target, session);
    if (status == snmpClassTimeout) {
        // The agent did not answer the SNMPv3 discovery: the request times out
        // like any other, through its callback.
        completions_.push_back(Completion{snmpReasonTimeout, SnmpPdu{}, target, callback, data});
        if (activity_)
            activity_();
        return snmpOk;
    }
    if (status != snmpOk)
        return status;
    if (op == Op::GetBulk && target.version == 0)
        return snmpClassUnsupported; // SNMPv1 has no GETBULK
    const int command = op == Op::Get       ? SNMP_MSG_GET
                        : op == Op::GetNext ? SNMP_MSG_GETNEXT
                        : op == Op::GetBulk ? SNMP_MSG_GETBULK
                                            : SNMP_MSG_SET;
    NetSnmpPdu request;
    status = SnmpPduTranslation::Build(command, pdu, target, request);
    if (status != snmpOk)
        return status;
    auto record = std::make_unique<Request>();
    record->session = session;
    record->target = target;
    record->callback = callback;
    record->data = data;
    record->deadline = snmpengine::RequestDeadline(target);
    const void* token = record.get();
    if (!session->engineKnown) {
        // Sent once the agent's engine ID is known.
        if (!session->discovery) {
            status = StartDiscovery(*session, target);
            if (status != snmpOk)
                return status;
        }
        session->waiting.emplace_back(token, std::move(request));
        outstanding_.emplace(token, std::move(record));
        if (activity_)
            activity_();
        return snmpOk;
    }
    if (snmp_sess_async_send(session->handle.get(), request.get(), &SnmpEngine::NetSnmpCallback, record.get()) == 0)
        return SessionError(session->handle.get()); // `request` is still ours and goes
    request.release();                              // sent: the library's now
    outstanding_.emplace(token, std::move(record));
    if (activity_)
        activity_();
    return snmpOk;
}

int SnmpEngine::NetSnmpCallback(int op, snmp_session* sess, int, snmp_pdu* pdu, void* magic)
{
    // The session's own magic is our Session; a request's is its token.
    auto* session = sess ? static_cast<Session*>(sess->callback_magic) : nullptr;
    if (!session || !session->engine)
        return 1;
    SnmpEngine& engine = *session->engine;
    auto found = engine.outstanding_.find(magic);
    if (found == engine.outstanding_.end())
        return 1;
    // A datagram from another address than the agent's is no answer of the
    // agent's (anyone on the network can send one): the library keeps the
    // request waiting for the real answer, or its timeout.
    if ((op == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || op == NETSNMP_CALLBACK_OP_SEC_ERROR) && session->peerKnown &&
        !FromPeer(pdu, session->peer))
        return 0;
    const Request& request = *found->second;
    Completion completion{snmpReasonResponse, SnmpPdu{}, request.target, request.callback, request.data};
    switch (op) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        if (pdu)
            SnmpPduTranslation::Read(pdu, completion.response);
        break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
        completion.reason = snmpReasonTimeout;
        break;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
    case NETSNMP_CALLBACK_OP_DISCONNECT:
        completion.response.errorStatus = snmpClassTransportFailed;
        break;
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
        // SNMPv3 reports of security errors (unknown user, wrong digest, ...)
        if (pdu && pdu->command == SNMP_MSG_REPORT) {
            SnmpPduTranslation::Read(pdu, completion.response);
        } else {
            int status = SnmpTranslateError(sess ? sess->s_snmp_errno : 0);
            completion.response.errorStatus = status == snmpOk ? usmError : status;
        }
        break;
    case NETSNMP_CALLBACK_OP_RESEND:
        if (!session->engineId.empty())
            session->checkEngine = true;
        return 1; // not the end of the request
    default:
        return 1; // not the end of the request (connect)
    }
    if (!session->userName.empty() &&
        (completion.reason == snmpReasonTimeout || SnmpEngineChanged(completion.response.errorStatus)))
        session->engineInDoubt = true;
    engine.outstanding_.erase(found);
    engine.completions_.push_back(std::move(completion));
    return 1;
}

void SnmpEngine::DeliverCompletions()
{
    // Callbacks may send further requests (and so queue completions) or wait
    // for responses themselves; each completion is taken off before its call.
    while (!completions_.empty()) {
        Completion c = std::move(completions_.front());
        completions_.pop_front();
        c.callback(c.reason, *this, c.response, c.target, c.data);
    }
}

namespace {

struct BlockingResult {
    bool done = false;
    int reason = 0;
    SnmpPdu response;
};

void OnBlockingCompletion(int reason, SnmpEngine&, SnmpPdu& response, const SnmpTarget&, void* data)
{
    auto* result = static_cast<BlockingResult*>(data);
    result->done = true;
    result->reason = reason;
    result->response = std::move(response);
}

} // namespace

int SnmpEngine::SendBlocking(Op op, SnmpPdu& pdu, const SnmpTarget& target)
{
    BlockingResult result;
    int status = Send(op, pdu, target, &OnBlockingCompletion, &result);
    if (status != snmpOk)
        return status;
    while (!result.done)
        WaitForEvents(1000);
    if (result.reason == snmpReasonTimeout)
        return snmpClassTimeout;
    if (result.reason == snmpReasonSessionClosed)
        return snmpClassSessionDestroyed;
    pdu.vbs = std::move(result.response.vbs);
    pdu.errorStatus = result.response.errorStatus;
    pdu.errorIndex = result.response.errorIndex;
    return pdu.errorStatus;
}

int SnmpEngine::Get(SnmpPdu& pdu, const SnmpTarget& target)
{
    return SendBlocking(Op::Get, pdu, target);
}
int SnmpEngine::GetNext(SnmpPdu& pdu, const SnmpTarget& target)
{
    return SendBlocking(Op::GetNext, pdu, target);
}
int SnmpEngine::GetBulk(SnmpPdu& pdu, const SnmpTarget& target)
{
    return SendBlocking(Op::GetBulk, pdu, target);
}
int SnmpEngine::Set(SnmpPdu& pdu, const SnmpTarget& target)
{
    return SendBlocking(Op::Set, pdu, target);
}

int SnmpEngine::Get(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::Get, pdu, target, callback, data);
}

int SnmpEngine::GetNext(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::GetNext, pdu, target, callback, data);
}

void SnmpEngine::Post(SnmpCallback callback, void* data, SnmpPdu response, const SnmpTarget& target)
{
    completions_.push_back(Completion{snmpReasonResponse, std::move(response), target, callback, data});
    if (activity_)
        activity_();
}

int SnmpEngine::GetBulk(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::GetBulk, pdu, target, callback, data);
}

int SnmpEngine::Set(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::Set, pdu, target, callback, data);
}

#include "snmp/snmpengine.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

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
#include "snmp/snmpstatus.h"

struct SnmpEngine::Session {
    SnmpEngine* engine = nullptr;
    std::string key;
    std::string userName;   // SNMPv3 sessions
    void* handle = nullptr;   // Net-SNMP single-session handle
    int fd = -1;
    // The agent's address and port: answers from anywhere else are not its.
    sockaddr_in peer{};
    bool peerKnown = false;
    // SNMPv3: the agent's engine ID is discovered asynchronously; requests
    // made meanwhile wait here (token of their record, built PDU).
    bool engineKnown = true;
    std::vector<std::pair<const void*, netsnmp_pdu*>> waiting;
    struct Discovery {
        int fd = -1;
        uint32_t msgId = 0;
        std::vector<uint8_t> probe;
        int attemptsLeft = 0;
        long perAttemptMs = 1000;
        std::chrono::steady_clock::time_point next;
    };
    std::unique_ptr<Discovery> discovery;

    ~Session()
    {
        for (auto& w : waiting)
            snmp_free_pdu(w.second);
        if (discovery && discovery->fd >= 0)
            ::close(discovery->fd);
    }
};

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

bool ParseOid(const std::string& text, oid* out, size_t& length)
{
    length = 0;
    size_t i = 0;
    if (i < text.size() && text[i] == '.')
        ++i;
    if (i >= text.size())
        return false;
    while (i < text.size()) {
        if (length >= MAX_OID_LEN)
            return false;
        uint64_t arc = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            arc = arc * 10 + static_cast<uint64_t>(text[i] - '0');
            if (arc > 0xFFFFFFFFu)
                return false;
            ++i;
        }
        if (i == start)
            return false;
        out[length++] = static_cast<oid>(arc);
        if (i < text.size()) {
            if (text[i] != '.' || i + 1 == text.size())
                return false;
            ++i;
        }
    }
    return true;
}

std::string OidText(const oid* arcs, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        if (i)
            text += '.';
        text += std::to_string(static_cast<unsigned long>(arcs[i]));
    }
    return text;
}

// Builds a Net-SNMP PDU; 0 or a status of the numbering.
int BuildNetSnmpPdu(int command, const SnmpPdu& pdu, const SnmpTarget& target,
                    netsnmp_pdu*& out)
{
    netsnmp_pdu* p = snmp_pdu_create(command);
    if (!p)
        return snmpClassResourceUnavailable;
    if (command == SNMP_MSG_GETBULK) {
        p->non_repeaters = 0;
        p->max_repetitions = std::max(1, pdu.maxRepetitions);
    }
    if (target.IsUserTarget()) {
        if (pdu.securityLevel < SNMP_SEC_LEVEL_NOAUTH || pdu.securityLevel > SNMP_SEC_LEVEL_AUTHPRIV) {
            snmp_free_pdu(p);
            return usmUnsupportedSecurityLevel;
        }
        p->securityLevel = pdu.securityLevel;
        p->securityModel = SNMP_SEC_MODEL_USM;
        if (!pdu.contextName.empty()) {
            p->contextName = strdup(pdu.contextName.c_str());
            p->contextNameLen = pdu.contextName.size();
        }
        if (!pdu.contextEngineId.empty()) {
            p->contextEngineID = static_cast<u_char*>(netsnmp_memdup(pdu.contextEngineId.data(),
                                                                     pdu.contextEngineId.size()));
            p->contextEngineIDLen = pdu.contextEngineId.size();
        }
    } else {
        const std::string& community = command == SNMP_MSG_SET ? target.writeCommunity
                                                                : target.readCommunity;
        if (!community.empty()) {
            p->community = static_cast<u_char*>(netsnmp_memdup(community.data(), community.size()));
            p->community_len = community.size();
        }
    }
    for (const SnmpVb& vb : pdu.vbs) {
        oid name[MAX_OID_LEN];
        size_t nameLength = 0;
        if (!ParseOid(vb.oid, name, nameLength)) {
            snmp_free_pdu(p);
            return snmpClassInvalidOid;
        }
        netsnmp_variable_list* added = nullptr;
        switch (vb.tag) {
        case tagInteger: {
            long v = vb.Integer();
            added = snmp_pdu_add_variable(p, name, nameLength, ASN_INTEGER, &v, sizeof v);
            break;
        }
        case tagCounter32:
        case tagGauge32:
        case tagTimeTicks:
        case tagUInteger32: {
            u_long v = vb.Unsigned();
            added = snmp_pdu_add_variable(p, name, nameLength, vb.tag, &v, sizeof v);
            break;
        }
        case tagCounter64: {
            struct counter64 v;
            v.high = static_cast<u_long>(vb.number >> 32);
            v.low = static_cast<u_long>(vb.number & 0xFFFFFFFFu);
            added = snmp_pdu_add_variable(p, name, nameLength, ASN_COUNTER64, &v, sizeof v);
            break;
        }
        case tagOctets:
        case tagIpAddress:
        case tagOpaque:
        case tagNsapAddress:
            added = snmp_pdu_add_variable(p, name, nameLength, vb.tag,
                                          vb.octets.empty() ? nullptr : vb.octets.data(),
                                          vb.octets.size());
            break;
        case tagOid: {
            std::vector<oid> arcs(vb.arcs.begin(), vb.arcs.end());
            if (arcs.size() > MAX_OID_LEN) {
                snmp_free_pdu(p);
                return snmpClassInvalidOid;
            }
            added = snmp_pdu_add_variable(p, name, nameLength, ASN_OBJECT_ID,
                                          arcs.empty() ? nullptr : arcs.data(),
                                          arcs.size() * sizeof(oid));
            break;
        }
        case tagNull:
            added = snmp_pdu_add_variable(p, name, nameLength, ASN_NULL, nullptr, 0);
            break;
        default:
            snmp_free_pdu(p);
            return snmpClassInvalidPdu;
        }
        if (!added) {
            snmp_free_pdu(p);
            return snmpClassInvalidPdu;
        }
    }
    out = p;
    return snmpOk;
}

// Copies a received PDU. A report (SNMPv3) becomes an empty PDU whose error
// status is the report's meaning in the numbering.
void ReadNetSnmpPdu(const netsnmp_pdu* p, SnmpPdu& out)
{
    out.vbs.clear();
    out.errorIndex = static_cast<int32_t>(p->errindex);
    if (p->command == SNMP_MSG_REPORT) {
        out.errorStatus = SnmpTranslateError(snmpv3_get_report_type(const_cast<netsnmp_pdu*>(p)));
        if (out.errorStatus == snmpOk)
            out.errorStatus = usmError;
        out.errorIndex = 0;
        return;
    }
    out.errorStatus = static_cast<int32_t>(p->errstat);
    for (const netsnmp_variable_list* v = p->variables; v; v = v->next_variable) {
        SnmpVb vb;
        vb.oid = OidText(v->name, v->name_length);
        switch (v->type) {
        case ASN_INTEGER:
            vb.SetInteger(v->val.integer ? static_cast<int32_t>(*v->val.integer) : 0);
            break;
        case ASN_COUNTER:
        case ASN_GAUGE:
        case ASN_TIMETICKS:
        case ASN_UINTEGER:
            vb.SetUnsigned(v->type, v->val.integer
                                        ? static_cast<uint32_t>(*v->val.integer & 0xFFFFFFFFul)
                                        : 0);
            break;
        case ASN_COUNTER64:
            vb.SetCounter64(v->val.counter64
                                ? (static_cast<uint64_t>(v->val.counter64->high & 0xFFFFFFFFul) << 32) |
                                      (v->val.counter64->low & 0xFFFFFFFFul)
                                : 0);
            break;
        case ASN_OBJECT_ID: {
            std::vector<uint32_t> arcs;
            size_t n = v->val.objid ? v->val_len / sizeof(oid) : 0;
            for (size_t i = 0; i < n; ++i)
                arcs.push_back(static_cast<uint32_t>(v->val.objid[i]));
            vb.SetObjectId(std::move(arcs));
            break;
        }
        case ASN_NULL:
            vb.SetNull();
            break;
        case SNMP_NOSUCHOBJECT:
        case SNMP_NOSUCHINSTANCE:
        case SNMP_ENDOFMIBVIEW:
            vb.SetNull();
            vb.tag = v->type;
            break;
        default: {
            // OCTET STRING, IpAddress, Opaque, NsapAddress and anything else that
            // carries octets.
            std::vector<uint8_t> octets;
            if (v->val.string && v->val_len)
                octets.assign(v->val.string, v->val.string + v->val_len);
            vb.SetOctets(v->type, std::move(octets));
            break;
        }
        }
        out.vbs.push_back(std::move(vb));
    }
}

// Session status after a failed Net-SNMP call on a session.
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
    if (!pdu || !pdu->transport_data ||
        pdu->transport_data_length < static_cast<int>(sizeof(netsnmp_sockaddr_storage)))
        return true;
    const auto* source = static_cast<const netsnmp_sockaddr_storage*>(pdu->transport_data);
    if (source->sa.sa_family != AF_INET)
        return true;
    return source->sin.sin_addr.s_addr == peer.sin_addr.s_addr && source->sin.sin_port == peer.sin_port;
}

bool Readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLERR | POLLHUP));
}

} // namespace

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
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        status = snmpClassTransportFailed;
        return;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    status = ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0
                 ? snmpOk
                 : snmpClassTransportFailed;
    ::close(fd);
}

SnmpEngine::~SnmpEngine()
{
    closing_ = true;
    // Every outstanding request completes with "session closed".
    for (auto& [token, request] : outstanding_)
        completions_.push_back(Completion{snmpReasonSessionClosed, SnmpPdu{}, request->target,
                                          request->callback, request->data});
    outstanding_.clear();
    DeliverCompletions();
    for (auto& [key, session] : sessions_)
        if (session->handle)
            snmp_sess_close(session->handle);
    sessions_.clear();
}

void SnmpEngine::UsmAddUserName(const std::string& name, int32_t authProtocol,
                                int32_t privProtocol, const std::string& authPassword,
                                const std::string& privPassword)
{
    users_[name] = UsmUser{authProtocol, privProtocol, authPassword, privPassword};
}

int SnmpEngine::MpInit(const std::string& engineId, uint32_t boots)
{
    if (engineId.empty() || engineId.size() > 32)
        return snmpClassError;
    if (set_exact_engineID(reinterpret_cast<const u_char*>(engineId.data()), engineId.size()) !=
        SNMPERR_SUCCESS)
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

    std::string key = target.address + '\x1f' + std::to_string(target.port) + '\x1f' +
                      std::to_string(target.version) + '\x1f' + std::to_string(target.retries) +
                      '\x1f' + std::to_string(target.timeout);
    UsmUser user;
    if (target.IsUserTarget()) {
        auto found = users_.find(target.securityName);
        if (found != users_.end())
            user = found->second;
        key += '\x1f' + target.securityName + '\x1f' + std::to_string(user.authProtocol) + '\x1f' +
               std::to_string(user.privProtocol) + '\x1f' + user.authPassword + '\x1f' +
               user.privPassword;
    }
    auto existing = sessions_.find(key);
    if (existing != sessions_.end()) {
        session = existing->second.get();
        return snmpOk;
    }
    if (target.IsUserTarget())
        ReplaceUsmUser(target.securityName,
                       std::to_string(user.authProtocol) + '\x1f' + std::to_string(user.privProtocol) +
                           '\x1f' + user.authPassword + '\x1f' + user.privPassword);

    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = "udp:" + target.address + ":" + std::to_string(target.port);
    s.peername = const_cast<char*>(peer.c_str());
    s.version = target.version == 0 ? SNMP_VERSION_1
                : target.version == 1 ? SNMP_VERSION_2c
                                      : SNMP_VERSION_3;
    s.retries = std::max(0, target.retries);
    s.timeout = static_cast<long>(std::max(1, target.timeout)) * 10000L;
    s.callback = &SnmpEngine::NetSnmpCallback;
    auto fresh = std::make_unique<Session>();
    fresh->engine = this;
    fresh->key = key;
    if (target.IsUserTarget())
        fresh->userName = target.securityName;
    s.callback_magic = fresh.get();

    u_char authKey[USM_AUTH_KU_LEN];
    u_char privKey[USM_PRIV_KU_LEN];
    std::string securityName = target.securityName;
    if (target.IsUserTarget()) {
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityName = const_cast<char*>(securityName.c_str());
        s.securityNameLen = securityName.size();
        s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        const oid* authOid = nullptr;
        size_t authOidLength = 0;
        switch (user.authProtocol) {
        case 1: break;
        case 2: authOid = usmHMACMD5AuthProtocol; authOidLength = OID_LENGTH(usmHMACMD5AuthProtocol); break;
        case 3: authOid = usmHMACSHA1AuthProtocol; authOidLength = OID_LENGTH(usmHMACSHA1AuthProtocol); break;
        default: return usmUnsupportedAuthProtocol;
        }
        const oid* privOid = nullptr;
        size_t privOidLength = 0;
        switch (user.privProtocol) {
        case 1: break;
        case 2: privOid = usmDESPrivProtocol; privOidLength = OID_LENGTH(usmDESPrivProtocol); break;
        case 4: privOid = usmAESPrivProtocol; privOidLength = OID_LENGTH(usmAESPrivProtocol); break;
        case 20: privOid = usmAES192PrivProtocol; privOidLength = OID_LENGTH(usmAES192PrivProtocol); break;
        case 21: privOid = usmAES256PrivProtocol; privOidLength = OID_LENGTH(usmAES256PrivProtocol); break;
        default: return usmUnsupportedPrivProtocol;
        }
        if (authOid) {
            s.securityAuthProto = const_cast<oid*>(authOid);
            s.securityAuthProtoLen = authOidLength;
            s.securityAuthKeyLen = USM_AUTH_KU_LEN;
            if (generate_Ku(authOid, static_cast<u_int>(authOidLength),
                            reinterpret_cast<const u_char*>(user.authPassword.data()),
                            user.authPassword.size(), authKey,
                            &s.securityAuthKeyLen) != SNMPERR_SUCCESS)
                return usmAuthenticationError;
            std::memcpy(s.securityAuthKey, authKey, s.securityAuthKeyLen);
            s.securityLevel = SNMP_SEC_LEVEL_AUTHNOPRIV;
            if (privOid) {
                s.securityPrivProto = const_cast<oid*>(privOid);
                s.securityPrivProtoLen = privOidLength;
                s.securityPrivKeyLen = USM_PRIV_KU_LEN;
                if (generate_Ku(authOid, static_cast<u_int>(authOidLength),
                                reinterpret_cast<const u_char*>(user.privPassword.data()),
                                user.privPassword.size(), privKey,
                                &s.securityPrivKeyLen) != SNMPERR_SUCCESS)
                    return usmEncryptionError;
                std::memcpy(s.securityPrivKey, privKey, s.securityPrivKeyLen);
                s.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
            }
        }
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
    void* handle = snmp_sess_open(&s);
    if (!handle) {
        int status = SnmpTranslateError(s.s_snmp_errno);
        return status == snmpOk ? snmpClassError : status;
    }
    fresh->handle = handle;
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
    for (struct usmUser* u = usm_get_userList(); u;) {
        struct usmUser* next = u->next;
        if (u->name && name == u->name) {
            usm_remove_user(u);
            usm_free_user(u);
        }
        u = next;
    }
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
            completions_.push_back(Completion{snmpReasonSessionClosed, SnmpPdu{},
                                              it->second->target, it->second->callback,
                                              it->second->data});
            it = outstanding_.erase(it);
        } else {
            ++it;
        }
    }
    // Whoever watches the socket lets go of it before it is closed.
    std::unique_ptr<Session> closing = std::move(found->second);
    sessions_.erase(found);
    if (sessionsChanged_)
        sessionsChanged_();
    snmp_sess_close(closing->handle);
}

int SnmpEngine::Send(Op op, const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback,
                     void* data)
{
    if (!callback)
        return -13;   // invalid callback
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
        return snmpClassUnsupported;   // SNMPv1 has no GETBULK
    const int command = op == Op::Get       ? SNMP_MSG_GET
                        : op == Op::GetNext ? SNMP_MSG_GETNEXT
                        : op == Op::GetBulk ? SNMP_MSG_GETBULK
                                            : SNMP_MSG_SET;
    netsnmp_pdu* request = nullptr;
    status = BuildNetSnmpPdu(command, pdu, target, request);
    if (status != snmpOk)
        return status;
    auto record = std::make_unique<Request>();
    record->session = session;
    record->target = target;
    record->callback = callback;
    record->data = data;
    const long perAttemptMs = static_cast<long>(std::max(1, target.timeout)) * 10L;
    record->deadline = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(perAttemptMs * (std::max(0, target.retries) + 2) + 2000);
    const void* token = record.get();
    if (!session->engineKnown) {
        // Sent once the agent's engine ID is known.
        if (!session->discovery) {
            status = StartDiscovery(*session, target);
            if (status != snmpOk) {
                snmp_free_pdu(request);
                return status;
            }
        }
        session->waiting.emplace_back(token, request);
        outstanding_.emplace(token, std::move(record));
        if (activity_)
            activity_();
        return snmpOk;
    }
    if (snmp_sess_async_send(session->handle, request, &SnmpEngine::NetSnmpCallback,
                             record.get()) == 0) {
        status = SessionError(session->handle);
        snmp_free_pdu(request);   // freed only when sending failed
        return status;
    }
    outstanding_.emplace(token, std::move(record));
    if (activity_)
        activity_();
    return snmpOk;
}

int SnmpEngine::StartDiscovery(Session& session, const SnmpTarget& target)
{
    // A socket of its own, connected to the agent, so that nothing else is read
    // from it; the probe is retransmitted like any request.
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    const std::string service = std::to_string(target.port);
    if (getaddrinfo(target.address.c_str(), service.c_str(), &hints, &result) != 0 || !result)
        return snmpClassInvalidAddress;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    bool connected = fd >= 0 && ::connect(fd, result->ai_addr, result->ai_addrlen) == 0;
    freeaddrinfo(result);
    if (!connected) {
        if (fd >= 0)
            ::close(fd);
        return snmpClassTransportFailed;
    }
    auto discovery = std::make_unique<Session::Discovery>();
    discovery->fd = fd;
    discovery->msgId = static_cast<uint32_t>(random()) & 0x7FFFFFFF;
    discovery->probe = SnmpDiscovery::BuildProbe(discovery->msgId,
                                                 static_cast<uint32_t>(random()) & 0x7FFFFFFF);
    discovery->attemptsLeft = std::max(0, target.retries);
    discovery->perAttemptMs = static_cast<long>(std::max(1, target.timeout)) * 10L;
    discovery->next = std::chrono::steady_clock::now() + std::chrono::milliseconds(discovery->perAttemptMs);
    if (::send(fd, discovery->probe.data(), discovery->probe.size(), MSG_DONTWAIT) < 0) {
        ::close(fd);
        return snmpClassTransportFailed;
    }
    session.discovery = std::move(discovery);
    if (sessionsChanged_)
        sessionsChanged_();
    return snmpOk;
}

void SnmpEngine::ServeDiscovery(Session& session, bool readable)
{
    Session::Discovery& d = *session.discovery;
    if (readable) {
        for (int packets = 0; packets < 16 && Readable(d.fd); ++packets) {
            uint8_t buffer[2048];
            ssize_t n = ::recv(d.fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0)
                break;   // nothing, or an ICMP error: the retransmissions go on
            SnmpDiscovery::Engine engine;
            if (SnmpDiscovery::ParseReport(buffer, static_cast<size_t>(n), d.msgId, engine)) {
                EndDiscovery(session, &engine);
                return;
            }
        }
    }
    const auto now = std::chrono::steady_clock::now();
    if (now < d.next)
        return;
    if (d.attemptsLeft-- > 0) {
        ::send(d.fd, d.probe.data(), d.probe.size(), MSG_DONTWAIT);
        d.next = now + std::chrono::milliseconds(d.perAttemptMs);
        return;
    }
    EndDiscovery(session, nullptr);
}

void SnmpEngine::EndDiscovery(Session& session, const SnmpDiscovery::Engine* found)
{
    if (session.discovery) {
        ::close(session.discovery->fd);
        session.discovery.reset();
        if (sessionsChanged_)
            sessionsChanged_();
    }
    netsnmp_session* opened = snmp_sess_session(session.handle);
    if (found && opened) {
        auto* id = reinterpret_cast<const u_char*>(found->engineId.data());
        const size_t length = found->engineId.size();
        if (opened->securityEngineIDLen == 0) {
            opened->securityEngineID = static_cast<u_char*>(netsnmp_memdup(id, length));
            opened->securityEngineIDLen = length;
        }
        if (opened->contextEngineIDLen == 0) {
            opened->contextEngineID = static_cast<u_char*>(netsnmp_memdup(id, length));
            opened->contextEngineIDLen = length;
        }
        // The agent's clock, so that the first authenticated request is in its
        // time window, and the user entry with keys localised for that engine.
        set_enginetime(const_cast<u_char*>(id), static_cast<u_int>(length), found->boots, found->time, TRUE);
        usm_create_user_from_session(opened);
        session.engineKnown = true;
    }
    std::vector<std::pair<const void*, netsnmp_pdu*>> waiting;
    waiting.swap(session.waiting);
    for (auto& [token, pdu] : waiting) {
        auto record = outstanding_.find(token);
        if (record == outstanding_.end()) {
            snmp_free_pdu(pdu);   // completed meanwhile (overdue)
            continue;
        }
        int status = snmpClassTimeout;
        if (session.engineKnown) {
            Request& request = *record->second;
            const long perAttemptMs = static_cast<long>(std::max(1, request.target.timeout)) * 10L;
            request.deadline = std::chrono::steady_clock::now() +
                               std::chrono::milliseconds(perAttemptMs * (std::max(0, request.target.retries) + 2) + 2000);
            if (snmp_sess_async_send(session.handle, pdu, &SnmpEngine::NetSnmpCallback,
                                     const_cast<void*>(token)) != 0)
                continue;
            status = SessionError(session.handle);
        }
        snmp_free_pdu(pdu);
        Completion completion{status == snmpClassTimeout ? snmpReasonTimeout : snmpReasonResponse,
                              SnmpPdu{}, record->second->target, record->second->callback,
                              record->second->data};
        completion.response.errorStatus = status == snmpClassTimeout ? 0 : status;
        completions_.push_back(std::move(completion));
        outstanding_.erase(record);
    }
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
    if ((op == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || op == NETSNMP_CALLBACK_OP_SEC_ERROR) &&
        session->peerKnown && !FromPeer(pdu, session->peer))
        return 0;
    const Request& request = *found->second;
    Completion completion{snmpReasonResponse, SnmpPdu{}, request.target, request.callback,
                          request.data};
    switch (op) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        if (pdu)
            ReadNetSnmpPdu(pdu, completion.response);
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
            ReadNetSnmpPdu(pdu, completion.response);
        } else {
            int status = SnmpTranslateError(sess ? sess->s_snmp_errno : 0);
            completion.response.errorStatus = status == snmpOk ? usmError : status;
        }
        break;
    default:
        return 1;   // not the end of the request (connect, resend)
    }
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

void ReadSession(void* handle, int fd)
{
    // Drain what is waiting, but let other sockets have their turn too.
    for (int packets = 0; packets < 64 && Readable(fd); ++packets) {
        netsnmp_large_fd_set set;
        netsnmp_large_fd_set_init(&set, fd + 1);
        NETSNMP_LARGE_FD_SET(fd, &set);
        snmp_sess_read2(handle, &set);
        netsnmp_large_fd_set_cleanup(&set);
    }
}

} // namespace

void SnmpEngine::ProcessSocket(int fd)
{
    for (auto& [key, session] : sessions_) {
        if (session->fd == fd) {
            ReadSession(session->handle, fd);
            break;
        }
        if (session->discovery && session->discovery->fd == fd) {
            ServeDiscovery(*session, true);
            break;
        }
    }
    DeliverCompletions();
}

void SnmpEngine::ProcessPendingEvents()
{
    for (auto& [key, session] : sessions_)
        if (session->fd >= 0)
            ReadSession(session->handle, session->fd);
    for (auto& [key, session] : sessions_) {
        snmp_sess_timeout(session->handle);
        if (session->discovery)
            ServeDiscovery(*session, true);
    }
    ExpireOverdue();
    DeliverCompletions();
}

void SnmpEngine::ExpireOverdue()
{
    // A request the library dropped without completing it (an answer it could
    // not match, for instance) must still end.
    const auto now = std::chrono::steady_clock::now();
    for (auto it = outstanding_.begin(); it != outstanding_.end();) {
        if (it->second->deadline <= now) {
            completions_.push_back(Completion{snmpReasonTimeout, SnmpPdu{}, it->second->target,
                                              it->second->callback, it->second->data});
            it = outstanding_.erase(it);
        } else {
            ++it;
        }
    }
}

int SnmpEngine::NextTimeoutMs()
{
    long best = -1;
    for (auto& [key, session] : sessions_) {
        int numfds = 0;
        int block = 1;
        timeval tv{};
        netsnmp_large_fd_set set;
        netsnmp_large_fd_set_init(&set, FD_SETSIZE);
        snmp_sess_select_info2(session->handle, &numfds, &set, &tv, &block);
        netsnmp_large_fd_set_cleanup(&set);
        if (!block) {
            long ms = tv.tv_sec * 1000L + (tv.tv_usec + 999) / 1000;
            if (best < 0 || ms < best)
                best = ms;
        }
    }
    const auto now = std::chrono::steady_clock::now();
    for (const auto& [key, session] : sessions_) {
        if (!session->discovery)
            continue;
        long ms = std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        session->discovery->next - now).count());
        if (best < 0 || ms < best)
            best = ms;
    }
    for (const auto& [token, request] : outstanding_) {
        long ms = std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        request->deadline - now).count());
        if (best < 0 || ms < best)
            best = ms;
    }
    return static_cast<int>(best);
}

void SnmpEngine::WaitForEvents(int maxMs)
{
    if (!completions_.empty()) {
        DeliverCompletions();
        return;
    }
    int wait = std::max(0, maxMs);
    int next = NextTimeoutMs();
    if (next >= 0 && next < wait)
        wait = next;
    std::vector<pollfd> fds;
    for (int fd : Descriptors())
        fds.push_back(pollfd{fd, POLLIN, 0});
    if (fds.empty()) {
        if (wait > 0)
            ::poll(nullptr, 0, wait);
    } else {
        ::poll(fds.data(), fds.size(), wait);
    }
    ProcessPendingEvents();
}

std::vector<int> SnmpEngine::Descriptors() const
{
    std::vector<int> fds;
    for (const auto& [key, session] : sessions_) {
        if (session->fd >= 0)
            fds.push_back(session->fd);
        if (session->discovery)
            fds.push_back(session->discovery->fd);
    }
    return fds;
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

int SnmpEngine::Get(SnmpPdu& pdu, const SnmpTarget& target) { return SendBlocking(Op::Get, pdu, target); }
int SnmpEngine::GetNext(SnmpPdu& pdu, const SnmpTarget& target) { return SendBlocking(Op::GetNext, pdu, target); }
int SnmpEngine::GetBulk(SnmpPdu& pdu, const SnmpTarget& target) { return SendBlocking(Op::GetBulk, pdu, target); }
int SnmpEngine::Set(SnmpPdu& pdu, const SnmpTarget& target) { return SendBlocking(Op::Set, pdu, target); }

int SnmpEngine::Get(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::Get, pdu, target, callback, data);
}

int SnmpEngine::GetNext(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback,
                        void* data)
{
    return Send(Op::GetNext, pdu, target, callback, data);
}

void SnmpEngine::Post(SnmpCallback callback, void* data, SnmpPdu response, const SnmpTarget& target)
{
    completions_.push_back(Completion{snmpReasonResponse, std::move(response), target, callback, data});
    if (activity_)
        activity_();
}

int SnmpEngine::GetBulk(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback,
                        void* data)
{
    return Send(Op::GetBulk, pdu, target, callback, data);
}

int SnmpEngine::Set(const SnmpPdu& pdu, const SnmpTarget& target, SnmpCallback callback, void* data)
{
    return Send(Op::Set, pdu, target, callback, data);
}

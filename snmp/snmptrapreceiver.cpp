#include "snmp/snmptrapreceiver.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/lcd_time.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>

#include <array>
#include <cstring>

#include "snmp/snmpdiscovery.h"
#include "snmp/snmpenginesession.h"
#include "snmp/snmppdutranslation.h"
#include "snmp/snmpstatus.h"
#include "snmp/snmpusmsetup.h"

namespace {

constexpr char sysUpTimeOid[] = "1.3.6.1.2.1.1.3.0";
constexpr char snmpTrapOidOid[] = "1.3.6.1.6.3.1.1.4.1.0";
constexpr char standardTrapsPrefix[] = "1.3.6.1.6.3.1.1.5.";

// A flood must not be lost to a small socket buffer while the window is busy
// for a moment (the system caps it at its maximum).
constexpr int kReceiveBuffer = 4 * 1024 * 1024;

// The sender of a received PDU (the UDP transport hands its address along).
const sockaddr_in* SourceOf(const netsnmp_pdu* pdu)
{
    if (!pdu || !pdu->transport_data || pdu->transport_data_length < static_cast<int>(sizeof(netsnmp_sockaddr_storage)))
        return nullptr;
    const auto* source = static_cast<const netsnmp_sockaddr_storage*>(pdu->transport_data);
    return source->sa.sa_family == AF_INET ? &source->sin : nullptr;
}

std::string Text(const sockaddr_in& address)
{
    char host[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &address.sin_addr, host, sizeof host);
    return std::string(host) + ":" + std::to_string(ntohs(address.sin_port));
}

std::string Dotted(const oid* name, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        if (i)
            text += '.';
        text += std::to_string(name[i]);
    }
    return text;
}

// An SNMPv1 trap in the SNMPv2 form.
bool FromV1(const netsnmp_pdu* pdu, SnmpNotification& n)
{
    if (pdu->trap_type < 0 || pdu->trap_type > 6)
        return false;
    if (pdu->trap_type == SNMP_TRAP_ENTERPRISESPECIFIC) {
        if (!pdu->enterprise || pdu->enterprise_length == 0)
            return false;
        n.trapOid = Dotted(pdu->enterprise, pdu->enterprise_length) + ".0." + std::to_string(pdu->specific_type);
    } else {
        n.trapOid = standardTrapsPrefix + std::to_string(pdu->trap_type + 1);
    }
    n.upTime = static_cast<uint32_t>(pdu->time);
    return true;
}

// An SNMPv2 trap or inform: sysUpTime.0 and snmpTrapOID.0 come first.
bool FromV2(std::vector<SnmpVb>& vbs, SnmpNotification& n)
{
    if (vbs.size() < 2 || vbs[0].oid != sysUpTimeOid || vbs[0].tag != tagTimeTicks || vbs[1].oid != snmpTrapOidOid ||
        vbs[1].tag != tagOid || vbs[1].arcs.empty())
        return false;
    n.upTime = vbs[0].Unsigned();
    for (size_t i = 0; i < vbs[1].arcs.size(); ++i)
        n.trapOid += (i ? "." : "") + std::to_string(vbs[1].arcs[i]);
    vbs.erase(vbs.begin(), vbs.begin() + 2);
    return true;
}

// The address a forwarder on this host (snmptrapd's "forward") received a
// notification from: an SNMPv1 trap's agent address, else snmpTrapAddress.0.
bool ForwardedFrom(const netsnmp_pdu* pdu, in_addr& original)
{
    if (pdu->command == SNMP_MSG_TRAP) {
        std::memcpy(&original, pdu->agent_addr, sizeof original);
        return original.s_addr != 0;
    }
    static const oid snmpTrapAddress[] = {1, 3, 6, 1, 6, 3, 18, 1, 3, 0};
    for (const netsnmp_variable_list* vb = pdu->variables; vb; vb = vb->next_variable) {
        if (vb->type == ASN_IPADDRESS && vb->val_len == sizeof original && vb->val.string &&
            snmp_oid_compare(vb->name, vb->name_length, snmpTrapAddress, OID_LENGTH(snmpTrapAddress)) == 0) {
            std::memcpy(&original, vb->val.string, sizeof original);
            return true;
        }
    }
    return false;
}

bool IsLoopback(const in_addr& address)
{
    return (ntohl(address.s_addr) >> 24) == 127;
}

} // namespace

SnmpTrapReceiver::~SnmpTrapReceiver() = default;

int SnmpTrapReceiver::Open(const std::string& address, std::string& error)
{
    handle_.reset();
    fd_ = -1;
    netsnmp_transport* transport = netsnmp_tdomain_transport(address.c_str(), 1, "udp");
    if (!transport) {
        error = "cannot listen on " + address;
        return snmpClassTransportFailed;
    }
    netsnmp_session s;
    snmp_sess_init(&s);
    s.version = SNMP_DEFAULT_VERSION; // whichever version comes
    s.callback = &SnmpTrapReceiver::Callback;
    s.callback_magic = this;
    // The receiver of informs is their authoritative engine, the sender of
    // traps theirs: the library tells them apart by the message.
    s.isAuthoritative = SNMP_SESS_UNKNOWNAUTH;
    handle_.reset(snmp_sess_add(&s, transport, nullptr, nullptr));
    if (!handle_) {
        error = "cannot open an SNMP session on " + address;
        return snmpClassTransportFailed;
    }
    fd_ = transport->sock;
    // Informs are authenticated for this program's engine: the library knows
    // its time only for the engine ID it started with, and the engine's own
    // was set afterwards.
    std::array<u_char, 32> local{};
    const size_t localLength = snmpv3_get_engineID(local.data(), local.size());
    if (localLength > 0)
        set_enginetime(local.data(), static_cast<u_int>(localLength), snmpv3_local_snmpEngineBoots(),
                       snmpv3_local_snmpEngineTime(), TRUE);
    const int size = kReceiveBuffer;
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&bound), &length) == 0 && bound.sin_family == AF_INET)
        bound_ = "udp:" + Text(bound);
    else
        bound_ = address;
    return snmpOk;
}

bool SnmpTrapReceiver::AcceptFrom(const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    acceptKnown_ = false;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result)
        return false;
    accept_ = reinterpret_cast<const sockaddr_in*>(result->ai_addr)->sin_addr;
    freeaddrinfo(result);
    acceptKnown_ = true;
    return true;
}

void SnmpTrapReceiver::SetUser(const std::string& name, const SnmpEngine::UsmUser& user, int32_t securityLevel)
{
    userName_ = name;
    user_ = user;
    securityLevel_ = securityLevel;
}

void SnmpTrapReceiver::EnsureUser(const std::string& engineId)
{
    SnmpUsmSetup::AddUserForEngine(userName_, user_, engineId);
}

int SnmpTrapReceiver::Read(int maxDatagrams, std::vector<SnmpNotification>& out)
{
    if (!handle_)
        return 0;
    int read = 0;
    std::vector<uint8_t> datagram(65536);
    out_ = &out;
    while (read < maxDatagrams && snmpengine::Readable(fd_)) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t size = ::recvfrom(fd_, datagram.data(), datagram.size(), MSG_PEEK | MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (size < 0)
            break;
        ++read;
        // SNMPv3 under the session's user: the library authenticates with
        // the entry of the engine the message names. Informs name this
        // program's engine; traps the switch's, whose entry is made when the
        // switch's first one comes (and for nobody else's).
        std::string engineId;
        std::string userName;
        const bool v3 =
            SnmpDiscovery::ParseSecurityHeader(datagram.data(), static_cast<size_t>(size), engineId, userName);
        if (v3 && !userName_.empty() && userName == userName_ && !engineId.empty()) {
            std::array<u_char, 32> local{};
            const size_t localLength = snmpv3_get_engineID(local.data(), local.size());
            const bool fromSwitch = acceptKnown_ && from.sin_addr.s_addr == accept_.s_addr;
            if (engineId == std::string(reinterpret_cast<const char*>(local.data()), localLength) || fromSwitch)
                EnsureUser(engineId);
        }
        counted_ = false;
        if (netsnmp_session* session = snmp_sess_session(handle_.get()))
            session->s_snmp_errno = 0;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd_, &set);
        snmp_sess_read(handle_.get(), &set);
        if (counted_)
            continue;
        // Dropped by the library: an SNMPv3 message that names an engine
        // failed authentication or decryption (unknown user, wrong key, not
        // in the time window); one without is an inform sender discovering
        // this program's engine, answered with a report.
        if (!v3)
            ++counters_.malformed;
        else if (!engineId.empty())
            ++counters_.authFailures;
    }
    out_ = nullptr;
    return read;
}

int SnmpTrapReceiver::Callback(int op, snmp_session* session, int, snmp_pdu* pdu, void* magic)
{
    auto* self = static_cast<SnmpTrapReceiver*>(magic);
    if (self && op == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu)
        self->Take(session, pdu);
    return 1;
}

void SnmpTrapReceiver::Take(snmp_session* session, snmp_pdu* pdu)
{
    counted_ = true;
    // An SNMPv3 message whose digest is wrong still reaches the callback
    // (an agent answers it with an authenticationFailure notification).
    if (pdu->version == SNMP_VERSION_3 && session && session->s_snmp_errno == SNMPERR_USM_AUTHENTICATIONFAILURE) {
        ++counters_.authFailures;
        return;
    }
    if (pdu->command != SNMP_MSG_TRAP && pdu->command != SNMP_MSG_TRAP2 && pdu->command != SNMP_MSG_INFORM) {
        ++counters_.malformed;
        return;
    }
    const sockaddr_in* source = SourceOf(pdu);
    // The switch itself, or a forwarder on this host that says it passes on
    // the switch's notification.
    in_addr original{};
    const bool fromSwitch =
        source && acceptKnown_ &&
        (source->sin_addr.s_addr == accept_.s_addr ||
         (IsLoopback(source->sin_addr) && ForwardedFrom(pdu, original) && original.s_addr == accept_.s_addr));
    if (!fromSwitch) {
        ++counters_.otherSource;
        return;
    }
    if (pdu->version == SNMP_VERSION_3) {
        const std::string name(pdu->securityName ? pdu->securityName : "", pdu->securityNameLen);
        if (userName_.empty() || name != userName_ || pdu->securityModel != SNMP_SEC_MODEL_USM ||
            pdu->securityLevel < securityLevel_) {
            ++counters_.authFailures;
            return;
        }
    }
    SnmpNotification n;
    n.version = pdu->version == SNMP_VERSION_1 ? 0 : pdu->version == SNMP_VERSION_2c ? 1 : 3;
    n.inform = pdu->command == SNMP_MSG_INFORM;
    n.source = Text(*source);
    SnmpPdu read;
    SnmpPduTranslation::Read(pdu, read);
    n.vbs = std::move(read.vbs);
    if (!(pdu->command == SNMP_MSG_TRAP ? FromV1(pdu, n) : FromV2(n.vbs, n))) {
        ++counters_.malformed;
        return;
    }
    if (n.inform) {
        netsnmp_pdu* reply = snmp_clone_pdu(pdu);
        if (reply) {
            reply->command = SNMP_MSG_RESPONSE;
            reply->errstat = 0;
            reply->errindex = 0;
            if (snmp_sess_send(handle_.get(), reply) == 0)
                snmp_free_pdu(reply);
            else
                ++counters_.informsAcknowledged;
        }
    }
    ++counters_.accepted;
    if (out_)
        out_->push_back(std::move(n));
}

// SNMPv3 engine discovery of SnmpEngine: the probe on a socket of its own,
// its retransmissions, and the requests that wait for the agent's engine ID.
#include "snmp/snmpengine.h"
#include "snmp/snmpenginesession.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdlib>

#include "snmp/snmpdiscovery.h"
#include "snmp/snmpstatus.h"

namespace {

// A datagram socket connected to the target's address; not open on failure.
UniqueFd ConnectedSocket(const SnmpTarget& target, int& status)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    const std::string service = std::to_string(target.port);
    if (getaddrinfo(target.address.c_str(), service.c_str(), &hints, &result) != 0 || !result) {
        status = snmpClassInvalidAddress;
        return UniqueFd();
    }
    UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const bool connected = socket.IsOpen() && ::connect(socket.Get(), result->ai_addr, result->ai_addrlen) == 0;
    freeaddrinfo(result);
    if (!connected) {
        status = snmpClassTransportFailed;
        return UniqueFd();
    }
    status = snmpOk;
    return socket;
}

} // namespace

int SnmpEngine::StartDiscovery(Session& session, const SnmpTarget& target)
{
    // A socket of its own, connected to the agent, so that nothing else is read
    // from it; the probe is retransmitted like any request.
    int status = snmpOk;
    UniqueFd socket = ConnectedSocket(target, status);
    if (!socket.IsOpen())
        return status;
    auto discovery = std::make_unique<Session::Discovery>();
    discovery->socket = std::move(socket);
    discovery->msgId = static_cast<uint32_t>(random()) & 0x7FFFFFFF;
    discovery->probe = SnmpDiscovery::BuildProbe(discovery->msgId, static_cast<uint32_t>(random()) & 0x7FFFFFFF);
    discovery->attemptsLeft = std::max(0, target.retries);
    discovery->perAttemptMs = SnmpRequestTimeMs(std::max(1, target.timeout), 0);
    discovery->next = std::chrono::steady_clock::now() + std::chrono::milliseconds(discovery->perAttemptMs);
    if (::send(discovery->socket.Get(), discovery->probe.data(), discovery->probe.size(), MSG_DONTWAIT) < 0)
        return snmpClassTransportFailed;
    session.discovery = std::move(discovery);
    if (sessionsChanged_)
        sessionsChanged_();
    return snmpOk;
}

void SnmpEngine::ServeDiscovery(Session& session, bool readable)
{
    Session::Discovery& d = *session.discovery;
    const int fd = d.socket.Get();
    if (readable) {
        for (int packets = 0; packets < 16 && snmpengine::Readable(fd); ++packets) {
            uint8_t buffer[2048];
            ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0)
                break; // nothing, or an ICMP error: the retransmissions go on
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
        ::send(fd, d.probe.data(), d.probe.size(), MSG_DONTWAIT);
        d.next = now + std::chrono::milliseconds(d.perAttemptMs);
        return;
    }
    EndDiscovery(session, nullptr);
}

void SnmpEngine::AdoptEngine(Session& session, const SnmpDiscovery::Engine& found)
{
    netsnmp_session* opened = snmp_sess_session(session.handle.get());
    if (!opened)
        return;
    auto* id = reinterpret_cast<const u_char*>(found.engineId.data());
    const size_t length = found.engineId.size();
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
    set_enginetime(const_cast<u_char*>(id), static_cast<u_int>(length), found.boots, found.time, TRUE);
    usm_create_user_from_session(opened);
    session.engineKnown = true;
    session.engineId = found.engineId;
}

void SnmpEngine::StartEngineChecks()
{
    for (auto& [key, session] : sessions_) {
        if (!session->checkEngine || session->discovery)
            continue;
        session->checkEngine = false;
        const Request* request = nullptr;
        for (const auto& [token, record] : outstanding_)
            if (record->session == session.get())
                request = record.get();
        if (!request)
            continue;
        // One probe, answered at once by a live agent: the request's own
        // retransmission goes on meanwhile.
        SnmpTarget target = request->target;
        target.retries = 0;
        if (StartDiscovery(*session, target) == snmpOk)
            session->discovery->check = true;
    }
}

void SnmpEngine::EndEngineCheck(Session& session, const SnmpDiscovery::Engine* found)
{
    if (!found)
        return; // no answer: the requests go on to their own time-out
    int status = snmpOk;
    if (found->engineId != session.engineId) {
        status = usmUnknownEngineId;
    } else {
        u_int boots = 0;
        u_int time = 0;
        auto* id = reinterpret_cast<const u_char*>(session.engineId.data());
        if (get_enginetime(id, static_cast<u_int>(session.engineId.size()), &boots, &time, TRUE) == SNMPERR_SUCCESS &&
            found->boots < boots)
            status = usmNotInTimeWindow;
    }
    if (status == snmpOk)
        return;
    // The requests fail with what happened; the library's own copies of them
    // end unnoticed (their tokens are gone), and the next request opens the
    // session anew and discovers the agent's engine.
    session.engineInDoubt = true;
    for (auto it = outstanding_.begin(); it != outstanding_.end();) {
        if (it->second->session != &session) {
            ++it;
            continue;
        }
        Completion completion{snmpReasonResponse, SnmpPdu{}, it->second->target, it->second->callback,
                              it->second->data};
        completion.response.errorStatus = status;
        completions_.push_back(std::move(completion));
        it = outstanding_.erase(it);
    }
}

void SnmpEngine::EndDiscovery(Session& session, const SnmpDiscovery::Engine* found)
{
    if (session.discovery && session.discovery->check) {
        session.discovery.reset();
        if (sessionsChanged_)
            sessionsChanged_();
        EndEngineCheck(session, found);
        return;
    }
    if (session.discovery) {
        session.discovery.reset();
        if (sessionsChanged_)
            sessionsChanged_();
    }
    if (found)
        AdoptEngine(session, *found);
    std::vector<std::pair<const void*, NetSnmpPdu>> waiting;
    waiting.swap(session.waiting);
    for (auto& [token, pdu] : waiting) {
        auto record = outstanding_.find(token);
        if (record == outstanding_.end())
            continue; // completed meanwhile (overdue): its PDU goes with `waiting`
        int status = snmpClassTimeout;
        if (session.engineKnown) {
            Request& request = *record->second;
            request.deadline = snmpengine::RequestDeadline(request.target);
            if (snmp_sess_async_send(session.handle.get(), pdu.get(), &SnmpEngine::NetSnmpCallback,
                                     const_cast<void*>(token)) != 0) {
                pdu.release(); // the library's now
                continue;
            }
            status = snmpengine::SessionError(session.handle.get());
        }
        Completion completion{status == snmpClassTimeout ? snmpReasonTimeout : snmpReasonResponse, SnmpPdu{},
                              record->second->target, record->second->callback, record->second->data};
        completion.response.errorStatus = status == snmpClassTimeout ? 0 : status;
        completions_.push_back(std::move(completion));
        outstanding_.erase(record);
    }
}

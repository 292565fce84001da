// Event processing of SnmpEngine: reading the sessions' sockets, the
// library's retransmissions and timeouts, overdue requests, and waiting for
// the next of these.
#include "snmp/snmpengine.h"
#include "snmp/snmpenginesession.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

#include <poll.h>

#include <algorithm>

using snmpengine::Readable;

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
            ReadSession(session->handle.get(), fd);
            break;
        }
        if (session->discovery && session->discovery->socket.Get() == fd) {
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
            ReadSession(session->handle.get(), session->fd);
    for (auto& [key, session] : sessions_) {
        snmp_sess_timeout(session->handle.get());
        if (session->discovery)
            ServeDiscovery(*session, true);
    }
    StartEngineChecks();
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
            completions_.push_back(
                Completion{snmpReasonTimeout, SnmpPdu{}, it->second->target, it->second->callback, it->second->data});
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
        snmp_sess_select_info2(session->handle.get(), &numfds, &set, &tv, &block);
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
        long ms = std::max<long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(session->discovery->next - now).count());
        if (best < 0 || ms < best)
            best = ms;
    }
    for (const auto& [token, request] : outstanding_) {
        long ms =
            std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(request->deadline - now).count());
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
            fds.push_back(session->discovery->socket.Get());
    }
    return fds;
}

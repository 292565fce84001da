#pragma once
#include <netinet/in.h>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "snmp/netsnmpptr.h"
#include "snmp/snmpengine.h"
#include "snmp/uniquefd.h"

// One Net-SNMP single session of the engine (shared by the engine's source
// files; nothing outside the engine sees it).
struct SnmpEngine::Session {
    SnmpEngine* engine = nullptr;
    std::string key;
    std::string userName; // SNMPv3 sessions
    // The agent's address and port: answers from anywhere else are not its.
    sockaddr_in peer{};
    bool peerKnown = false;
    // SNMPv3: the agent's engine ID is discovered asynchronously; requests
    // made meanwhile wait here (token of their record, built PDU).
    bool engineKnown = true;
    // SNMPv3: the agent answered as an engine other than the one discovered
    // (replaced, or restarted with its boots gone back), or not at all: the
    // next request opens the session anew and discovers the engine again.
    bool engineInDoubt = false;
    // SNMPv3: the engine ID discovered; a request that had to be sent again
    // asks for a check of the agent's engine (a probe as in discovery).
    std::string engineId;
    bool checkEngine = false;
    std::vector<std::pair<const void*, NetSnmpPdu>> waiting;
    struct Discovery {
        UniqueFd socket;
        uint32_t msgId = 0;
        std::vector<uint8_t> probe;
        int attemptsLeft = 0;
        long perAttemptMs = 1000;
        std::chrono::steady_clock::time_point next;
        // A check of a known engine, not the first discovery.
        bool check = false;
    };
    std::unique_ptr<Discovery> discovery;
    int fd = -1; // the handle's socket (owned by the library)
    // Declared last, so closed first, while the rest of the session is still
    // there for a callback the library makes while it closes.
    NetSnmpSession handle;
};

namespace snmpengine {

// Whether `fd` can be read without blocking (or has an error to report).
bool Readable(int fd);

// Session status after a failed Net-SNMP call on a session.
int SessionError(void* handle);

// When a request sent now to `target` is overdue: one attempt more than the
// library makes, and two seconds besides.
std::chrono::steady_clock::time_point RequestDeadline(const SnmpTarget& target);

} // namespace snmpengine

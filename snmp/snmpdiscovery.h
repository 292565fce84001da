#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// SNMPv3 engine discovery messages (RFC 3414, 4): a request without user,
// authentication or bindings, which an agent answers with a report carrying its
// engine ID, boots and time. The engine sends and receives these itself so that
// discovery never blocks; the SNMP library takes over once the ID is known.
class SnmpDiscovery {
public:
    struct Engine {
        std::string engineId; // octets
        uint32_t boots = 0;
        uint32_t time = 0;
    };

    // The BER-encoded probe.
    static std::vector<uint8_t> BuildProbe(uint32_t msgId, uint32_t requestId);

    // Reads a report answering the probe with `msgId`; false for anything else
    // (other message, truncated or malformed data, empty engine ID). Never reads
    // past `length`.
    static bool ParseReport(const uint8_t* data, size_t length, uint32_t msgId, Engine& engine);

    // Reads the authoritative engine ID and the user name of any SNMPv3
    // message under the user-based security model; false for anything else
    // (other version, truncated or malformed header). Never reads past
    // `length`.
    static bool ParseSecurityHeader(const uint8_t* data, size_t length, std::string& engineId, std::string& userName);
};

#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

// Where and how a request is sent. Version 3 makes it a user target (security
// model and name, the user registered with SnmpEngine::UsmAddUserName); other
// versions make it a community target (read and write communities).
struct SnmpTarget {
    std::string address; // IPv4 address or DNS name as given
    uint16_t port = 161;
    int32_t version = 0; // 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3
    int32_t retries = 1;
    int32_t timeout = 100; // hundredths of a second per attempt
    std::string readCommunity;
    std::string writeCommunity;
    int32_t securityModel = 3;
    std::string securityName;

    bool IsUserTarget() const { return version == 3; }

    // Resolves `address` to an IPv4 address; false when it is not a valid
    // address or a name that resolves.
    bool IsValidAddress() const;
};

// Milliseconds a request may take with all its attempts (the first and every
// retry) when each attempt waits `timeout` hundredths of a second.
inline long SnmpRequestTimeMs(int32_t timeout, int32_t retries)
{
    return std::max<int32_t>(0, timeout) * 10L * (std::max<int32_t>(0, retries) + 1);
}

#pragma once
#include <string>
#include <vector>

class QHostInfo;

#include "shell/kvhandedsecrets.h"
#include "switches/switchrecord.h"

// The fields of a switch that can be wrong.
enum class SwitchField {
    Name,
    Address,
    Port,
    ReadCommunity,
    WriteCommunity,
    User,
    AuthPassword,
    PrivPassword,
    ContextEngineId
};

struct SwitchFieldError {
    SwitchField field;
    std::string message; // says why, never quotes a secret
};

// Checks a switch and its secrets before anything is saved. Every problem
// found is listed, in the order of the fields; none means valid. The address
// is checked for its form here; whether a host name resolves is the caller's
// to ask (it may take a while), with AddressResolves.
class SwitchValidation {
public:
    // `otherNames`: the names of the other switches of the list.
    static std::vector<SwitchFieldError> Check(const SwitchRecord& record, const KvHandedSecrets& secrets,
                                               const std::vector<std::string>& otherNames);
    // A port typed as text: 1-65535, digits only. False with a message.
    static bool ParsePort(const std::string& text, uint16_t& port, std::string& problem);
    // True for an IPv4 address in dotted form.
    static bool IsIpv4Address(const std::string& address);
    // Blocking name lookup (for the command line; the dialog looks up
    // asynchronously). True for an IPv4 address or a name that resolves.
    static bool AddressResolves(const std::string& address);
    // Whether a finished lookup found an IPv4 address.
    static bool FoundIpv4(const QHostInfo& info);
    // The message for an address that does not resolve.
    static std::string UnresolvedMessage(const std::string& address);

    static constexpr size_t kMinPasswordLength = 8;
    // A name is shown in a column and a window title, and keys the keyring's
    // item: 64 characters say what a switch is and still fit there.
    static constexpr size_t kMaxNameLength = 64;
    // SNMPv3 (the user-based security model) takes user names of 1-32
    // octets, and context engine IDs of 5-32 octets.
    static constexpr size_t kMaxUserOctets = 32;
    static constexpr size_t kMinEngineIdOctets = 5;
    static constexpr size_t kMaxEngineIdOctets = 32;
};

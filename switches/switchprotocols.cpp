#include "switches/switchprotocols.h"

#include "snmp/kvsnmpsession.h"
#include "snmp/usmprotocols.h"

#include <vector>

#include <strings.h>

namespace {

// clang-format off
const SwitchChoice kVersions[] = {
    {kvVersion1,  "1" },
    {kvVersion2c, "2c"},
    {kvVersion3,  "3" },
};

// On the command line as --level 1, 2 or 3.
const SwitchChoice kSecurityLevels[] = {
    {kvSecurityLevelNoAuthNoPriv, "noAuthNoPriv"},
    {kvSecurityLevelAuthNoPriv,   "authNoPriv"  },
    {kvSecurityLevelAuthPriv,     "authPriv"    },
};

// clang-format on

// The module's protocols, "none" left out (the security level says that).
std::vector<SwitchChoice> ChoicesOf(std::span<const UsmProtocol> protocols)
{
    std::vector<SwitchChoice> choices;
    for (const UsmProtocol& protocol : protocols)
        if (protocol.keyLength > 0)
            choices.push_back({protocol.number, protocol.name});
    return choices;
}

// Short names operators type for the first protocol of each family.
// clang-format off
const struct {
    const char* alias;
    const char* name;
} kAliases[] = {
    {"SHA", "SHA-1"  },
    {"AES", "AES-128"},
};
// clang-format on

} // namespace

std::span<const SwitchChoice> SwitchProtocols::Versions()
{
    return kVersions;
}
std::span<const SwitchChoice> SwitchProtocols::SecurityLevels()
{
    return kSecurityLevels;
}
std::span<const SwitchChoice> SwitchProtocols::AuthProtocols()
{
    static const std::vector<SwitchChoice> choices = ChoicesOf(UsmProtocols::Auth());
    return choices;
}
std::span<const SwitchChoice> SwitchProtocols::PrivProtocols()
{
    static const std::vector<SwitchChoice> choices = ChoicesOf(UsmProtocols::Priv());
    return choices;
}

const char* SwitchProtocols::NameOf(std::span<const SwitchChoice> choices, int32_t number)
{
    for (const SwitchChoice& choice : choices)
        if (choice.number == number)
            return choice.name;
    return "?";
}

bool SwitchProtocols::NumberOf(std::span<const SwitchChoice> choices, const std::string& typed, int32_t& number)
{
    std::string name = typed;
    for (const auto& alias : kAliases)
        if (strcasecmp(alias.alias, typed.c_str()) == 0)
            name = alias.name;
    for (const SwitchChoice& choice : choices)
        if (strcasecmp(choice.name, name.c_str()) == 0) {
            number = choice.number;
            return true;
        }
    return false;
}

std::string SwitchProtocols::Names(std::span<const SwitchChoice> choices)
{
    std::string names;
    for (const SwitchChoice& choice : choices)
        names += (names.empty() ? "" : "|") + std::string(choice.name);
    return names;
}

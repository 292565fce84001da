#include "switches/switchprotocols.h"

#include "snmp/kvsnmpsession.h"

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

const SwitchChoice kAuthProtocols[] = {
    {kvAuthMd5, "MD5"},
    {kvAuthSha, "SHA"},
};

const SwitchChoice kPrivProtocols[] = {
    {kvPrivDes,    "DES"    },
    {kvPrivAes128, "AES"    },
    {kvPrivAes192, "AES-192"},
    {kvPrivAes256, "AES-256"},
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
    return kAuthProtocols;
}
std::span<const SwitchChoice> SwitchProtocols::PrivProtocols()
{
    return kPrivProtocols;
}

const char* SwitchProtocols::NameOf(std::span<const SwitchChoice> choices, int32_t number)
{
    for (const SwitchChoice& choice : choices)
        if (choice.number == number)
            return choice.name;
    return "?";
}

bool SwitchProtocols::NumberOf(std::span<const SwitchChoice> choices, const std::string& name, int32_t& number)
{
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

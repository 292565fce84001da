#include "snmp/usmprotocols.h"

namespace {

// clang-format off
const UsmProtocol authProtocols[] = {
    // number  name       oid                      key octets
    {1,        "none",    "1.3.6.1.6.3.10.1.1.1",  0},
    {2,        "MD5",     "1.3.6.1.6.3.10.1.1.2",  16},
    {3,        "SHA-1",   "1.3.6.1.6.3.10.1.1.3",  20},
    {4,        "SHA-224", "1.3.6.1.6.3.10.1.1.4",  28},
    {5,        "SHA-256", "1.3.6.1.6.3.10.1.1.5",  32},
    {6,        "SHA-384", "1.3.6.1.6.3.10.1.1.6",  48},
    {7,        "SHA-512", "1.3.6.1.6.3.10.1.1.7",  64},
};

const UsmProtocol privProtocols[] = {
    // number  name       oid                       key octets
    {1,        "none",    "1.3.6.1.6.3.10.1.2.1",   0},
    {2,        "DES",     "1.3.6.1.6.3.10.1.2.2",   8},
    {4,        "AES-128", "1.3.6.1.6.3.10.1.2.4",   16},
    {20,       "AES-192", "1.3.6.1.4.1.14832.1.3",  24},
    {21,       "AES-256", "1.3.6.1.4.1.14832.1.4",  32},
};
// clang-format on

const UsmProtocol* Find(std::span<const UsmProtocol> protocols, int32_t number)
{
    for (const UsmProtocol& p : protocols)
        if (p.number == number)
            return &p;
    return nullptr;
}

} // namespace

std::span<const UsmProtocol> UsmProtocols::Auth()
{
    return authProtocols;
}

std::span<const UsmProtocol> UsmProtocols::Priv()
{
    return privProtocols;
}

const UsmProtocol* UsmProtocols::FindAuth(int32_t number)
{
    return Find(authProtocols, number);
}

const UsmProtocol* UsmProtocols::FindPriv(int32_t number)
{
    return Find(privProtocols, number);
}

std::string UsmProtocols::Listing(std::span<const UsmProtocol> protocols)
{
    std::string text;
    for (const UsmProtocol& p : protocols)
        text += (text.empty() ? "" : ", ") + std::to_string(p.number) + ' ' + p.name;
    return text;
}

#pragma once
#include <cstdint>
#include <span>
#include <string>

// The SNMPv3 user-based security protocols the module speaks, numbered as
// the command line gives them (`/a`, `/p`; the per-switch INI file counts
// from 0, one less). Authentication continues the library family's 1 none,
// 2 MD5, 3 SHA-1 as the standard protocol identifiers 1.3.6.1.6.3.10.1.1.N
// do; privacy keeps the family's numbers (3 3DES and 9 IDEA are not spoken).
// Dialogs, documentation and the key set-up all read these tables.
struct UsmProtocol {
    int32_t number;   // on the command line
    const char* name; // as operators know it
    const char* oid;  // the protocol identifier, dotted, as agents' user tables show it
    // Octets of a key: the hash's output for authentication, the cipher's key
    // for privacy (DES takes 8 more for its pre-IV); 0 for none.
    uint32_t keyLength;
};

class UsmProtocols {
public:
    static std::span<const UsmProtocol> Auth();
    static std::span<const UsmProtocol> Priv();
    // The protocol of a number; null for an unsupported one.
    static const UsmProtocol* FindAuth(int32_t number);
    static const UsmProtocol* FindPriv(int32_t number);
    // "1 none, 2 MD5, ...": the numbers and names, for help texts.
    static std::string Listing(std::span<const UsmProtocol> protocols);
};

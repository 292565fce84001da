#pragma once
#include <cstdint>

class KvOptionList;

// Syntax codes: SMI tags plus the system's own codes for values carried in an
// INTEGER or an OCTET STRING.
enum KvSyntax : uint32_t {
    synTruthValue = 1, // INTEGER shown as "true" / "false"
    synInteger = 2,
    synBits = 3,   // OCTET STRING in hex (port lists, bit strings)
    synOctets = 4, // OCTET STRING in hex
    synNull = 5,
    synOid = 6,
    synIpAddress = 64,
    synCounter32 = 65,
    synGauge32 = 66,
    synTimeTicks = 67,
    synOpaque = 68,
    synNetAddress = 69,
    synCounter64 = 70,
    synUInteger32 = 71,
    synFloat = 72, // 8-octet double in an OCTET STRING
    synMacAddress = 73,
    synDateAndTime = 74, // 11-octet SNMP DateAndTime
    synFloatDate = 75,   // day count as an 8-octet double
    synDisplayString = 76,
    // Derived codes of the binding codec: a part of a value in one or two
    // bytes (the two-byte ones big-endian).
    synTruthByte = 193,
    synSignedByte = 194,
    synUnsignedByte = 195,
    synTruthWord = 196,
    synUnsignedWord = 197,
    synUnsignedWordAlt = 198, // handled as synUnsignedWord
};

// Access flags (bits of VarDef::access).
enum KvAccess : uint32_t {
    accIndex = 1,
    accRead = 2,
    accWrite = 4,
    accShown = 8,
    accHidden = 16,
    accSkip = 32,
    accImplied = 64,
};

// The values the static tables use.
constexpr uint32_t accRO = accRead;                       // 2
constexpr uint32_t accRW = accRead | accWrite;            // 6
constexpr uint32_t accIdx = accIndex;                     // 1
constexpr uint32_t accIdxImplied = accIndex | accImplied; // 65

// One row of a static page table. A row whose oid is null ends the table.
struct VarDef {
    const char* oid;
    const char* label;
    uint32_t syntax;
    uint32_t access;
    const KvOptionList* options;
    const char* getExpression;
    const char* setExpression;
    const char* spareText;
};

#pragma once
// A typed value of the simulated switch and its text forms: the data-file
// form (parse and write back) and the conversion to and from SNMP variable
// bindings.

#include <cstdint>
#include <string>

#include "sim/simoid.h"

struct variable_list;

// The types a data-file line can name. "string" and "hex" are both OCTET
// STRING on the wire; they differ only in how the data file writes them.
enum class SimType {
    Integer,
    String,
    Hex,
    ObjectId,
    IpAddress,
    Counter32,
    Gauge32,
    TimeTicks,
    Counter64,
    Unsigned32,
};

class SimValue {
public:
    int64_t integer = 0; // Integer (signed) and every unsigned type
    std::string octets;  // String, Hex, IpAddress (4 octets)
    SimOid objectId;     // ObjectId

    // Data-file type names ("integer", "string", "hex", ...).
    static bool TypeFromName(const std::string& name, SimType& type);
    static const char* TypeName(SimType type);
    // The ASN.1 tag the type travels with.
    static unsigned char AsnType(SimType type);

    // Parses one data-file value token (quotes already removed for quoted
    // strings: `quoted` tells whether the token was quoted).
    static bool Parse(SimType type, const std::string& token, bool quoted, unsigned enterpriseNumber, SimValue& out,
                      std::string& error);

    // The data-file token of this value (quoted where needed).
    std::string ToDataText(SimType type, unsigned enterpriseNumber) const;

    // Decodes a received variable binding whose tag matches `type`.
    static bool FromVarbind(const variable_list* vb, SimType type, SimValue& out);

    // Stores this value into a variable binding.
    void ToVarbind(SimType type, variable_list* vb) const;

    bool Equals(const SimValue& other) const;

    // Quotes a text for the data file: "..." with \" \\ \n \t \xNN escapes.
    static std::string Quote(const std::string& text);
    // Upper-case hexadecimal without separators.
    static std::string Hex(const std::string& octets);
};

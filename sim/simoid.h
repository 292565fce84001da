#pragma once
// Object identifiers of the simulator: parsing of the dotted form (with the
// enterprise shorthand "ENT"), formatting and prefix tests.

#include <cstdint>
#include <string>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>

using SimOid = std::vector<oid>;

namespace simoid {

// The arc list of 1.3.6.1.4.1.<enterprise>.
SimOid Enterprise(unsigned enterpriseNumber);

// Parses "1.3.6.1.2.1.1.1.0", ".1.3.6..." or "ENT.11.36.2.5.1.5.0". "ENT"
// alone is the enterprise arc itself. Every arc must be a decimal number
// below 2^32; at least two arcs are needed (except for "ENT").
bool Parse(const std::string& text, unsigned enterpriseNumber, SimOid& out);

// "1.3.6.1..." without a leading dot.
std::string Format(const SimOid& o);
std::string Format(const oid* arcs, size_t count);

// Like format, but writes the enterprise prefix as "ENT".
std::string FormatWithEnt(const SimOid& o, unsigned enterpriseNumber);

bool IsPrefix(const SimOid& prefix, const SimOid& o);
bool IsPrefix(const SimOid& prefix, const oid* arcs, size_t count);

} // namespace simoid

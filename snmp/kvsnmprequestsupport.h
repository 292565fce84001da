#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SnmpEngine;

// What the parts of KvSNMPRequest (request flow, conversions, expressions,
// walks) share.
namespace kvrequest {

// Value texts of a variable that holds no value, and of a column whose walk
// has ended.
inline constexpr const char* kNull = "(NULL)";
inline constexpr const char* kNotDone = "(NOTDONE)";

// Raises the mapped code of a library status.
[[noreturn]] void RaiseStatus(int status);

// Table kinds of a variable list (walked row by row).
bool IsTable(uint8_t kind);

// The process-wide engine; raises the no-session code when there is none.
SnmpEngine& Session();

// Two dotted OID parts joined by a dot (either may be empty).
std::string JoinArcs(const std::string& a, const std::string& b);

// The element of the variable list that binding `errorIndex` (counted from 1)
// names, given the element of every binding sent; -1 for none.
int32_t ElementOfBinding(const std::vector<int32_t>& elements, int32_t errorIndex);

} // namespace kvrequest

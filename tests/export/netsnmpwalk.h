#pragma once
// Reads a column with Net-SNMP's own snmpwalk, for comparing the export with
// a reader nobody here wrote.
#include <string>
#include <vector>

struct WalkEntry {
    std::string instance; // the OID after the column, dotted
    std::string value;    // quotes removed; hex (-Ox) without blanks
};

// snmpwalk <session arguments> -On -OQ <extra> <column>; the entries in walk order.
std::vector<WalkEntry> NetSnmpWalk(const std::vector<std::string>& session, const std::string& column,
                                   const std::vector<std::string>& extra = {});

// A length-prefixed index part ("3.97.98.99"): its octets, and the rest after it.
std::string TakeOctets(std::string& instance);
// The octets as contiguous upper-case hex.
std::string Hex(const std::string& octets);
// The first sub-identifier of the instance, taken off.
std::string TakeArc(std::string& instance);

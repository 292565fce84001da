#pragma once
#include <stdexcept>
#include <string>

// Every error of the system is raised as a KvError: a negative code whose range
// names the source (-1..-18 common utilities, -101..-118 PDU errors, -201..-217
// SNMPv3, -301..-314 USM, -401..-423 SNMP library, -501..-528 the access library)
// and the matching text of the message set.
class KvError : public std::runtime_error {
public:
    KvError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    int code() const noexcept { return code_; }
    std::string message() const { return what(); }

private:
    int code_;
};

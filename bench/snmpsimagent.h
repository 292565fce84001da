#pragma once
// snmpsimd (a slower agent nobody here wrote) serving the record files of a
// directory on a loopback port, for the comparison rounds of the benchmarks.
// The community is the record file's name. The destructor stops it.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/childprocess.h"

class SnmpsimAgent {
public:
    SnmpsimAgent() = default;
    ~SnmpsimAgent() { process_.stop(5000); }
    SnmpsimAgent(const SnmpsimAgent&) = delete;
    SnmpsimAgent& operator=(const SnmpsimAgent&) = delete;

    // Starts `program` on `port` (its output into `log`); the port once the
    // agent answers, 0 when it does not start or answer within half a minute.
    uint16_t Start(const std::string& program, const std::string& dataDir, uint16_t port, const std::string& log,
                   const std::vector<std::string>& options = {});
    pid_t pid() const { return process_.pid(); }

    // True when the agent on the loopback `port` answers a GET with the read
    // community (Net-SNMP's snmpget, no MIB files loaded).
    static bool Answers(uint16_t port);

private:
    ChildProcess process_;
};

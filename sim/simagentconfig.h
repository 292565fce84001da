#pragma once
// The agent's private directory and the Net-SNMP configuration written into
// it at every start: communities, users, groups, views and access rights.

#include <string>
#include <vector>

#include "sim/simpdulog.h"

class SimAgentConfig {
public:
    static constexpr const char* appName = "osprey-sim";

    // Beside `stateFile` when one is given (Net-SNMP's own state then
    // survives restarts), otherwise a new temporary directory that Remove()
    // deletes.
    bool Prepare(const std::string& stateFile, std::string& error);
    // Deletes a temporary private directory; a state file's one stays.
    void Remove();
    // Where Net-SNMP reads its configuration and keeps its state.
    std::string NetsnmpDir() const;
    // The configuration file, for the agent with `engineId`, with `extra`
    // lines at its end.
    bool Write(const std::string& engineId, const std::vector<std::string>& extra, std::string& error) const;
    // The documented SNMPv3 users, unless kept from an earlier run.
    static void CreateUsers();
    // The communities with the words the request log writes for them.
    static std::vector<SimPduLog::Community> Communities();
    // The read community (notifications go out with it).
    static std::string ReadCommunity();

private:
    std::string privateDir_;
    bool removePrivateDir_ = false;
};

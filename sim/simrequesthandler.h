#pragma once
// Answers the agent library's requests for the store's subtrees: GET and
// GETNEXT read the store (with the value faults of the options), a SET runs
// as one transaction over all its bindings.

#include <chrono>
#include <string>

#include "sim/simoptions.h"
#include "sim/simstore.h"

struct netsnmp_mib_handler_s;
struct netsnmp_handler_registration_s;
struct netsnmp_agent_request_info_s;
struct netsnmp_request_info_s;
struct variable_list;

class SimRequestHandler {
public:
    SimRequestHandler(const SimOptions& options, SimStore& store);

    // The agent's engine ID, which an @engineid object reads.
    void SetEngineId(const std::string& engineId) { engineId_ = engineId; }
    // Registers the store's subtrees with the agent library.
    bool Register(std::string& error);
    // True once a SET has been committed since the last call.
    bool TakeChanged();

private:
    static int Handler(netsnmp_mib_handler_s* handler, netsnmp_handler_registration_s* reginfo,
                       netsnmp_agent_request_info_s* reqinfo, netsnmp_request_info_s* requests);
    void Get(netsnmp_agent_request_info_s* reqinfo, netsnmp_request_info_s* requests) const;
    void GetNext(const SimOid& root, netsnmp_request_info_s* requests) const;
    void Reserve(netsnmp_handler_registration_s* reginfo, netsnmp_agent_request_info_s* reqinfo,
                 netsnmp_request_info_s* requests);
    void ReadValue(const SimObject& object, variable_list* vb) const;

    const SimOptions& options_;
    SimStore& store_;
    std::string engineId_;
    bool changed_ = false;
    std::chrono::steady_clock::time_point startTime_;
};

#pragma once
// The simulator's command line.

#include <string>
#include <vector>

#include "sim/simfaults.h"

class SimOptions {
public:
    std::string listen = "udp:127.0.0.1:1161";
    std::string dataFile; // empty: osprey.sim beside the program
    std::string logFile;
    std::string stateFile;
    std::string readyFile;
    bool strictRowStatus = false;
    bool checkOnly = false;
    bool dump = false;
    bool exitWithParent = false;
    bool help = false;
    std::vector<std::string> trapTo; // udp:HOST:PORT, where notifications go
    SimFaults faults;

    // Parses argv[1..]; "--name value" and "--name=value" both work. On a
    // mistake gives false and a message.
    bool Parse(const std::vector<std::string>& args, unsigned enterpriseNumber, std::string& error);

    static std::string Usage();
    // A --trap-to value: "udp:HOST:PORT" with a host name or IPv4 address
    // and a port 1 to 65535.
    static bool ValidTrapTarget(const std::string& target);
};

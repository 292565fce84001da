#pragma once
// The faults of the fault matrix and an agent that shows one of them.
//
//   FaultAgent agent(Fault::StopAfter, "1.3.6.1.2.1.17.2.2");
//   ASSERT_TRUE(agent.Start(&error)) << error;
//   ... point the program at 127.0.0.1 : agent.Port(), open a page ...
//   ASSERT_TRUE(agent.Recover(&error)) << error;   // answers properly again
//
// Every fault but one is the simulator's own (its fault options); an agent
// that answers from another address is the simulator behind a relay whose
// answers leave from 127.0.0.2. The agents killed during a walk or a write
// answer 300 ms late, so that the kill (KillOnRequest) lands while a request
// is outstanding. Recover() brings the agent back at the same address and
// port, without the fault.
//
// Plain C++ (no Qt).

#include <atomic>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/simfixture.h"
#include "tests/support/udprelay.h"

enum class Fault {
    Delay,          // every answer 2 s late
    DropEveryThird, // every third request unanswered
    ErrorStatus,    // genErr for every request that names the target OID
    StopAfter,      // the first request answered, then nothing
    KilledInWalk,   // SIGKILL while a read is outstanding
    KilledInWrite,  // SIGKILL while a write is outstanding
    WrongType,      // the target's value of another type
    Oversize,       // the target's value an OCTET STRING of 4000 octets
    OtherAddress,   // the answers come from 127.0.0.2
};

const char* FaultName(Fault fault);
std::vector<Fault> AllFaults();
// For test names: "Delay", "DropEveryThird", ...
std::string FaultParamName(Fault fault);
// The parameter as test listings show it (the same names).
void PrintTo(Fault fault, std::ostream* out);

class FaultAgent {
public:
    // `targetOid`: what the error status and the value faults name (a
    // variable of the page under test, or a column of its table).
    FaultAgent(Fault fault, std::string targetOid, SimFixture::Options base = {});
    ~FaultAgent();
    FaultAgent(const FaultAgent&) = delete;
    FaultAgent& operator=(const FaultAgent&) = delete;

    bool Start(std::string* error);
    // Where the program is to send its requests (the relay's port for
    // OtherAddress).
    unsigned short Port() const;
    Fault fault() const { return fault_; }

    // Kills the agent (SIGKILL, from a thread of its own) as soon as its log
    // shows the `nth` request whose line starts with `prefix` ("SET ",
    // "GETBULK ", "GET "). Kill faults only.
    void KillOnRequest(const std::string& prefix, int nth = 1);
    bool Killed() const { return killed_; }

    // The agent answers again, properly, at the same address and port.
    bool Recover(std::string* error);

    SimFixture& Sim() { return sim_; }
    std::vector<std::string> LogLines() const { return sim_.logLines(); }

private:
    void StopWatching();

    Fault fault_;
    std::string target_;
    SimFixture sim_;
    std::unique_ptr<UdpRelay> relay_;
    std::thread watcher_;
    std::atomic<bool> watching_{false};
    std::atomic<bool> killed_{false};
};

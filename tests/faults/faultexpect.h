#pragma once
// What a page must show after a flow under a fault: the status line in the
// words of the message sets.
#include <gtest/gtest.h>

#include <string>

#include "faultagent.h"

enum class Outcome {
    Ok,          // "(VoDADI++) Ok!"
    OkOrTimeout, // either: an answer 2 s late races the second attempt's end
    Timeout,     // "(SNMPClass) SNMP request timed out!"
    GenErr,      // "(SNMP) Cannot perform operation, General Error!"
    BadValue,    // "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!"
};

const char* OutcomeName(Outcome outcome);

// The outcome of a page's read under `fault` when the request times out
// after two attempts of `timeoutMs`; `walk`: the read takes more than one
// request (a table), so an agent that answers one request only leaves it
// short.
Outcome ReadOutcome(Fault fault, int timeoutMs, bool walk);
// The outcome of a write after that read (the agent of KilledInWalk is dead
// by then).
Outcome WriteOutcome(Fault fault, int timeoutMs);

// Whether `line` is the status line of `operation` ("Get" or "Set") with the
// message of `outcome`.
::testing::AssertionResult StatusSays(const std::string& line, const std::string& operation, Outcome outcome);
// Whether a status line reports success.
bool IsOk(const std::string& line);

// Whether `text` is free of the agent's communities.
::testing::AssertionResult NoCommunities(const std::string& text);

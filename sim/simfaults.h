#pragma once
// The faults the simulator can be told to show: a delay before every
// answer, dropping every Nth request, a fixed error status for the requests
// that name an OID, and going silent after N requests.

#include <string>
#include <vector>

#include "sim/simoid.h"

class SimFaults {
public:
    struct ErrorRule {
        SimOid prefix;
        int status = 0;
    };

    enum class Action {
        Answer,  // handle normally (possibly after the delay)
        Drop,    // the Nth request: no answer
        Silent,  // past the stop limit: no answer
        Error,   // answer with errorStatus / errorIndex
    };

    struct Decision {
        Action action = Action::Answer;
        int errorStatus = 0;
        int errorIndex = 0; // from 1
    };

    int delayMs = 0;
    long dropEvery = 0; // 0: never
    long stopAfter = -1; // -1: never; otherwise answer only the first stopAfter requests
    std::vector<ErrorRule> errorRules;
    // GETBULK: refused with this error status (0: answered), or answered
    // tooBig when repetitions x bindings would exceed bulkMaxBindings (0: no limit).
    int refuseBulk = 0;
    long bulkMaxBindings = 0;

    // Parses "OID=STATUS" where STATUS is a number (1-18) or an SNMP error
    // name such as genErr or noSuchName.
    static bool parseErrorRule(const std::string &text, unsigned enterpriseNumber, ErrorRule &rule,
                               std::string &error);
    static const char *statusName(int status);
    // A status given by name or number (1-18); false when it is neither.
    static bool parseStatus(const std::string &text, int &status);

    // Called once per received request, in order, with the OIDs it names.
    Decision next(const std::vector<SimOid> &oids);

    long requestCount() const { return count_; }

private:
    long count_ = 0;
};

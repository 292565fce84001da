#pragma once
// The faults the simulator can be told to show: a delay before every
// answer, dropping every Nth request, a fixed error status for the requests
// that name an OID, going silent after N requests, and values of the wrong
// type or of an outsize length in the answers.

#include <string>
#include <vector>

#include "sim/simoid.h"
#include "sim/simvalue.h"

class SimFaults {
public:
    struct ErrorRule {
        SimOid prefix;
        int status = 0;
    };

    enum class Action {
        Answer, // handle normally (possibly after the delay)
        Drop,   // the Nth request: no answer
        Silent, // past the stop limit: no answer
        Error,  // answer with errorStatus / errorIndex
    };

    struct Decision {
        Action action = Action::Answer;
        int errorStatus = 0;
        int errorIndex = 0; // from 1
    };

    // The objects at or below `prefix` are answered with another value: one
    // of `type` (--wrong-type), or, with `size` 0 or more, an OCTET STRING of
    // `size` octets (--oversize).
    struct ValueRule {
        SimOid prefix;
        bool typeGiven = false;
        SimType type = SimType::String;
        long size = -1;
    };

    int delayMs = 0;
    long dropEvery = 0;  // 0: never
    long stopAfter = -1; // -1: never; otherwise answer only the first stopAfter requests
    std::vector<ErrorRule> errorRules;
    // GETBULK: refused with this error status (0: answered); answered with
    // at most bulkMaxBindings bindings, in fewer rows than asked for, as an
    // agent with a limit does (0: no limit but the message size).
    int refuseBulk = 0;
    long bulkMaxBindings = 0;
    std::vector<ValueRule> valueRules;

    // Parses "OID=STATUS" where STATUS is a number (1-18) or an SNMP error
    // name such as genErr or noSuchName.
    static bool ParseErrorRule(const std::string& text, unsigned enterpriseNumber, ErrorRule& rule, std::string& error);
    static const char* StatusName(int status);
    // A status given by name or number (1-18); false when it is neither.
    static bool ParseStatus(const std::string& text, int& status);
    // "OID" or "OID=TYPE" (a data-file type name: integer, string, hex, oid,
    // ipaddress, counter32, gauge32, timeticks, counter64, unsigned32).
    static bool ParseWrongType(const std::string& text, unsigned enterpriseNumber, ValueRule& rule, std::string& error);
    // "OID=N", N octets from 0 to 65000.
    static bool ParseOversize(const std::string& text, unsigned enterpriseNumber, ValueRule& rule, std::string& error);

    // The value an answer carries for the object at `oid` (of type
    // `objectType`) instead of its own; false when no value rule names it.
    // Without a type, an octet string (string, hex, ipaddress) becomes the
    // INTEGER 7 and anything else the OCTET STRING "wrong type"; with one,
    // the sample value of that type (7, "wrong type", DEADBEEF, 1.3.6.1.4,
    // 10.0.0.1). An outsize value is that many letters "A".
    bool Substitute(const SimOid& oid, SimType objectType, SimType& type, SimValue& value) const;

    // Called once per received request, in order, with the OIDs it names.
    Decision Next(const std::vector<SimOid>& oids);

    long RequestCount() const { return count_; }

private:
    long count_ = 0;
};

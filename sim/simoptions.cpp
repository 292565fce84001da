#include "sim/simoptions.h"

#include <cerrno>
#include <cstdlib>
#include <cctype>
#include <functional>

namespace {

bool ParseCount(const std::string& text, long lo, long hi, long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno || *end || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

// What an option does with its value (empty for a flag); false with `error`
// set when it refuses the value.
using Apply = std::function<bool(const std::string& value, std::string& error)>;

struct Option {
    const char* name;
    bool takesValue;
    Apply apply;
};

Apply Text(std::string& field)
{
    return [&field](const std::string& value, std::string&) {
        field = value;
        return true;
    };
}

Apply Set(bool& field)
{
    return [&field](const std::string&, std::string&) {
        field = true;
        return true;
    };
}

// A whole number in [lo, hi]; `what` says what it must be.
template <typename Field>
Apply Count(const char* name, long lo, long hi, const char* what, Field& field)
{
    return [=, &field](const std::string& value, std::string& error) {
        long n = 0;
        if (!ParseCount(value, lo, hi, n)) {
            error = std::string(name) + ": \"" + value + "\" is not " + what;
            return false;
        }
        field = static_cast<Field>(n);
        return true;
    };
}

// One rule read by `parse` (a SimFaults parser) and added to `rules`.
template <typename Rule>
Apply AddRule(const char* name, unsigned enterpriseNumber,
              bool (*parse)(const std::string&, unsigned, Rule&, std::string&), std::vector<Rule>& rules)
{
    return [=, &rules](const std::string& value, std::string& error) {
        Rule rule;
        if (!parse(value, enterpriseNumber, rule, error)) {
            error = std::string(name) + ": " + error;
            return false;
        }
        rules.push_back(rule);
        return true;
    };
}

} // namespace

bool SimOptions::ValidTrapTarget(const std::string& target)
{
    if (target.rfind("udp:", 0) != 0)
        return false;
    const std::string rest = target.substr(4);
    const size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == rest.size())
        return false;
    for (char c : rest.substr(0, colon))
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-'))
            return false;
    const std::string port = rest.substr(colon + 1);
    if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long n = std::strtol(port.c_str(), nullptr, 10);
    return n >= 1 && n <= 65535;
}

std::string SimOptions::Usage()
{
    return "usage: osprey-sim [--listen udp:127.0.0.1:PORT] [--data FILE] [--log FILE] [--state FILE]\n"
           "                  [--ready-file FILE] [--delay MS] [--drop-every N] [--stop-after N]\n"
           "                  [--error-oid OID=STATUS]... [--refuse-bulk STATUS] [--bulk-max-bindings N]\n"
           "                  [--wrong-type OID[=TYPE]]... [--oversize OID=N]...\n"
           "                  [--trap-to udp:HOST:PORT]... [--strict-rowstatus] [--exit-with-parent]\n"
           "                  [--check] [--dump]\n"
           "\n"
           "  --listen SPEC        where to answer (default udp:127.0.0.1:1161); port 0 picks a free port\n"
           "  --data FILE          the switch to simulate (default: osprey.sim beside the program)\n"
           "  --log FILE           append one line per received request\n"
           "  --state FILE         keep changes across restarts (loaded instead of --data when it exists)\n"
           "  --ready-file FILE    once answering, write the listening address (udp:HOST:PORT) to FILE\n"
           "  --delay MS           answer every request MS milliseconds late\n"
           "  --drop-every N       do not answer the Nth, 2Nth, ... request\n"
           "  --stop-after N       answer the first N requests only\n"
           "  --error-oid OID=ST   answer requests naming OID (or an OID below it) with error status ST\n"
           "                       (a name such as genErr or a number 1-18); may be repeated\n"
           "  --refuse-bulk ST     answer every GETBULK with error status ST (an agent without GETBULK)\n"
           "  --bulk-max-bindings N  answer a GETBULK with at most N bindings (fewer rows than asked for)\n"
           "  --wrong-type OID[=TYPE]  answer the objects at or below OID with a value of another type\n"
           "                       (TYPE a data-file type; default INTEGER for octet strings, else OCTET STRING)\n"
           "  --oversize OID=N     answer the objects at or below OID with an OCTET STRING of N octets\n"
           "  --trap-to SPEC       send notifications (SNMPv2c traps) to udp:HOST:PORT: coldStart at start,\n"
           "                       linkDown/linkUp when a SET disables or enables a port, authenticationFailure\n"
           "                       on a wrong community; may be repeated\n"
           "  --strict-rowstatus   refuse createAndGo on an existing row (inconsistentValue)\n"
           "  --exit-with-parent   stop when the process that started the simulator ends\n"
           "  --check              load the data file, report what is wrong, and exit\n"
           "  --dump               print the loaded switch, one object per line, and exit\n";
}

bool SimOptions::Parse(const std::vector<std::string>& args, unsigned enterpriseNumber, std::string& error)
{
    const Option options[] = {
        {"--listen", true, Text(listen)},
        {"--data", true, Text(dataFile)},
        {"--log", true, Text(logFile)},
        {"--state", true, Text(stateFile)},
        {"--ready-file", true, Text(readyFile)},
        {"--delay", true, Count("--delay", 0, 600000, "a number of milliseconds (0 to 600000)", faults.delayMs)},
        {"--drop-every", true, Count("--drop-every", 1, 1000000000, "a positive number", faults.dropEvery)},
        {"--stop-after", true, Count("--stop-after", 0, 1000000000, "a number", faults.stopAfter)},
        {"--error-oid", true, AddRule("--error-oid", enterpriseNumber, &SimFaults::ParseErrorRule, faults.errorRules)},
        {"--refuse-bulk", true,
         [&](const std::string& value, std::string& error) {
             if (SimFaults::ParseStatus(value, faults.refuseBulk))
                 return true;
             error = "--refuse-bulk: \"" + value + "\" is not an SNMP error status (a name such as genErr, or 1 to 18)";
             return false;
         }},
        {"--bulk-max-bindings", true,
         Count("--bulk-max-bindings", 1, 1000000, "a positive number", faults.bulkMaxBindings)},
        {"--wrong-type", true,
         AddRule("--wrong-type", enterpriseNumber, &SimFaults::ParseWrongType, faults.valueRules)},
        {"--oversize", true, AddRule("--oversize", enterpriseNumber, &SimFaults::ParseOversize, faults.valueRules)},
        {"--trap-to", true,
         [&](const std::string& value, std::string& error) {
             if (!ValidTrapTarget(value)) {
                 error = "--trap-to: \"" + value + "\" is not udp:HOST:PORT";
                 return false;
             }
             trapTo.push_back(value);
             return true;
         }},
        {"--strict-rowstatus", false, Set(strictRowStatus)},
        {"--exit-with-parent", false, Set(exitWithParent)},
        {"--check", false, Set(checkOnly)},
        {"--dump", false, Set(dump)},
    };

    for (size_t i = 0; i < args.size(); ++i) {
        // "--name value" or "--name=value".
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        const size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            help = true;
            continue;
        }
        const Option* option = nullptr;
        for (const Option& candidate : options)
            if (name == candidate.name)
                option = &candidate;
        if (!option) {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
        if (!option->takesValue && hasValue) {
            error = name + " takes no value";
            return false;
        }
        if (option->takesValue && !hasValue && i + 1 < args.size())
            value = args[++i];
        if (option->takesValue && value.empty()) {
            error = name + " needs a value";
            return false;
        }
        if (!option->apply(value, error))
            return false;
    }
    return true;
}

#include "sim/simoptions.h"

#include <cerrno>
#include <cstdlib>

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

} // namespace

std::string SimOptions::Usage()
{
    return "usage: osprey-sim [--listen udp:127.0.0.1:PORT] [--data FILE] [--log FILE] [--state FILE]\n"
           "                  [--ready-file FILE] [--delay MS] [--drop-every N] [--stop-after N]\n"
           "                  [--error-oid OID=STATUS]... [--refuse-bulk STATUS] [--bulk-max-bindings N]\n"
           "                  [--wrong-type OID[=TYPE]]... [--oversize OID=N]...\n"
           "                  [--strict-rowstatus] [--exit-with-parent]\n"
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
           "  --bulk-max-bindings N  answer tooBig to a GETBULK asking for more than N bindings\n"
           "  --wrong-type OID[=TYPE]  answer the objects at or below OID with a value of another type\n"
           "                       (TYPE a data-file type; default INTEGER for octet strings, else OCTET STRING)\n"
           "  --oversize OID=N     answer the objects at or below OID with an OCTET STRING of N octets\n"
           "  --strict-rowstatus   refuse createAndGo on an existing row (inconsistentValue)\n"
           "  --exit-with-parent   stop when the process that started the simulator ends\n"
           "  --check              load the data file, report what is wrong, and exit\n"
           "  --dump               print the loaded switch, one object per line, and exit\n";
}

bool SimOptions::Parse(const std::vector<std::string>& args, unsigned enterpriseNumber, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        const size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        auto take = [&](std::string& out) {
            if (hasValue) {
                out = value;
            } else if (i + 1 < args.size()) {
                out = args[++i];
            } else {
                error = name + " needs a value";
                return false;
            }
            if (out.empty()) {
                error = name + " needs a value";
                return false;
            }
            return true;
        };
        auto flag = [&]() {
            if (hasValue) {
                error = name + " takes no value";
                return false;
            }
            return true;
        };
        std::string v;
        long n = 0;
        if (name == "--listen") {
            if (!take(listen))
                return false;
        } else if (name == "--data") {
            if (!take(dataFile))
                return false;
        } else if (name == "--log") {
            if (!take(logFile))
                return false;
        } else if (name == "--state") {
            if (!take(stateFile))
                return false;
        } else if (name == "--ready-file") {
            if (!take(readyFile))
                return false;
        } else if (name == "--delay") {
            if (!take(v))
                return false;
            if (!ParseCount(v, 0, 600000, n)) {
                error = "--delay: \"" + v + "\" is not a number of milliseconds (0 to 600000)";
                return false;
            }
            faults.delayMs = static_cast<int>(n);
        } else if (name == "--drop-every") {
            if (!take(v))
                return false;
            if (!ParseCount(v, 1, 1000000000, faults.dropEvery)) {
                error = "--drop-every: \"" + v + "\" is not a positive number";
                return false;
            }
        } else if (name == "--stop-after") {
            if (!take(v))
                return false;
            if (!ParseCount(v, 0, 1000000000, faults.stopAfter)) {
                error = "--stop-after: \"" + v + "\" is not a number";
                return false;
            }
        } else if (name == "--error-oid") {
            if (!take(v))
                return false;
            SimFaults::ErrorRule rule;
            if (!SimFaults::ParseErrorRule(v, enterpriseNumber, rule, error)) {
                error = "--error-oid: " + error;
                return false;
            }
            faults.errorRules.push_back(rule);
        } else if (name == "--refuse-bulk") {
            if (!take(v))
                return false;
            if (!SimFaults::ParseStatus(v, faults.refuseBulk)) {
                error = "--refuse-bulk: \"" + v + "\" is not an SNMP error status (a name such as genErr, or 1 to 18)";
                return false;
            }
        } else if (name == "--bulk-max-bindings") {
            if (!take(v))
                return false;
            if (!ParseCount(v, 1, 1000000, faults.bulkMaxBindings)) {
                error = "--bulk-max-bindings: \"" + v + "\" is not a positive number";
                return false;
            }
        } else if (name == "--wrong-type" || name == "--oversize") {
            if (!take(v))
                return false;
            SimFaults::ValueRule rule;
            const bool ok = name == "--wrong-type" ? SimFaults::ParseWrongType(v, enterpriseNumber, rule, error)
                                                   : SimFaults::ParseOversize(v, enterpriseNumber, rule, error);
            if (!ok) {
                error = name + ": " + error;
                return false;
            }
            faults.valueRules.push_back(rule);
        } else if (name == "--strict-rowstatus") {
            if (!flag())
                return false;
            strictRowStatus = true;
        } else if (name == "--exit-with-parent") {
            if (!flag())
                return false;
            exitWithParent = true;
        } else if (name == "--check") {
            if (!flag())
                return false;
            checkOnly = true;
        } else if (name == "--dump") {
            if (!flag())
                return false;
            dump = true;
        } else if (name == "--help" || name == "-h") {
            help = true;
        } else {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
    }
    return true;
}

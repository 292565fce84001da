#include "sim/simfaults.h"

#include <cerrno>
#include <cstdlib>
#include <strings.h>

namespace {

const char *const statusNames[] = {
    "noError",      "tooBig",           "noSuchName",  "badValue",          "readOnly",
    "genErr",       "noAccess",         "wrongType",   "wrongLength",       "wrongEncoding",
    "wrongValue",   "noCreation",       "inconsistentValue", "resourceUnavailable", "commitFailed",
    "undoFailed",   "authorizationError", "notWritable", "inconsistentName",
};
constexpr int statusCount = sizeof(statusNames) / sizeof(statusNames[0]);

} // namespace

const char *SimFaults::statusName(int status)
{
    return status >= 0 && status < statusCount ? statusNames[status] : "unknown";
}

bool SimFaults::parseErrorRule(const std::string &text, unsigned enterpriseNumber, ErrorRule &rule,
                               std::string &error)
{
    const size_t eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) {
        error = "\"" + text + "\" should read OID=STATUS, for example 1.3.6.1.2.1.1.5.0=genErr";
        return false;
    }
    if (!simoid::parse(text.substr(0, eq), enterpriseNumber, rule.prefix)) {
        error = "\"" + text.substr(0, eq) + "\" is not an object identifier";
        return false;
    }
    const std::string st = text.substr(eq + 1);
    if (!parseStatus(st, rule.status)) {
        error = "\"" + st + "\" is not an SNMP error status (a name such as genErr, or 1 to 18)";
        return false;
    }
    return true;
}

bool SimFaults::parseStatus(const std::string &text, int &status)
{
    for (int i = 1; i < statusCount; ++i) {
        if (strcasecmp(text.c_str(), statusNames[i]) == 0) {
            status = i;
            return true;
        }
    }
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno || *end || v < 1 || v >= statusCount)
        return false;
    status = static_cast<int>(v);
    return true;
}

SimFaults::Decision SimFaults::next(const std::vector<SimOid> &oids)
{
    ++count_;
    Decision d;
    if (stopAfter >= 0 && count_ > stopAfter) {
        d.action = Action::Silent;
        return d;
    }
    if (dropEvery > 0 && count_ % dropEvery == 0) {
        d.action = Action::Drop;
        return d;
    }
    for (size_t i = 0; i < oids.size(); ++i) {
        for (const ErrorRule &r : errorRules) {
            if (simoid::isPrefix(r.prefix, oids[i])) {
                d.action = Action::Error;
                d.errorStatus = r.status;
                d.errorIndex = static_cast<int>(i + 1);
                return d;
            }
        }
    }
    return d;
}

#include "sim/simfaults.h"

#include <cerrno>
#include <cstdlib>
#include <strings.h>

namespace {

const char* const statusNames[] = {
    "noError",
    "tooBig",
    "noSuchName",
    "badValue",
    "readOnly",
    "genErr",
    "noAccess",
    "wrongType",
    "wrongLength",
    "wrongEncoding",
    "wrongValue",
    "noCreation",
    "inconsistentValue",
    "resourceUnavailable",
    "commitFailed",
    "undoFailed",
    "authorizationError",
    "notWritable",
    "inconsistentName",
};
constexpr int statusCount = sizeof(statusNames) / sizeof(statusNames[0]);

} // namespace

const char* SimFaults::StatusName(int status)
{
    return status >= 0 && status < statusCount ? statusNames[status] : "unknown";
}

bool SimFaults::ParseErrorRule(const std::string& text, unsigned enterpriseNumber, ErrorRule& rule, std::string& error)
{
    const size_t eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) {
        error = "\"" + text + "\" should read OID=STATUS, for example 1.3.6.1.2.1.1.5.0=genErr";
        return false;
    }
    if (!simoid::Parse(text.substr(0, eq), enterpriseNumber, rule.prefix)) {
        error = "\"" + text.substr(0, eq) + "\" is not an object identifier";
        return false;
    }
    const std::string st = text.substr(eq + 1);
    if (!ParseStatus(st, rule.status)) {
        error = "\"" + st + "\" is not an SNMP error status (a name such as genErr, or 1 to 18)";
        return false;
    }
    return true;
}

bool SimFaults::ParseStatus(const std::string& text, int& status)
{
    for (int i = 1; i < statusCount; ++i) {
        if (strcasecmp(text.c_str(), statusNames[i]) == 0) {
            status = i;
            return true;
        }
    }
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno || *end || v < 1 || v >= statusCount)
        return false;
    status = static_cast<int>(v);
    return true;
}

namespace {

// "OID" and "OID=REST": the rule's prefix, and REST (empty without "=").
bool ParseRuleOid(const std::string& text, unsigned enterpriseNumber, SimOid& prefix, std::string& rest,
                  std::string& error)
{
    const size_t eq = text.find('=');
    const std::string oidText = text.substr(0, eq);
    rest = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    if (!simoid::Parse(oidText, enterpriseNumber, prefix)) {
        error = "\"" + oidText + "\" is not an object identifier";
        return false;
    }
    return true;
}

bool IsOctetType(SimType type)
{
    return type == SimType::String || type == SimType::Hex || type == SimType::IpAddress;
}

} // namespace

bool SimFaults::ParseWrongType(const std::string& text, unsigned enterpriseNumber, ValueRule& rule, std::string& error)
{
    std::string typeText;
    if (!ParseRuleOid(text, enterpriseNumber, rule.prefix, typeText, error))
        return false;
    rule.size = -1;
    rule.typeGiven = text.find('=') != std::string::npos;
    if (rule.typeGiven && !SimValue::TypeFromName(typeText, rule.type)) {
        error = "\"" + typeText +
                "\" is not a type (integer, string, hex, oid, ipaddress, counter32, gauge32, "
                "timeticks, counter64, unsigned32)";
        return false;
    }
    return true;
}

bool SimFaults::ParseOversize(const std::string& text, unsigned enterpriseNumber, ValueRule& rule, std::string& error)
{
    std::string sizeText;
    if (!ParseRuleOid(text, enterpriseNumber, rule.prefix, sizeText, error))
        return false;
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(sizeText.c_str(), &end, 10);
    if (sizeText.empty() || errno || *end || n < 0 || n > 65000) {
        error = "\"" + text + "\" should read OID=N, N octets from 0 to 65000";
        return false;
    }
    rule.size = n;
    rule.typeGiven = false;
    return true;
}

bool SimFaults::Substitute(const SimOid& oid, SimType objectType, SimType& type, SimValue& value) const
{
    for (const ValueRule& r : valueRules) {
        if (!simoid::IsPrefix(r.prefix, oid))
            continue;
        value = SimValue();
        if (r.size >= 0) {
            type = SimType::String;
            value.octets.assign(static_cast<size_t>(r.size), 'A');
            return true;
        }
        type = r.typeGiven ? r.type : IsOctetType(objectType) ? SimType::Integer : SimType::String;
        switch (type) {
        case SimType::String:
            value.octets = "wrong type";
            break;
        case SimType::Hex:
            value.octets = "\xDE\xAD\xBE\xEF";
            break;
        case SimType::IpAddress:
            value.octets = std::string("\x0A\x00\x00\x01", 4);
            break;
        case SimType::ObjectId:
            value.objectId = {1, 3, 6, 1, 4};
            break;
        default:
            value.integer = 7;
            break;
        }
        return true;
    }
    return false;
}

SimFaults::Decision SimFaults::Next(const std::vector<SimOid>& oids)
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
        for (const ErrorRule& r : errorRules) {
            if (simoid::IsPrefix(r.prefix, oids[i])) {
                d.action = Action::Error;
                d.errorStatus = r.status;
                d.errorIndex = static_cast<int>(i + 1);
                return d;
            }
        }
    }
    return d;
}

#include "sim/simconstraint.h"

#include <cerrno>
#include <cstdlib>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

bool ParseNumber(const std::string& t, int64_t& out)
{
    if (t.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    out = v;
    return true;
}

bool InRanges(const std::vector<SimConstraint::Range>& ranges, int64_t v)
{
    for (const auto& r : ranges)
        if (v >= r.first && v <= r.second)
            return true;
    return false;
}

} // namespace

bool SimConstraint::ParseRanges(const std::string& text, std::vector<Range>& out)
{
    if (text.empty())
        return false;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(',', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(pos, end - pos);
        // "a..b" or a single value; a negative lower bound is allowed.
        size_t dots = part.find("..");
        int64_t lo = 0, hi = 0;
        if (dots == std::string::npos) {
            if (!ParseNumber(part, lo))
                return false;
            hi = lo;
        } else if (!ParseNumber(part.substr(0, dots), lo) || !ParseNumber(part.substr(dots + 2), hi)) {
            return false;
        }
        if (lo > hi)
            return false;
        out.emplace_back(lo, hi);
        pos = end + 1;
    }
    return true;
}

bool SimConstraint::ParseToken(const std::string& token, std::string& error)
{
    if (token == "rowstatus") {
        rowStatus_ = true;
        return true;
    }
    const size_t eq = token.find('=');
    const std::string key = eq == std::string::npos ? token : token.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : token.substr(eq + 1);
    std::vector<Range> parsed;
    if ((key == "enum" || key == "range" || key == "size") && !ParseRanges(arg, parsed)) {
        error = "bad list in constraint \"" + token + "\" (expected for example enum=1,2,3, range=0..255 or size=6)";
        return false;
    }
    if (key == "enum") {
        for (const Range& r : parsed) {
            if (r.first != r.second) {
                error = "an enumeration lists single values: \"" + token + "\"";
                return false;
            }
        }
        enums_.insert(enums_.end(), parsed.begin(), parsed.end());
        return true;
    }
    if (key == "range") {
        ranges_.insert(ranges_.end(), parsed.begin(), parsed.end());
        return true;
    }
    if (key == "size") {
        for (const Range& r : parsed) {
            if (r.first < 0 || r.second > 65535) {
                error = "a size lies between 0 and 65535: \"" + token + "\"";
                return false;
            }
        }
        sizes_.insert(sizes_.end(), parsed.begin(), parsed.end());
        return true;
    }
    error = "unknown constraint \"" + token + "\" (known: enum=, range=, size=, rowstatus)";
    return false;
}

int SimConstraint::Check(SimType type, const SimValue& value) const
{
    switch (type) {
    case SimType::String:
    case SimType::Hex:
        if (!sizes_.empty() && !InRanges(sizes_, static_cast<int64_t>(value.octets.size())))
            return SNMP_ERR_WRONGLENGTH;
        return SNMP_ERR_NOERROR;
    case SimType::IpAddress:
        return value.octets.size() == 4 ? SNMP_ERR_NOERROR : SNMP_ERR_WRONGLENGTH;
    case SimType::ObjectId:
        return SNMP_ERR_NOERROR;
    default:
        break;
    }
    if (rowStatus_ && (value.integer < 1 || value.integer > 6))
        return SNMP_ERR_WRONGVALUE;
    if (!enums_.empty() && !InRanges(enums_, value.integer) && !InRanges(ranges_, value.integer))
        return SNMP_ERR_WRONGVALUE;
    if (enums_.empty() && !ranges_.empty() && !InRanges(ranges_, value.integer))
        return SNMP_ERR_WRONGVALUE;
    return SNMP_ERR_NOERROR;
}

int64_t SimConstraint::FirstAllowed() const
{
    if (rowStatus_)
        return 1;
    if (!enums_.empty())
        return enums_.front().first;
    if (!ranges_.empty())
        return ranges_.front().first;
    return 0;
}

size_t SimConstraint::SmallestSize() const
{
    return sizes_.empty() ? 0 : static_cast<size_t>(sizes_.front().first);
}

std::string SimConstraint::RangesText(const std::vector<Range>& ranges)
{
    std::string s;
    for (const Range& r : ranges) {
        if (!s.empty())
            s += ',';
        s += std::to_string(r.first);
        if (r.second != r.first)
            s += ".." + std::to_string(r.second);
    }
    return s;
}

std::string SimConstraint::ToText() const
{
    std::string s;
    auto add = [&s](const std::string& t) {
        if (!s.empty())
            s += ' ';
        s += t;
    };
    if (rowStatus_)
        add("rowstatus");
    if (!enums_.empty())
        add("enum=" + RangesText(enums_));
    if (!ranges_.empty())
        add("range=" + RangesText(ranges_));
    if (!sizes_.empty())
        add("size=" + RangesText(sizes_));
    return s;
}

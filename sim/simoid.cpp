#include "sim/simoid.h"

#include <cctype>

namespace simoid {

SimOid Enterprise(unsigned enterpriseNumber)
{
    return {1, 3, 6, 1, 4, 1, enterpriseNumber};
}

bool Parse(const std::string& text, unsigned enterpriseNumber, SimOid& out)
{
    out.clear();
    std::string rest = text;
    if (rest.rfind("ENT", 0) == 0) {
        out = Enterprise(enterpriseNumber);
        rest = rest.substr(3);
        if (rest.empty())
            return true;
        if (rest[0] != '.')
            return false;
    }
    size_t pos = 0;
    if (!rest.empty() && rest[0] == '.')
        pos = 1;
    if (pos >= rest.size())
        return false;
    while (pos <= rest.size()) {
        size_t end = rest.find('.', pos);
        if (end == std::string::npos)
            end = rest.size();
        if (end == pos || end - pos > 10)
            return false;
        uint64_t arc = 0;
        for (size_t i = pos; i < end; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(rest[i])))
                return false;
            arc = arc * 10 + static_cast<uint64_t>(rest[i] - '0');
        }
        if (arc > 0xFFFFFFFFull)
            return false;
        out.push_back(static_cast<oid>(arc));
        if (out.size() > 128)
            return false;
        pos = end + 1;
    }
    return out.size() >= 2;
}

std::string Format(const oid* arcs, size_t count)
{
    std::string s;
    for (size_t i = 0; i < count; ++i) {
        if (i)
            s += '.';
        s += std::to_string(arcs[i]);
    }
    return s;
}

std::string Format(const SimOid& o)
{
    return Format(o.data(), o.size());
}

std::string FormatWithEnt(const SimOid& o, unsigned enterpriseNumber)
{
    const SimOid ent = Enterprise(enterpriseNumber);
    if (IsPrefix(ent, o)) {
        std::string s = "ENT";
        for (size_t i = ent.size(); i < o.size(); ++i)
            s += "." + std::to_string(o[i]);
        return s;
    }
    return Format(o);
}

bool IsPrefix(const SimOid& prefix, const oid* arcs, size_t count)
{
    if (prefix.size() > count)
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (prefix[i] != arcs[i])
            return false;
    return true;
}

bool IsPrefix(const SimOid& prefix, const SimOid& o)
{
    return IsPrefix(prefix, o.data(), o.size());
}

} // namespace simoid

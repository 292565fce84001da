#include "sim/simoidpattern.h"

#include <cerrno>
#include <cstdlib>

size_t SimOidPattern::Count() const
{
    size_t n = 1;
    for (const auto& values : lists)
        n *= values.size();
    return n;
}

std::string SimOidPattern::Text(const std::vector<oid>& arcs) const
{
    std::string out = pieces[0];
    for (size_t k = 0; k < arcs.size(); ++k)
        out += std::to_string(arcs[k]) + pieces[k + 1];
    return out;
}

bool SimOidPattern::ExpandList(const std::string& inside, size_t limit, std::vector<oid>& values, bool& tooMany)
{
    tooMany = false;
    size_t pos = 0;
    while (pos <= inside.size()) {
        size_t end = inside.find(',', pos);
        if (end == std::string::npos)
            end = inside.size();
        const std::string part = inside.substr(pos, end - pos);
        size_t dots = part.find("..");
        char* stop = nullptr;
        if (part.empty())
            return false;
        if (dots == std::string::npos) {
            errno = 0;
            unsigned long v = std::strtoul(part.c_str(), &stop, 10);
            if (errno || *stop || part[0] == '-' || v > 0xFFFFFFFFul)
                return false;
            if (values.size() >= limit) {
                tooMany = true;
                return false;
            }
            values.push_back(v);
        } else {
            const std::string a = part.substr(0, dots), b = part.substr(dots + 2);
            if (a.empty() || b.empty() || a[0] == '-' || b[0] == '-')
                return false;
            errno = 0;
            unsigned long lo = std::strtoul(a.c_str(), &stop, 10);
            if (errno || *stop)
                return false;
            unsigned long hi = std::strtoul(b.c_str(), &stop, 10);
            if (errno || *stop || lo > hi || hi - lo > 100000 || hi > 0xFFFFFFFFul)
                return false;
            if (hi - lo + 1 > limit - values.size()) {
                tooMany = true;
                return false;
            }
            for (unsigned long v = lo; v <= hi; ++v)
                values.push_back(v);
        }
        pos = end + 1;
    }
    return !values.empty();
}

bool SimOidPattern::Parse(const std::string& text, size_t limit, SimOidPattern& pattern, std::string& error)
{
    pattern = SimOidPattern();
    pattern.pieces.emplace_back();
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '[') {
            pattern.pieces.back() += text[i++];
            continue;
        }
        size_t close = text.find(']', i);
        if (close == std::string::npos) {
            error = "\"[\" without \"]\" in \"" + text + "\"";
            return false;
        }
        if (pattern.lists.size() == 2) {
            error = "at most two ranges in one OID";
            return false;
        }
        // What the lists before leave of the limit for this one.
        const size_t left = limit / pattern.Count();
        std::vector<oid> values;
        bool tooMany = false;
        if (!ExpandList(text.substr(i + 1, close - i - 1), left, values, tooMany)) {
            error = tooMany ? "the ranges expand to too many objects"
                            : "bad range \"" + text.substr(i, close - i + 1) +
                                  "\" (expected for example [1..26] or [1..8,25])";
            return false;
        }
        pattern.lists.push_back(std::move(values));
        pattern.pieces.emplace_back();
        i = close + 1;
    }
    return true;
}

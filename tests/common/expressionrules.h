#pragma once
// Straightforward recursive versions of the rules of the two expression
// evaluators (common/kvexpression.h). The evaluators work through long texts
// in one pass; these check them on short texts (the unit tests' random texts
// and the fuzz harness's).
#include <cctype>
#include <string>

#include "common/kverror.h"
#include "common/kvtext.h"

namespace expressionrules {

inline size_t PartnerOf(const std::string& t, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (t[i] == '(')
            ++depth;
        else if (t[i] == ')' && --depth == 0)
            return i;
    }
    return std::string::npos;
}

inline double RulesNumber(const std::string& t)
{
    size_t open = t.find('(');
    if (open != std::string::npos) {
        size_t close = PartnerOf(t, open);
        if (close != std::string::npos)
            return RulesNumber(t.substr(0, open) + FormatNumber(RulesNumber(t.substr(open + 1, close - open - 1))) +
                               t.substr(close + 1));
    }
    size_t at;
    if ((at = t.find('+')) != std::string::npos)
        return RulesNumber(t.substr(0, at)) + RulesNumber(t.substr(at + 1));
    if ((at = t.find('-')) != std::string::npos)
        return RulesNumber(t.substr(0, at)) - RulesNumber(t.substr(at + 1));
    if ((at = t.find('*')) != std::string::npos)
        return ReadNumber(t.substr(0, at)) * RulesNumber(t.substr(at + 1));
    if ((at = t.find('/')) != std::string::npos)
        return ReadNumber(t.substr(0, at)) / RulesNumber(t.substr(at + 1));
    return ReadNumber(t);
}

inline bool RulesLogic(const std::string& t)
{
    size_t q1 = t.find('"');
    size_t q2 = q1 == std::string::npos ? q1 : t.find('"', q1 + 1);
    auto inside = [&](size_t x) { return q2 != std::string::npos && x > q1 && x < q2; };
    auto outside = [&](char c) {
        for (size_t at = t.find(c); at != std::string::npos; at = t.find(c, at + 1))
            if (!inside(at))
                return at;
        return std::string::npos;
    };
    size_t open = t.find('(');
    if (open != std::string::npos) {
        size_t close = PartnerOf(t, open);
        if (close != std::string::npos && !inside(open) && !inside(close))
            return RulesLogic(t.substr(0, open) +
                              (RulesLogic(t.substr(open + 1, close - open - 1)) ? "true" : "false") +
                              t.substr(close + 1));
    }
    size_t at;
    if ((at = outside('|')) != std::string::npos)
        return RulesLogic(t.substr(0, at)) || RulesLogic(t.substr(at + 1));
    if ((at = outside('&')) != std::string::npos)
        return RulesLogic(t.substr(0, at)) && RulesLogic(t.substr(at + 1));
    if (outside('!') != std::string::npos)
        return !RulesLogic(t.substr(1));
    std::string left, right;
    int op = SplitAtOperator({"<>", ">=", "<=", ">", "<", "="}, t, left, right);
    if (op < 0) {
        std::string w = TrimText(t);
        for (char& c : w)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (w == "true" || w == "false")
            return w == "true";
        throw KvError(-1, "bad");
    }
    left = Unquote(TrimText(left));
    right = Unquote(TrimText(right));
    const bool results[] = {left != right, left >= right, left <= right, left > right, left < right, left == right};
    return results[op];
}

} // namespace expressionrules

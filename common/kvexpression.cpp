#include "common/kvexpression.h"

#include <utility>
#include <vector>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvtext.h"
#include "common/kvtextcompare.h"

namespace {

constexpr int kBadLogicOperandCode = -1;

// Nesting deeper than this is not evaluated: the arithmetic evaluator reads
// such a part as 0, the logic evaluator rejects it as a bad operand. Real
// expressions nest a few levels; the limit keeps hostile texts (values read
// from the switch end up in conditions) from exhausting the stack.
constexpr int kMaxNesting = 200;

constexpr size_t npos = std::string::npos;

// The first '(' at or after `from` and the ')' at which the nesting depth
// counted from it returns to 0.
bool FindParentheses(const std::string& t, size_t from, size_t& open, size_t& close)
{
    open = t.find('(', from);
    if (open == npos)
        return false;
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (t[i] == '(') {
            ++depth;
        } else if (t[i] == ')') {
            if (--depth == 0) {
                close = i;
                return true;
            }
        }
    }
    return false;
}

double EvaluateNumberPart(std::string t, int nesting)
{
    if (nesting > kMaxNesting)
        return 0.0;
    // Each operator groups to the right: "a op rest" is a op (value of rest).
    // The pending left operands are kept here and folded from the right at
    // the end, which gives the same result as evaluating rest recursively.
    std::vector<std::pair<char, double>> pending;
    size_t begin = 0;
    double result = 0.0;
    for (;;) {
        size_t open = 0;
        size_t close = 0;
        if (FindParentheses(t, begin, open, close)) {
            double inner = EvaluateNumberPart(t.substr(open + 1, close - open - 1), nesting + 1);
            t = t.substr(begin, open - begin) + FormatNumber(inner) + t.substr(close + 1);
            begin = 0;
            continue;
        }
        size_t at = t.find('+', begin);
        if (at != npos) {
            pending.emplace_back('+', EvaluateNumberPart(t.substr(begin, at - begin), nesting + 1));
            begin = at + 1;
            continue;
        }
        at = t.find('-', begin);
        if (at != npos) {
            pending.emplace_back('-', EvaluateNumberPart(t.substr(begin, at - begin), nesting + 1));
            begin = at + 1;
            continue;
        }
        at = t.find('*', begin);
        if (at != npos) {
            pending.emplace_back('*', ReadNumber(t.substr(begin, at - begin)));
            begin = at + 1;
            continue;
        }
        at = t.find('/', begin);
        if (at != npos) {
            pending.emplace_back('/', ReadNumber(t.substr(begin, at - begin)));
            begin = at + 1;
            continue;
        }
        result = ReadNumber(t.substr(begin));
        break;
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        switch (it->first) {
        case '+': result = it->second + result; break;
        case '-': result = it->second - result; break;
        case '*': result = it->second * result; break;
        default: result = it->second / result; break;
        }
    }
    return result;
}

// The first quoted region: from the first '"' to the next '"' after it. An
// operator character strictly between the two does not count.
struct QuotedRegion {
    size_t first = npos;
    size_t last = npos;

    explicit QuotedRegion(const std::string& t)
    {
        size_t q = t.find('"');
        if (q != npos) {
            size_t r = t.find('"', q + 1);
            if (r != npos) {
                first = q;
                last = r;
            }
        }
    }
    bool Contains(size_t pos) const { return first != npos && pos > first && pos < last; }

    // First occurrence of `c` that lies outside the region.
    size_t FindOutside(const std::string& t, char c) const
    {
        for (size_t at = t.find(c); at != npos; at = t.find(c, at + 1)) {
            if (!Contains(at))
                return at;
        }
        return npos;
    }
};

std::string NowAsText(const std::string& part)
{
    return kvtext::Equal(part, "NOW", false) ? FormatNumber(KvDateTime::NowDayCount()) : part;
}

bool CompareTexts(const std::string& t)
{
    static const std::vector<std::string> kOperators = {"<>", ">=", "<=", ">", "<", "="};
    std::string left;
    std::string right;
    int op = SplitAtOperator(kOperators, t, left, right);
    if (op < 0) {
        // Blanks around a bare truth value (left over from "(a) & (b)") do not count.
        std::string word = TrimText(t);
        if (kvtext::Equal(word, "true", false))
            return true;
        if (kvtext::Equal(word, "false", false))
            return false;
        KvRaise(kBadLogicOperandCode);
    }
    left = NowAsText(Unquote(TrimText(left)));
    right = NowAsText(Unquote(TrimText(right)));
    int order = left.compare(right);
    switch (op) {
    case 0: return order != 0;
    case 1: return order >= 0;
    case 2: return order <= 0;
    case 3: return order > 0;
    case 4: return order < 0;
    default: return order == 0;
    }
}

bool EvaluateLogicPart(std::string t, int nesting)
{
    if (nesting > kMaxNesting)
        KvRaise(kBadLogicOperandCode);
    bool negate = false;
    for (;;) {
        QuotedRegion quoted(t);
        size_t open = 0;
        size_t close = 0;
        if (FindParentheses(t, 0, open, close) && !quoted.Contains(open) && !quoted.Contains(close)) {
            bool inner = EvaluateLogicPart(t.substr(open + 1, close - open - 1), nesting + 1);
            t = t.substr(0, open) + (inner ? "true" : "false") + t.substr(close + 1);
            continue;
        }
        size_t at = quoted.FindOutside(t, '|');
        if (at != npos) {
            if (EvaluateLogicPart(t.substr(0, at), nesting + 1))
                return !negate;
            t = t.substr(at + 1);
            continue;
        }
        at = quoted.FindOutside(t, '&');
        if (at != npos) {
            if (!EvaluateLogicPart(t.substr(0, at), nesting + 1))
                return negate;
            t = t.substr(at + 1);
            continue;
        }
        if (quoted.FindOutside(t, '!') != npos) {
            // The '!' is expected to be the first character; whatever that
            // character is, it is dropped.
            negate = !negate;
            t.erase(0, 1);
            continue;
        }
        return CompareTexts(t) != negate;
    }
}

} // namespace

double EvaluateNumber(const std::string& text)
{
    return EvaluateNumberPart(text, 0);
}

bool EvaluateLogic(const std::string& text)
{
    return EvaluateLogicPart(text, 0);
}

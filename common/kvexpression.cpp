#include "common/kvexpression.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvtext.h"
#include "common/kvtextcompare.h"

namespace {

constexpr int kBadLogicOperandCode = -1;

// Parentheses nested deeper than this are not evaluated: the arithmetic
// evaluator reads such a text as 0, the logic evaluator rejects it as a bad
// operand. Real expressions nest a few levels; the limit keeps hostile texts
// (values read from the switch end up in conditions) from exhausting the stack.
constexpr int kMaxNesting = 100;

constexpr size_t npos = std::string::npos;

// The parenthesis pairs of a text: for a '(' the ')' at which the nesting
// depth counted from it returns to 0. All pairs are matched once up front (a
// ')' closes the latest open '(', which gives the same pairs), so that
// searching a long text again and again stays linear.
class Parentheses {
public:
    explicit Parentheses(const std::string& t) : closeOf_(t.size(), npos)
    {
        std::vector<size_t> open;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '(') {
                open.push_back(i);
            } else if (t[i] == ')' && !open.empty()) {
                closeOf_[open.back()] = i;
                open.pop_back();
            }
        }
        // Depth counted over matched pairs only (they nest properly).
        std::vector<size_t> enclosing;
        for (size_t i = 0; i < t.size(); ++i) {
            if (!enclosing.empty() && enclosing.back() == i)
                enclosing.pop_back();
            if (t[i] == '(' && closeOf_[i] != npos) {
                enclosing.push_back(closeOf_[i]);
                maxDepth_ = std::max(maxDepth_, enclosing.size());
            }
        }
    }

    size_t MaxDepth() const { return maxDepth_; }

    // The first '(' at or after `from` in the current text and its partner.
    bool Find(const std::string& t, size_t from, size_t& open, size_t& close) const
    {
        open = t.find('(', from);
        if (open == npos)
            return false;
        size_t original = static_cast<size_t>(static_cast<std::ptrdiff_t>(open) - shift_);
        if (closeOf_[original] == npos)
            return false;
        close = static_cast<size_t>(static_cast<std::ptrdiff_t>(closeOf_[original]) + shift_);
        return true;
    }

    // The text up to `end` was replaced by `length` characters without '('.
    void Replaced(size_t end, size_t length)
    {
        shift_ += static_cast<std::ptrdiff_t>(length) - static_cast<std::ptrdiff_t>(end);
    }

private:
    std::vector<size_t> closeOf_; // by position in the text the object was built for
    std::ptrdiff_t shift_ = 0;    // position in the current text minus that position
    size_t maxDepth_ = 0;
};

// "NOW" stands for one instant throughout an evaluation, so that NOW-NOW is
// 0 even when the clock moves on while the text is evaluated.
class Instant {
public:
    double DayCount()
    {
        if (!taken_) {
            dayCount_ = KvDateTime::NowDayCount();
            taken_ = true;
        }
        return dayCount_;
    }

private:
    bool taken_ = false;
    double dayCount_ = 0.0;
};

bool IsNow(const std::string& text)
{
    return kvtext::Equal(text, "NOW", false);
}

double ReadOperand(const std::string& text, Instant& now)
{
    return IsNow(text) ? now.DayCount() : ReadNumber(text);
}

// Applies the parenthesis rule to t[begin..] for as long as it applies: the
// first '(' and its partner are replaced by the value of the text between
// them, and the new text is searched again. A replacement leaves no '(' before
// the next one, so one pass from left to right does the same work. When
// `quoteAware` is set, a pair with either end inside the first quoted region
// of the current text is not replaced, and the rule no longer applies.
// Returns true when something was replaced (t is then the new text, begin 0).
template <typename EvaluateInner>
bool ReplaceParenthesised(std::string& t, size_t& begin, Parentheses& pairs, bool quoteAware,
                          EvaluateInner evaluateInner)
{
    std::vector<size_t> quotes; // positions of '"' at or after begin
    if (quoteAware) {
        for (size_t q = t.find('"', begin); q != npos; q = t.find('"', q + 1))
            quotes.push_back(q);
    }
    size_t nextQuote = 0;         // first entry of `quotes` at or after pos
    std::string prefix;           // the new text so far
    size_t prefixQuote[2] = {};   // first two '"' of the prefix
    size_t prefixQuoteCount = 0;
    size_t pos = begin;           // the rest of the new text is t[pos..]
    bool replaced = false;
    for (;;) {
        size_t open = 0;
        size_t close = 0;
        if (!pairs.Find(t, pos, open, close))
            break;
        if (quoteAware) {
            // The first quoted region of prefix + t[pos..], in those coordinates.
            size_t region[2];
            size_t found = 0;
            for (; found < prefixQuoteCount; ++found)
                region[found] = prefixQuote[found];
            for (size_t i = nextQuote; found < 2 && i < quotes.size(); ++i)
                region[found++] = prefix.size() + quotes[i] - pos;
            if (found == 2) {
                auto inside = [&](size_t at) {
                    size_t x = prefix.size() + at - pos;
                    return x > region[0] && x < region[1];
                };
                if (inside(open) || inside(close))
                    break;
            }
            for (; nextQuote < quotes.size() && quotes[nextQuote] < open; ++nextQuote) {
                if (prefixQuoteCount < 2)
                    prefixQuote[prefixQuoteCount++] = prefix.size() + quotes[nextQuote] - pos;
            }
            while (nextQuote < quotes.size() && quotes[nextQuote] <= close)
                ++nextQuote;
        }
        std::string value = evaluateInner(t.substr(open + 1, close - open - 1));
        prefix.append(t, pos, open - pos);
        prefix += value;
        pos = close + 1;
        replaced = true;
    }
    if (replaced) {
        pairs.Replaced(pos, prefix.size());
        t = prefix + t.substr(pos);
        begin = 0;
    }
    return replaced;
}

double EvaluateNumberPart(std::string t, int nesting, Instant& now)
{
    if (nesting > kMaxNesting)
        return 0.0;
    // Each operator groups to the right: "a op rest" is a op (value of rest).
    // The pending left operands are kept here and folded from the right at
    // the end, which gives the same result as evaluating rest recursively.
    std::vector<std::pair<char, double>> pending;
    size_t begin = 0;
    double result = 0.0;
    Parentheses pairs(t);
    auto evaluateInner = [nesting, &now](const std::string& inner) {
        return FormatNumber(EvaluateNumberPart(inner, nesting + 1, now));
    };
    for (;;) {
        if (ReplaceParenthesised(t, begin, pairs, false, evaluateInner))
            continue;
        size_t at = t.find('+', begin);
        if (at != npos) {
            pending.emplace_back('+', EvaluateNumberPart(t.substr(begin, at - begin), nesting, now));
            begin = at + 1;
            continue;
        }
        at = t.find('-', begin);
        if (at != npos) {
            pending.emplace_back('-', EvaluateNumberPart(t.substr(begin, at - begin), nesting, now));
            begin = at + 1;
            continue;
        }
        at = t.find('*', begin);
        if (at != npos) {
            pending.emplace_back('*', ReadOperand(t.substr(begin, at - begin), now));
            begin = at + 1;
            continue;
        }
        at = t.find('/', begin);
        if (at != npos) {
            pending.emplace_back('/', ReadOperand(t.substr(begin, at - begin), now));
            begin = at + 1;
            continue;
        }
        result = ReadOperand(t.substr(begin), now);
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

// The first quoted region of t[begin..]: from the first '"' to the next '"'
// after it. An operator character strictly between the two does not count.
struct QuotedRegion {
    size_t first = npos;
    size_t last = npos;

    QuotedRegion(const std::string& t, size_t begin)
    {
        size_t q = t.find('"', begin);
        if (q != npos) {
            size_t r = t.find('"', q + 1);
            if (r != npos) {
                first = q;
                last = r;
            }
        }
    }
    bool Contains(size_t pos) const { return first != npos && pos > first && pos < last; }

    // First occurrence of `c` at or after `begin` that lies outside the region.
    size_t FindOutside(const std::string& t, size_t begin, char c) const
    {
        for (size_t at = t.find(c, begin); at != npos; at = t.find(c, at + 1)) {
            if (!Contains(at))
                return at;
        }
        return npos;
    }
};

std::string NowAsText(const std::string& part, Instant& now)
{
    return IsNow(part) ? FormatNumber(now.DayCount()) : part;
}

bool CompareTexts(const std::string& t, Instant& now)
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
    left = NowAsText(Unquote(TrimText(left)), now);
    right = NowAsText(Unquote(TrimText(right)), now);
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

bool EvaluateLogicPart(std::string t, int nesting, Instant& now)
{
    if (nesting > kMaxNesting)
        KvRaise(kBadLogicOperandCode);
    // The text still to evaluate is t[begin..]; the right part of '|', '&' and
    // '!' is evaluated in place (the loop) instead of by a further call.
    size_t begin = 0;
    bool negate = false;
    Parentheses pairs(t);
    auto evaluateInner = [nesting, &now](const std::string& inner) {
        return std::string(EvaluateLogicPart(inner, nesting + 1, now) ? "true" : "false");
    };
    for (;;) {
        if (ReplaceParenthesised(t, begin, pairs, true, evaluateInner))
            continue;
        QuotedRegion quoted(t, begin);
        size_t at = quoted.FindOutside(t, begin, '|');
        if (at != npos) {
            if (EvaluateLogicPart(t.substr(begin, at - begin), nesting, now))
                return !negate;
            begin = at + 1;
            continue;
        }
        at = quoted.FindOutside(t, begin, '&');
        if (at != npos) {
            if (!EvaluateLogicPart(t.substr(begin, at - begin), nesting, now))
                return negate;
            begin = at + 1;
            continue;
        }
        if (quoted.FindOutside(t, begin, '!') != npos) {
            // The '!' is expected to be the first character; whatever that
            // character is, it is dropped.
            negate = !negate;
            ++begin;
            continue;
        }
        return CompareTexts(t.substr(begin), now) != negate;
    }
}

} // namespace

double EvaluateNumber(const std::string& text)
{
    if (Parentheses(text).MaxDepth() > static_cast<size_t>(kMaxNesting))
        return 0.0;
    Instant now;
    return EvaluateNumberPart(text, 0, now);
}

bool EvaluateLogic(const std::string& text)
{
    if (Parentheses(text).MaxDepth() > static_cast<size_t>(kMaxNesting))
        KvRaise(kBadLogicOperandCode);
    Instant now;
    return EvaluateLogicPart(text, 0, now);
}

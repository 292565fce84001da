#include "common/kvexpression.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvtext.h"
#include "common/kvtextcompare.h"

namespace {

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
                ++pairs_;
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
    size_t Count() const { return pairs_; }
    // The partner of the '(' at `open`, or npos.
    size_t CloseOf(size_t open) const { return closeOf_[open]; }

private:
    std::vector<size_t> closeOf_;
    size_t pairs_ = 0;
    size_t maxDepth_ = 0;
};

// The text an evaluator works through. The part before `begin` is used up.
// The parenthesis rule replaces a part that ends at some position by a new
// text (without '('), which is written in place just before that position:
// the rest of the text never moves, so what was found in it once (where its
// operators, quotes and parenthesis pairs are) stays right, and a long text
// is not copied again for every replacement. The text keeps room in front for
// replacements longer than what they replace.
//
// The evaluators ask for the next operator, quote or parenthesis again after
// every operand; the positions of those characters are kept in order (last
// first, so that replacing the front of the text changes only the end of each
// list) and found by binary search.
class WorkText {
public:
    // `growth`: how much longer than the pair it replaces a replacement can be.
    WorkText(const std::string& text, std::string_view specials, size_t growth)
        : pairs_(text), specials_(specials), positions_(specials.size())
    {
        room_ = pairs_.Count() * growth;
        t_.assign(room_, ' ');
        t_ += text;
        begin = room_;
        for (size_t i = t_.size(); i-- > room_;)
            Note(i);
    }

    size_t begin;

    size_t End() const { return t_.size(); }
    std::string Part(size_t from, size_t to) const { return t_.substr(from, to - from); }

    // The first position of `c` (one of the specials) at or after `from`, or npos.
    size_t Next(char c, size_t from) const
    {
        const std::vector<size_t>& list = positions_[specials_.find(c)];
        // Positions at or after `from` come first in the list; the last of
        // them is the one.
        const auto it = std::partition_point(list.begin(), list.end(), [from](size_t at) { return at >= from; });
        return it == list.begin() ? npos : *(it - 1);
    }

    // The first '(' at or after `from` and its partner.
    bool FindPair(size_t from, size_t& open, size_t& close) const
    {
        open = Next('(', from);
        if (open == npos)
            return false;
        const size_t partner = pairs_.CloseOf(open - room_);
        if (partner == npos)
            return false;
        close = partner + room_;
        return true;
    }

    // The text from `begin` up to `end` becomes `text`, which holds no '(';
    // `begin` moves to its start.
    void Replace(size_t end, const std::string& text)
    {
        begin = end - text.size();
        t_.replace(begin, text.size(), text);
        for (std::vector<size_t>& list : positions_)
            while (!list.empty() && list.back() < end)
                list.pop_back();
        for (size_t i = end; i-- > begin;)
            Note(i);
    }

private:
    void Note(size_t i)
    {
        const size_t k = specials_.find(t_[i]);
        if (k != std::string_view::npos)
            positions_[k].push_back(i);
    }

    Parentheses pairs_; // of the text as given (before the room)
    std::string_view specials_;
    std::vector<std::vector<size_t>> positions_;
    std::string t_;
    size_t room_ = 0;
};

constexpr std::string_view kNumberSpecials = "(+-*/";
constexpr std::string_view kLogicSpecials = "(\"|&!";
// A replacement is a number (at most 24 characters) or a truth value (at
// most 5); the pair it replaces has 2 characters at least.
constexpr size_t kNumberGrowth = 22;
constexpr size_t kLogicGrowth = 3;

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

// Applies the parenthesis rule to the text from `begin` for as long as it
// applies: the first '(' and its partner are replaced by the value of the
// text between them, and the new text is searched again. A replacement
// leaves no '(' before the next one, so one pass from left to right does the
// same work. When `quoteAware` is set, a pair with either end inside the
// first quoted region of the current text is not replaced, and the rule no
// longer applies. Returns true when something was replaced (the text from
// `begin` is then the new text).
template <typename EvaluateInner>
bool ReplaceParenthesised(WorkText& text, bool quoteAware, EvaluateInner evaluateInner)
{
    std::string prefix;         // the new text so far
    size_t prefixQuote[2] = {}; // first two '"' of the prefix
    size_t prefixQuoteCount = 0;
    size_t pos = text.begin; // the rest of the new text is the text from pos
    bool replaced = false;
    for (;;) {
        size_t open = 0;
        size_t close = 0;
        if (!text.FindPair(pos, open, close))
            break;
        if (quoteAware) {
            // The first quoted region of prefix + the text from pos, in those
            // coordinates.
            size_t region[2];
            size_t found = 0;
            for (; found < prefixQuoteCount; ++found)
                region[found] = prefixQuote[found];
            for (size_t q = text.Next('"', pos); found < 2 && q != npos; q = text.Next('"', q + 1))
                region[found++] = prefix.size() + q - pos;
            if (found == 2) {
                auto inside = [&](size_t at) {
                    size_t x = prefix.size() + at - pos;
                    return x > region[0] && x < region[1];
                };
                if (inside(open) || inside(close))
                    break;
            }
            // Quotes before the pair go into the prefix with the text.
            for (size_t q = text.Next('"', pos); prefixQuoteCount < 2 && q != npos && q < open;
                 q = text.Next('"', q + 1))
                prefixQuote[prefixQuoteCount++] = prefix.size() + q - pos;
        }
        std::string value = evaluateInner(text.Part(open + 1, close));
        prefix += text.Part(pos, open);
        prefix += value;
        pos = close + 1;
        replaced = true;
    }
    if (replaced)
        text.Replace(pos, prefix);
    return replaced;
}

double EvaluateNumberPart(const std::string& t, int nesting, Instant& now)
{
    if (nesting > kMaxNesting)
        return 0.0;
    // Each operator groups to the right: "a op rest" is a op (value of rest).
    // The pending left operands are kept here and folded from the right at
    // the end, which gives the same result as evaluating rest recursively.
    std::vector<std::pair<char, double>> pending;
    double result = 0.0;
    WorkText text(t, kNumberSpecials, kNumberGrowth);
    auto evaluateInner = [nesting, &now](const std::string& inner) {
        return FormatNumber(EvaluateNumberPart(inner, nesting + 1, now));
    };
    for (;;) {
        if (ReplaceParenthesised(text, false, evaluateInner))
            continue;
        const size_t begin = text.begin;
        size_t at = text.Next('+', begin);
        if (at != npos) {
            pending.emplace_back('+', EvaluateNumberPart(text.Part(begin, at), nesting, now));
            text.begin = at + 1;
            continue;
        }
        at = text.Next('-', begin);
        if (at != npos) {
            pending.emplace_back('-', EvaluateNumberPart(text.Part(begin, at), nesting, now));
            text.begin = at + 1;
            continue;
        }
        at = text.Next('*', begin);
        if (at != npos) {
            pending.emplace_back('*', ReadOperand(text.Part(begin, at), now));
            text.begin = at + 1;
            continue;
        }
        at = text.Next('/', begin);
        if (at != npos) {
            pending.emplace_back('/', ReadOperand(text.Part(begin, at), now));
            text.begin = at + 1;
            continue;
        }
        result = ReadOperand(text.Part(begin, text.End()), now);
        break;
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        switch (it->first) {
        case '+':
            result = it->second + result;
            break;
        case '-':
            result = it->second - result;
            break;
        case '*':
            result = it->second * result;
            break;
        default:
            result = it->second / result;
            break;
        }
    }
    return result;
}

// The first quoted region of t[begin..]: from the first '"' to the next '"'
// after it. An operator character strictly between the two does not count.
struct QuotedRegion {
    size_t first = npos;
    size_t last = npos;

    QuotedRegion(const WorkText& text, size_t begin) : text_(text)
    {
        size_t q = text.Next('"', begin);
        if (q != npos) {
            size_t r = text.Next('"', q + 1);
            if (r != npos) {
                first = q;
                last = r;
            }
        }
    }
    bool Contains(size_t pos) const { return first != npos && pos > first && pos < last; }

    // First occurrence of `c` at or after `begin` that lies outside the region.
    size_t FindOutside(size_t begin, char c) const
    {
        const size_t at = text_.Next(c, begin);
        return Contains(at) ? text_.Next(c, last) : at;
    }

private:
    const WorkText& text_;
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
        KvRaise(kvErrBadLogicOperand);
    }
    left = NowAsText(Unquote(TrimText(left)), now);
    right = NowAsText(Unquote(TrimText(right)), now);
    int order = left.compare(right);
    switch (op) {
    case 0:
        return order != 0;
    case 1:
        return order >= 0;
    case 2:
        return order <= 0;
    case 3:
        return order > 0;
    case 4:
        return order < 0;
    default:
        return order == 0;
    }
}

bool EvaluateLogicPart(const std::string& t, int nesting, Instant& now)
{
    if (nesting > kMaxNesting)
        KvRaise(kvErrBadLogicOperand);
    // The right part of '|', '&' and '!' is evaluated in place (the loop)
    // instead of by a further call.
    bool negate = false;
    WorkText text(t, kLogicSpecials, kLogicGrowth);
    auto evaluateInner = [nesting, &now](const std::string& inner) {
        return std::string(EvaluateLogicPart(inner, nesting + 1, now) ? "true" : "false");
    };
    for (;;) {
        if (ReplaceParenthesised(text, true, evaluateInner))
            continue;
        const size_t begin = text.begin;
        QuotedRegion quoted(text, begin);
        size_t at = quoted.FindOutside(begin, '|');
        if (at != npos) {
            if (EvaluateLogicPart(text.Part(begin, at), nesting, now))
                return !negate;
            text.begin = at + 1;
            continue;
        }
        at = quoted.FindOutside(begin, '&');
        if (at != npos) {
            if (!EvaluateLogicPart(text.Part(begin, at), nesting, now))
                return negate;
            text.begin = at + 1;
            continue;
        }
        if (quoted.FindOutside(begin, '!') != npos) {
            // The '!' is expected to be the first character; whatever that
            // character is, it is dropped.
            negate = !negate;
            text.begin = begin + 1;
            continue;
        }
        return CompareTexts(text.Part(begin, text.End()), now) != negate;
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
        KvRaise(kvErrBadLogicOperand);
    Instant now;
    return EvaluateLogicPart(text, 0, now);
}

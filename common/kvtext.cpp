#include "common/kvtext.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/kvdatetime.h"
#include "common/kvtextcompare.h"

namespace {

// Decimal exponent of the first significant digit of a number text of the form
// digits[.digits][e[sign]digits] (clamped to avoid overflow).
long DecimalExponent(std::string_view number)
{
    long position = 0; // exponent of the digit being looked at, before the 'e' part
    size_t point = number.find('.');
    size_t mantissaEnd = number.find_first_of("eE");
    if (mantissaEnd == std::string_view::npos)
        mantissaEnd = number.size();
    size_t integerDigits = (point == std::string_view::npos || point > mantissaEnd) ? mantissaEnd : point;
    long leading = 0;
    bool found = false;
    for (size_t i = 0; i < mantissaEnd; ++i) {
        if (number[i] == '.')
            continue;
        if (number[i] != '0') {
            found = true;
            break;
        }
        ++leading;
    }
    if (!found)
        return -1;
    position = static_cast<long>(integerDigits) - 1 - leading;
    long exponent = 0;
    bool negative = false;
    size_t i = mantissaEnd + 1;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        negative = number[i++] == '-';
    for (; i < number.size(); ++i) {
        if (exponent < 100000000)
            exponent = exponent * 10 + (number[i] - '0');
    }
    return position + (negative ? -exponent : exponent);
}

} // namespace

std::string Unquote(const std::string& text)
{
    if (!text.empty() && text.front() == '"' && text.back() == '"')
        return text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    return text;
}

int SpanOf(const std::string& text, int start, const std::string& set)
{
    if (start < 1 || static_cast<size_t>(start) > text.size())
        return 0;
    size_t pos = static_cast<size_t>(start) - 1;
    if (set.find(text[pos]) == std::string::npos)
        return 0;
    while (pos + 1 < text.size() && set.find(text[pos + 1]) != std::string::npos)
        ++pos;
    return static_cast<int>(pos + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement)
{
    if (pattern.empty())
        return text;
    std::string result;
    size_t from = 0;
    for (;;) {
        size_t at = text.find(pattern, from);
        if (at == std::string::npos)
            break;
        result.append(text, from, at - from);
        result += replacement;
        from = at + pattern.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

int SplitAtOperator(const std::vector<std::string>& operators, const std::string& text, std::string& left,
                    std::string& right)
{
    for (size_t i = 0; i < operators.size(); ++i) {
        const std::string& op = operators[i];
        if (op.empty())
            continue;
        size_t at = text.find(op);
        if (at != std::string::npos) {
            left = text.substr(0, at);
            right = text.substr(at + op.size());
            return static_cast<int>(i);
        }
    }
    left = text;
    right.clear();
    return -1;
}

std::string TrimText(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

double ReadNumber(const std::string& text)
{
    if (kvtext::Equal(text, "NOW", false))
        return KvDateTime::NowDayCount();

    // The longest beginning of the form [blanks][sign]digits[.digits][e[sign]digits].
    size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t numberStart = pos;
    auto isDigit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    size_t digits = 0;
    while (isDigit(pos)) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        size_t fractionEnd = pos + 1;
        size_t fractionDigits = 0;
        while (isDigit(fractionEnd)) {
            ++fractionEnd;
            ++fractionDigits;
        }
        if (digits + fractionDigits > 0) {
            pos = fractionEnd;
            digits += fractionDigits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t exponentEnd = pos + 1;
        if (exponentEnd < text.size() && (text[exponentEnd] == '+' || text[exponentEnd] == '-'))
            ++exponentEnd;
        if (isDigit(exponentEnd)) {
            while (isDigit(exponentEnd))
                ++exponentEnd;
            pos = exponentEnd;
        }
    }

    double value = 0.0;
    const char* first = text.data() + numberStart;
    const char* last = text.data() + pos;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large reads as infinity, too small as 0.
        value = DecimalExponent(std::string_view(first, static_cast<size_t>(last - first))) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    (void)end;
    return negative ? -value : value;
}

std::string FormatNumber(double value)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc())
        return "0";
    // The largest numbers round to 15 digits beyond the largest double
    // ("1.79769313486232e+308"), which reads back as infinity: they are
    // written with the digits that read back exactly.
    if (std::isfinite(value) && std::fabs(value) > 1.79769313486231e308) {
        auto exact = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
        end = exact.ptr;
    }
    return std::string(buffer, end);
}

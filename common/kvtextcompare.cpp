#include "common/kvtextcompare.h"

#include <cstdint>

namespace kvtext {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Equal(std::string_view a, std::string_view b, bool caseSensitive)
{
    if (a.size() != b.size())
        return false;
    if (caseSensitive)
        return a == b;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix, bool caseSensitive)
{
    return prefix.size() <= text.size() && Equal(text.substr(0, prefix.size()), prefix, caseSensitive);
}

bool ParseInt32(std::string_view text, int& value)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t(INT32_MAX) + 1)
            return false;
    }
    int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN)
        return false;
    value = static_cast<int>(result);
    return true;
}

} // namespace kvtext

#include "common/kvscan.h"

namespace kvscan {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ReadDigitRun(std::string_view text, size_t maxDigits, uint64_t& value)
{
    if (text.empty() || text.size() > maxDigits)
        return false;
    uint64_t result = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
        result = result * 10 + static_cast<uint64_t>(c - '0');
    }
    value = result;
    return true;
}

} // namespace kvscan

#include "shell/kvconverterror.h"

#include <cstdint>

int32_t KvStrToInt(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw KvConvertError(text);
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw KvConvertError(text);
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t(INT32_MAX) + 1)
            throw KvConvertError(text);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        throw KvConvertError(text);
    return int32_t(value);
}

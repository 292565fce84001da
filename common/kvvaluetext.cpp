#include "common/kvvaluetext.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "common/kvmessages.h"
#include "common/kvscan.h"
#include "common/kvtext.h"

// Only integers go through printf here (%lu, %d), which no locale changes;
// floating-point numbers go through to_chars and from_chars.

using kvscan::IsBlank;
using kvscan::IsDigit;
using kvscan::IsHexDigit;
using kvscan::ReadDigitRun;
using kvscan::Trimmed;

namespace {

uint8_t Nibble(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

// Length of the well-formed UTF-8 sequence of a character above U+007F that
// starts at data[i], or 0 when there is none (a stray byte, an overlong or
// cut-off sequence, a surrogate).
size_t Utf8SequenceAt(const uint8_t* data, size_t size, size_t i)
{
    const uint8_t lead = data[i];
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (size - i < length)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((data[i + k] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (data[i + k] & 0x3Fu);
    }
    const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    if (code >= 0x80 && code < 0xA0)
        return 0; // C1 control characters
    return length;
}

// True when the bytes are text a display string shows as it is.
bool IsDisplayText(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i < size;) {
        const uint8_t b = data[i];
        if ((b >= 0x20 && b < 0x7F) || b == '\t' || b == '\n' || b == '\r') {
            ++i;
            continue;
        }
        const size_t sequence = b >= 0x80 ? Utf8SequenceAt(data, size, i) : 0;
        if (sequence == 0)
            return false;
        i += sequence;
    }
    return true;
}

// "0x" and an even number (at least two) of hex digits.
bool IsDisplayHexForm(std::string_view text)
{
    if (text.size() < 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X') || text.size() % 2 != 0)
        return false;
    for (size_t i = 2; i < text.size(); ++i)
        if (!IsHexDigit(text[i]))
            return false;
    return true;
}

} // namespace

// --- Octet strings -----------------------------------------------------------------

std::string FormatHexOctets(const uint8_t* data, size_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text.push_back(digits[data[i] >> 4]);
        text.push_back(digits[data[i] & 0x0F]);
    }
    return text;
}

std::vector<uint8_t> ParseHexOctets(std::string_view text)
{
    auto nibble = Nibble;
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            digits.push_back(c);
    std::vector<uint8_t> out;
    out.reserve(digits.size() / 2 + 1);
    size_t i = 0;
    if (digits.size() % 2 == 1)
        out.push_back(nibble(digits[i++]));
    for (; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(nibble(digits[i]) << 4 | nibble(digits[i + 1])));
    return out;
}

bool ReadHexText(std::string_view text, std::vector<uint8_t>& octets)
{
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (IsBlank(c))
            continue;
        if (!IsHexDigit(c))
            return false;
        digits.push_back(c);
    }
    if (digits.size() % 2 != 0)
        return false;
    std::vector<uint8_t> out;
    out.reserve(digits.size() / 2);
    for (size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(Nibble(digits[i]) << 4 | Nibble(digits[i + 1])));
    octets = std::move(out);
    return true;
}

// --- Display strings ---------------------------------------------------------------

std::string FormatDisplayOctets(const uint8_t* data, size_t size)
{
    size_t length = size;
    while (length > 0 && data[length - 1] == 0)
        --length;
    if (IsDisplayText(data, length)) {
        std::string text(reinterpret_cast<const char*>(data), length);
        if (!IsDisplayHexForm(text))
            return text;
    }
    return "0x" + FormatHexOctets(data, size);
}

std::vector<uint8_t> ParseDisplayText(std::string_view text)
{
    if (IsDisplayHexForm(text)) {
        std::vector<uint8_t> octets;
        ReadHexText(text.substr(2), octets);
        return octets;
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

// --- Numbers ------------------------------------------------------------------------

int64_t ReadLeadingDecimal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    uint64_t magnitude = 0;
    bool saturated = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
            saturated = true;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    const uint64_t limit =
        negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1 : uint64_t(std::numeric_limits<int64_t>::max());
    if (saturated || magnitude > limit)
        magnitude = limit;
    if (negative)
        return magnitude == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
    return static_cast<int64_t>(magnitude);
}

double ReadLeadingReal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow: give the infinity or
        // zero the text stands for.
        const bool negative = first != last && *first == '-';
        const std::string_view digits(first, static_cast<size_t>(result.ptr - first));
        const bool tiny = digits.find("e-") != std::string_view::npos || digits.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (negative)
            value = -value;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return value;
}

std::string FormatReal(double value)
{
    return FormatNumber(value);
}

uint64_t ReadCounter64(std::string_view text)
{
    std::string_view t = text;
    while (!t.empty() && IsBlank(t.front()))
        t.remove_prefix(1);
    uint64_t value = 0;
    auto exact = std::from_chars(t.data(), t.data() + t.size(), value);
    const bool digitsOnly = exact.ec == std::errc() && (exact.ptr == t.data() + t.size() ||
                                                        !(*exact.ptr == '.' || *exact.ptr == 'e' || *exact.ptr == 'E'));
    if (digitsOnly)
        return value;
    const double real = ReadLeadingReal(text);
    if (!(real > 0))
        return 0;
    if (real >= 18446744073709551616.0)
        return std::numeric_limits<uint64_t>::max();
    return static_cast<uint64_t>(real);
}

bool ReadWholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value)
{
    std::string_view t = Trimmed(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    uint64_t magnitude = 0;
    // 19 digits always fit; a longer run is out of any 64-bit range anyway.
    if (!ReadDigitRun(t, 19, magnitude))
        return false;
    if (negative) {
        if (magnitude > uint64_t(std::numeric_limits<int64_t>::max()) + 1)
            return false;
        const int64_t result = magnitude == uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                   ? std::numeric_limits<int64_t>::min()
                                   : -static_cast<int64_t>(magnitude);
        if (result < minimum || result > maximum)
            return false;
        value = result;
        return true;
    }
    if (magnitude > uint64_t(std::numeric_limits<int64_t>::max()))
        return false;
    const int64_t result = static_cast<int64_t>(magnitude);
    if (result < minimum || result > maximum)
        return false;
    value = result;
    return true;
}

bool ReadWholeUnsigned(std::string_view text, uint64_t& value)
{
    const std::string_view t = Trimmed(text);
    if (t.empty() || !IsDigit(t.front()))
        return false;
    uint64_t result = 0;
    auto read = std::from_chars(t.data(), t.data() + t.size(), result);
    if (read.ec != std::errc() || read.ptr != t.data() + t.size())
        return false;
    value = result;
    return true;
}

bool ReadWholeReal(std::string_view text, double& value)
{
    std::string_view t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    // Only digits, a sign, a point and an exponent: from_chars would also
    // take "inf" and "nan".
    for (char c : t)
        if (!IsDigit(c) && c != '-' && c != '+' && c != '.' && c != 'e' && c != 'E')
            return false;
    double result = 0;
    auto read = std::from_chars(t.data(), t.data() + t.size(), result, std::chars_format::general);
    if (t.empty() || read.ec != std::errc() || read.ptr != t.data() + t.size())
        return false;
    value = result;
    return true;
}


// --- Dotted texts ---------------------------------------------------------------------

std::string FormatDottedOctets(const uint8_t* data, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        if (i)
            text.push_back('.');
        text += std::to_string(data[i]);
    }
    return text;
}

std::vector<uint32_t> ReadDottedNumbers(std::string_view text)
{
    std::vector<uint32_t> numbers;
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    if (text.empty())
        return numbers;
    size_t start = 0;
    while (true) {
        const size_t dot = text.find('.', start);
        const std::string_view piece =
            text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (dot == std::string_view::npos) {
            if (!piece.empty())
                numbers.push_back(static_cast<uint32_t>(ReadLeadingDecimal(piece)));
            break;
        }
        numbers.push_back(static_cast<uint32_t>(ReadLeadingDecimal(piece)));
        start = dot + 1;
    }
    return numbers;
}

std::vector<uint8_t> ParseDottedOctets(std::string_view text)
{
    std::vector<uint8_t> octets;
    for (uint32_t number : ReadDottedNumbers(text))
        octets.push_back(static_cast<uint8_t>(number & 0xFF));
    return octets;
}

bool ReadIpAddressText(std::string_view text, std::vector<uint8_t>& octets)
{
    std::string_view t = Trimmed(text);
    std::vector<uint8_t> out;
    while (true) {
        const size_t dot = t.find('.');
        uint64_t part = 0;
        if (!ReadDigitRun(t.substr(0, dot), 3, part) || part > 255)
            return false;
        out.push_back(static_cast<uint8_t>(part));
        if (dot == std::string_view::npos)
            break;
        t.remove_prefix(dot + 1);
    }
    if (out.size() != 4)
        return false;
    octets = std::move(out);
    return true;
}

bool ParseArcs(const std::string& text, std::vector<uint32_t>& arcs)
{
    arcs.clear();
    if (text.empty())
        return true;
    size_t i = 0;
    while (true) {
        uint64_t value = 0;
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i])) {
            value = value * 10 + static_cast<uint64_t>(text[i] - '0');
            if (value > 0xFFFFFFFFu)
                return false;
            ++i;
        }
        if (i == start)
            return false;
        arcs.push_back(static_cast<uint32_t>(value));
        if (i == text.size())
            return true;
        if (text[i] != '.')
            return false;
        ++i;
    }
}

std::string ArcsText(const std::vector<uint32_t>& arcs, size_t from)
{
    std::string text;
    for (size_t i = from; i < arcs.size(); ++i) {
        if (i > from)
            text.push_back('.');
        text += std::to_string(arcs[i]);
    }
    return text;
}

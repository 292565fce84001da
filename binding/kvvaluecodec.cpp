#include "binding/kvvaluecodec.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"

namespace {

constexpr int kBadSyntax = -511;
constexpr int kBadValue = -518;
constexpr int kOutOfRange = -519;

constexpr uint32_t kTicksPerDay = 8640000;
constexpr uint32_t kTicksPerHour = 360000;
constexpr uint32_t kTicksPerMinute = 6000;
constexpr uint32_t kTicksPerSecond = 100;

constexpr std::string_view kNullText = "(NULL)";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// --- little- and big-endian helpers -------------------------------------------

void PutLE32(KvOctets& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBE16(KvOctets& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

uint32_t GetLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t GetBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void PutDouble(KvOctets& out, double d) {
    uint8_t raw[8];
    std::memcpy(raw, &d, sizeof raw);
    out.insert(out.end(), raw, raw + 8);
}

double GetDouble(const uint8_t* p) {
    double d;
    std::memcpy(&d, p, sizeof d);
    return d;
}

// Arcs of a dotted text; a leading dot and a trailing dot are ignored, an
// empty piece in between reads as 0.
std::vector<uint32_t> DottedArcs(std::string_view text) {
    std::vector<uint32_t> arcs;
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    if (text.empty()) return arcs;
    size_t start = 0;
    while (true) {
        size_t dot = text.find('.', start);
        std::string_view piece = text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (dot == std::string_view::npos) {
            if (!piece.empty()) arcs.push_back(static_cast<uint32_t>(ReadLeadingDecimal(piece)));
            break;
        }
        arcs.push_back(static_cast<uint32_t>(ReadLeadingDecimal(piece)));
        start = dot + 1;
    }
    return arcs;
}

// Width of the part of a value by code: -1 for "the rest of the value".
int PartWidth(int syntax) {
    switch (syntax) {
    case 1: case 2: case 64: case 65: case 66: case 67: case 69: case 71: return 4;
    case 70: case 72: case 75: return 8;
    case 73: return 6;
    case 74: return 11;
    case 193: case 194: case 195: return 1;
    case 196: case 197: case 198: return 2;
    case 3: case 4: case 6: case 68: case 76: return -1;
    case 5: return 0;
    default: return -2;
    }
}

// Bytes a code needs before it can be formatted.
size_t MinimumBytes(int syntax) {
    switch (syntax) {
    case 1: case 2: case 65: case 66: case 71: case 64: case 69: case 67: return 4;
    case 193: case 194: case 195: return 1;
    case 196: case 197: case 198: return 2;
    case 70: case 72: case 75: return 8;
    case 73: return 6;
    case 74: return 11;
    default: return 1;
    }
}

// --- the 11 bytes of a KvDateTime ----------------------------------------------

KvOctets DateTimeOctets(const KvDateTime& dt) {
    KvOctets out;
    out.push_back(static_cast<uint8_t>(dt.year & 0xFF));
    out.push_back(static_cast<uint8_t>(dt.year >> 8));
    out.push_back(dt.month);
    out.push_back(dt.day);
    out.push_back(dt.hour);
    out.push_back(dt.minutes);
    out.push_back(dt.seconds);
    out.push_back(dt.deciSeconds);
    out.push_back(static_cast<uint8_t>(dt.direction));
    out.push_back(dt.utcHours);
    out.push_back(dt.utcMinutes);
    return out;
}

KvDateTime DateTimeFromOctets(const uint8_t* p) {
    KvDateTime dt{std::string()};
    dt.year = static_cast<uint16_t>(p[0] | p[1] << 8);
    dt.month = p[2];
    dt.day = p[3];
    dt.hour = p[4];
    dt.minutes = p[5];
    dt.seconds = p[6];
    dt.deciSeconds = p[7];
    dt.direction = static_cast<char>(p[8]);
    dt.utcHours = p[9];
    dt.utcMinutes = p[10];
    return dt;
}

// --- calendar checks for the day-count text ------------------------------------------

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(int64_t y, unsigned m) {
    static const unsigned days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

}  // namespace

// --- shared text forms ---------------------------------------------------------------

int64_t ReadLeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
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
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                    : uint64_t(std::numeric_limits<int64_t>::max());
    if (saturated || magnitude > limit) magnitude = limit;
    if (negative) return magnitude == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
    return static_cast<int64_t>(magnitude);
}

double ReadLeadingReal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    double value = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow: give the infinity or
        // zero the text stands for.
        const bool negative = first != last && *first == '-';
        std::string digits(first, result.ptr);
        const bool tiny = digits.find("e-") != std::string::npos || digits.find("E-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (negative) value = -value;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return value;
}

std::string FormatReal(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string FormatHexOctets(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text.push_back(digits[data[i] >> 4]);
        text.push_back(digits[data[i] & 0x0F]);
    }
    return text;
}

KvOctets ParseHexOctets(std::string_view text) {
    auto nibble = [](char c) -> uint8_t {
        if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
        if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
        if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
        return 0;
    };
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (c != ' ') digits.push_back(c);
    KvOctets out;
    out.reserve(digits.size() / 2 + 1);
    size_t i = 0;
    if (digits.size() % 2 == 1) out.push_back(nibble(digits[i++]));
    for (; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(nibble(digits[i]) << 4 | nibble(digits[i + 1])));
    return out;
}

std::string FormatTimeTicks(uint32_t ticks) {
    const unsigned long days = ticks / kTicksPerDay;
    unsigned long rest = ticks % kTicksPerDay;
    const unsigned long hours = rest / kTicksPerHour;
    rest %= kTicksPerHour;
    const unsigned long minutes = rest / kTicksPerMinute;
    rest %= kTicksPerMinute;
    const unsigned long seconds = rest / kTicksPerSecond;
    const unsigned long hundredths = rest % kTicksPerSecond;
    char buffer[80];
    if (days == 0)
        std::snprintf(buffer, sizeof buffer, "%lu:%02lu:%02lu.%02lu", hours, minutes, seconds, hundredths);
    else if (days == 1)
        std::snprintf(buffer, sizeof buffer, "1 day %lu:%02lu:%02lu.%02lu", hours, minutes, seconds, hundredths);
    else
        std::snprintf(buffer, sizeof buffer, "%lu days, %lu:%02lu:%02lu.%02lu", days, hours, minutes, seconds,
                      hundredths);
    return buffer;
}

uint32_t ParseTimeTicks(std::string_view text) {
    // Unsigned 32-bit arithmetic: the count wraps like the 4-byte value it is.
    uint32_t ticks = 0;
    auto number = [](std::string_view piece) { return static_cast<uint32_t>(ReadLeadingDecimal(piece)); };
    std::string_view rest = text;
    size_t word = text.find("days");
    size_t wordLength = 4;
    if (word == std::string_view::npos) {
        word = text.find("day");
        wordLength = 3;
    }
    if (word != std::string_view::npos) {
        ticks += number(text.substr(0, word)) * kTicksPerDay;
        rest = text.substr(word + wordLength);
        if (!rest.empty() && rest.front() == ',') rest.remove_prefix(1);
    }
    const size_t hourEnd = rest.find(':');
    if (hourEnd != std::string_view::npos) {
        ticks += number(rest.substr(0, hourEnd)) * kTicksPerHour;
        rest.remove_prefix(hourEnd + 1);
        const size_t minuteEnd = rest.find(':');
        if (minuteEnd != std::string_view::npos) {
            ticks += number(rest.substr(0, minuteEnd)) * kTicksPerMinute;
            rest.remove_prefix(minuteEnd + 1);
        }
    }
    const size_t secondEnd = rest.find('.');
    if (secondEnd == std::string_view::npos) return ticks;
    ticks += number(rest.substr(0, secondEnd)) * kTicksPerSecond;
    ticks += number(rest.substr(secondEnd + 1));
    return ticks;
}

std::string FormatDayCount(double days) {
    // The years 1 to 9999.
    if (!(days >= -693593.0 && days < 2958466.0)) KvRaise(kBadValue);
    const KvCivilTime t = KvDateTime::FromDayCount(days);
    int hour12 = t.hour % 12;
    if (hour12 == 0) hour12 = 12;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d %s", t.year, t.month, t.day, hour12,
                  t.minute, t.second, t.hour < 12 ? "am" : "pm");
    return buffer;
}

double ParseDayCount(std::string_view text) {
    // Numbers in order: year, month, day, then hour, minute, second.
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    auto readNumber = [&](long& out) {
        size_t start = i;
        long value = 0;
        while (i < text.size() && IsDigit(text[i]) && i - start < 9) value = value * 10 + (text[i++] - '0');
        out = value;
        return i > start;
    };
    long year, month, day, hour = 0, minute = 0, second = 0;
    skipBlanks();
    if (!readNumber(year)) KvRaise(kBadValue);
    if (i >= text.size() || (text[i] != '/' && text[i] != '-')) KvRaise(kBadValue);
    const char separator = text[i++];
    if (!readNumber(month) || i >= text.size() || text[i] != separator) KvRaise(kBadValue);
    ++i;
    if (!readNumber(day)) KvRaise(kBadValue);
    skipBlanks();
    if (i < text.size()) {
        if (!readNumber(hour) || i >= text.size() || text[i] != ':') KvRaise(kBadValue);
        ++i;
        if (!readNumber(minute)) KvRaise(kBadValue);
        if (i < text.size() && text[i] == ':') {
            ++i;
            if (!readNumber(second)) KvRaise(kBadValue);
        }
        skipBlanks();
        if (i < text.size()) {
            std::string_view marker = text.substr(i, 2);
            const bool am = marker.size() == 2 && (marker[0] == 'a' || marker[0] == 'A') && (marker[1] == 'm' || marker[1] == 'M');
            const bool pm = marker.size() == 2 && (marker[0] == 'p' || marker[0] == 'P') && (marker[1] == 'm' || marker[1] == 'M');
            if (!am && !pm) KvRaise(kBadValue);
            if (hour < 1 || hour > 12) KvRaise(kBadValue);
            if (am && hour == 12) hour = 0;
            if (pm && hour != 12) hour += 12;
            i += 2;
            skipBlanks();
            if (i < text.size()) KvRaise(kBadValue);
        }
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12) KvRaise(kBadValue);
    if (day < 1 || day > static_cast<long>(DaysInMonth(year, static_cast<unsigned>(month)))) KvRaise(kBadValue);
    if (hour > 23 || minute > 59 || second > 59) KvRaise(kBadValue);
    KvCivilTime t;
    t.year = static_cast<int>(year);
    t.month = static_cast<int>(month);
    t.day = static_cast<int>(day);
    t.hour = static_cast<int>(hour);
    t.minute = static_cast<int>(minute);
    t.second = static_cast<int>(second);
    t.millisecond = 0;
    return KvDateTime::DayCount(t);
}

// --- the codec ----------------------------------------------------------------------

bool IsKnownValueSyntax(int syntax) { return PartWidth(syntax) != -2; }

KvOctets ParseValueText(std::string_view text, int syntax) {
    if (!IsKnownValueSyntax(syntax)) KvRaise(kBadSyntax);
    KvOctets out;
    if (syntax == 5 || text == kNullText) return out;
    switch (syntax) {
    case 1:
        PutLE32(out, text == "true" ? 1 : 0);
        break;
    case 193:
        out.push_back(text == "true" ? 1 : 0);
        break;
    case 196:
        PutBE16(out, text == "true" ? 1 : 0);
        break;
    case 2: case 65: case 66: case 71:
        PutLE32(out, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case 194: case 195:
        out.push_back(static_cast<uint8_t>(ReadLeadingDecimal(text)));
        break;
    case 197: case 198:
        PutBE16(out, static_cast<uint16_t>(ReadLeadingDecimal(text)));
        break;
    case 3: case 4: case 68: case 73:
        out = ParseHexOctets(text);
        break;
    case 6:
        for (uint32_t arc : DottedArcs(text)) PutLE32(out, arc);
        break;
    case 64: case 69:
        for (uint32_t arc : DottedArcs(text)) out.push_back(static_cast<uint8_t>(arc));
        break;
    case 67:
        PutLE32(out, ParseTimeTicks(text));
        break;
    case 70: {
        // Read as a floating-point number (so "1e3" and "12.7" work) and brought
        // into the counter's range; digits alone are read exactly.
        std::string_view t = text;
        while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
        uint64_t value = 0;
        auto exact = std::from_chars(t.data(), t.data() + t.size(), value);
        const bool digitsOnly = exact.ec == std::errc() &&
                                (exact.ptr == t.data() + t.size() || !(*exact.ptr == '.' || *exact.ptr == 'e' || *exact.ptr == 'E'));
        if (!digitsOnly) {
            const double real = ReadLeadingReal(text);
            if (!(real > 0)) value = 0;
            else if (real >= 18446744073709551616.0) value = std::numeric_limits<uint64_t>::max();
            else value = static_cast<uint64_t>(real);
        }
        PutLE32(out, static_cast<uint32_t>(value));
        PutLE32(out, static_cast<uint32_t>(value >> 32));
        break;
    }
    case 72:
        PutDouble(out, ReadLeadingReal(text));
        break;
    case 74:
        out = DateTimeOctets(KvDateTime(std::string(text)));
        break;
    case 75:
        PutDouble(out, ParseDayCount(text));
        break;
    case 76:
        out.assign(text.begin(), text.end());
        break;
    }
    return out;
}

std::string FormatValueOctets(const KvOctets& octets, int syntax) {
    if (!IsKnownValueSyntax(syntax)) KvRaise(kBadSyntax);
    if (syntax == 5) return std::string(kNullText);
    if (octets.empty()) return syntax == 76 ? std::string() : std::string(kNullText);
    if (octets.size() < MinimumBytes(syntax)) KvRaise(kBadValue);
    const uint8_t* p = octets.data();
    switch (syntax) {
    case 1:
        return GetLE32(p) != 0 ? "true" : "false";
    case 193:
        return p[0] != 0 ? "true" : "false";
    case 196:
        return GetBE16(p) != 0 ? "true" : "false";
    case 2:
        return std::to_string(static_cast<int32_t>(GetLE32(p)));
    case 65: case 66: case 71:
        return std::to_string(GetLE32(p));
    case 194:
        return std::to_string(static_cast<int8_t>(p[0]));
    case 195:
        return std::to_string(p[0]);
    case 197: case 198:
        return std::to_string(GetBE16(p));
    case 3: case 4: case 68: case 73:
        return FormatHexOctets(p, octets.size());
    case 6: {
        if (octets.size() % 4 != 0) KvRaise(kBadValue);
        std::string text;
        for (size_t i = 0; i < octets.size(); i += 4) {
            if (i) text.push_back('.');
            text += std::to_string(GetLE32(p + i));
        }
        return text;
    }
    case 64: case 69:
        return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." +
               std::to_string(p[3]);
    case 67:
        return FormatTimeTicks(GetLE32(p));
    case 70: {
        const uint64_t value = uint64_t(GetLE32(p)) | uint64_t(GetLE32(p + 4)) << 32;
        return std::to_string(value);
    }
    case 72:
        return FormatReal(GetDouble(p));
    case 74:
        return DateTimeFromOctets(p).ToText();
    case 75:
        return FormatDayCount(GetDouble(p));
    case 76: {
        const uint8_t* end = static_cast<const uint8_t*>(std::memchr(p, 0, octets.size()));
        return std::string(reinterpret_cast<const char*>(p), end ? static_cast<size_t>(end - p) : octets.size());
    }
    }
    KvRaise(kBadSyntax);
}

KvOctets ExtractPartialValue(const KvOctets& octets, int offset, int syntax) {
    const int width = PartWidth(syntax);
    if (width == -2) KvRaise(kBadSyntax);
    if (octets.empty()) return {};
    if (offset < 0 || static_cast<size_t>(offset) > octets.size()) KvRaise(kOutOfRange);
    if (width == 0) return {};
    const size_t start = static_cast<size_t>(offset);
    const size_t length = width < 0 ? octets.size() - start : static_cast<size_t>(width);
    if (octets.size() - start < length) KvRaise(kOutOfRange);
    return KvOctets(octets.begin() + static_cast<std::ptrdiff_t>(start),
                    octets.begin() + static_cast<std::ptrdiff_t>(start + length));
}

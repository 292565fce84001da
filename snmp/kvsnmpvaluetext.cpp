#include "snmp/kvsnmpvaluetext.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "common/kvdatetime.h"
#include "common/kvtext.h"

std::string HexText(const uint8_t* data, size_t length)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 0x0F];
    }
    return text;
}

namespace {

int NibbleOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

std::vector<uint8_t> ParseHexText(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c;
    std::vector<uint8_t> bytes;
    size_t i = 0;
    if (digits.size() % 2 == 1) {
        bytes.push_back(static_cast<uint8_t>(NibbleOf(digits[0])));
        i = 1;
    }
    for (; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>((NibbleOf(digits[i]) << 4) | NibbleOf(digits[i + 1])));
    return bytes;
}

int64_t ReadLeadingInteger(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        ++i;
    }
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

std::string TimeTicksText(uint32_t ticks)
{
    unsigned long days = ticks / 8640000UL;
    unsigned long rest = ticks % 8640000UL;
    unsigned long hours = rest / 360000UL;
    rest %= 360000UL;
    unsigned long minutes = rest / 6000UL;
    rest %= 6000UL;
    unsigned long seconds = rest / 100UL;
    unsigned long hundredths = rest % 100UL;
    char buffer[64];
    if (days == 0)
        std::snprintf(buffer, sizeof buffer, "%lu:%02lu:%02lu.%02lu", hours, minutes, seconds, hundredths);
    else if (days == 1)
        std::snprintf(buffer, sizeof buffer, "1 day %lu:%02lu:%02lu.%02lu", hours, minutes, seconds,
                      hundredths);
    else
        std::snprintf(buffer, sizeof buffer, "%lu days, %lu:%02lu:%02lu.%02lu", days, hours, minutes,
                      seconds, hundredths);
    return buffer;
}

uint32_t ParseTimeTicksText(const std::string& text)
{
    uint64_t ticks = 0;
    std::string rest = text;
    size_t word = rest.find("days");
    size_t wordLength = 4;
    if (word == std::string::npos) {
        word = rest.find("day");
        wordLength = 3;
    }
    if (word != std::string::npos) {
        ticks += static_cast<uint64_t>(ReadLeadingInteger(rest.substr(0, word))) * 8640000u;
        rest = rest.substr(word + wordLength);
        if (!rest.empty() && rest[0] == ',')
            rest = rest.substr(1);
    }
    size_t colon = rest.find(':');
    if (colon != std::string::npos) {
        ticks += static_cast<uint64_t>(ReadLeadingInteger(rest.substr(0, colon))) * 360000u;
        rest = rest.substr(colon + 1);
        colon = rest.find(':');
        if (colon != std::string::npos) {
            ticks += static_cast<uint64_t>(ReadLeadingInteger(rest.substr(0, colon))) * 6000u;
            rest = rest.substr(colon + 1);
        }
    }
    size_t dot = rest.find('.');
    if (dot != std::string::npos) {
        ticks += static_cast<uint64_t>(ReadLeadingInteger(rest.substr(0, dot))) * 100u;
        ticks += static_cast<uint64_t>(ReadLeadingInteger(rest.substr(dot + 1)));
    }
    return static_cast<uint32_t>(ticks);
}

std::string RealText(double value)
{
    // Not printf: its decimal point follows the locale.
    return FormatNumber(value);
}

std::string DayCountText(double dayCount)
{
    if (!std::isfinite(dayCount))
        dayCount = 0;
    KvCivilTime t = KvDateTime::FromDayCount(dayCount);
    int hour12 = t.hour % 12;
    if (hour12 == 0)
        hour12 = 12;
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d %s", t.year, t.month, t.day,
                  hour12, t.minute, t.second, t.hour < 12 ? "am" : "pm");
    return buffer;
}

double ParseDayCountText(const std::string& text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char marker[8] = {0};
    int fields = std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %7s", &year, &month, &day, &hour,
                             &minute, &second, marker);
    if (fields < 3)
        return 0;
    std::string ampm = marker;
    for (char& c : ampm)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ampm == "pm" && hour < 12)
        hour += 12;
    else if (ampm == "am" && hour == 12)
        hour = 0;
    KvCivilTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.millisecond = 0;
    return KvDateTime::DayCount(t);
}

bool ParseArcs(const std::string& text, std::vector<uint32_t>& arcs)
{
    arcs.clear();
    if (text.empty())
        return true;
    size_t i = 0;
    while (true) {
        uint64_t value = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
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
            text += '.';
        text += std::to_string(arcs[i]);
    }
    return text;
}

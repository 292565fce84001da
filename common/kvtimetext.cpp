#include "common/kvtimetext.h"

#include <cstdio>
#include <limits>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvscan.h"
#include "common/kvvaluetext.h"

// Only integers go through printf here (%lu, %d), which no locale changes.

using kvscan::IsBlank;
using kvscan::IsDigit;
using kvscan::ReadDigitRun;
using kvscan::Trimmed;

namespace {

constexpr int kBadValue = kvErrBadValue;

constexpr uint32_t kTicksPerDay = 8640000;
constexpr uint32_t kTicksPerHour = 360000;
constexpr uint32_t kTicksPerMinute = 6000;
constexpr uint32_t kTicksPerSecond = 100;

bool IsLeap(long y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

long DaysInMonth(long y, long m)
{
    static const long days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

} // namespace

// --- Time ticks --------------------------------------------------------------------

std::string FormatTimeTicks(uint32_t ticks)
{
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

uint32_t ParseTimeTicks(std::string_view text)
{
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
        if (!rest.empty() && rest.front() == ',')
            rest.remove_prefix(1);
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
    if (secondEnd == std::string_view::npos)
        return ticks;
    ticks += number(rest.substr(0, secondEnd)) * kTicksPerSecond;
    ticks += number(rest.substr(secondEnd + 1));
    return ticks;
}

bool ReadTimeTicksText(std::string_view text, uint32_t& ticks)
{
    std::string_view t = Trimmed(text);
    uint64_t count = 0;
    if (ReadDigitRun(t, 10, count)) {
        if (count > std::numeric_limits<uint32_t>::max())
            return false;
        ticks = static_cast<uint32_t>(count);
        return true;
    }
    uint64_t days = 0;
    bool haveDays = false;
    const size_t word = t.find(" day");
    if (word != std::string_view::npos) {
        if (!ReadDigitRun(t.substr(0, word), 5, days))
            return false;
        t.remove_prefix(word + 4);
        if (!t.empty() && t.front() == 's')
            t.remove_prefix(1);
        if (!t.empty() && t.front() == ',')
            t.remove_prefix(1);
        if (t.empty() || !IsBlank(t.front()))
            return false;
        t = Trimmed(t);
        haveDays = true;
    }
    const size_t firstColon = t.find(':');
    const size_t secondColon = firstColon == std::string_view::npos ? firstColon : t.find(':', firstColon + 1);
    if (secondColon == std::string_view::npos)
        return false;
    const std::string_view secondsPart = t.substr(secondColon + 1);
    const size_t dot = secondsPart.find('.');
    uint64_t hours = 0, minutes = 0, seconds = 0, hundredths = 0;
    if (!ReadDigitRun(t.substr(0, firstColon), 5, hours) ||
        !ReadDigitRun(t.substr(firstColon + 1, secondColon - firstColon - 1), 2, minutes) ||
        !ReadDigitRun(secondsPart.substr(0, dot), 2, seconds))
        return false;
    if (dot != std::string_view::npos && !ReadDigitRun(secondsPart.substr(dot + 1), 2, hundredths))
        return false;
    if (minutes >= 60 || seconds >= 60 || (haveDays && hours >= 24))
        return false;
    const uint64_t total = days * kTicksPerDay + hours * kTicksPerHour + minutes * kTicksPerMinute +
                           seconds * kTicksPerSecond + hundredths;
    if (total > std::numeric_limits<uint32_t>::max())
        return false;
    ticks = static_cast<uint32_t>(total);
    return true;
}

// --- Day-count date-times -----------------------------------------------------------

std::string FormatDayCount(double days)
{
    // The years 1 to 9999.
    if (!(days >= -693593.0 && days < 2958466.0))
        KvRaise(kBadValue);
    const KvCivilTime t = KvDateTime::FromDayCount(days);
    int hour12 = t.hour % 12;
    if (hour12 == 0)
        hour12 = 12;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d %s", t.year, t.month, t.day, hour12, t.minute,
                  t.second, t.hour < 12 ? "am" : "pm");
    return buffer;
}

double ParseDayCount(std::string_view text)
{
    // Numbers in order: year, month, day, then hour, minute, second.
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    };
    auto readNumber = [&](long& out) {
        const size_t start = i;
        long value = 0;
        while (i < text.size() && IsDigit(text[i]) && i - start < 9)
            value = value * 10 + (text[i++] - '0');
        out = value;
        return i > start;
    };
    long year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    skipBlanks();
    if (!readNumber(year))
        KvRaise(kBadValue);
    if (i >= text.size() || (text[i] != '/' && text[i] != '-'))
        KvRaise(kBadValue);
    const char separator = text[i++];
    if (!readNumber(month) || i >= text.size() || text[i] != separator)
        KvRaise(kBadValue);
    ++i;
    if (!readNumber(day))
        KvRaise(kBadValue);
    skipBlanks();
    if (i < text.size()) {
        if (!readNumber(hour) || i >= text.size() || text[i] != ':')
            KvRaise(kBadValue);
        ++i;
        if (!readNumber(minute))
            KvRaise(kBadValue);
        if (i < text.size() && text[i] == ':') {
            ++i;
            if (!readNumber(second))
                KvRaise(kBadValue);
        }
        skipBlanks();
        if (i < text.size()) {
            const std::string_view marker = text.substr(i, 2);
            auto is = [&](char lower) {
                return marker.size() == 2 && (marker[0] == lower || marker[0] == lower - 'a' + 'A') &&
                       (marker[1] == 'm' || marker[1] == 'M');
            };
            const bool am = is('a');
            const bool pm = is('p');
            if (!am && !pm)
                KvRaise(kBadValue);
            if (hour < 1 || hour > 12)
                KvRaise(kBadValue);
            if (am && hour == 12)
                hour = 0;
            if (pm && hour != 12)
                hour += 12;
            i += 2;
            skipBlanks();
            if (i < text.size())
                KvRaise(kBadValue);
        }
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12)
        KvRaise(kBadValue);
    if (day < 1 || day > DaysInMonth(year, month))
        KvRaise(kBadValue);
    if (hour > 23 || minute > 59 || second > 59)
        KvRaise(kBadValue);
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

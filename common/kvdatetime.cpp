#include "common/kvdatetime.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Reads text by a scanf-like pattern whose only conversion is "%d": a
// conversion skips white space and reads an optional sign and at least one
// digit (wrapping at 32 bits); any other pattern character must match the
// next text character exactly. Returns the number of numbers read.
int ScanNumbers(const std::string& text, const char* pattern, int* numbers, int maxNumbers)
{
    size_t pos = 0;
    int read = 0;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd') {
            ++p;
            while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
                ++pos;
            bool negative = false;
            if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
                negative = text[pos] == '-';
                ++pos;
            }
            if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
                return read;
            uint32_t value = 0;
            while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
                value = value * 10u + static_cast<uint32_t>(text[pos] - '0');
                ++pos;
            }
            if (read < maxNumbers)
                numbers[read] = static_cast<int>(negative ? 0u - value : value);
            ++read;
        } else {
            if (pos >= text.size() || text[pos] != *p)
                return read;
            ++pos;
        }
    }
    return read;
}

constexpr int64_t kMillisecondsPerDay = 86400000;

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    year = static_cast<int>(yoe + era * 400 + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

// Day 0 of the day count is 1899-12-30.
const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

// Day counts outside years 1..9999 are not converted.
const double kMinDayCount = static_cast<double>(DaysFromCivil(1, 1, 1) - kEpochDays);
const double kMaxDayCount = static_cast<double>(DaysFromCivil(10000, 1, 1) - kEpochDays);

} // namespace

KvDateTime::KvDateTime()
{
    KvCivilTime now = LocalNow();
    year = static_cast<uint16_t>(now.year);
    month = static_cast<uint8_t>(now.month);
    day = static_cast<uint8_t>(now.day);
    hour = static_cast<uint8_t>(now.hour);
    minutes = static_cast<uint8_t>(now.minute);
    seconds = static_cast<uint8_t>(now.second);
}

KvDateTime::KvDateTime(const std::string& text)
{
    int n[9] = {};
    if (ScanNumbers(text, "%d-%d-%d,%d:%d:%d.%d,+%d:%d", n, 9) == 9) {
        direction = '+';
    } else if (ScanNumbers(text, "%d-%d-%d,%d:%d:%d.%d,-%d:%d", n, 9) == 9) {
        direction = '-';
    } else {
        for (int& v : n)
            v = 0;
        ScanNumbers(text, "%d-%d-%d,%d:%d:%d.%d", n, 7);
        direction = '+';
    }
    year = static_cast<uint16_t>(n[0]);
    month = static_cast<uint8_t>(n[1]);
    day = static_cast<uint8_t>(n[2]);
    hour = static_cast<uint8_t>(n[3]);
    minutes = static_cast<uint8_t>(n[4]);
    seconds = static_cast<uint8_t>(n[5]);
    deciSeconds = static_cast<uint8_t>(n[6]);
    utcHours = static_cast<uint8_t>(n[7]);
    utcMinutes = static_cast<uint8_t>(n[8]);
}

std::string KvDateTime::ToText() const
{
    std::string text = std::to_string(year) + '-' + std::to_string(month) + '-' + std::to_string(day) + ',' +
                       std::to_string(hour) + ':' + std::to_string(minutes) + ':' + std::to_string(seconds) + '.' +
                       std::to_string(deciSeconds);
    if ((utcHours != 0 || utcMinutes != 0) && (direction == '+' || direction == '-'))
        text += std::string(",") + direction + std::to_string(utcHours) + ':' + std::to_string(utcMinutes);
    return text;
}

void KvDateTime::SwapYearBytes()
{
    year = static_cast<uint16_t>((year >> 8) | (year << 8));
}

std::array<uint8_t, KvDateTime::kOctets> KvDateTime::ToOctets() const
{
    return {static_cast<uint8_t>(year >> 8),
            static_cast<uint8_t>(year & 0xFF),
            month,
            day,
            hour,
            minutes,
            seconds,
            deciSeconds,
            static_cast<uint8_t>(direction),
            utcHours,
            utcMinutes};
}

KvDateTime KvDateTime::FromOctets(const uint8_t* octets, std::size_t length)
{
    uint8_t o[kOctets] = {};
    for (std::size_t i = 0; octets && i < length && i < kOctets; ++i)
        o[i] = octets[i];
    KvDateTime d{Uninitialised{}};
    d.year = static_cast<uint16_t>((o[0] << 8) | o[1]);
    d.month = o[2];
    d.day = o[3];
    d.hour = o[4];
    d.minutes = o[5];
    d.seconds = o[6];
    d.deciSeconds = o[7];
    d.direction = static_cast<char>(o[8]);
    d.utcHours = o[9];
    d.utcMinutes = o[10];
    return d;
}

double KvDateTime::DayCount(const KvCivilTime& t)
{
    const double days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) - kEpochDays);
    const double fraction = (((static_cast<double>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond) /
                            static_cast<double>(kMillisecondsPerDay);
    // Before day 0 the time of day counts away from zero, as the whole part does.
    return days < 0 ? days - fraction : days + fraction;
}

KvCivilTime KvDateTime::FromDayCount(double dayCount)
{
    KvCivilTime t;
    if (!std::isfinite(dayCount) || dayCount < kMinDayCount || dayCount >= kMaxDayCount)
        return t;
    double whole = std::trunc(dayCount);
    int64_t days = static_cast<int64_t>(whole);
    int64_t ms = std::llround(std::fabs(dayCount - whole) * kMillisecondsPerDay);
    if (ms >= kMillisecondsPerDay) {
        ms -= kMillisecondsPerDay;
        days += dayCount < 0 ? -1 : 1;
    }
    CivilFromDays(days + kEpochDays, t.year, t.month, t.day);
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

KvCivilTime KvDateTime::LocalNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    KvCivilTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    if (t.millisecond < 0)
        t.millisecond += 1000;
    return t;
}

double KvDateTime::NowDayCount()
{
    return DayCount(LocalNow());
}

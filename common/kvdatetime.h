#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Broken-down local time used for day-count conversions.
struct KvCivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The eleven octets of an SNMP DateAndTime value. `year` is held in host
// order; on the wire it is in network order (high octet first). Text form:
//   "2005-3-7,13:5:9.0"          (no UTC offset)
//   "2005-3-7,13:5:9.0,-5:30"    (with direction and offset from UTC)
class KvDateTime {
public:
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t deciSeconds = 0;
    char direction = '+';
    uint8_t utcHours = 0;
    uint8_t utcMinutes = 0;

    static constexpr std::size_t kOctets = 11;

    // The current local date and time; deci-seconds 0, direction '+', offset 0.
    KvDateTime();
    // Parses "y-m-d,h:n:s.d,+h:m", then "y-m-d,h:n:s.d,-h:m", then
    // "y-m-d,h:n:s.d" (fields that were not read are 0, direction '+'). Numbers
    // are stored in the field widths without range checks. Never throws.
    explicit KvDateTime(const std::string& text);

    // "%d-%d-%d,%d:%d:%d.%d", plus ",%c%d:%d" when the offset is nonzero and
    // the direction is '+' or '-'.
    std::string ToText() const;

    // Exchanges the two octets of `year`.
    void SwapYearBytes();

    // The eleven octets in wire order (year high octet first).
    std::array<uint8_t, kOctets> ToOctets() const;
    // From wire octets; missing octets (length < 11) read as 0, extra are ignored.
    static KvDateTime FromOctets(const uint8_t* octets, std::size_t length);

    bool operator==(const KvDateTime& other) const = default;

    // Day counts: whole days since 1899-12-30 plus the fraction of the day.
    static double DayCount(const KvCivilTime& time);
    static KvCivilTime FromDayCount(double dayCount);
    // The current local date and time as a day count.
    static double NowDayCount();
    // The current local date and time.
    static KvCivilTime LocalNow();

private:
    struct Uninitialised {};
    explicit KvDateTime(Uninitialised) {}
};

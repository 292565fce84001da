#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The text forms of time values: time ticks and day-count date-times (part
// of the value texts of common/kvvaluetext.h, which includes this file).
// Numbers are written and read without regard to the locale. Errors are
// raised as KvError.

// --- Time ticks (hundredths of a second) -----------------------------------------

// "%lu:%02lu:%02lu.%02lu" (hours, minutes, seconds, hundredths) below one day,
// "1 day ..." for exactly one day, "%lu days, ..." otherwise.
std::string FormatTimeTicks(uint32_t ticks);
// Reads the text back in steps: "[N day[s][,]] H:M:S.hh". Pieces without their
// separator add nothing, so a bare number gives 0 and "1:02:03" loses its
// seconds; the seconds piece only needs its dot ("5.25" is 525). The count
// wraps like the 4-byte value it is.
uint32_t ParseTimeTicks(std::string_view text);
// Strict form for a typed text: either a bare count of hundredths, or
// "[N day[s][,]] H:MM:SS[.hh]" with minutes and seconds below 60, hundredths
// below 100 (hours below 24 after a day count). False for anything else, and
// for a count beyond 32 bits.
bool ReadTimeTicksText(std::string_view text, uint32_t& ticks);

// --- Day-count date-times ----------------------------------------------------------

// Day count (days since 1899-12-30, fraction = time of day) <-> the text
// "yyyy/mm/dd hh:nn:ss am/pm". Formatting raises -518 for a day count outside
// the years 1 to 9999 (or not a number); parsing raises -518 for a text that
// does not hold a valid date. Parsing also accepts "-" between the date parts,
// a date without a time, a time without seconds and a 24-hour time without
// "am"/"pm".
std::string FormatDayCount(double days);
double ParseDayCount(std::string_view text);

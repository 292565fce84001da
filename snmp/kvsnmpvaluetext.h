#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Text forms the request engine writes into (and reads from) variable values.
// They are the forms the whole program shows: contiguous upper-case hex for
// octet strings, dotted quads, time-ticks texts, "yyyy/mm/dd hh:nn:ss am/pm"
// for day-count date-times.

// Bytes 0x00 0xA1 0xFF give "00A1FF".
std::string HexText(const uint8_t* data, size_t length);
inline std::string HexText(const std::vector<uint8_t>& data) { return HexText(data.data(), data.size()); }
// Blanks are dropped; an odd count makes the first character a byte of its own;
// then pairs, high nibble first; characters other than hex digits count as 0.
std::vector<uint8_t> ParseHexText(const std::string& text);

// Decimal number from the start of the text: leading blanks and a sign allowed,
// reading stops at the first non-digit, no digits give 0. Wraps at 64 bits.
int64_t ReadLeadingInteger(const std::string& text);

// "%lu:%02lu:%02lu.%02lu" below one day, "1 day ..." for one day,
// "%lu days, ..." otherwise.
std::string TimeTicksText(uint32_t ticks);
// Reads a time-ticks text back ("2 days, 3:04:05.06"); a bare number gives 0.
uint32_t ParseTimeTicksText(const std::string& text);

// General floating-point form with up to 15 significant digits.
std::string RealText(double value);

// Day count (days since 1899-12-30, fraction = time of day) as
// "yyyy/mm/dd hh:nn:ss am/pm" and back (a 24-hour text without am/pm is also
// read). An unreadable text gives 0.
std::string DayCountText(double dayCount);
double ParseDayCountText(const std::string& text);

// Dotted text <-> sub-identifiers; false for anything but digits and single dots.
bool ParseArcs(const std::string& text, std::vector<uint32_t>& arcs);
std::string ArcsText(const std::vector<uint32_t>& arcs, size_t from = 0);

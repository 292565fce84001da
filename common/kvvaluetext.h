#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/kvtimetext.h"

// The primitive text forms of variable values: the one copy that the request
// engine (wire values <-> texts) and the value codec (octet forms <-> texts)
// both use, so that the program shows and accepts every value alike.
// Numbers are written and read without regard to the locale (a decimal point
// is always '.'). Errors are raised as KvError.

// --- Octet strings and MAC addresses ------------------------------------------

// Contiguous upper-case hexadecimal, two digits per byte: 0x00 0xA1 0xFF give
// "00A1FF".
std::string FormatHexOctets(const uint8_t* data, size_t size);
inline std::string FormatHexOctets(const std::vector<uint8_t>& octets)
{
    return FormatHexOctets(octets.data(), octets.size());
}
// Blanks are dropped; an odd count makes the first character a byte of its
// own; then pairs, high nibble first; characters other than hex digits count
// as 0 ("A 1f" gives 0x0A 0x1F, "zz" one zero byte). No length check.
std::vector<uint8_t> ParseHexOctets(std::string_view text);
// The same text read strictly, as a text the operator typed: blanks are
// dropped, every other character must be a hex digit and their count even.
// False (and `octets` untouched) otherwise.
bool ReadHexText(std::string_view text, std::vector<uint8_t>& octets);

// --- Display strings ----------------------------------------------------------
// A display string is shown as its characters when it holds text: printable
// ASCII, blanks, tabs and line ends, and well-formed UTF-8; zero bytes at its
// end are padding and are dropped. Any other value (a zero byte inside, a
// control character, a stray byte such as the 0x80 that starts an engine ID)
// is shown as hexadecimal text, "0x" and two upper-case digits per byte
// ("0x80001F88"), the form the switch tools take for such values; a text that
// happens to look like that form is shown in it too, so that reading a text
// back gives the octets it was made from (all but the padding).
std::string FormatDisplayOctets(const uint8_t* data, size_t size);
inline std::string FormatDisplayOctets(const std::vector<uint8_t>& octets)
{
    return FormatDisplayOctets(octets.data(), octets.size());
}
// The octets of a display-string text: the hexadecimal form ("0x" followed by
// an even number, at least two, of hex digits of either case) gives its
// bytes, any other text its characters.
std::vector<uint8_t> ParseDisplayText(std::string_view text);

// --- Numbers ---------------------------------------------------------------------

// A decimal integer from the text's beginning (leading blanks and a sign
// allowed, stops at the first non-digit, no digits give 0), saturating at the
// 64-bit limits.
int64_t ReadLeadingDecimal(std::string_view text);
// As much of a floating-point number as the text's beginning holds (leading
// blanks and a sign allowed; "inf" and "nan" read as such); 0 when it holds
// none. Too large a number reads as infinity, too small as 0.
double ReadLeadingReal(std::string_view text);
// General floating-point form with up to 15 significant digits ("4094",
// "0.5", "1e+20"); FormatNumber of common/kvtext.h.
std::string FormatReal(double value);
// A Counter64 text: digits alone are read exactly; any other form ("1e3",
// "12.7") as a floating-point number truncated into the counter's range
// (negative or no number gives 0, too large the highest count).
uint64_t ReadCounter64(std::string_view text);

// Strict readers for texts the operator typed. Blanks around the text are
// allowed, nothing else: no trailing words ("15 minutes"), no inner blanks.
// Each gives false (and leaves `value` untouched) for a text that is not one
// such number.
//   - a whole decimal number, optional sign, between `minimum` and `maximum`;
bool ReadWholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value);
//   - a whole unsigned decimal number of up to 64 bits (no sign);
bool ReadWholeUnsigned(std::string_view text, uint64_t& value);
//   - a floating-point number in decimal or exponent form (finite).
bool ReadWholeReal(std::string_view text, double& value);

// --- Dotted texts: addresses and object identifiers ------------------------------

// Dotted decimal of the bytes: 10 90 90 90 give "10.90.90.90".
std::string FormatDottedOctets(const uint8_t* data, size_t size);
inline std::string FormatDottedOctets(const std::vector<uint8_t>& octets)
{
    return FormatDottedOctets(octets.data(), octets.size());
}
// The numbers of a dotted text, each read by ReadLeadingDecimal; a leading and
// a trailing dot are ignored, an empty piece in between reads as 0.
std::vector<uint32_t> ReadDottedNumbers(std::string_view text);
// An address text: each dotted number gives its low byte ("192.168.1.254"
// gives 4 bytes).
std::vector<uint8_t> ParseDottedOctets(std::string_view text);
// An IPv4 address as typed: exactly four dotted parts, each one to three
// decimal digits with a value up to 255; no sign, no blank inside (blanks
// around the whole text are allowed). False (octets untouched) otherwise:
// "192.168.1.300", "1.2.3.4.5", "1.-2.3.4", "1.2. 3.4".
bool ReadIpAddressText(std::string_view text, std::vector<uint8_t>& octets);

// Strict object identifier text <-> sub-identifiers: false for anything but
// digits and single dots, or a sub-identifier above 32 bits. The empty text
// gives no sub-identifiers.
bool ParseArcs(const std::string& text, std::vector<uint32_t>& arcs);
// The sub-identifiers from `from` on, joined with ".".
std::string ArcsText(const std::vector<uint32_t>& arcs, size_t from = 0);

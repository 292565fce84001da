#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/kvvaluetext.h"

// The value codec: moves a variable's value between its text form (as the
// variable list keeps it) and its octet form (a byte string), selected by a
// numeric syntax code. The text forms produced here are the ones the whole
// program shows and accepts for octet strings, port lists, addresses and times.
//
// Codes (octet form):
//   1 boolean, 4-byte integer 1 or 0       2 INTEGER, 4-byte signed
//   3 BITS, 4 OCTET STRING, 68 Opaque: raw bytes (text: contiguous upper-case hex)
//   5 NULL: empty                          6 OBJECT IDENTIFIER: one 4-byte word per arc
//   64 IpAddress, 69 NsapAddress: 4 bytes  65, 66, 71: 4-byte unsigned
//   67 TimeTicks: 4-byte unsigned hundredths of a second
//   70 Counter64: 8 bytes, low 32-bit word first
//   72 real: 8-byte double                 73 MAC address: 6 bytes (hex text)
//   74 date and time: the 11 bytes of a KvDateTime (year in host order)
//   75 local date-time: 8-byte double day count since 1899-12-30
//   76 display string: the characters
//   193 boolean byte, 194 signed byte, 195 unsigned byte
//   196 boolean word, 197 and 198 16-bit unsigned (2 bytes, big-endian)
// Multi-byte integers of codes 1, 2, 6, 65, 66, 67, 70, 71 and 72 are
// little-endian; 196 to 198 are big-endian.
//
// "(NULL)" stands for an absent value in every code (an empty octet string).
// Errors are raised as KvError: -511 unknown syntax code, -518 a value too
// short for its code (or not decodable), -519 a part beyond the value's end.

using KvOctets = std::vector<uint8_t>;

// Text form -> octet form. Raises -511 for an unknown code.
KvOctets ParseValueText(std::string_view text, int syntax);

// Text the operator entered -> octet form, refusing what is not a value of
// the code rather than guessing (raises -518, -511 for an unknown code):
//   1, 193, 196      "true" or "false"
//   2, 65, 66, 71, 194, 195, 197, 198
//                    a whole decimal number in the code's range (INTEGER
//                    -2147483648..2147483647, the unsigned 32-bit codes
//                    0..4294967295, 194 -128..127, 195 0..255, 197 and 198
//                    0..65535): not "twelve", not "15 minutes"
//   3, 4, 68         hex digits only (blanks between them allowed), an even
//                    count; 73 the same and exactly 6 bytes
//   6                a dotted object identifier (a leading dot allowed)
//   64, 69           a dotted quad, every part 0..255 (see ReadIpAddressText)
//   67               a bare count of hundredths or the time-ticks form
//   70               a whole number of up to 64 bits; 72 a decimal number
//   74               the date-time text with its fields in range
//   75               a date (and time) the day-count form reads
//   76               any text (see ParseDisplayText for its hexadecimal form)
// "(NULL)" gives the empty value as in ParseValueText.
KvOctets ParseEnteredText(std::string_view text, int syntax);

// Octet form -> text form. Raises -511 for an unknown code and -518 for a
// value shorter than its code needs.
std::string FormatValueOctets(const KvOctets& octets, int syntax);

// The part of `octets` that starts at `offset` with the width of `syntax`
// (the rest of the value for the variable-length codes). An empty value gives
// an empty part; a part beyond the value's end raises -519.
KvOctets ExtractPartialValue(const KvOctets& octets, int offset, int syntax);

// True for every code the codec knows.
bool IsKnownValueSyntax(int syntax);

// The individual text forms (FormatTimeTicks, ParseHexOctets, FormatReal,
// FormatDayCount, ...) are those of common/kvvaluetext.h, shared with the
// request engine.

#pragma once
// Hexadecimal digits as the simulator reads and writes them (data file,
// quoted texts, PDU log, engine IDs): digits of either case are read, upper
// case is written.

#include <string>

namespace simhex {

// The value of one hexadecimal digit, -1 for any other character.
int DigitValue(char c);

// Appends two upper-case digits for `byte` ("0A" for 10).
void AppendByte(std::string& out, unsigned char byte);

} // namespace simhex

#pragma once
#include <cstdint>
#include <string>

// The SNMPv3 boot counter file: text lines "<encoded engine ID> <boots>", the
// engine ID encoded two characters per octet, each '@' + nibble (high nibble
// first); lines starting with '#' are comments. The file name is written as
// the system writes paths (backslashes become '/' when it is opened).

constexpr int bootCounterOk = 0;
constexpr int bootCounterNoEntry = -1;      // no line for that engine ID
constexpr int bootCounterCannotOpen = -2;   // file cannot be opened
constexpr int bootCounterIdTooLong = -3;    // engine ID over 32 octets
constexpr int bootCounterMalformed = -4;    // a malformed line
constexpr int bootCounterCannotCreate = -5; // (temporary) file cannot be created
constexpr int bootCounterCannotRename = -6; // temporary file cannot be renamed

// Reads the counter stored for `engineId`; `boots` is 0 unless a line was found.
int getBootCounter(const std::string& file, const std::string& engineId, uint32_t& boots);

// Stores `boots` for `engineId`: the file is rewritten through a temporary file
// in the same directory and a rename; other engines' lines and comments stay.
int saveBootCounter(const std::string& file, const std::string& engineId, uint32_t boots);

// '@' + nibble encoding of an engine ID.
std::string EncodeBootCounterEngineId(const std::string& engineId);

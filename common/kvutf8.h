#pragma once
#include <cstddef>
#include <string>

// Texts from the switch are bytes; the export writes UTF-8. A byte that is not
// part of a valid UTF-8 sequence is taken as the character of the same number
// (as Latin-1 reads it), so every output is valid UTF-8 and nothing is lost
// silently.
class KvUtf8 {
public:
    // Length of the valid UTF-8 sequence that starts at `at` (1 for ASCII), or
    // 0 when the byte there does not start one.
    static size_t SequenceLength(const std::string& text, size_t at);
    // The text with every stray byte replaced by the UTF-8 form of its character.
    static std::string Repair(const std::string& text);
};

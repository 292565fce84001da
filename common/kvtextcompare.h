#pragma once
#include <string>
#include <string_view>

// Letter-case-aware comparisons of the common library (ASCII letters fold).
namespace kvtext {

char FoldCase(char c);
bool Equal(std::string_view a, std::string_view b, bool caseSensitive);
// True when `prefix` is no longer than `text` and equals its beginning.
bool StartsWith(std::string_view text, std::string_view prefix, bool caseSensitive);
// Whole text is an optionally signed decimal integer (leading blanks allowed)
// that fits 32 bits.
bool ParseInt32(std::string_view text, int& value);

} // namespace kvtext

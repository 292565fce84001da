#pragma once
// Character-level readers shared by the common library's text forms.
#include <cstdint>
#include <string_view>

namespace kvscan {

// Blank, tab, line end, vertical tab or form feed.
bool IsBlank(char c);
bool IsDigit(char c);
bool IsHexDigit(char c);
// The text without the blanks around it.
std::string_view Trimmed(std::string_view text);
// A run of at least one and at most `maxDigits` decimal digits, the whole of
// `text`, read into `value`.
bool ReadDigitRun(std::string_view text, size_t maxDigits, uint64_t& value);

} // namespace kvscan

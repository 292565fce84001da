#pragma once
#include <stdexcept>
#include <string>

// A text that should have been a decimal integer and was not:
// "'abc' is not a valid integer value".
class KvConvertError : public std::runtime_error {
public:
    explicit KvConvertError(const std::string& text)
        : std::runtime_error("'" + text + "' is not a valid integer value"), text_(text)
    {
    }
    const std::string& text() const noexcept { return text_; }

private:
    std::string text_;
};

// Strict decimal conversion: an optional sign and at least one digit, nothing
// else (no blanks, no hexadecimal), within the 32-bit signed range. Anything
// else raises KvConvertError with the text.
int32_t KvStrToInt(const std::string& text);

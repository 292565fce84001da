#pragma once
#include <string>
#include <vector>

// Small text functions shared by the evaluators, the edit constraints and the
// status lines.

// A text whose first and last characters are both '"' loses them (a lone '"'
// gives ""); any other text is returned unchanged.
std::string Unquote(const std::string& text);

// `start` is 1-based. The 1-based position of the last character of the run
// of characters from `set` that begins at `start`; 0 when the character at
// `start` is not in `set` or `start` lies outside the text.
int SpanOf(const std::string& text, int start, const std::string& set);

// Replaces every occurrence of `pattern`, scanning left to right and going on
// after each replacement (replacements are not scanned again). An empty
// pattern leaves the text unchanged.
std::string ReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement);

// For the operators in list order, the first that occurs anywhere in `text`
// wins: returns its index in `operators` and puts the text before its first
// occurrence into `left`, the text after it into `right`. Returns -1 when none
// occurs (then `left` is the whole text and `right` is empty).
int SplitAtOperator(const std::vector<std::string>& operators, const std::string& text, std::string& left,
                    std::string& right);

// Removes leading and trailing blanks and control characters (bytes <= ' ').
std::string TrimText(const std::string& text);

// Reads a number: "NOW" (any case) is the current local date-time as a day
// count; otherwise as much of a floating-point number as the beginning of the
// text holds (leading blanks, sign, digits, fraction, exponent), 0 when none.
double ReadNumber(const std::string& text);

// General floating-point text form with 15 significant digits ("1", "4094",
// "0.5", "1e+20"). The few numbers next to the largest double, whose 15
// digits would read back as infinity, get the digits that read back exactly.
std::string FormatNumber(double value);

#pragma once
#include <string>

// The value range of a constraint text as the hint that list-view pages append
// to their labels: "%i{n1x4094}" gives "[1..4094]". The bounds are the runs
// after the last "n" and the last "x" inside the braces; a constraint without
// a lower bound (or without braces) gives an empty text, one without an upper
// bound "[1..]". A null text gives an empty text.
std::string RangeHint(const char* format);
std::string RangeHint(const std::string& format);

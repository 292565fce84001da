#include "browser/tables/kvcounterrates.h"

#include <charconv>
#include <cstdio>

#include "snmp/vardef.h"

namespace {

constexpr uint64_t kCounter32Span = 1ull << 32;
constexpr uint64_t kMostPlausibleWrap = 1ull << 31;

bool ParseCounter(const std::string& text, uint64_t& value)
{
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

} // namespace

bool KvCounterRates::IsCounter(uint32_t syntax)
{
    return syntax == synCounter32 || syntax == synCounter64;
}

std::optional<double> KvCounterRates::Read(const std::string& row, int column, uint32_t syntax,
                                           const std::string& valueText, double seconds)
{
    const auto key = std::make_pair(row, column);
    uint64_t value = 0;
    if (!ParseCounter(valueText, value)) {
        last_.erase(key);
        return std::nullopt;
    }
    const auto found = last_.find(key);
    if (found == last_.end()) {
        last_[key] = {value, seconds};
        return std::nullopt;
    }
    const Reading previous = found->second;
    if (seconds <= previous.seconds)
        return std::nullopt;   // the same reading again: keep the first
    found->second = {value, seconds};

    uint64_t delta = 0;
    if (value >= previous.value) {
        delta = value - previous.value;
    } else if (syntax == synCounter32 && previous.value < kCounter32Span &&
               value + kCounter32Span - previous.value <= kMostPlausibleWrap) {
        delta = value + kCounter32Span - previous.value;
    } else {
        return std::nullopt;   // reset
    }
    return static_cast<double>(delta) / (seconds - previous.seconds);
}

std::string KvCounterRates::FormatRate(double perSecond)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", perSecond);
    return text;
}

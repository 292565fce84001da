#include "pages/rangehint.h"

namespace {

// The run of characters after position `at` up to, not including, the first
// character of `stops` (or the end of the text).
std::string RunAfter(const std::string& text, size_t at, const char* stops)
{
    const size_t end = text.find_first_of(stops, at + 1);
    return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

} // namespace

std::string RangeHint(const std::string& format)
{
    const size_t open = format.rfind('{');
    const size_t close = format.rfind('}');
    if (open == close) // neither occurs
        return {};
    const std::string part = format.substr(open == std::string::npos ? 0 : open);
    std::string lower;
    std::string upper;
    for (size_t i = 0; i < part.size(); ++i) {
        if (part[i] == 'n')
            lower = RunAfter(part, i, "mlwx}");
        else if (part[i] == 'x')
            upper = RunAfter(part, i, "mnwl}");
    }
    if (lower.empty())
        return {};
    return "[" + lower + ".." + upper + "]";
}

std::string RangeHint(const char* format)
{
    return format ? RangeHint(std::string(format)) : std::string();
}

// The simulator's data file (--data, --state): any text. It loads, or is
// refused with a message naming the file and the line; a loaded store,
// written back, loads again to the same text.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "fuzzsupport.h"
#include "sim/simdatafile.h"
#include "sim/simstore.h"

namespace {

constexpr unsigned kEnterprise = 32473;

// Roughly how many objects the lines of a text that are not refused for
// their ranges stand for. Ranges of up to the limit of 200,000 objects a line
// load correctly in the unit tests; here they would only slow the search
// down (such a line takes seconds under the sanitizers). Lines beyond the
// limit are refused at once and stay in.
double RangeObjects(const std::string& text)
{
    double total = 0;
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        double line = 1;
        for (size_t open = text.find('[', lineStart); open < lineEnd; open = text.find('[', open + 1)) {
            const size_t close = std::min(text.find(']', open), lineEnd);
            double values = 0;
            const std::string list = text.substr(open + 1, close - open - 1);
            for (size_t pos = 0; pos <= list.size();) {
                size_t comma = list.find(',', pos);
                if (comma == std::string::npos)
                    comma = list.size();
                const std::string part = list.substr(pos, comma - pos);
                const size_t dots = part.find("..");
                const double low = std::strtod(part.c_str(), nullptr);
                const double high = dots == std::string::npos ? low : std::strtod(part.c_str() + dots + 2, nullptr);
                values += high >= low ? high - low + 1 : 1;
                pos = comma + 1;
            }
            line *= std::max(values, 1.0);
        }
        if (line <= 200000)
            total += line;
        lineStart = lineEnd + 1;
    }
    return total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (RangeObjects(text) > 20000)
        return 0;
    SimStore store(kEnterprise);
    std::string error;
    if (!SimDataFile::LoadText(text, "fuzz.sim", store, error)) {
        fuzz::Check(error.rfind("fuzz.sim:", 0) == 0, "a refused data file names the file and line", error);
        return 0;
    }
    const std::string written = SimDataFile::ToText(store);
    SimStore again(kEnterprise);
    fuzz::Check(SimDataFile::LoadText(written, "written.sim", again, error), "a written store loads again",
                error + "\n" + written);
    fuzz::Check(SimDataFile::ToText(again) == written, "a written store loads to the same text", written);
    return 0;
}

// The simulator's data file (--data, --state): any text. It loads, or is
// refused with a message naming the file and the line; a loaded store,
// written back, loads again to the same text.
#include <string>

#include "fuzzsupport.h"
#include "sim/simdatafile.h"
#include "sim/simstore.h"

namespace {

constexpr unsigned kEnterprise = 32473;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    SimStore store(kEnterprise);
    std::string error;
    if (!SimDataFile::loadText(text, "fuzz.sim", store, error)) {
        fuzz::Check(error.rfind("fuzz.sim:", 0) == 0, "a refused data file names the file and line", error);
        return 0;
    }
    // The round trip for stores of a usual size; a file whose ranges stand
    // for up to the limit of objects takes seconds to write back twice.
    if (store.objects().size() > 20000)
        return 0;
    const std::string written = SimDataFile::toText(store);
    SimStore again(kEnterprise);
    fuzz::Check(SimDataFile::loadText(written, "written.sim", again, error), "a written store loads again",
                error + "\n" + written);
    fuzz::Check(SimDataFile::toText(again) == written, "a written store loads to the same text", written);
    return 0;
}

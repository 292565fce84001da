// Message files: any bytes as a message file. A loaded set holds the file's
// non-blank lines (each at most 1023 characters, without its line end), and
// every error code still gives a text.
#include <cstring>

#include "common/kvmessages.h"
#include "common/kvmessageset.h"
#include "fuzzsupport.h"

namespace {

const char* const kBuiltIns[] = {"first", "second", "third"};

bool IsBlank(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path =
        fuzz::WriteScratchFile("messages.err", std::string(reinterpret_cast<const char*>(data), size));

    KvMessageSet set(kBuiltIns, 3);
    const bool loaded = set.Load(path);
    fuzz::Check(loaded == set.IsLoaded(), "Load reports what the set holds");
    if (loaded) {
        fuzz::Check(set.Count() >= 1, "a loaded set holds a line");
        fuzz::Check(set.Count() <= static_cast<int>(size), "no more lines than bytes");
        for (int line = 0; line < set.Count(); ++line) {
            const std::string text = set.Lookup(line);
            fuzz::Check(!IsBlank(text), "a loaded line is not blank", text);
            fuzz::Check(text.size() <= 1023, "a loaded line is at most 1023 characters");
            fuzz::Check(text.find('\n') == std::string::npos, "a line end is not part of the text", text);
            fuzz::Check(text.find('\0') == std::string::npos, "a NUL byte ends the text");
        }
        fuzz::Check(set.Lookup(set.Count()) == (set.Count() < 3 ? kBuiltIns[set.Count()] : ""),
                    "a line the file lacks falls back to the built-in text");
    } else {
        fuzz::Check(set.Lookup(0) == "first", "a file that did not load leaves the built-in texts");
    }
    fuzz::Check(set.Lookup(-1).empty(), "a negative line has no text");

    // The process-wide sets as start-up loads them: every code has a text.
    for (int id = 0; id < kKvMessageSetCount; id += 3)
        KvMessages(static_cast<KvMessageSetId>(id)).Load(path);
    for (int code : {0, -1, -18, -19, -101, -118, -201, -217, -301, -314, -401, -423, -501, -528, -529, 7})
        (void)KvErrorText(code);
    (void)KvStatusTemplate(true);
    KvResetMessageSets();
    return 0;
}

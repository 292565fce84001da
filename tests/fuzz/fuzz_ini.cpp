// The INI reader and the registry stand-in: any bytes as an INI or registry
// file, looked up by section and key names from the input and by the names
// the program itself uses.
//
// Input: FILE NUL SECTION NUL KEY
#include "fuzzsupport.h"
#include "platform/kvini.h"
#include "platform/kvinifile.h"
#include "platform/kvregistry.h"

namespace {

// Names as the program writes them: letters, digits and a few signs, no
// blank at either end. A key opened (and created) under such a name must be
// found again.
bool IsProgramName(const std::string& name)
{
    if (name.empty() || name.front() == ' ' || name.back() == ' ')
        return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '\\' ||
                        c == '.' || c == '_' || c == ' ' || c == '+';
        if (!ok)
            return false;
    }
    return true;
}

void LookUp(const KvIniFile& file, const std::string& section, const std::string& key)
{
    const bool hasSection = file.hasSection(section);
    const std::optional<std::string> value = file.value(section, key);
    // A key belongs to a section: no value without its section.
    fuzz::Check(!value || hasSection, "a value is found only in a section that is there");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, 3);
    const std::string& text = parts[0];
    const std::string& section = parts[1];
    const std::string& key = parts[2];

    const KvIniFile file = KvIniFile::fromText(text);
    LookUp(file, section, key);
    LookUp(file, "Program Information", "AgentPort");
    LookUp(file, "\\SOFTWARE\\Korvan\\Modules\\HelpPath", "1.3.6.1.4.1.32473.10.48.1");

    // The same text read through a file, as start-up reads the per-switch file.
    const std::string path = fuzz::WriteScratchFile("switch.cfg", text);
    const KvIni ini(path);
    const std::string read = ini.ReadString(section, key, "(default)");
    fuzz::Check(read.size() <= KvIni::kBufferSize - 1, "an INI value is at most 4095 characters");
    if (!read.empty() && read != "(default)") {
        fuzz::Check(static_cast<unsigned char>(read.front()) > ' ' && static_cast<unsigned char>(read.back()) > ' ',
                    "an INI value has no blanks around it", read);
    }

    // The registry in that file: opening a key creates it when it is missing,
    // and it is there afterwards.
    KvRegistry registry(path);
    (void)registry.KeyExists(section);
    if (registry.OpenKey(section, false)) {
        (void)registry.ReadString(key);
        (void)registry.ValueExists(key);
    }
    if (IsProgramName(section) && section.find_first_not_of('\\') != std::string::npos &&
        registry.OpenKey(section, true)) {
        fuzz::Check(registry.KeyExists(section), "a created key is found again", section);
        fuzz::Check(KvRegistry(path).OpenKey(section, false), "a created key opens again", section);
    }
    return 0;
}

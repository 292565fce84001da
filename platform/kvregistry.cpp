#include "platform/kvregistry.h"

#include "platform/kvinifile.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <utility>

namespace {

// Key paths are stored without their leading backslash so that
// "\SOFTWARE\Korvan" and "SOFTWARE\Korvan" name the same key.
std::string keyName(const std::string& key)
{
    size_t b = 0;
    while (b < key.size() && key[b] == '\\')
        ++b;
    return key.substr(b);
}

bool fileHasKey(const KvIniFile& file, const std::string& key)
{
    // Both spellings may occur in a file written by hand.
    return file.hasSection(key) || file.hasSection("\\" + key);
}

std::optional<std::string> keyValue(const KvIniFile& file, const std::string& key, const std::string& name)
{
    if (auto v = file.value(key, name))
        return v;
    return file.value("\\" + key, name);
}

} // namespace

KvRegistry::KvRegistry() : filePath_(machineFilePath()) {}

KvRegistry::KvRegistry(std::string filePath) : filePath_(std::move(filePath)) {}

std::string KvRegistry::machineFilePath()
{
    const char* fromEnvironment = std::getenv(kEnvironmentVariable);
    if (fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    return kDefaultFilePath;
}

bool KvRegistry::KeyExists(const std::string& key) const
{
    return fileHasKey(KvIniFile(filePath_), keyName(key));
}

bool KvRegistry::OpenKey(const std::string& key, bool canCreate)
{
    CloseKey();
    const std::string name = keyName(key);
    if (name.empty() || name.find_first_of("[]\r\n") != std::string::npos)
        return false;
    const KvIniFile file(filePath_);
    if (!fileHasKey(file, name)) {
        if (!canCreate || !file.exists())
            return false;
        std::ofstream out(filePath_, std::ios::app | std::ios::binary);
        if (!out)
            return false;
        out << "\n[\\" << name << "]\n";
        out.flush();
        if (!out)
            return false;
    }
    currentKey_ = name;
    open_ = true;
    return true;
}

void KvRegistry::CloseKey()
{
    currentKey_.clear();
    open_ = false;
}

std::string KvRegistry::ReadString(const std::string& name) const
{
    if (!open_)
        return std::string();
    return keyValue(KvIniFile(filePath_), currentKey_, name).value_or(std::string());
}

bool KvRegistry::ValueExists(const std::string& name) const
{
    return open_ && keyValue(KvIniFile(filePath_), currentKey_, name).has_value();
}

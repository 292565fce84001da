#pragma once
#include <string>

// Stand-in for the machine-wide registry (read, plus creating an empty key).
//
// The registry is an INI-style text file: each section is a key path written as
// the program writes it ("\SOFTWARE\Korvan\Modules\HelpPath"), each entry a named
// value. Key paths and value names are compared without regard to case, and a
// leading backslash is optional. The file's path comes from the environment
// variable KORVAN_REGISTRY, or is /etc/korvan/registry.ini when that is unset.
// A missing file, key or value reads as empty.
class KvRegistry {
public:
    // The machine's registry (KORVAN_REGISTRY or the default path).
    KvRegistry();
    // A registry kept in the given file (tests, tools).
    explicit KvRegistry(std::string filePath);

    static std::string machineFilePath();
    static constexpr const char* kEnvironmentVariable = "KORVAN_REGISTRY";
    static constexpr const char* kDefaultFilePath = "/etc/korvan/registry.ini";

    const std::string& filePath() const { return filePath_; }

    // Makes `key` the current key. A missing key is created empty when
    // `canCreate` is set and the registry file exists and can be written;
    // otherwise, or when writing fails, the key does not open. Never throws.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    bool KeyExists(const std::string& key) const;

    // A value of the current key; empty when there is no open key or no value.
    std::string ReadString(const std::string& name) const;
    bool ValueExists(const std::string& name) const;

private:
    std::string filePath_;
    std::string currentKey_;
    bool open_ = false;
};

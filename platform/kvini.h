#pragma once
#include <string>

// Read-only INI file of one name. The name is kept as given (backslashes and all)
// and turned into a host path only when the file is read.
class KvIni {
public:
    explicit KvIni(std::string fileName);

    // The key's value as the INI reading service gives it (at most 4095
    // characters, as read into a buffer of 4096), without leading and trailing
    // blanks and control characters; when that is empty, `defaultValue` unchanged.
    // A missing file, section or key gives `defaultValue` as well.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;

    std::string fileName;

    static constexpr size_t kBufferSize = 4096;
};

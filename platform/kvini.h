#pragma once
#include <string>

// Read-only INI file of one name. The name is kept as given (backslashes and all)
// and turned into a host path only when the file is read.
class KvIni {
public:
    explicit KvIni(std::string fileName);

    // The key's value as the INI reading service gives it (at most 4095
    // characters, as read into a buffer of 4096, and ending at a NUL byte as
    // a zero-terminated text does; `defaultValue` when the file,
    // section or key is missing). A non-empty result comes back without leading
    // and trailing blanks and control characters; an empty one gives
    // `defaultValue` unchanged.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    std::string fileName;

    static constexpr size_t kBufferSize = 4096;
};

#include "platform/kvini.h"

#include "platform/kvinifile.h"
#include "platform/kvpath.h"

#include <algorithm>
#include <utility>

namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

KvIni::KvIni(std::string name) : fileName(std::move(name)) {}

std::string KvIni::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const
{
    const KvIniFile file(KvNativePath(fileName));
    // The reading service hands the default through when the key is missing.
    std::string value = file.value(section, key).value_or(defaultValue);
    if (value.size() > kBufferSize - 1)
        value.resize(kBufferSize - 1);
    // The buffer holds a zero-terminated text: a NUL byte in the file ends
    // the value there.
    value.resize(std::min(value.size(), value.find('\0')));
    if (value.empty())
        return defaultValue;
    size_t b = 0;
    size_t e = value.size();
    while (b < e && isBlankOrControl(value[b]))
        ++b;
    while (e > b && isBlankOrControl(value[e - 1]))
        --e;
    return value.substr(b, e - b);
}

#include "platform/kvpath.h"

#include <algorithm>
#include <filesystem>

std::string KvNativePath(const std::string& path)
{
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string KvAbsoluteNativePath(const std::string& path)
{
    const std::string native = KvNativePath(path);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(native, error);
    return error ? native : absolute.string();
}

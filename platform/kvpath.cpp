#include "platform/kvpath.h"

#include <algorithm>

std::string KvNativePath(const std::string& path)
{
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

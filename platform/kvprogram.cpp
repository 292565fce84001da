#include "platform/kvprogram.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <unistd.h>

#include <climits>

static_assert(std::char_traits<char>::length(KvProgram::kModuleFileName) == KvProgram::kModuleFileNameLength);

std::string KvProgram::filePath()
{
    if (QCoreApplication::instance()) {
        const QString path = QCoreApplication::applicationFilePath();
        if (!path.isEmpty())
            return path.toStdString();
    }
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

std::string KvProgram::fileName()
{
    const std::string path = filePath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string KvProgram::directory()
{
    const std::string path = filePath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

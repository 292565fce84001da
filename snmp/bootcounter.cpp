#include "snmp/bootcounter.h"
#include "snmp/uniquefd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

#include "platform/kvpath.h"

namespace {

constexpr size_t kMaxEngineIdOctets = 32;

bool IsComment(const std::string& line)
{
    return !line.empty() && line[0] == '#';
}

bool IsBlank(const std::string& line)
{
    for (unsigned char c : line)
        if (c > ' ')
            return false;
    return true;
}

void StripLineEnd(std::string& line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
}

// Splits "<encoded> <boots>"; false when the line is malformed.
bool ParseLine(const std::string& line, std::string& encoded, uint32_t& boots)
{
    size_t space = line.find(' ');
    if (space == std::string::npos || space == 0)
        return false;
    encoded = line.substr(0, space);
    if (encoded.size() % 2 != 0 || encoded.size() > 2 * kMaxEngineIdOctets)
        return false;
    for (char c : encoded)
        if (c < '@' || c > 'O')
            return false;
    size_t i = space;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (i == line.size())
        return false;
    uint64_t value = 0;
    for (; i < line.size(); ++i) {
        char c = line[i];
        if (c == ' ' || c == '\t')
            break;
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0xFFFFFFFFu)
            return false;
    }
    for (; i < line.size(); ++i)
        if (line[i] != ' ' && line[i] != '\t')
            return false;
    boots = static_cast<uint32_t>(value);
    return true;
}

} // namespace

std::string EncodeBootCounterEngineId(const std::string& engineId)
{
    std::string encoded;
    for (unsigned char c : engineId) {
        encoded += static_cast<char>('@' + (c >> 4));
        encoded += static_cast<char>('@' + (c & 0x0F));
    }
    return encoded;
}

int getBootCounter(const std::string& file, const std::string& engineId, uint32_t& boots)
{
    boots = 0;
    if (engineId.size() > kMaxEngineIdOctets)
        return bootCounterIdTooLong;
    std::ifstream in(KvNativePath(file), std::ios::binary);
    if (!in)
        return bootCounterCannotOpen;
    const std::string wanted = EncodeBootCounterEngineId(engineId);
    std::string line;
    while (std::getline(in, line)) {
        StripLineEnd(line);
        if (IsComment(line) || IsBlank(line))
            continue;
        std::string encoded;
        uint32_t value = 0;
        if (!ParseLine(line, encoded, value))
            return bootCounterMalformed;
        if (encoded == wanted) {
            boots = value;
            return bootCounterOk;
        }
    }
    return bootCounterNoEntry;
}

int saveBootCounter(const std::string& file, const std::string& engineId, uint32_t boots)
{
    if (engineId.size() > kMaxEngineIdOctets)
        return bootCounterIdTooLong;
    const std::string path = KvNativePath(file);
    const std::string wanted = EncodeBootCounterEngineId(engineId);
    const std::string ours = wanted + " " + std::to_string(boots);

    // Keep every other line as it is; replace ours in place or add it.
    std::vector<std::string> lines;
    bool replaced = false;
    {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        while (in && std::getline(in, line)) {
            StripLineEnd(line);
            std::string encoded;
            uint32_t value = 0;
            if (!IsComment(line) && ParseLine(line, encoded, value) && encoded == wanted) {
                if (replaced)
                    continue;
                line = ours;
                replaced = true;
            }
            lines.push_back(line);
        }
    }
    if (!replaced)
        lines.push_back(ours);

    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    std::string content;
    for (const std::string& l : lines)
        content += l + "\n";
    UniqueFd fd(::mkstemp(name.data()));
    if (!fd.IsOpen())
        return bootCounterCannotCreate;
    bool written = true;
    size_t offset = 0;
    while (offset < content.size()) {
        ssize_t n = ::write(fd.Get(), content.data() + offset, content.size() - offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            written = false;
            break;
        }
        offset += static_cast<size_t>(n);
    }
    ::fchmod(fd.Get(), 0644);
    if (!fd.Close())
        written = false;
    if (!written) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return bootCounterCannotCreate;
    }
    if (std::rename(name.data(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return bootCounterCannotRename;
    }
    return bootCounterOk;
}

#include "platform/kvinifile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string unquoted(const std::string& s)
{
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// Calls visit(section, key, value) for every key line in file order until it
// returns true; sections alone are reported with an empty key and no '='.
template <typename Visit>
void forEachLine(const std::string& text, Visit visit)
{
    std::string section;
    bool inSection = false;
    size_t pos = 0;
    // A UTF-8 byte order mark at the start is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            section = trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = true;
            if (visit(section, std::string(), std::string(), false))
                return;
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos)
            continue;
        if (visit(section, trimmed(line.substr(0, eq)), unquoted(trimmed(line.substr(eq + 1))), true))
            return;
    }
}

} // namespace

KvIniFile::KvIniFile(const std::string& hostPath)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(hostPath, error))
        return;
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text_ = buffer.str();
    exists_ = true;
}

KvIniFile KvIniFile::fromText(const std::string& text)
{
    KvIniFile file;
    file.text_ = text;
    file.exists_ = true;
    return file;
}

bool KvIniFile::sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool KvIniFile::hasSection(const std::string& section) const
{
    bool found = false;
    forEachLine(text_, [&](const std::string& s, const std::string&, const std::string&, bool isKey) {
        found = !isKey && sameName(s, section);
        return found;
    });
    return found;
}

std::optional<std::string> KvIniFile::value(const std::string& section, const std::string& key) const
{
    std::optional<std::string> result;
    forEachLine(text_, [&](const std::string& s, const std::string& k, const std::string& v, bool isKey) {
        if (isKey && sameName(k, key) && sameName(s, section)) {
            result = v;
            return true;
        }
        return false;
    });
    return result;
}

#include "shell/kvhandedsecrets.h"

#include <cstdlib>
#include <cstring>

namespace {

struct SecretLine {
    const char* name;
    std::optional<std::string> KvHandedSecrets::*field;
};

// clang-format off
const SecretLine kLines[] = {
    {"read",  &KvHandedSecrets::read },
    {"write", &KvHandedSecrets::write},
    {"auth",  &KvHandedSecrets::auth },
    {"priv",  &KvHandedSecrets::priv },
};
// clang-format on

} // namespace

bool KvHandedSecrets::Parse(const std::string& text, KvHandedSecrets& secrets, std::string& problem)
{
    secrets = KvHandedSecrets();
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const size_t equals = line.find('=');
        const std::string name = line.substr(0, equals);
        const SecretLine* known = nullptr;
        for (const SecretLine& candidate : kLines)
            if (equals != std::string::npos && name == candidate.name)
                known = &candidate;
        if (!known) {
            problem = "line " + std::to_string(number) + " is not read=, write=, auth= or priv=";
            return false;
        }
        std::optional<std::string>& field = secrets.*(known->field);
        if (field) {
            problem = name + "= is given twice";
            return false;
        }
        field = line.substr(equals + 1);
    }
    return true;
}

std::string KvHandedSecrets::Format() const
{
    std::string text;
    for (const SecretLine& line : kLines)
        if (const std::optional<std::string>& value = this->*(line.field))
            text += std::string(line.name) + "=" + *value + "\n";
    return text;
}

KvHandedSecrets KvHandedSecrets::TakeFromEnvironment()
{
    KvHandedSecrets secrets;
    char* value = std::getenv(kEnvironmentVariable);
    if (!value)
        return secrets;
    std::string problem;
    if (!Parse(value, secrets, problem))
        secrets = KvHandedSecrets();
    std::memset(value, 0, std::strlen(value));
    unsetenv(kEnvironmentVariable);
    return secrets;
}

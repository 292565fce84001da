#include "netsnmpwalk.h"

#include <algorithm>
#include <cstdio>

#include "snmpdfixture.h"

std::vector<WalkEntry> NetSnmpWalk(const std::vector<std::string>& session, const std::string& column,
                                   const std::vector<std::string>& extra)
{
    std::vector<std::string> arguments{"snmpwalk"};
    arguments.insert(arguments.end(), session.begin(), session.end());
    arguments.insert(arguments.end(), {"-On", "-OQ"});
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back(column);
    const std::string output = SnmpdFixture::RunTool(arguments);

    std::vector<WalkEntry> entries;
    const std::string prefix = "." + column + ".";
    size_t from = 0;
    while (from < output.size()) {
        size_t end = output.find('\n', from);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(from, end - from);
        from = end + 1;
        const size_t equals = line.find(" = ");
        if (line.rfind(prefix, 0) != 0 || equals == std::string::npos)
            continue;
        WalkEntry entry;
        entry.instance = line.substr(prefix.size(), equals - prefix.size());
        std::string value = line.substr(equals + 3);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const bool hex = std::find(extra.begin(), extra.end(), "-Ox") != extra.end();
        if (hex)
            std::erase(value, ' ');
        entry.value = value;
        entries.push_back(entry);
    }
    return entries;
}

std::string TakeArc(std::string& instance)
{
    const size_t dot = instance.find('.');
    std::string arc = instance.substr(0, dot);
    instance = dot == std::string::npos ? "" : instance.substr(dot + 1);
    return arc;
}

std::string TakeOctets(std::string& instance)
{
    const int length = std::stoi(TakeArc(instance));
    std::string octets;
    for (int i = 0; i < length; ++i)
        octets += static_cast<char>(std::stoi(TakeArc(instance)));
    return octets;
}

std::string Hex(const std::string& octets)
{
    std::string hex;
    char digits[4];
    for (unsigned char c : octets) {
        std::snprintf(digits, sizeof digits, "%02X", c);
        hex += digits;
    }
    return hex;
}

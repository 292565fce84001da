#pragma once
// What the walk tests share: a row as the values of a variable list, and the
// SNMP engine started in a fresh temporary directory for a test suite.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "snmp/kvsnmpsession.h"
#include "snmp/kvsnmpvarlist.h"

namespace walktest {

using Row = std::vector<std::string>;

inline Row Snapshot(const KvSNMPVarList& list)
{
    Row row;
    for (int32_t i = 0; i < list.Count(); ++i)
        row.push_back(list[i].value);
    return row;
}

// Makes <temp>/<prefix>-XXXXXX and starts the engine there; empty on failure.
inline std::string StartEngineInTemporaryDirectory(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data()))
        return {};
    StartSnmpEngine(name.data());
    return name.data();
}

inline void RemoveDirectory(const std::string& directory)
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

} // namespace walktest

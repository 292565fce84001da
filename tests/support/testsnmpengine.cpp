#include "tests/support/testsnmpengine.h"

#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/simfixture.h"

#include <filesystem>
#include <stdlib.h>
#include <system_error>
#include <vector>

TestSnmpEngine::TestSnmpEngine(const std::string& prefix, const std::string& directorySuffix)
    : processor_(std::make_unique<SnmpEventProcessor>())
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> dir(pattern.begin(), pattern.end());
    dir.push_back('\0');
    if (::mkdtemp(dir.data()))
        directory_ = std::string(dir.data()) + directorySuffix;
    StartSnmpEngine(directory_);
}

TestSnmpEngine::~TestSnmpEngine()
{
    processor_.reset();
    if (directory_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

bool TestSnmpEngine::StartSimulator(SimFixture& sim, std::string* error)
{
    if (!sim.start(error))
        return false;
    KvSNMPDevice.address = sim.host();
    KvSNMPDevice.port = sim.port();
    return true;
}

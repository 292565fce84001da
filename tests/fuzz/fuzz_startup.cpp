// The command line with the per-switch INI file: any INI text and any
// parameters. Start-up either applies them or ends with its conversion error
// ("'abc' is not a valid integer value") or a KvError; nothing else.
//
// Input: INI NUL PARAMETER NUL PARAMETER ... (the INI file belongs to the
// address 10.0.0.1, so the parameters reach it after "/I10.0.0.1").
#include <filesystem>

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "fuzzsupport.h"
#include "shell/kvconverterror.h"
#include "shell/kvstartup.h"

namespace {

constexpr size_t kMaxParameters = 16;

// The registry names the scratch directory as the configuration directory.
const std::string& RegistryFile()
{
    static const std::string path = fuzz::WriteScratchFile(
        "registry.ini", "[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]\nPath=" + fuzz::ScratchDirectory() + "/\n");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, kMaxParameters + 1);
    fuzz::WriteScratchFile("10.0.0.1.cfg", parts[0]);
    std::vector<std::string> parameters;
    // A command-line parameter ends at a NUL byte.
    for (size_t i = 1; i < parts.Count(); ++i)
        parameters.push_back(parts[i].substr(0, parts[i].find('\0')));

    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
    KvStartup startup(KvRegistry(RegistryFile()), device, security, scope);
    try {
        const KvStartup::Result result = startup.Configure(parameters);
        fuzz::Check((result == KvStartup::Result::NoParameter) == parameters.empty(),
                    "only an empty command line ends the program");
        fuzz::Check(device.address == startup.Texts().AgentAddress, "the address in force is the one shown");
        fuzz::Check(security.readCommunity == startup.Texts().ReadCommunity || startup.Texts().ReadCommunity.empty(),
                    "the read community in force is the one given");
    } catch (const KvConvertError& error) {
        fuzz::Check(std::string(error.what()).find("is not a valid integer value") != std::string::npos,
                    "a conversion error says which text");
    } catch (const KvError&) {
    }
    KvResetMessageSets();
    return 0;
}

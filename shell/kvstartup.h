#pragma once
#include <exception>
#include <string>
#include <vector>

#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvhandedsecrets.h"
#include "snmp/kvsnmpsession.h"

// What start-up leaves for the main window besides the session settings.
struct KvStartupTexts {
    std::string AgentAddress;   // the "/I" value exactly as given; empty until then
    std::string ReadCommunity;  // the "/R" value
    std::string WriteCommunity; // the "/W" value
    std::string IniVersion;     // INI "Version" as stored (8 bits), as decimal text; empty when no INI was read
    bool IniFileFound = false;  // whether the INI file existed when last looked for
};

// The program's start-up without any window: the SNMP engine, the module's
// directory from the registry, the seven message files, the host's
// configuration directory, and the command line with the per-switch INI file
// applied to the three session settings records. The main window runs it while
// it is constructed; command-line tools can run it as they are.
//
// The command line: each parameter is a switch and its value ("/I10.1.1.1").
// A switch counts when its two characters occur anywhere in the parameter; its
// value is everything after their first occurrence. Per parameter:
//   1. "/I" sets the address and ends that parameter's processing;
//   2. otherwise the INI file (configuration directory + address + ".cfg",
//      section "Program Information") is looked for again and, when it exists,
//      applied;
//   3. then the first of "/R", "/W", "/v" that occurs is applied;
//   4. if none did and SNMPv3 is in force (IniVersion "3" or version 3), the
//      first of "/t", "/c", "/d", "/m", "/l", "/n", "/A", "/P", "/a", "/p".
// Numbers go through a strict decimal conversion; a bad one raises
// KvConvertError ("'abc' is not a valid integer value") and ends start-up.
class KvStartup {
public:
    // Works on the process-wide session settings and the machine's registry.
    KvStartup();
    // Works on the given records and registry (tests, tools).
    KvStartup(KvRegistry registry, KvSNMPDeviceSettings& device, KvSNMPSecuritySettings& security,
              KvSNMPScopeSettings& scope);

    enum class Result {
        Ready,       // the settings are in force
        NoParameter, // the command line was empty: the program is to end
    };

    // The whole start-up: StartEngine, then Configure. Raises what they raise.
    Result Run(const std::vector<std::string>& parameters);

    // Starts the process-wide SNMP engine with bootCounterDirectory (empty: its
    // boot counter file is kept in the working directory), then sets version
    // 0. Raises the engine's KvError (-506, -507, -508).
    void StartEngine();

    // Where the SNMPv3 boot counter file is kept: the directory named by the
    // environment variable OSPREY_BOOT_COUNTER_DIR when it is set and not
    // empty, else "" (the working directory). Tools may set another one
    // before Run.
    static std::string DefaultBootCounterDirectory();
    static constexpr const char* kBootCounterDirVariable = "OSPREY_BOOT_COUNTER_DIR";
    std::string bootCounterDirectory = DefaultBootCounterDirectory();

    // Every step after the engine: clears the texts, finds the module's
    // directory, loads the message files, finds the configuration directory
    // and applies the parameters, then the secrets handed over in the
    // environment (KvHandedSecrets), which thus win over the command line and
    // the INI file. Gives NoParameter, with nothing applied, when there are no
    // parameters.
    Result Configure(const std::vector<std::string>& parameters);

    // Single steps, for the callers above and for tests.
    std::string FindModuleDirectory();
    static void LoadMessageFiles(const std::string& moduleDirectory);
    std::string FindConfigDirectory();
    void ApplyParameter(const std::string& parameter);
    void ApplyIniFile(const std::string& fileName);
    void ApplyHandedSecrets(const KvHandedSecrets& secrets);
    bool Version3InForce() const;

    const KvStartupTexts& Texts() const { return texts_; }
    const std::string& ModuleDirectory() const { return moduleDirectory_; }
    const std::string& ConfigDirectory() const { return configDirectory_; }
    std::string IniFileName() const;

    // The parameters of the program's command line (argv[1] on). The values
    // of the switches that carry secrets, the communities ("/R", "/W") and
    // the SNMPv3 passwords ("/A", "/P"), are overwritten in `argv` once read,
    // so that the process list (ps, /proc/PID/cmdline) shows the switch with
    // nothing after it; the parameters given back keep them.
    static std::vector<std::string> TakeParameters(int argc, char** argv);
    // Where the secret value of a parameter begins (after the switch that
    // ApplyParameter would apply), or npos when it carries none.
    static size_t SecretValueStart(const std::string& parameter);

    // Text for showing a start-up failure: the error's own message, and for a
    // boot counter that cannot be kept, what to do about it.
    static std::string DescribeFailure(const std::exception& error);

    // Registry keys and values.
    static constexpr const char* kModuleKey = "\\SOFTWARE\\Korvan\\Modules\\HelpPath";
    static constexpr const char* kHostExeKey = "\\SOFTWARE\\Korvan\\Halyard5.1\\ExePath";
    static constexpr const char* kHostMibKey = "\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile";
    static constexpr const char* kHostPathValue = "Path";
    static constexpr const char* kConfigSubdirectory = "..\\Conf\\MBF\\";
    static constexpr const char* kIniSection = "Program Information";
    static constexpr const char* kIniSuffix = ".cfg";
    // The registry names the module's program file; its directory is that path
    // less the length of the program file's name.
    static constexpr size_t kProgramFileNameLength = KvProgram::kModuleFileNameLength;
    // Name of the HelpPath value: the model's system object identifier.
    static std::string ModuleValueName();

private:
    KvRegistry registry_;
    KvSNMPDeviceSettings& device_;
    KvSNMPSecuritySettings& security_;
    KvSNMPScopeSettings& scope_;
    KvStartupTexts texts_;
    std::string moduleDirectory_;
    std::string configDirectory_;
};

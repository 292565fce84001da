#include "shell/kvstartup.h"

#include <cstring>

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "osprey_config.h"
#include "platform/kvini.h"
#include "platform/kvpath.h"
#include "shell/kvconverterror.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

// The session values that start-up converts, with the widths the records keep.
uint16_t toPort(const std::string& text)
{
    return static_cast<uint16_t>(KvStrToInt(text));
}

int8_t toVersion(const std::string& text)
{
    return static_cast<int8_t>(KvStrToInt(text));
}

// INI files count security levels and protocols from 0, the session from 1.
int32_t countedFromOne(const std::string& text)
{
    return static_cast<int32_t>(int64_t(KvStrToInt(text)) + 1);
}

struct Target {
    KvStartupTexts& texts;
    KvSNMPDeviceSettings& device;
    KvSNMPSecuritySettings& security;
    KvSNMPScopeSettings& scope;
};

using Apply = void (*)(Target&, const std::string& value);

struct SwitchRule {
    const char* text;
    Apply apply;
    bool secret = false; // a community or a password
};

// "/I" is looked at before everything else; see ApplyParameter.
const SwitchRule kAddressSwitch = {"/I", [](Target& t, const std::string& v) {
                                       t.texts.AgentAddress = v;
                                       t.device.address = v;
                                   }};

// Looked at for every other parameter, the first that occurs applies.
const SwitchRule kCommonSwitches[] = {
    {"/R",
     [](Target& t, const std::string& v) {
         t.security.readCommunity = v;
         t.texts.ReadCommunity = v;
     },
     true},
    {"/W",
     [](Target& t, const std::string& v) {
         t.security.writeCommunity = v;
         t.texts.WriteCommunity = v;
     },
     true},
    {"/v", [](Target& t, const std::string& v) { t.security.version = toVersion(v); }},
};

// Looked at only while SNMPv3 is in force, when no common switch applied.
const SwitchRule kVersion3Switches[] = {
    {"/t", [](Target& t, const std::string& v) { t.device.port = toPort(v); }},
    {"/c", [](Target& t, const std::string& v) { t.scope.contextName = v; }},
    {"/d", [](Target& t, const std::string& v) { t.scope.contextEngineId = v; }},
    {"/m", [](Target& t, const std::string& v) { t.security.securityModel = KvStrToInt(v); }},
    {"/l", [](Target& t, const std::string& v) { t.security.securityLevel = KvStrToInt(v); }},
    {"/n", [](Target& t, const std::string& v) { t.security.securityName = v; }},
    {"/A", [](Target& t, const std::string& v) { t.security.authPassword = v; }, true},
    {"/P", [](Target& t, const std::string& v) { t.security.privPassword = v; }, true},
    {"/a", [](Target& t, const std::string& v) { t.security.authProtocol = KvStrToInt(v); }},
    {"/p", [](Target& t, const std::string& v) { t.security.privProtocol = KvStrToInt(v); }},
};

// Applies the rule when its switch occurs in the parameter; the value is the
// rest of the parameter after the switch's first occurrence.
bool applyIfPresent(const SwitchRule& rule, Target& target, const std::string& parameter)
{
    const size_t at = parameter.find(rule.text);
    if (at == std::string::npos)
        return false;
    rule.apply(target, parameter.substr(at + 2));
    return true;
}

template <size_t N>
bool applyFirstPresent(const SwitchRule (&rules)[N], Target& target, const std::string& parameter)
{
    for (const SwitchRule& rule : rules)
        if (applyIfPresent(rule, target, parameter))
            return true;
    return false;
}

// The first rule whose switch occurs in the parameter, or null.
template <size_t N>
const SwitchRule* firstPresent(const SwitchRule (&rules)[N], const std::string& parameter)
{
    for (const SwitchRule& rule : rules)
        if (parameter.find(rule.text) != std::string::npos)
            return &rule;
    return nullptr;
}

} // namespace

KvStartup::KvStartup() : KvStartup(KvRegistry(), KvSNMPDevice, KvSNMPSecurity, KvSNMPScope) {}

KvStartup::KvStartup(KvRegistry registry, KvSNMPDeviceSettings& device, KvSNMPSecuritySettings& security,
                     KvSNMPScopeSettings& scope)
    : registry_(std::move(registry)), device_(device), security_(security), scope_(scope)
{
}

size_t KvStartup::SecretValueStart(const std::string& parameter)
{
    if (parameter.find(kAddressSwitch.text) != std::string::npos)
        return std::string::npos;
    // The switch that ApplyParameter would apply; an SNMPv3 switch counts
    // whether SNMPv3 is in force or not (a password typed is a password).
    const SwitchRule* rule = firstPresent(kCommonSwitches, parameter);
    if (!rule)
        rule = firstPresent(kVersion3Switches, parameter);
    if (!rule || !rule->secret)
        return std::string::npos;
    return parameter.find(rule->text) + 2;
}

std::vector<std::string> KvStartup::TakeParameters(int argc, char** argv)
{
    std::vector<std::string> parameters;
    for (int i = 1; i < argc && argv[i]; ++i) {
        parameters.emplace_back(argv[i]);
        const size_t from = SecretValueStart(parameters.back());
        if (from != std::string::npos)
            std::memset(argv[i] + from, 0, parameters.back().size() - from);
    }
    return parameters;
}

std::string KvStartup::ModuleValueName()
{
    return OSPREY_ENT_OID ".10.48.1";
}

KvStartup::Result KvStartup::Run(const std::vector<std::string>& parameters)
{
    texts_ = KvStartupTexts();
    StartEngine();
    return Configure(parameters);
}

std::string KvStartup::DefaultBootCounterDirectory()
{
    const char* directory = std::getenv(kBootCounterDirVariable);
    return directory ? directory : "";
}

void KvStartup::StartEngine()
{
    StartSnmpEngine(bootCounterDirectory);
    security_.version = 0;
}

KvStartup::Result KvStartup::Configure(const std::vector<std::string>& parameters)
{
    texts_ = KvStartupTexts();
    moduleDirectory_ = FindModuleDirectory();
    LoadMessageFiles(moduleDirectory_);
    configDirectory_ = FindConfigDirectory();
    if (parameters.empty())
        return Result::NoParameter;
    for (const std::string& parameter : parameters)
        ApplyParameter(parameter);
    ApplyHandedSecrets(KvHandedSecrets::TakeFromEnvironment());
    return Result::Ready;
}

std::string KvStartup::FindModuleDirectory()
{
    std::string directory;
    if (registry_.OpenKey(kModuleKey, true)) {
        const std::string programFile = registry_.ReadString(ModuleValueName());
        if (programFile.size() > kProgramFileNameLength)
            directory = programFile.substr(0, programFile.size() - kProgramFileNameLength);
    }
    registry_.CloseKey();
    return directory;
}

void KvStartup::LoadMessageFiles(const std::string& moduleDirectory)
{
    for (int i = 0; i < kKvMessageSetCount; ++i) {
        const auto id = static_cast<KvMessageSetId>(i);
        KvMessages(id).Load(KvNativePath(moduleDirectory + KvMessageFileName(id)));
    }
}

std::string KvStartup::FindConfigDirectory()
{
    std::string directory;
    if (registry_.OpenKey(kHostExeKey, false))
        directory = registry_.ReadString(kHostPathValue) + kConfigSubdirectory;
    if (registry_.OpenKey(kHostMibKey, false))
        directory = registry_.ReadString(kHostPathValue);
    registry_.CloseKey();
    return directory;
}

std::string KvStartup::IniFileName() const
{
    return configDirectory_ + texts_.AgentAddress + kIniSuffix;
}

bool KvStartup::Version3InForce() const
{
    return texts_.IniVersion == "3" || security_.version == kvVersion3;
}

void KvStartup::ApplyParameter(const std::string& parameter)
{
    Target target{texts_, device_, security_, scope_};
    if (applyIfPresent(kAddressSwitch, target, parameter))
        return;

    // The INI file is read again for every parameter, with the address known
    // now, before the parameter's own switch.
    const std::string iniFile = IniFileName();
    std::error_code error;
    texts_.IniFileFound = std::filesystem::is_regular_file(KvNativePath(iniFile), error);
    if (texts_.IniFileFound)
        ApplyIniFile(iniFile);

    if (applyFirstPresent(kCommonSwitches, target, parameter))
        return;
    if (Version3InForce())
        applyFirstPresent(kVersion3Switches, target, parameter);
}

void KvStartup::ApplyHandedSecrets(const KvHandedSecrets& secrets)
{
    if (secrets.read)
        security_.readCommunity = texts_.ReadCommunity = *secrets.read;
    if (secrets.write)
        security_.writeCommunity = texts_.WriteCommunity = *secrets.write;
    if (secrets.auth)
        security_.authPassword = *secrets.auth;
    if (secrets.priv)
        security_.privPassword = *secrets.priv;
}

void KvStartup::ApplyIniFile(const std::string& fileName)
{
    const KvIni ini(fileName);
    auto read = [&](const char* key) { return ini.ReadString(kIniSection, key, ""); };
    std::string value;

    device_.port = toPort(read("AgentPort"));
    security_.version = toVersion(read("Version"));
    texts_.IniVersion = std::to_string(int(security_.version));
    if (!(value = read("ContextName")).empty())
        scope_.contextName = value;
    scope_.contextEngineId = read("ContextEngineID");
    security_.securityModel = KvStrToInt(read("SecurityModel"));
    if ((value = read("SecurityLevel")) != "0")
        security_.securityLevel = countedFromOne(value);
    security_.securityName = read("SecurityName");
    if ((value = read("AuthProtocol")) != "0")
        security_.authProtocol = countedFromOne(value);
    if ((value = read("PrivProtocol")) != "0")
        security_.privProtocol = countedFromOne(value);
    if (!(value = read("AuthPassword")).empty())
        security_.authPassword = value;
    if (!(value = read("PrivPassword")).empty())
        security_.privPassword = value;
}

std::string KvStartup::DescribeFailure(const std::exception& error)
{
    std::string text = error.what();
    const auto* kvError = dynamic_cast<const KvError*>(&error);
    if (!kvError || (kvError->code() != kvErrBootCounterLoad && kvError->code() != kvErrBootCounterSave))
        return text;
    // The engine may have said which file already.
    if (text.find(kvBootCounterFile) != std::string::npos)
        return text;
    std::error_code ignored;
    const std::string here = std::filesystem::current_path(ignored).string();
    const std::string file = std::string("\"") + kvBootCounterFile + "\"";
    if (kvError->code() == kvErrBootCounterSave)
        text += "\n\nThe SNMP engine boot counter file " + file + " cannot be written in the working directory " +
                here + ". Start the program from a directory you can write to.";
    else
        text += "\n\nThe SNMP engine boot counter file " + file + " in the working directory " + here +
                " cannot be read. Remove the damaged file or start the program from another directory.";
    return text;
}

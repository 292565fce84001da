#include "switches/switchopener.h"

#include "platform/kvpath.h"
#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"
#include "switches/switchfiles.h"
#include "switches/switchpaths.h"
#include "switches/switchprotocols.h"

#include <QProcess>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The module's program file and the INI folder a registry stand-in names.
void readRegistry(const std::string& file, std::string& program, std::string& configDirectory)
{
    KvRegistry registry(file);
    program.clear();
    if (registry.OpenKey(KvStartup::kModuleKey, false))
        program = KvNativePath(registry.ReadString(KvStartup::ModuleValueName()));
    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
    KvStartup startup(KvRegistry(file), device, security, scope);
    configDirectory = KvNativePath(startup.FindConfigDirectory());
}

bool writableDirectory(const std::string& directory)
{
    return !directory.empty() && SwitchPaths::MakeDirectory(directory) && ::access(directory.c_str(), W_OK) == 0;
}

std::string ownRegistryText(const std::string& program, const std::string& configDirectory)
{
    const std::string programDirectory = fs::path(program).parent_path().string() + "/";
    return "; Registry stand-in of the switch list (osprey-switches), written by it.\n"
           "[" +
           std::string(KvStartup::kModuleKey) + "]\n" + KvStartup::ModuleValueName() + "=" + program +
           "\n"
           "[" +
           KvStartup::kHostMibKey +
           "]\n"
           "Path=" +
           configDirectory +
           "\n"
           "[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard51.exe]\n"
           "Path=" +
           programDirectory + "\n";
}

} // namespace

bool SwitchOpener::Prepare(SwitchModuleSetup& setup, std::string& error)
{
    setup = SwitchModuleSetup();
    setup.workingDirectory = SwitchPaths::StateDirectory();
    if (!SwitchPaths::MakeDirectory(setup.workingDirectory)) {
        error = "Cannot make the folder " + setup.workingDirectory + " for the SNMP engine boot counter.";
        return false;
    }
    const char* given = std::getenv(KvRegistry::kEnvironmentVariable);
    std::string installedProgram;
    if (given && *given) {
        setup.registryFile = given;
        readRegistry(setup.registryFile, setup.programFile, setup.configDirectory);
        if (!writableDirectory(setup.configDirectory)) {
            error = "The registry stand-in " + setup.registryFile +
                    " (KORVAN_REGISTRY) names no folder for the "
                    "per-switch INI files that can be written: \"" +
                    setup.configDirectory + "\".";
            return false;
        }
    } else {
        std::error_code ignored;
        if (fs::exists(KvRegistry::kDefaultFilePath, ignored)) {
            setup.registryFile = KvRegistry::kDefaultFilePath;
            readRegistry(setup.registryFile, setup.programFile, setup.configDirectory);
            installedProgram = setup.programFile;
        }
        if (setup.registryFile.empty() || !writableDirectory(setup.configDirectory)) {
            const std::string config = SwitchPaths::ConfigDirectory();
            setup.ownRegistry = true;
            setup.registryFile = config + "/registry.ini";
            setup.configDirectory = config + "/Conf/";
            setup.programFile =
                !installedProgram.empty() ? installedProgram : KvProgram::directory() + KvProgram::kModuleFileName;
            std::string current;
            const std::string text = ownRegistryText(setup.programFile, setup.configDirectory);
            if (!writableDirectory(setup.configDirectory) ||
                (!(SwitchFiles::Read(setup.registryFile, current) && current == text) &&
                 !SwitchFiles::WriteAtomically(setup.registryFile, text, error))) {
                error = "Cannot keep the registry stand-in in " + config + ": " + error;
                return false;
            }
        }
    }
    std::error_code ignored;
    if (setup.programFile.empty() || !fs::exists(setup.programFile, ignored)) {
        error = "The registry stand-in " + setup.registryFile + " names no module program that exists (\"" +
                setup.programFile + "\").";
        return false;
    }
    return true;
}

std::string SwitchOpener::IniText(const SwitchRecord& r)
{
    // Levels and protocols counted from 0 here, 0 leaving the module's default.
    const bool v3 = r.IsVersion3();
    const int securityModel = v3                         ? kvSecurityModelUsm
                              : r.version == kvVersion2c ? kvSecurityModelV2c
                                                         : kvSecurityModelV1;
    auto line = [](const char* key, const std::string& value) { return std::string(key) + "=" + value + "\n"; };
    return "; Settings of the switch \"" + r.name +
           "\", written by osprey-switches. The communities and\n"
           "; passwords are not kept here: the switch list hands them to the program privately.\n"
           "[Program Information]\n" +
           line("AgentPort", std::to_string(r.port)) + line("Version", std::to_string(int(r.version))) +
           line("ContextName", v3 ? r.contextName : "") + line("ContextEngineID", v3 ? r.contextEngineId : "") +
           line("SecurityModel", std::to_string(securityModel)) +
           line("SecurityLevel", std::to_string(v3 ? r.securityLevel - 1 : 0)) +
           line("SecurityName", v3 ? r.user : "") +
           line("AuthProtocol", std::to_string(r.NeedsAuthPassword() ? r.authProtocol - 1 : 0)) +
           line("PrivProtocol", std::to_string(r.NeedsPrivPassword() ? r.privProtocol - 1 : 0)) +
           line("AuthPassword", "") + line("PrivPassword", "");
}

std::vector<std::string> SwitchOpener::Arguments(const SwitchRecord& record)
{
    // The version switch also makes the module read the INI file.
    return {"/I" + record.address, "/v" + std::to_string(int(record.version))};
}

bool SwitchOpener::Open(const SwitchRecord& record, const KvHandedSecrets& secrets, long long& pid, std::string& error)
{
    SwitchModuleSetup setup;
    if (!Prepare(setup, error))
        return false;
    const std::string iniFile = setup.configDirectory + record.address + KvStartup::kIniSuffix;
    if (!SwitchFiles::WriteAtomically(iniFile, IniText(record), error))
        return false;

    QStringList arguments;
    for (const std::string& argument : Arguments(record))
        arguments << QString::fromStdString(argument);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(KvRegistry::kEnvironmentVariable, QString::fromStdString(setup.registryFile));
    environment.remove(KvHandedSecrets::kEnvironmentVariable);
    if (!secrets.empty())
        environment.insert(KvHandedSecrets::kEnvironmentVariable, QString::fromStdString(secrets.Format()));
    QProcess process;
    process.setProgram(QString::fromStdString(setup.programFile));
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(setup.workingDirectory));
    process.setProcessEnvironment(environment);
    // Detached from this program's terminal or pipes: a script that reads
    // "open"'s output is not kept waiting until the window closes.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 started = 0;
    if (!process.startDetached(&started)) {
        error = "Cannot start " + setup.programFile + ": " + process.errorString().toStdString();
        return false;
    }
    pid = started;
    return true;
}

bool SwitchOpener::IsRunning(long long pid)
{
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    // A process that ended but is not yet collected still answers kill.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() || line[paren + 2] != 'Z';
}

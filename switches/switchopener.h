#pragma once
#include <string>
#include <vector>

#include "shell/kvhandedsecrets.h"
#include "switches/switchrecord.h"

// Where the module is and where it looks for its per-switch INI files.
struct SwitchModuleSetup {
    std::string registryFile;     // the registry stand-in, handed on as KORVAN_REGISTRY
    std::string programFile;      // the module's program file that the registry names
    std::string configDirectory;  // the folder of the per-switch INI files
    std::string workingDirectory; // where the module keeps its SNMPv3 boot counter
    bool ownRegistry = false;     // the switch list's own stand-in, not one given or installed
};

// Opens the module for a switch: writes the switch's INI file (no secret in
// it) into the configuration directory the registry stand-in names and
// starts the program file it names, with the public command line
// "/I<address> /v<version>" and the secrets in the module's own environment
// (KvHandedSecrets), never on a command line.
//
// The registry stand-in is the one KORVAN_REGISTRY names; else the
// installed one (/etc/korvan/registry.ini) while its INI folder can be
// written; else one of the switch list's own, <config>/registry.ini, naming
// the module beside this program (or the installed one's module) and
// <config>/Conf/ for the INI files.
class SwitchOpener {
public:
    static bool Prepare(SwitchModuleSetup& setup, std::string& error);
    // The per-switch INI file's text.
    static std::string IniText(const SwitchRecord& record);
    static std::vector<std::string> Arguments(const SwitchRecord& record);
    // Prepares, writes the INI file and starts the module, detached (it
    // outlives the list). `pid`: the module's process.
    static bool Open(const SwitchRecord& record, const KvHandedSecrets& secrets, long long& pid, std::string& error);
    // Whether the process started is still running.
    static bool IsRunning(long long pid);
};

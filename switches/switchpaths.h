#pragma once
#include <string>

// Where the switch list keeps its files, after the XDG base directories:
//   $XDG_CONFIG_HOME/osprey (~/.config/osprey)       the list file, the
//       registry stand-in of its own and the per-switch INI files (Conf/)
//   $XDG_STATE_HOME/osprey (~/.local/state/osprey)  the working directory of
//       the programs it starts (their SNMPv3 boot counter file)
class SwitchPaths {
public:
    static std::string ConfigDirectory();
    static std::string StateDirectory();
    static std::string ListFile();      // <config>/switch-list.json
    static std::string OldSwitchFile(); // <config>/switches, the start script's former list
    // Makes the directory and its parents (mode 0700 for those made). False
    // when it does not exist afterwards.
    static bool MakeDirectory(const std::string& directory);
};

#pragma once
#include <string>
#include <vector>

#include "shell/kvhandedsecrets.h"
#include "switches/switchrecord.h"

class SwitchSecretStore;

// The start script's former list, ~/.config/osprey/switches: one switch per
// line in the module's command-line grammar ("/I192.0.2.10 /Rpublic
// /Wprivate"), communities in clear. Read once into the switch list: its
// secrets go to the keyring and the file is replaced by
// "switches.migrated", which says what became of it and keeps its lines
// with every community and password blanked.
class SwitchMigration {
public:
    struct Entry {
        SwitchRecord record;
        KvHandedSecrets secrets;
    };
    // The switches of the file's text; lines without "/I" and comments are
    // skipped. Names are the addresses, made unique among `takenNames`.
    static std::vector<Entry> Parse(const std::string& text, const std::vector<std::string>& takenNames);
    // The text with every secret value blanked.
    static std::string Blanked(const std::string& text);

    // Moves `oldFile` into `records` and `store` when it exists and the
    // keyring answers (otherwise it stays for a later start, and `message`
    // says why). True when something was moved: the caller saves the list.
    static bool Run(const std::string& oldFile, std::vector<SwitchRecord>& records, SwitchSecretStore& store,
                    std::string& message);
};

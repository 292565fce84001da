#pragma once
#include <string>
#include <vector>

#include "shell/kvhandedsecrets.h"
#include "switches/switchlistfile.h"
#include "switches/switchrecord.h"

class SwitchSecretStore;

// The list of switches with their secrets, as the window and the command
// line share it: the list file, the keyring (or memory) and, on the first
// load, the start script's former switch file.
class SwitchList {
public:
    SwitchList(std::string listFile, SwitchSecretStore& store);

    // Reads the list file, then moves the old switch file into it when there
    // is one. What the user should know (a damaged file kept aside, a
    // migration) is added to `notes`.
    void Load(std::vector<std::string>& notes);

    const std::vector<SwitchRecord>& Records() const { return records_; }
    const SwitchRecord* Find(const std::string& name) const;
    // The names of every switch but `name` (for the duplicate-name check).
    std::vector<std::string> NamesExcept(const std::string& name) const;

    // Adds `record` (`originalName` empty) or replaces the switch called
    // `originalName`, and keeps its secrets. False with `error` when the list
    // file could not be written, or with `requireKept` when the keyring did
    // not keep the secrets: the list and the secrets are then as they were.
    // `secretsKept` says whether the secrets outlive the run.
    bool Put(const std::string& originalName, const SwitchRecord& record, const KvHandedSecrets& secrets,
             bool requireKept, bool& secretsKept, std::string& error);
    bool Remove(const std::string& name, std::string& error);

    SwitchSecretStore& Secrets() { return store_; }
    const std::string& FilePath() const { return file_.Path(); }

private:
    SwitchListFile file_;
    SwitchSecretStore& store_;
    std::vector<SwitchRecord> records_;
};

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
//
// Several programs may change the list at once (the window, commands run
// from a shell): every change takes an exclusive lock (flock on <list>.lock
// beside the list file), reads the file as it is now, applies the one change
// to it, writes it whole and lets go. The keyring is written only for a
// change that can be made, and taken back when the list file could not be.
class SwitchList {
public:
    SwitchList(std::string listFile, SwitchSecretStore& store);

    // Reads the list file, then moves the old switch file into it when there
    // is one. What the user should know (a damaged file kept aside, names
    // given twice, a migration) is added to `notes`.
    void Load(std::vector<std::string>& notes);
    // Reads the list file again (what other programs changed). True when the
    // list is not what it was.
    bool Reload(std::vector<std::string>& notes);

    const std::vector<SwitchRecord>& Records() const { return records_; }
    const SwitchRecord* Find(const std::string& name) const;
    // The names of every switch but `name` (for the duplicate-name check).
    std::vector<std::string> NamesExcept(const std::string& name) const;

    // Adds `record` (`originalName` empty) or replaces the switch called
    // `originalName`, and keeps its secrets. False with `error` when the list
    // file could not be written, the name was taken or the switch removed
    // meanwhile, or with `requireKept` (or a keyring that stopped answering
    // during this call) when the keyring did not keep the secrets: the list
    // and the secrets are then as they were. `secretsKept` says whether the
    // secrets outlive the run.
    bool Put(const std::string& originalName, const SwitchRecord& record, const KvHandedSecrets& secrets,
             bool requireKept, bool& secretsKept, std::string& error);
    bool Remove(const std::string& name, std::string& error);

    SwitchSecretStore& Secrets() { return store_; }
    const std::string& FilePath() const { return file_.Path(); }

    // How long a change waits for another program's change to end.
    static constexpr int kLockWaitMs = 20000;

private:
    // Reads the file into `records`. Names given twice (in any case) keep
    // their first switch; with `locked` the file is copied aside and
    // written without the others, else they are only left out here.
    bool Read(std::vector<SwitchRecord>& records, bool locked, std::vector<std::string>& notes);
    // Takes the lock, reads the file and gives `apply` the list as it is
    // now, to change and save; false with `error` when that cannot begin.
    template <typename Apply>
    bool Change(std::string& error, Apply apply);
    // Put's change of `changed`, under the lock.
    bool PutLocked(const std::string& originalName, const SwitchRecord& record, const KvHandedSecrets& secrets,
                   bool requireKept, bool& secretsKept, std::vector<SwitchRecord>& changed, std::string& error);

    SwitchListFile file_;
    SwitchSecretStore& store_;
    std::vector<SwitchRecord> records_;
    bool repeatedNames_ = false; // the last Read left a switch out
};

#pragma once
#include <map>
#include <string>

#include "shell/kvhandedsecrets.h"

// The switches' communities and SNMPv3 passwords: in the desktop's Secret
// Service keyring (through QtKeychain), one item per switch, and never in a
// file of ours. When no keyring answers (no session bus, no service, locked
// and not unlocked, access refused) the store keeps what it is given in
// memory for this run only and says so through KeyringProblem().
//
// Each call waits for the keyring's answer in a local event loop (the
// keyring answers over D-Bus), at most kTimeoutMs.
class SwitchSecretStore {
public:
    // `useKeyring` false: memory only (tests, and the user's choice).
    explicit SwitchSecretStore(bool useKeyring = true);

    // Keeps the secrets of switch `name`. False only when neither the keyring
    // nor memory could take them (never: memory always can); `kept` tells
    // whether they outlive the run.
    void Save(const std::string& name, const KvHandedSecrets& secrets, bool& kept);
    // The secrets of switch `name`; false when none are known.
    bool Load(const std::string& name, KvHandedSecrets& secrets);
    void Remove(const std::string& name);
    // Drops what memory holds of switch `name`, leaving the keyring alone.
    void Forget(const std::string& name) { memory_.erase(name); }
    // Moves the secrets of `from` to `to` (a renamed switch).
    void Rename(const std::string& from, const std::string& to);

    // Empty while the keyring answers; else why it does not (once it failed,
    // the store no longer asks it).
    const std::string& KeyringProblem() const { return keyringProblem_; }
    bool KeyringAnswers() const { return keyringProblem_.empty(); }

    static constexpr const char* kService = "osprey-switches";
    static constexpr int kTimeoutMs = 15000;

private:
    enum class Outcome { Done, NotFound, Failed };
    Outcome Write(const std::string& name, const std::string& data);
    Outcome Read(const std::string& name, std::string& data);
    Outcome Delete(const std::string& name);

    std::string keyringProblem_;
    std::map<std::string, KvHandedSecrets> memory_;
};

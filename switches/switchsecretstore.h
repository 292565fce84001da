#pragma once
#include <map>
#include <string>

#include "shell/kvhandedsecrets.h"

// The switches' communities and SNMPv3 passwords: in the desktop's Secret
// Service keyring (through QtKeychain), one item per switch, and never in a
// file of ours. When no keyring answers (no session bus, no service, no
// answer in time, access refused) the store keeps what it is given in memory
// for this run only and says so through KeyringProblem().
//
// Each call waits for the keyring's answer in a local event loop (the
// keyring answers over D-Bus), at most kTimeoutMs. A request the keyring has
// not answered by then is left to finish on its own: the keyring may still
// call back into it, so it is never destroyed before it has. A write that
// lands after its time-out is taken back, since it was reported as failed.
//
// A locked keyring is not a keyring without the secrets: LastProblem() says
// it is locked, and the store asks again on the next call (the operator may
// unlock it meanwhile).
class SwitchSecretStore {
public:
    // `useKeyring` false: memory only (tests, and the user's choice).
    explicit SwitchSecretStore(bool useKeyring = true);

    // Keeps the secrets of switch `name`; `kept` tells whether they outlive
    // the run (memory always takes them).
    void Save(const std::string& name, const KvHandedSecrets& secrets, bool& kept);
    // The secrets of switch `name`; false when none are known, LastProblem()
    // then says why when it is not simply that the keyring has none.
    bool Load(const std::string& name, KvHandedSecrets& secrets);
    // Deletes the secrets of switch `name`; LastProblem() says why the
    // keyring's item could not be deleted (a locked keyring, say).
    void Remove(const std::string& name);
    // Drops what memory holds of switch `name`, leaving the keyring alone.
    void Forget(const std::string& name) { memory_.erase(name); }
    // Moves the secrets of `from` to `to` (a renamed switch).
    void Rename(const std::string& from, const std::string& to);

    // Empty while the keyring answers; else why it does not (once it failed,
    // the store no longer asks it).
    const std::string& KeyringProblem() const { return keyringProblem_; }
    bool KeyringAnswers() const { return keyringProblem_.empty(); }
    // Why the last call could not use the keyring (locked, no answer, ...);
    // empty when it could.
    const std::string& LastProblem() const { return lastProblem_; }
    // Whether the store stopped asking the keyring because it did not answer
    // in time.
    bool KeyringTimedOut() const { return timedOut_; }

    static constexpr const char* kService = "osprey-switches";
    static constexpr int kTimeoutMs = 15000;
    static std::string LockedMessage();
    static std::string TimedOutMessage();

    // Tests: the wait for an answer, in ms (kTimeoutMs by default).
    void SetTimeoutForTests(int ms) { timeoutMs_ = ms; }

private:
    enum class Outcome { Done, NotFound, Locked, TimedOut, Failed };
    Outcome Write(const std::string& name, const std::string& data);
    Outcome Read(const std::string& name, std::string& data);
    Outcome Delete(const std::string& name);
    // Notes an outcome other than Done or NotFound; `fallback` when the
    // keyring gave no text.
    Outcome Failure(Outcome outcome, const std::string& text, const char* fallback);

    std::string keyringProblem_;
    std::string lastProblem_;
    bool timedOut_ = false;
    int timeoutMs_ = kTimeoutMs;
    std::map<std::string, KvHandedSecrets> memory_;
};

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "snmp/kvwritejournal.h"

// The change journal: one file per switch of JSON lines,
//
//   <folder>/<address>.jsonl         (the switch on port 161)
//   <folder>/<address>_<port>.jsonl  (any other port)
//
// folder 0700, files 0600. Each write adds an entry line before it is sent
// (flushed to disk first) and an outcome line naming the entry's ID after.
// An entry without an outcome line is a write whose outcome is unknown (the
// program ended between). Communities and passwords are never written.

// One entry as read back.
struct KvJournalEntry {
    enum class Outcome { Unknown, Ok, Failed, NoAnswer };

    std::string id;
    std::string time; // UTC, "2026-12-10T11:33:56Z"
    KvWriteRecord write;
    Outcome outcome = Outcome::Unknown;
    std::string result;   // "Ok", the error's text, "sent, no answer" or "outcome unknown"
    std::string undoneBy; // the ID of the entry that undid this one (its undo went out Ok)

    bool Undone() const { return !undoneBy.empty(); }
    // "Set", "Add row", "Delete row"; an undo: "Undo of <id>".
    std::string KindText() const;
    // One line: ID, time, caption, what was written (label before -> written), result.
    std::string Summary() const;
};

// A journal's entries, oldest first, and the lines that could not be read
// (each skipped, never the whole file).
struct KvJournalLog {
    std::vector<KvJournalEntry> entries;
    std::vector<std::string> warnings; // "<file>:<line>: <why>"

    const KvJournalEntry* Find(const std::string& id) const;
    // The latest entry an undo without an ID means: the newest that went out
    // (Ok, or with its outcome unknown or unanswered), is not undone and is
    // not itself an undo. Null when there is none.
    const KvJournalEntry* LatestUndoable() const;
};

// Variables whose values are secrets (SNMP users' keys, the community table,
// RMON's trap community): journaled with their values left out ("(secret)"),
// and so never undone.
bool KvJournalIsSecret(const std::string& oid);
inline constexpr const char* kvJournalSecret = "(secret)";

// The journal's folder: OSPREY_JOURNAL_DIR when set, else
// ${XDG_STATE_HOME:-~/.local/state}/osprey/journal.
std::string KvJournalDefaultDirectory();

// The file store. As the process's KvWriteJournal it records every write.
class KvJournal : public KvWriteJournal {
public:
    explicit KvJournal(std::string directory = KvJournalDefaultDirectory());

    const std::string& Directory() const { return directory_; }
    std::string FileOf(const std::string& address, uint16_t port) const;

    // Reads a switch's journal (an absent file is an empty journal).
    KvJournalLog Read(const std::string& address, uint16_t port) const;

    // Appends the entry and fsyncs it; KvError (the file-write code) with the
    // path and the reason when it cannot, so the write is not sent.
    std::string BeforeSend(const KvWriteRecord& record) override;
    // Appends the outcome line; a failure here is only reported on standard
    // error (the entry then reads "outcome unknown").
    void AfterOutcome(const std::string& id, const KvWriteOutcome& outcome) override;

private:
    void Append(const std::string& file, const std::string& line, bool mustKeep);

    std::string directory_;
    // Where each entry sent and not yet ended went (an outcome goes beside it).
    std::vector<std::pair<std::string, std::string>> open_;
};

// Installs a journal as the process's for as long as it lives, then puts
// back the one before.
class KvJournalInstallation {
public:
    explicit KvJournalInstallation(KvWriteJournal* journal) : previous_(KvWriteJournal::Installed())
    {
        KvWriteJournal::Install(journal);
    }
    ~KvJournalInstallation() { KvWriteJournal::Install(previous_); }
    KvJournalInstallation(const KvJournalInstallation&) = delete;
    KvJournalInstallation& operator=(const KvJournalInstallation&) = delete;

private:
    KvWriteJournal* previous_;
};

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
// folder 0700, files 0600. A folder or file of ours found open to others is
// closed to them; one of another user, or one that stays writable by others,
// is not used (anyone could add an entry that an undo would then send).
// Each write adds an entry line before it is sent
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
    // Set when the journal could not be read at all (a folder where the file
    // should be, no permission, not private): then there are no entries.
    std::string error;

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

    // An exclusive lock on a switch's journal among all processes, held as
    // long as the object lives (an undo holds it from its last check of the
    // journal and the switch until its writes are recorded).
    class Lock {
    public:
        Lock() = default;
        Lock(Lock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
        Lock& operator=(Lock&&) = delete;
        ~Lock();
        bool Held() const { return fd_ >= 0; }

    private:
        friend class KvJournal;
        int fd_ = -1;
    };
    // Waits up to `waitMs` for the lock; on failure the Lock is not held and
    // `error` says why.
    Lock Exclusive(const std::string& address, uint16_t port, std::string& error, int waitMs = 60000) const;

    // Appends the entry and fsyncs it; KvError (the file-write code) with the
    // path and the reason when it cannot, so the write is not sent.
    std::string BeforeSend(const KvWriteRecord& record) override;
    // Appends the outcome line; a failure here is only reported on standard
    // error (the entry then reads "outcome unknown").
    void AfterOutcome(const std::string& id, const KvWriteOutcome& outcome) override;

    // Where the columns of a table row come from (the program's tables), so
    // that a row's deletion is recorded whole whatever the request holds.
    using RowColumnsSource = std::vector<KvWriteRowColumn> (*)(const std::string& statusOid);
    void SetRowColumns(RowColumnsSource source) { rowColumns_ = source; }
    std::vector<KvWriteRowColumn> RowColumns(const std::string& statusOid) const override;

private:
    void Append(const std::string& file, const std::string& line, bool mustKeep);

    std::string directory_;
    RowColumnsSource rowColumns_ = nullptr;
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

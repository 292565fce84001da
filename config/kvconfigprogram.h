#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "config/kvconfigcatalogue.h"
#include "config/kvconfigmodel.h"

class KvConfigSender;

// osprey-config: snapshots of the switch's configuration, their differences,
// and restores (see KvConfigOptions::Usage for the exit statuses).
class KvConfigProgram {
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;    // snapshot and restore: the switch refused or did not answer
    static constexpr int kDifferent = 1; // diff: the snapshots differ
    static constexpr int kUsage = 2;     // also diff's trouble, and a refused snapshot file

    KvConfigProgram(std::ostream& out, std::ostream& err, bool progress = false,
                    std::string programName = "osprey-config");

    // The sender of restore's writes (default: straight to the switch); the
    // program does not own it.
    void SetSender(KvConfigSender* sender) { sender_ = sender; }

    int Run(const std::vector<std::string>& arguments);

private:
    int Snapshot(const std::vector<std::string>& titles);
    int Diff(const std::vector<std::string>& files);
    int Restore(const std::string& file, bool apply, bool removeRows);
    // Starts the session and reads the switch's journal (its warnings go to
    // standard error); kOk, or the status after the message.
    int ReadJournal(struct KvJournalLog& log);
    int Journal();
    int Undo(const std::string& id);

    int Message(int status, const std::string& message);
    int UsageError(const std::string& message);
    // Starts the session; kOk, or the status after the message.
    int Start(int failure);
    bool Read(const KvConfigCatalogue& catalogue, KvConfigSnapshot& snapshot);
    // The catalogue of the pages a snapshot holds; false when it names a page
    // this program does not know.
    static bool CatalogueOf(const KvConfigSnapshot& snapshot, std::vector<const struct PageCommand*>& pages,
                            std::string& error);

    std::ostream& out_;
    std::ostream& err_;
    bool progress_;
    std::string programName_;
    std::vector<std::string> switches_;
    std::string bootCounterDirectory_;
    KvConfigSender* sender_ = nullptr;
};

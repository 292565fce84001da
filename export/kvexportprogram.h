#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// The command-line page export: reads the options, runs the program's
// start-up (SNMP engine, registry, message files, switches and per-switch INI
// file) and exports the pages asked for. Gives the exit status:
//   0 success;
//   1 the switch answered with an error or not at all, or the SNMP engine
//     could not start;
//   2 usage error (unknown option or page, no switches, a value that is not a
//     number).
struct KvWalkStats;

class KvExportProgram {
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    KvExportProgram(std::ostream& out, std::ostream& err, std::string programName = "osprey-export")
        : out_(out), err_(err), programName_(std::move(programName))
    {
    }

    int Run(const std::vector<std::string>& arguments);

    // The program's start-up (SNMP engine, registry, message files, the
    // switches and the per-switch INI file), shared with the package's other
    // command-line programs: kOk; kUsage for no switches or a value that is
    // not a number; kFailed when the engine cannot start. `message` says why.
    static int StartSession(const std::vector<std::string>& switches, const std::string& bootCounterDirectory,
                            std::string& message);

    // The --stats line of a page: what the walks did between two readings
    // of the totals, and the page's time.
    static std::string StatsLine(const std::string& title, const KvWalkStats& before, const KvWalkStats& after,
                                 int64_t pageMs);

    // `status`, or kFailed with a message on `err` when `out` cannot be
    // written (a full disk, a closed output): the programs' last step.
    static int CheckOutput(std::ostream& out, std::ostream& err, const std::string& programName, int status);

private:
    int UsageError(const std::string& message);
    // What Run does, before the output is checked.
    int RunActions(const std::vector<std::string>& arguments);

    std::ostream& out_;
    std::ostream& err_;
    std::string programName_;
};

#pragma once
#include <string>
#include <vector>

// osprey-config's command line: the program's switches first, then the
// command and its operands and options.
//   [switches] snapshot [--pages TITLE,...]
//   [switches] diff A [B]
//   [switches] restore FILE [--apply] [--remove-rows]
//   [switches] journal
//   [switches] undo [ID]
// --boot-counter-dir and --help go anywhere. After the command a parameter is
// a file name, even when it begins with "/".
class KvConfigOptions {
public:
    enum class Command { None, Snapshot, Diff, Restore, Journal, Undo, Help };

    bool Parse(const std::vector<std::string>& arguments, std::string& error);
    static std::string Usage(const std::string& programName);

    Command command = Command::None;
    std::vector<std::string> pages; // --pages, split at commas
    std::vector<std::string> files; // diff: A [B]; restore: FILE; undo: [ID]
    bool apply = false;
    bool removeRows = false;
    std::string bootCounterDirectory;
    std::vector<std::string> switches;
};

#include "config/kvconfigoptions.h"

#include "export/kvexportoptions.h"
#include "export/kvpagelookup.h"

namespace {

struct CommandName {
    const char* name;
    KvConfigOptions::Command command;
};
const CommandName kCommands[] = {
    {"snapshot", KvConfigOptions::Command::Snapshot}, {"diff", KvConfigOptions::Command::Diff},
    {"restore", KvConfigOptions::Command::Restore},   {"journal", KvConfigOptions::Command::Journal},
    {"undo", KvConfigOptions::Command::Undo},
};

std::vector<std::string> SplitTitles(const std::string& text)
{
    std::vector<std::string> titles;
    size_t from = 0;
    for (;;) {
        const size_t comma = text.find(',', from);
        const std::string title = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (!KvPageLookup::Trim(title).empty())
            titles.push_back(title);
        if (comma == std::string::npos)
            return titles;
        from = comma + 1;
    }
}

} // namespace

bool KvConfigOptions::Parse(const std::vector<std::string>& arguments, std::string& error)
{
    *this = KvConfigOptions();
    bool help = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        const KvExportOptions::Taken common =
            KvExportOptions::TakeCommon(arguments, i, help, bootCounterDirectory, error);
        if (common == KvExportOptions::Taken::Error)
            return false;
        if (common == KvExportOptions::Taken::Yes)
            continue;
        if (KvExportOptions::TakeValue(arguments, i, "--pages", value)) {
            if (command != Command::Snapshot) {
                error = "--pages belongs to the snapshot command";
                return false;
            }
            const std::vector<std::string> titles = SplitTitles(value);
            if (titles.empty()) {
                error = "--pages needs page titles, separated by commas";
                return false;
            }
            pages.insert(pages.end(), titles.begin(), titles.end());
        } else if (argument == "--apply" || argument == "--remove-rows") {
            if (command != Command::Restore) {
                error = argument + " belongs to the restore command";
                return false;
            }
            (argument == "--apply" ? apply : removeRows) = true;
        } else if (command == Command::None && !argument.empty() && argument[0] != '/' && argument[0] != '-') {
            for (const CommandName& entry : kCommands)
                if (argument == entry.name)
                    command = entry.command;
            if (command == Command::None) {
                error = "unknown command '" + argument + "' (snapshot, diff, restore, journal or undo)";
                return false;
            }
        } else if (command == Command::None) {
            if (!KvExportOptions::TakeSwitch(argument, switches, error))
                return false;
        } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
            error = "unknown option '" + argument + "'";
            return false;
        } else {
            files.push_back(argument);
        }
    }
    if (help) {
        command = Command::Help;
        return true;
    }
    switch (command) {
    case Command::None:
        error = "nothing to do: give a command (snapshot, diff, restore, journal or undo)";
        return false;
    case Command::Snapshot:
        if (!files.empty()) {
            error = "snapshot takes no file: it writes to standard output";
            return false;
        }
        break;
    case Command::Diff:
        if (files.empty() || files.size() > 2) {
            error = "diff takes one snapshot (compared with the switch) or two";
            return false;
        }
        break;
    case Command::Restore:
        if (files.size() != 1) {
            error = "restore takes one snapshot file";
            return false;
        }
        break;
    case Command::Journal:
        if (!files.empty()) {
            error = "journal takes no operand";
            return false;
        }
        break;
    case Command::Undo:
        if (files.size() > 1) {
            error = "undo takes at most one entry ID";
            return false;
        }
        if (files.size() == 1 && files.front().empty()) {
            error = "undo: the entry ID is empty (leave it out to undo the latest entry)";
            return false;
        }
        break;
    case Command::Help:
        break;
    }
    return true;
}

std::string KvConfigOptions::Usage(const std::string& programName)
{
    return "Usage: " + programName + " [switches] snapshot [--pages \"<title>,...\"] > FILE\n" + "       " +
           programName + " [switches] diff A [B]\n" + "       " + programName +
           " [switches] restore FILE [--apply] [--remove-rows]\n" + "       " + programName + " [switches] journal\n" +
           "       " + programName + " [switches] undo [ID]\n" +
           "\n"
           "The switch's configuration as a file: its writable, persistent settings, page by\n"
           "page and row by row, in the texts the windows show.\n"
           "\n"
           "Commands:\n"
           "  snapshot          read every page (or those --pages names) and write the\n"
           "                    snapshot, JSON, to standard output. Counters, time stamps,\n"
           "                    status that only reports, actions (reboot, save) and the\n"
           "                    SNMP user and community tables (passwords) are left out.\n"
           "                    Pages the switch lacks are recorded as absent.\n"
           "  diff A [B]        compare two snapshots, or A with the switch; one line per\n"
           "                    difference: page, row, column, value in A and in B, or\n"
           "                    \"added row\" / \"removed row\" (in B, against A).\n"
           "  restore FILE      print the write requests that would bring the switch to the\n"
           "                    snapshot, in order, and send nothing.\n"
           "    --apply         send them; stop at the first the switch refuses.\n"
           "    --remove-rows   also destroy rows the snapshot does not have.\n"
           "                    Rows are created first (VLANs before what uses them), the\n"
           "                    address, mask, gateway and management VLAN are written last.\n"
           "  journal           list the change journal of the switch: every write sent to\n"
           "                    it (by any program of the system), one line each, oldest\n"
           "                    first: ID, time, window, what was written (before ->\n"
           "                    written) and the result (\"outcome unknown\": the program\n"
           "                    ended before the answer).\n"
           "  undo [ID]         write back the values entry ID (default: the latest not yet\n"
           "                    undone) overwrote, only while the switch still holds what\n"
           "                    it wrote; an added row is removed, a deleted one created\n"
           "                    again. The undo is journaled too.\n"
           "  -h, --help        show this text.\n"
           "\n" +
           KvExportOptions::BootCounterUsage() + "\n" + KvExportOptions::SwitchUsage() +
           "The switches go before the command; after it, parameters are file names (\"-\" is\n"
           "standard input). No community or password is written to a snapshot.\n"
           "\n"
           "Exit status: snapshot 0 written, 1 the switch answered with an error or not at\n"
           "all; diff 0 no difference, 1 differences, 2 trouble (a damaged file, no\n"
           "answer); restore 0 done (or planned), 1 the switch refused a write or did not\n"
           "answer (the message says where it stopped); 2 usage errors, and for restore a\n"
           "damaged snapshot or one of another switch model (refused before anything is\n"
           "sent). journal 0 listed, 1 the journal cannot be read; undo 0 undone, 1\n"
           "refused or failed (the message says why).\n"
           "\n"
           "The change journal is ${XDG_STATE_HOME:-~/.local/state}/osprey/journal/ADDRESS.jsonl\n"
           "(ADDRESS_PORT.jsonl off port 161; OSPREY_JOURNAL_DIR names another folder).\n";
}

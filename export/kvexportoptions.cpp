#include "export/kvexportoptions.h"

#include "snmp/usmprotocols.h"

bool KvExportOptions::TakeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& option,
                                std::string& value)
{
    const std::string& argument = arguments[i];
    value.clear();
    if (argument == option) {
        if (i + 1 < arguments.size())
            value = arguments[++i];
        return true;
    }
    if (argument.size() > option.size() && argument.compare(0, option.size(), option) == 0 &&
        argument[option.size()] == '=') {
        value = argument.substr(option.size() + 1);
        return true;
    }
    return false;
}

KvExportOptions::Taken KvExportOptions::TakeCommon(const std::vector<std::string>& arguments, size_t& i, bool& help,
                                                   std::string& bootCounterDirectory, std::string& error)
{
    const std::string& argument = arguments[i];
    std::string value;
    if (argument == "--help" || argument == "-h" || argument == "-?") {
        help = true;
        return Taken::Yes;
    }
    if (!TakeValue(arguments, i, "--boot-counter-dir", value))
        return Taken::No;
    if (value.empty()) {
        error = "--boot-counter-dir needs a directory";
        return Taken::Error;
    }
    bootCounterDirectory = value;
    return Taken::Yes;
}

bool KvExportOptions::TakeSwitch(const std::string& argument, std::vector<std::string>& switches, std::string& error)
{
    if (!argument.empty() && argument[0] == '-') {
        error = "unknown option '" + argument + "'";
        return false;
    }
    if (argument.find('/') == std::string::npos) {
        // The program would ignore it; here it is most likely part of a page
        // title that lost its quotes.
        error = "unexpected parameter '" + argument +
                "': switches begin with '/' (for example /I10.90.90.90); put page titles "
                "that contain blanks in quotes";
        return false;
    }
    switches.push_back(argument);
    return true;
}

bool KvExportOptions::SetAction(Action wanted, std::string& error)
{
    if (action != Action::None && action != wanted) {
        error = "give only one of --page, --list and --all";
        return false;
    }
    if (action == Action::Page && wanted == Action::Page) {
        error = "give --page only once (use --all to export every page)";
        return false;
    }
    action = wanted;
    return true;
}

bool KvExportOptions::SetFormat(Format wanted, std::string& error)
{
    if (formatGiven_ && format != wanted) {
        error = "give only one of --tsv, --csv and --json";
        return false;
    }
    formatGiven_ = true;
    format = wanted;
    return true;
}

bool KvExportOptions::Parse(const std::vector<std::string>& arguments, std::string& error)
{
    *this = KvExportOptions();
    bool help = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        const Taken common = TakeCommon(arguments, i, help, bootCounterDirectory, error);
        if (common == Taken::Error)
            return false;
        if (common == Taken::Yes)
            continue;
        if (TakeValue(arguments, i, "--page", value)) {
            if (!SetAction(Action::Page, error))
                return false;
            if (value.find_first_not_of(" \t") == std::string::npos) {
                error = "--page needs a page title (see --list)";
                return false;
            }
            page = value;
        } else if (argument == "--list") {
            if (!SetAction(Action::List, error))
                return false;
        } else if (argument == "--all") {
            if (!SetAction(Action::All, error))
                return false;
        } else if (argument == "--tsv") {
            if (!SetFormat(Format::Tsv, error))
                return false;
        } else if (argument == "--csv") {
            if (!SetFormat(Format::Csv, error))
                return false;
        } else if (argument == "--json") {
            if (!SetFormat(Format::Json, error))
                return false;
        } else if (argument == "--stats") {
            stats = true;
        } else if (!TakeSwitch(argument, parameters, error)) {
            return false;
        }
    }
    if (help) {
        action = Action::Help;
        return true;
    }
    if (action == Action::None) {
        error = "nothing to do: give --page \"<title>\", --list or --all";
        return false;
    }
    return true;
}

std::string KvExportOptions::Usage(const std::string& programName)
{
    return "Usage: " + programName +
           " [switches] --page \"<page title>\" [--tsv | --csv | --json]\n"
           "       " +
           programName +
           " [switches] --all [--tsv | --csv | --json]\n"
           "       " +
           programName +
           " --list [--tsv | --csv | --json]\n"
           "\n"
           "Reads pages of the switch without a window and writes them to standard output,\n"
           "each value in the text form the window shows (value names, not numbers).\n"
           "\n"
           "Options:\n"
           "  --page \"<title>\"  export one page. The title is matched exactly first; then\n"
           "                    without leading and trailing blanks (several titles end in\n"
           "                    a blank, e.g. \"Trap Management \"); then ignoring letter\n"
           "                    case; then as the menu item's component name (to choose\n"
           "                    between pages that share a title, e.g. TargetAddressTable1)\n"
           "                    or the MIB browser page's name (e.g. MIB_IFCounters).\n"
           "                    The first match in menu order wins.\n"
           "  --list            list every page: title, kind (scalars or table), number of\n"
           "                    variables and component name. Does not contact the switch.\n"
           "  --all             export every page in menu order (hidden items included),\n"
           "                    then the MIB browser pages (one page per table).\n"
           "  --tsv             tab-separated output (default); tab, newline, carriage\n"
           "                    return and backslash inside a value are written \\t, \\n,\n"
           "                    \\r and \\\\.\n"
           "  --csv             comma-separated output with double-quote quoting.\n"
           "  --json            JSON: one object per page (an array of them with --all).\n"
           "  --stats           after each page, write one line of the table walk's figures\n"
           "                    to standard error:\n"
           "                      stats: <title>: requests=R retries=T bindings=B bytes=N\n"
           "                      rtt_ms=M time_ms=W size=S\n"
           "                    R requests sent (GETBULK or GETNEXT), T of them sent again\n"
           "                    (fewer rows after tooBig or a time-out, GETNEXT for an agent\n"
           "                    without GETBULK), B bindings and N bytes (encoded) received,\n"
           "                    M the mean round-trip time of an answer, W the page's time,\n"
           "                    both in milliseconds, S the bindings per GETBULK the walk\n"
           "                    settled on (0: GETNEXT). A page of scalars is one get and\n"
           "                    shows zeros.\n" +
           BootCounterUsage() +
           "  -h, --help        show this text.\n"
           "\n"
           "A table page is written as a header line of column labels and one line per row,\n"
           "as the rows arrive; a scalar page as one line per variable: label, value. Only\n"
           "the columns the window shows are written (no hidden, write-only or skipped\n"
           "variables). With --all each page starts with a line \"# <title>\" and pages\n"
           "are separated by an empty line.\n"
           "\n" +
           SwitchUsage() +
           "The per-switch INI file and the registry stand-in (KORVAN_REGISTRY) are read as\n"
           "the program reads them. The export needs no window system and leaves no file\n"
           "behind but the SNMPv3 boot counter file (see --boot-counter-dir).\n"
           "\n"
           "Exit status: 0 success; 1 the switch answered with an error or not at all (the\n"
           "status line goes to standard error), or the SNMP engine could not start; 2 usage\n"
           "error (unknown option or page, no switches, a switch or INI value that is not\n"
           "a number).\n";
}

std::string KvExportOptions::BootCounterUsage()
{
    return "  --boot-counter-dir <directory>\n"
           "                    keep the SNMPv3 boot counter file (KvSNMP_PP_BootCounter)\n"
           "                    in that directory, which must exist and be writable, instead\n"
           "                    of the working directory. The environment variable\n"
           "                    OSPREY_BOOT_COUNTER_DIR does the same for the export and the\n"
           "                    program; this option wins over it.\n";
}

std::string KvExportOptions::SwitchUsage()
{
    return "Switches (the program's own, each directly followed by its value):\n"
           "  /I<address>  switch address          /R<community>  read community\n"
           "  /W<community> write community        /v<version>    0 SNMPv1, 1 SNMPv2c, 3 SNMPv3\n"
           "  SNMPv3 only: /t<port> /c<context name> /d<context engine ID> /m<security model>\n"
           "               /l<security level> /n<user> /A<auth password> /P<priv password>\n"
           "               /a<auth protocol> /p<priv protocol>\n"
           "  /a: " +
           UsmProtocols::Listing(UsmProtocols::Auth()) +
           "\n"
           "  /p: " +
           UsmProtocols::Listing(UsmProtocols::Priv()) + "\n";
}

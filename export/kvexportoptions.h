#pragma once
#include <string>
#include <vector>

// The export tool's command line. Its own options begin with "--"; every
// other parameter is one of the program's switches ("/I10.90.90.90",
// "/Rpublic", "/v1", ...) and is handed, in order, to the program's start-up.
class KvExportOptions {
public:
    enum class Action { None, Page, List, All, Help };
    enum class Format { Tsv, Csv, Json };

    // Reads the parameters (without the program name). False, with a message
    // for the operator, on a usage error.
    bool Parse(const std::vector<std::string>& arguments, std::string& error);

    // The options and switches, for --help and after a usage error.
    static std::string Usage(const std::string& programName);

    // Shared with the package's other command-line programs.
    //
    // When arguments[i] is `option` ("--page Title" or "--page=Title"): true,
    // with its value (i moves past a separate value); `value` stays empty
    // when none follows. False for any other argument.
    static bool TakeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& option,
                          std::string& value);
    // --help (-h, -?) and --boot-counter-dir, which every program takes.
    enum class Taken { No, Yes, Error };
    static Taken TakeCommon(const std::vector<std::string>& arguments, size_t& i, bool& help,
                            std::string& bootCounterDirectory, std::string& error);
    // An argument that is neither an option nor a switch: a usage error
    // (most likely a title that lost its quotes); a switch goes to
    // `switches`.
    static bool TakeSwitch(const std::string& argument, std::vector<std::string>& switches, std::string& error);
    // Help texts: the --boot-counter-dir option, and the program's switches.
    static std::string BootCounterUsage();
    static std::string SwitchUsage();

    Action action = Action::None;
    Format format = Format::Tsv;
    bool stats = false;                  // --stats: one line of walk figures per page on standard error
    std::string page;                    // the --page value as given
    std::string bootCounterDirectory;    // --boot-counter-dir; empty: not given
    std::vector<std::string> parameters; // the program's switches, in order

private:
    bool SetAction(Action wanted, std::string& error);
    bool SetFormat(Format wanted, std::string& error);
    bool formatGiven_ = false;
};

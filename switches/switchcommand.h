#pragma once
#include <iosfwd>
#include <string>
#include <vector>

class SwitchSecretStore;

// The switch list's command line, for scripts and fleets, on the same list
// file and keyring as the window:
//   list                      name, address, port and version, tab-separated
//   add NAME --address A [--port P] --version 1|2c|3 [--user U --level 1|2|3
//       --auth PROTOCOL --priv PROTOCOL --context NAME --context-engine-id ID]
//                             the secrets come from standard input as lines
//                             read=, write=, auth=, priv=, never as arguments
//   remove NAME
//   open NAME                 starts the module for the switch
// Exit status: 0 done, 1 a failure with the switch or the store, 2 a usage
// error (nothing is then changed).
class SwitchCommand {
public:
    SwitchCommand(std::string listFile, SwitchSecretStore& store, std::istream& in, std::ostream& out,
                  std::ostream& err);

    // True when `arguments` (argv[1] on) name a command rather than the window.
    static bool IsCommand(const std::vector<std::string>& arguments);
    int Run(const std::vector<std::string>& arguments);

    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;
    static const char* Usage();

private:
    int List();
    int Add(const std::vector<std::string>& arguments);
    int Remove(const std::string& name);
    int Open(const std::string& name);
    int UsageError(const std::string& message);

    std::string listFile_;
    SwitchSecretStore& store_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

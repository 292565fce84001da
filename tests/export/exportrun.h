#pragma once
// Runs osprey-export as the operator would: a separate process with its own
// working directory (where it keeps its boot counter file) and the registry
// stand-in given by KORVAN_REGISTRY.
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/childprocess.h"

struct ExportResult {
    int status = -1;       // exit status; -1 when it did not exit normally
    bool timedOut = false; // killed after the time limit
    std::string out;
    std::string err;
    std::vector<std::string> OutLines() const;
    std::vector<std::string> ErrLines() const;
};

class ExportProcess {
public:
    // `directory`: working directory; `registry`: KORVAN_REGISTRY (empty: unset).
    ExportProcess(std::string directory, std::string registry);
    ~ExportProcess();
    ExportProcess(const ExportProcess&) = delete;
    ExportProcess& operator=(const ExportProcess&) = delete;

    // Runs to the end (killed after `limitMs`).
    ExportResult Run(const std::vector<std::string>& arguments, int limitMs = 60000);

    // Starts it and reads standard output until `lines` complete lines have
    // arrived or it ends; true when they arrived. Running() then tells whether
    // it is still going, and Finish() waits for the rest.
    bool StartAndReadLines(const std::vector<std::string>& arguments, size_t lines, int limitMs,
                           std::vector<std::string>& received);
    bool Running();
    ExportResult Finish(int limitMs = 60000);

    // Variables set for the program (an empty value unsets the variable).
    std::vector<std::pair<std::string, std::string>> environment;
    // The program run; empty: osprey-export (another program of the package
    // that shares its set-up, such as osprey-config).
    std::string program;

    // The program, from the build.
    static std::string ProgramPath();
    // The build directory (the program's directory, with its errmsg/ folder).
    static std::string BuildDirectory();

private:
    bool Start(const std::vector<std::string>& arguments);
    void Collect(ExportResult& result, int limitMs);

    std::string directory_;
    std::string registry_;
    ChildProcess process_;
    bool started_ = false; // until Collect has the end
    std::string pendingOut_;
};

// Lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);
// Fields of a tab-separated line.
std::vector<std::string> SplitTabs(const std::string& line);

#pragma once
// ChildProcess: one program started by a test or a benchmark, without a
// shell: the arguments reach it exactly as given.
//
//   ChildProcess child;
//   ASSERT_TRUE(child.start({program, "--page", "Spanning Tree Control"},
//                           {.directory = dir, .environment = {"KORVAN_REGISTRY=" + registry},
//                            .out = ChildProcess::Output::file(dir + "/out.txt")},
//                           &error)) << error;
//   EXPECT_EQ(child.wait(30000), 0);     // killed and -1 when it takes longer
//
// A program name without '/' is looked up on PATH. Standard input is
// /dev/null; standard output and error go where the options say (by default
// /dev/null). The destructor kills the program and reaps it, so a failing
// test leaves neither a running program nor a zombie behind.
//
// Plain C++ (no Qt), safe to use from any test process.

#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Where one of the program's output streams goes.
    struct Output {
        enum class Kind { Discard, Inherit, Truncate, Append, Pipe, SameAsOut };
        Kind kind = Kind::Discard;
        std::string path = {};

        static Output discard() { return {}; }
        static Output inherit() { return {Kind::Inherit}; }
        static Output file(std::string path) { return {Kind::Truncate, std::move(path)}; }
        static Output appendTo(std::string path) { return {Kind::Append, std::move(path)}; }
        // Read by the caller: outFd() / errFd(), readOutput().
        static Output pipe() { return {Kind::Pipe}; }
        // Standard error only: into the same place as standard output.
        static Output sameAsOut() { return {Kind::SameAsOut}; }
    };

    struct Options {
        std::string directory = {};                // working directory; empty: the caller's
        std::vector<std::string> environment = {}; // "NAME=value", set or replaced
        std::vector<std::string> unset = {};       // names removed from the environment
        Output out = {};
        Output err = {};
    };

    // What wait() does when the deadline passes first.
    enum class AtDeadline { Kill, LeaveRunning };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False with the reason (for example a program that does not exist);
    // nothing is left running then.
    bool start(const std::vector<std::string>& argv, const Options& options, std::string* error = nullptr);
    bool start(const std::vector<std::string>& argv) { return start(argv, Options{}); }

    pid_t pid() const { return pid_; }
    // Started and not ended yet (an ended program is reaped here).
    bool running();

    // Waits at most `ms` for the end: the exit status, 128 + the signal when a
    // signal ended it. -1 when it is still running at the deadline; it is then
    // killed and reaped, unless `atDeadline` says to leave it running.
    int wait(int ms, AtDeadline atDeadline = AtDeadline::Kill);
    // True when the last wait() saw a normal exit (not a signal).
    bool exitedNormally() const { return exitedNormally_; }

    void signal(int number);
    // SIGTERM, and SIGKILL when it has not ended within `ms`; the status as wait().
    int stop(int ms = 5000);
    // SIGKILL and reap.
    void kill();

    // The reading ends of piped output (-1 when not piped or closed).
    int outFd() const { return outFd_; }
    int errFd() const { return errFd_; }
    // Reads the piped output until both pipes are at their end; false when
    // `ms` passed first (what arrived is kept).
    bool readOutput(std::string& out, std::string& err, int ms);
    // Waits at most `ms` for piped standard output and appends what is there;
    // false at its end or when nothing came in time.
    bool readSomeOutput(std::string& out, int ms);
    void closePipes();

private:
    int reap(int flags);

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    int status_ = -1;
    bool exitedNormally_ = false;
};

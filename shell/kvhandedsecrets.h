#pragma once
#include <optional>
#include <string>

// Communities and SNMPv3 passwords that reach a program by a private way
// rather than its command line: the lines
//     read=<read community>
//     write=<write community>
//     auth=<authentication password>
//     priv=<privacy password>
// one secret per line, any of them left out. The switch list hands them to
// the program it starts in the environment variable OSPREY_SECRETS (which
// only the program's own user can read, unlike its command line); its
// command-line tool reads the same lines from standard input.
struct KvHandedSecrets {
    std::optional<std::string> read;
    std::optional<std::string> write;
    std::optional<std::string> auth;
    std::optional<std::string> priv;

    bool empty() const { return !read && !write && !auth && !priv; }

    // Reads the lines of `text` (a line may end in "\r\n"; empty lines are
    // skipped). False, with the offending line's name or number in
    // `problem`, for a line that is not one of the four, or a secret given
    // twice; the secrets themselves never appear in `problem`.
    static bool Parse(const std::string& text, KvHandedSecrets& secrets, std::string& problem);
    // The lines of the secrets that are set.
    std::string Format() const;

    // The secrets in the environment variable, which is then wiped in the
    // process's memory (/proc/PID/environ no longer shows it) and removed, so
    // that the programs this one starts do not inherit it. Empty when the
    // variable is not set or cannot be read.
    static KvHandedSecrets TakeFromEnvironment();
    static constexpr const char* kEnvironmentVariable = "OSPREY_SECRETS";
};

// A stand-in program for the argument-vector test: takes its parameters as
// the program does, then prints what another user's process list would show
// of it (its /proc/self/cmdline, NULs as "|") and the parameters it kept;
// then the secrets handed over in its environment as start-up takes them,
// and what /proc/self/environ and getenv still show of them.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "shell/kvhandedsecrets.h"
#include "shell/kvstartup.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> parameters = KvStartup::TakeParameters(argc, argv);
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (char& c : cmdline)
        if (c == '\0')
            c = '|';
    std::cout << "cmdline " << cmdline << "\n";
    for (const std::string& p : parameters)
        std::cout << "kept " << p << "\n";

    const KvHandedSecrets handed = KvHandedSecrets::TakeFromEnvironment();
    std::cout << "handed " << handed.read.value_or("-") << " " << handed.write.value_or("-") << " "
              << handed.auth.value_or("-") << " " << handed.priv.value_or("-") << "\n";
    std::ifstream environ("/proc/self/environ", std::ios::binary);
    std::string environment((std::istreambuf_iterator<char>(environ)), std::istreambuf_iterator<char>());
    std::cout << "environ " << (environment.find("s3cret") == std::string::npos ? "clean" : "shows it") << "\n";
    std::cout << "getenv " << (std::getenv(KvHandedSecrets::kEnvironmentVariable) ? "set" : "unset") << "\n";
    return 0;
}

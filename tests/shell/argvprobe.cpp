// A stand-in program for the argument-vector test: takes its parameters as
// the program does, then prints what another user's process list would show
// of it (its /proc/self/cmdline, NULs as "|") and the parameters it kept.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

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
    return 0;
}

// osprey-config: the switch's configuration as a file, its differences, and
// its restore.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "config/kvconfigprogram.h"
#include "shell/kvstartup.h"

int main(int argc, char* argv[])
{
    // Communities and passwords leave the process list at once.
    const std::vector<std::string> arguments = KvStartup::TakeParameters(argc, argv);
    KvConfigProgram program(std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    const int status = program.Run(arguments);
    // A snapshot on a full disk or into a closed output is no snapshot.
    errno = 0;
    if (std::cout.flush())
        return status;
    const int error = errno;
    std::cerr << "osprey-config: cannot write the output" << (error ? std::string(": ") + std::strerror(error) : "")
              << "\n";
    return status == 0 ? 1 : status;
}

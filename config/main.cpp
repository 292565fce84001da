// osprey-config: the switch's configuration as a file, its differences, and
// its restore.
#include <unistd.h>

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
    return program.Run(arguments);
}

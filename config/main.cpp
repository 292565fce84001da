// osprey-config: the switch's configuration as a file, its differences, and
// its restore.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "config/kvconfigprogram.h"
#include "export/kvexportprogram.h"
#include "shell/kvstartup.h"

int main(int argc, char* argv[])
{
    // Communities and passwords leave the process list at once.
    const std::vector<std::string> arguments = KvStartup::TakeParameters(argc, argv);
    KvConfigProgram program(std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    // A snapshot on a full disk or into a closed output is no snapshot.
    return KvExportProgram::CheckOutput(std::cout, std::cerr, "osprey-config", program.Run(arguments));
}

// osprey-export: pages of the switch on standard output, without a window.
#include <iostream>
#include <string>
#include <vector>

#include "export/kvexportprogram.h"
#include "shell/kvstartup.h"

int main(int argc, char* argv[])
{
    // Communities and passwords leave the process list at once.
    const std::vector<std::string> arguments = KvStartup::TakeParameters(argc, argv);
    KvExportProgram program(std::cout, std::cerr);
    return program.Run(arguments);
}

// osprey-export: pages of the switch on standard output, without a window.
#include <iostream>
#include <string>
#include <vector>

#include "export/kvexportprogram.h"

int main(int argc, char* argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    KvExportProgram program(std::cout, std::cerr);
    return program.Run(arguments);
}

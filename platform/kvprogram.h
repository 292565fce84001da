#pragma once
#include <string>

// The running program's own file and directory.
class KvProgram {
public:
    // Full path of the program file (the application's, else /proc/self/exe).
    static std::string filePath();
    // The file name alone: the caption of the program's message boxes.
    static std::string fileName();
    // The directory of the program file, ending in '/'.
    static std::string directory();

    // The name under which the registry's HelpPath value names the program file.
    // Start-up takes the module's directory as that value less the length of this
    // name (12 characters), so the build, the installation and the registry set-up
    // provide the program under this name too (a link to the program beside it).
    static constexpr const char* kModuleFileName = "osprey-panel";
    static constexpr size_t kModuleFileNameLength = 12;
};

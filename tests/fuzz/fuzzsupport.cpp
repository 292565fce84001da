#include "fuzzsupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fuzz {

namespace {

struct Scratch {
    std::string path;
    Scratch()
    {
        // Memory when there is a RAM file system: harnesses write a file for
        // every input.
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0
                ? std::filesystem::path("/dev/shm")
                : std::filesystem::temp_directory_path();
        std::string pattern = (base / "osprey-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern;
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& ScratchDirectory()
{
    static Scratch scratch;
    return scratch.path;
}

std::string WriteScratchFile(const std::string& name, const std::string& text)
{
    const std::string path = ScratchDirectory() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    Check(static_cast<bool>(out), "the scratch file can be written", path);
    return path;
}

} // namespace fuzz

#include "switches/switchpaths.h"

#include <cstdlib>
#include <filesystem>

namespace {

// $variable when set to an absolute path, else $HOME/fallback.
std::string baseDirectory(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallback;
}

} // namespace

std::string SwitchPaths::ConfigDirectory()
{
    return baseDirectory("XDG_CONFIG_HOME", ".config") + "/osprey";
}
std::string SwitchPaths::StateDirectory()
{
    return baseDirectory("XDG_STATE_HOME", ".local/state") + "/osprey";
}
std::string SwitchPaths::ListFile()
{
    return ConfigDirectory() + "/switch-list.json";
}
std::string SwitchPaths::OldSwitchFile()
{
    return ConfigDirectory() + "/switches";
}

bool SwitchPaths::MakeDirectory(const std::string& directory)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory(directory, error))
        return true;
    const fs::path parent = fs::path(directory).parent_path();
    if (!parent.empty() && parent != directory && !MakeDirectory(parent.string()))
        return false;
    fs::create_directory(directory, error);
    fs::permissions(directory, fs::perms::owner_all, fs::perm_options::replace, error);
    return fs::is_directory(directory, error);
}

#include "exportsetup.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "exportrun.h"
#include "osprey_config.h"

ExportSetup::ExportSetup()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kvexport-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()))
        dir_ = name.data();
    std::filesystem::create_directories(dir_ + "/Conf");
    // The module's program file (its 12-character name) names the directory of
    // the message files; the MibFile path is the directory of the INI files.
    std::ofstream(RegistryPath()) << "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n"
                                  << OSPREY_ENT_OID << ".10.48.1=" << ExportProcess::BuildDirectory()
                                  << "/osprey-panel\n"
                                  << "[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]\n"
                                  << "Path=" << dir_ << "/Conf/\n";
}

ExportSetup::~ExportSetup()
{
    if (dir_.empty() || std::getenv("OSPREY_KEEP_EXPORT_DIR"))
        return;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void ExportSetup::WriteIniFile(const std::string& address, unsigned short port) const
{
    std::ofstream(dir_ + "/Conf/" + address + ".cfg") << "[Program Information]\n"
                                                      << "AgentPort=" << port << "\n"
                                                      << "Version=1\n"
                                                      << "ContextName=\n"
                                                      << "ContextEngineID=\n"
                                                      << "SecurityModel=1\n"
                                                      << "SecurityLevel=0\n"
                                                      << "SecurityName=\n"
                                                      << "AuthProtocol=0\n"
                                                      << "PrivProtocol=0\n"
                                                      << "AuthPassword=\n"
                                                      << "PrivPassword=\n";
}

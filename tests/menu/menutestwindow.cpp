#include "menutestwindow.h"

#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"
#include "shell/tmainform.h"

#include <cstdlib>

MenuTestWindow::MenuTestWindow(unsigned short agentPort, const std::string& registryExtra)
    : previous_(std::filesystem::current_path())
{
    const std::string registry = "[" + std::string(KvStartup::kModuleKey) + "]\n" + KvStartup::ModuleValueName() +
                                 "=" + KvProgram::directory() + KvProgram::kModuleFileName + "\n[" +
                                 KvStartup::kHostMibKey + "]\nPath=" + dir_.path() + "/Conf/\n" + registryExtra;
    setenv(KvRegistry::kEnvironmentVariable, dir_.write("registry.ini", registry).c_str(), 1);
    if (agentPort != 0) {
        dir_.write(std::string("Conf/") + kAddress + ".cfg",
                   "[Program Information]\nAgentPort=" + std::to_string(agentPort) +
                       "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=1\nSecurityLevel=0\n"
                       "SecurityName=\nAuthProtocol=0\nPrivProtocol=0\nAuthPassword=\nPrivPassword=\n");
    }
    std::filesystem::create_directories(dir_.file("work"));
    std::filesystem::current_path(dir_.file("work"));
    form_ = std::make_unique<TMainForm>(
        std::vector<std::string>{std::string("/I") + kAddress, "/Rravine", "/Wlantern"});
}

MenuTestWindow::~MenuTestWindow()
{
    form_.reset();
    std::filesystem::current_path(previous_);
    unsetenv(KvRegistry::kEnvironmentVariable);
}

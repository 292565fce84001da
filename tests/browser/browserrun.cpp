#include "browserrun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "browser/browserprogram.h"
#include "browser/tbrowserform.h"
#include "platform/kvlauncher.h"
#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"

namespace {

TBrowserForm* OpenWindow()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<TBrowserForm*>(top); window && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

BrowserRun::BrowserRun() : previous_(std::filesystem::current_path().string())
{
    const std::string registry = "[" + std::string(KvStartup::kModuleKey) + "]\n" + KvStartup::ModuleValueName() + "=" +
                                 KvProgram::directory() + KvProgram::kModuleFileName + "\n[" + KvStartup::kHostMibKey +
                                 "]\nPath=" + dir_.path() + "/Conf/\n[" + launcher::kHostKey51 +
                                 "]\nPath=" + KvProgram::directory() + "\n";
    setenv(KvRegistry::kEnvironmentVariable, dir_.write("registry.ini", registry).c_str(), 1);
    std::filesystem::create_directories(dir_.file("Conf"));
    std::filesystem::create_directories(dir_.file("work"));
    std::filesystem::current_path(dir_.file("work"));
}

BrowserRun::~BrowserRun()
{
    std::filesystem::current_path(previous_);
    unsetenv(KvRegistry::kEnvironmentVariable);
}

void BrowserRun::WriteIni(unsigned short port) const
{
    dir_.write(std::string("Conf/") + kAddress + ".cfg",
               "[Program Information]\nAgentPort=" + std::to_string(port) +
                   "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=1\nSecurityLevel=0\n"
                   "SecurityName=\nAuthProtocol=0\nPrivProtocol=0\nAuthPassword=\nPrivPassword=\n");
}

launcher::BrowserSettings BrowserRun::V2cSettings(unsigned short port, const std::string& readCommunity,
                                                  const std::string& writeCommunity)
{
    launcher::BrowserSettings settings;
    settings.texts.AgentAddress = kAddress;
    settings.texts.ReadCommunity = readCommunity;
    settings.texts.WriteCommunity = writeCommunity;
    settings.texts.IniVersion = "1";
    settings.texts.IniFileFound = true;
    settings.device.address = kAddress;
    settings.device.port = port;
    settings.security.version = kvVersion2c;
    return settings;
}

launcher::BrowserSettings BrowserRun::V3Settings(unsigned short port, const std::string& user,
                                                 const std::string& authPassword, const std::string& privPassword)
{
    launcher::BrowserSettings settings;
    settings.texts.AgentAddress = kAddress;
    settings.device.address = kAddress;
    settings.device.port = port;
    settings.security.version = kvVersion3;
    settings.security.securityModel = 3;
    settings.security.securityName = user;
    settings.security.securityLevel = 3;
    settings.security.authProtocol = kvAuthSha;
    settings.security.authPassword = authPassword;
    settings.security.privProtocol = kvPrivAes128;
    settings.security.privPassword = privPassword;
    return settings;
}

std::vector<std::string> BrowserRun::Parameters(const std::string& pageName, const launcher::BrowserSettings& settings)
{
    QStringList words =
        KvLauncher::splitCommandLine(QString::fromStdString(launcher::BrowserCommandLine(pageName, settings)));
    std::vector<std::string> parameters;
    for (qsizetype i = 1; i < words.size(); ++i)
        parameters.push_back(words[i].toStdString());
    return parameters;
}

int BrowserRun::Run(const std::vector<std::string>& parameters, const std::function<void(TBrowserForm&)>& check,
                    int fetchLimitMs)
{
    // Polled, never waited for: a wait here could sit inside a walk's row
    // (which lets the window work) and hold the walk up.
    checked_ = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TBrowserForm* window = OpenWindow();
        if (!window || (!window->Fetched() && waited.elapsed() < fetchLimitMs))
            return;
        poll.stop();
        checked_ = true;
        check(*window);
        window->close();
    });
    poll.start();
    return RunBrowser(parameters);
}

#include "menutestwindow.h"

#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"
#include "shell/tmainform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <signal.h>

#include <cstdlib>

namespace {

// The MIB browser programs a window started (its browser commands start the
// stand-in beside the program, detached): they run in the window's working
// directory.
QList<pid_t> BrowserProgramsIn(const QString& workingDirectory)
{
    QList<pid_t> pids;
    const QString standIn =
        QFileInfo(QString::fromStdString(KvProgram::directory()) + "osprey-browser").canonicalFilePath();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = static_cast<pid_t>(entry.toLong(&number));
        if (!number)
            continue;
        const QString proc = QStringLiteral("/proc/") + entry;
        if (QFile::symLinkTarget(proc + "/exe") == standIn && QFile::symLinkTarget(proc + "/cwd") == workingDirectory)
            pids << pid;
    }
    return pids;
}

} // namespace

MenuTestWindow::MenuTestWindow(unsigned short agentPort, const std::string& registryExtra)
    : previous_(std::filesystem::current_path())
{
    const std::string registry = "[" + std::string(KvStartup::kModuleKey) + "]\n" + KvStartup::ModuleValueName() + "=" +
                                 KvProgram::directory() + KvProgram::kModuleFileName + "\n[" + KvStartup::kHostMibKey +
                                 "]\nPath=" + dir_.path() + "/Conf/\n" + registryExtra;
    setenv(KvRegistry::kEnvironmentVariable, dir_.write("registry.ini", registry).c_str(), 1);
    if (agentPort != 0) {
        dir_.write(std::string("Conf/") + kAddress + ".cfg",
                   "[Program Information]\nAgentPort=" + std::to_string(agentPort) +
                       "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=1\nSecurityLevel=0\n"
                       "SecurityName=\nAuthProtocol=0\nPrivProtocol=0\nAuthPassword=\nPrivPassword=\n");
    }
    std::filesystem::create_directories(dir_.file("work"));
    std::filesystem::current_path(dir_.file("work"));
    // The user's settings (the View menu's choices) of this window alone.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"))
        previousConfig_ = config;
    setenv("XDG_CONFIG_HOME", dir_.file("config").c_str(), 1);
    form_ =
        std::make_unique<TMainForm>(std::vector<std::string>{std::string("/I") + kAddress, "/Rravine", "/Wlantern"});
}

MenuTestWindow::~MenuTestWindow()
{
    form_.reset();
    // The browser programs its commands started end with the window.
    const QString work = QFileInfo(QString::fromStdString(dir_.file("work"))).canonicalFilePath();
    QList<pid_t> started = BrowserProgramsIn(work);
    for (pid_t pid : started)
        ::kill(pid, SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (!started.isEmpty() && waited.elapsed() < 3000) {
        QThread::msleep(20);
        started = BrowserProgramsIn(work);
    }
    for (pid_t pid : started)
        ::kill(pid, SIGKILL);
    std::filesystem::current_path(previous_);
    unsetenv(KvRegistry::kEnvironmentVariable);
    if (previousConfig_)
        setenv("XDG_CONFIG_HOME", previousConfig_->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

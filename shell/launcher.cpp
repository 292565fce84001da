#include "shell/launcher.h"

#include "platform/kvhelpwindow.h"
#include "platform/kvlauncher.h"
#include "platform/kvmessagebox.h"
#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "tables/pagetables.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpvarlist.h"

#include <QLabel>
#include <QStringList>

namespace launcher {

BrowserSettings CurrentSettings(const KvStartupTexts& texts)
{
    return BrowserSettings{texts, KvSNMPDevice, KvSNMPSecurity, KvSNMPScope};
}

std::string ModulePrefix(std::string_view pageName)
{
    // The prefix starts at the third character and runs up to the first "_".
    const size_t underscore = pageName.find('_');
    if (underscore == std::string_view::npos || underscore < 2)
        return std::string();
    return std::string(pageName.substr(2, underscore - 2));
}

bool Version3Switches(const BrowserSettings& settings)
{
    return (settings.texts.IniFileFound && settings.texts.IniVersion == "3") || settings.security.version == kvVersion3;
}

std::vector<std::string> BrowserArguments(std::string_view pageName, const BrowserSettings& settings)
{
    const KvStartupTexts& texts = settings.texts;
    std::vector<std::string> words = {ModulePrefix(pageName), "/I" + texts.AgentAddress, "/R" + texts.ReadCommunity,
                                      "/W" + texts.WriteCommunity, std::string(pageName)};
    if (Version3Switches(settings)) {
        const KvSNMPSecuritySettings& security = settings.security;
        // Numbers in decimal; the version is a small signed number, not a character.
        words.insert(words.end(),
                     {"/t" + std::to_string(settings.device.port),
                      "/v" + std::to_string(static_cast<int>(security.version)), "/d" + settings.scope.contextEngineId,
                      "/m" + std::to_string(security.securityModel), "/n" + security.securityName,
                      "/c" + settings.scope.contextName, "/l" + std::to_string(security.securityLevel),
                      "/a" + std::to_string(security.authProtocol), "/A" + security.authPassword,
                      "/p" + std::to_string(security.privProtocol), "/P" + security.privPassword});
    }
    return words;
}

std::string BrowserCommandLine(std::string_view pageName, const BrowserSettings& settings)
{
    std::string command;
    for (const std::string& word : BrowserArguments(pageName, settings))
        command += (command.empty() ? "" : " ") + word;
    return command;
}

std::string HostCheckMessage(KvRegistry& registry)
{
    std::string message;
    if (registry.OpenKey(kHostKey51, false) || registry.OpenKey(kHostKey5, false)) {
        // The host is installed: its browser programs are on the search path.
    } else if (registry.OpenKey(kOpenViewKey, false)) {
        if (registry.ReadString(kOpenViewPathValue).empty())
            message = kOpenViewPathMessage;
    } else {
        message = kNoPathMessage;
    }
    registry.CloseKey();
    return message;
}

std::string BuildBrowserCommand(std::string_view pageName, const BrowserSettings& settings, KvRegistry& registry,
                                QLabel* statusPanel)
{
    const std::string message = HostCheckMessage(registry);
    if (!message.empty() && statusPanel)
        statusPanel->setText(QString::fromStdString(message));
    return BrowserCommandLine(pageName, settings);
}

std::string LaunchBrowserPage(std::string_view pageName, const KvStartupTexts& texts, QLabel* statusPanel)
{
    KvRegistry registry;
    const BrowserSettings settings = CurrentSettings(texts);
    const std::string command = BuildBrowserCommand(pageName, settings, registry, statusPanel);
    QStringList words;
    for (const std::string& word : BrowserArguments(pageName, settings))
        words.push_back(QString::fromStdString(word));
    // The outcome is not reported: a browser program that is not installed
    // simply does not start.
    KvLauncher::start(words, QString::fromStdString(KvProgram::directory()));
    return command;
}

std::string HelpFilePath()
{
    return KvProgram::directory() + kHelpFileName;
}

void OpenHelp(QWidget* owner)
{
    KvHelpWindow::open(QString::fromStdString(HelpFilePath()), owner);
}

bool SaveChanges(QWidget* owner)
{
    const QMessageBox::StandardButton answer =
        KvMessageBox::show(owner, QString::fromLatin1(kSaveQuestion), QString::fromLatin1(kSaveTitle),
                           QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information);
    if (answer != QMessageBox::Ok)
        return false;
    KvSNMPRequest request;
    request.variables = KvSNMPVarList(kvtables::varsSaveChanges, kvListScalars, 0);
    request.variables[0].value = "2";
    request.Store(false, KvWriteSet::All(request.variables));
    return true;
}

} // namespace launcher

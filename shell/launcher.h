#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "shell/kvstartup.h"
#include "snmp/kvsnmpsession.h"

class KvRegistry;
class QLabel;
class QWidget;

// The shell commands that reach outside the module: pages of the host's MIB
// browser programs, the help file and the switch's "save configuration"
// command.
//
// A browser page is named "/T" + module prefix + "_" + page ("/TMIB_Info");
// the module prefix names the browser program ("MIB"). The program is started
// with the switch and SNMP settings in force, in the grammar the module reads
// itself:
//   MIB /I<address> /R<read community> /W<write community> /TMIB_Info
// followed, when SNMPv3 is in force, by
//   /t<port> /v<version> /d<context engine id> /m<security model>
//   /n<security name> /c<context name> /l<security level>
//   /a<auth protocol> /A<auth password> /p<priv protocol> /P<priv password>
// (every switch written even when its value is empty).
namespace launcher {

// The settings a browser command line carries.
struct BrowserSettings {
    KvStartupTexts texts; // AgentAddress, communities, IniVersion, IniFileFound
    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
};

// The settings in force: the given start-up texts and the process-wide
// session records.
BrowserSettings CurrentSettings(const KvStartupTexts& texts);

// The text between "/T" and the first "_" ("/TMIB_Info" gives "MIB"); empty
// when the name has no "_" after its second character.
std::string ModulePrefix(std::string_view pageName);

// Whether the SNMPv3 switches go on the command line: an INI file with
// version 3 was found, or version 3 is in force.
bool Version3Switches(const BrowserSettings& settings);

// The command line for `pageName` as its words: the program's name, then one
// word per switch ("/R" and the community, whatever characters it holds).
std::vector<std::string> BrowserArguments(std::string_view pageName, const BrowserSettings& settings);
// The whole command line for `pageName`: the words joined by blanks.
std::string BrowserCommandLine(std::string_view pageName, const BrowserSettings& settings);

// Looks for the host on the registry: none of the host's App Paths entries
// and no OpenView key gives "No Path!"; an OpenView key with an empty
// "OV_PATH" gives "OpenView : File Path Error!"; otherwise the empty text.
std::string HostCheckMessage(KvRegistry& registry);

constexpr const char* kNoPathMessage = "No Path!";
constexpr const char* kOpenViewPathMessage = "OpenView : File Path Error!";
constexpr const char* kHostKey51 = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard51.exe";
constexpr const char* kHostKey5 = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard5.exe";
constexpr const char* kOpenViewKey = "\\SOFTWARE\\Hewlett-Packard\\OpenView";
constexpr const char* kOpenViewPathValue = "OV_PATH";

// The command line for `pageName`; the host check's message, when there is
// one, goes into `statusPanel` (status panel 0 of the main window).
std::string BuildBrowserCommand(std::string_view pageName, const BrowserSettings& settings, KvRegistry& registry,
                                QLabel* statusPanel);

// Builds the command line on the machine's registry and starts the browser
// program detached, without a shell, with its words as its arguments: a
// community or password holding blanks, quotes, ";" or "$(...)" reaches the
// program as one unchanged argument. The program is looked for beside the
// module's program file, in the current directory and on PATH; a program
// that cannot be found or started is not reported. Gives the command line.
std::string LaunchBrowserPage(std::string_view pageName, const KvStartupTexts& texts, QLabel* statusPanel);

// The help document beside the program file.
constexpr const char* kHelpFileName = "Osprey 2.HLP";
std::string HelpFilePath();

// Opens the help document in the program's own help window (freed when
// closed). A missing document gives a message box, not a window.
void OpenHelp(QWidget* owner);

// "Save Changes": asks "Are you sure?" (titled "Device Save Changes", OK and
// Cancel); on OK writes "active" (2) into the switch's save-configuration
// variable with one blocking set. Gives whether the set was sent and
// answered; a failing set raises the request's KvError.
bool SaveChanges(QWidget* owner);

constexpr const char* kSaveTitle = "Device Save Changes";
constexpr const char* kSaveQuestion = "Are you sure?";

} // namespace launcher

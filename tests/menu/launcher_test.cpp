#include "platform/kvregistry.h"
#include "shell/launcher.h"
#include "tables/menutree.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>

#include <filesystem>
#include <map>

#include <sys/stat.h>

using launcher::BrowserSettings;

namespace {

// 10.1.1.1, empty communities, SNMPv1, no INI file; the engine's defaults
// for the rest.
BrowserSettings V1Settings()
{
    BrowserSettings settings;
    settings.texts.AgentAddress = "10.1.1.1";
    settings.device = {"10.1.1.1", 161};
    settings.security.version = 0;
    settings.security.securityModel = 1;
    settings.security.securityLevel = 1;
    settings.security.authProtocol = 1;
    settings.security.privProtocol = 1;
    return settings;
}

} // namespace

TEST(LauncherCommandLine, PlainSwitchesWithEmptyCommunities)
{
    EXPECT_EQ(launcher::BrowserCommandLine("/TMIB_Info", V1Settings()), "MIB /I10.1.1.1 /R /W /TMIB_Info");

    BrowserSettings settings = V1Settings();
    settings.texts.ReadCommunity = "ravine";
    settings.texts.WriteCommunity = "lantern";
    EXPECT_EQ(launcher::BrowserCommandLine("/TEthernetLike_dot3StatsTable", settings),
              "EthernetLike /I10.1.1.1 /Rravine /Wlantern /TEthernetLike_dot3StatsTable");
}

TEST(LauncherCommandLine, Snmpv3SwitchesFollowThePageNameEvenWhenEmpty)
{
    BrowserSettings settings = V1Settings();
    settings.security.version = 3;
    EXPECT_EQ(launcher::BrowserCommandLine("/TMIB_Info", settings),
              "MIB /I10.1.1.1 /R /W /TMIB_Info /t161 /v3 /d /m1 /n /c /l1 /a1 /A /p1 /P");

    settings.device.port = 2161;
    settings.scope = {"800007e580", "ctx"};
    settings.security.securityModel = 3;
    settings.security.securityName = "md5-user";
    settings.security.securityLevel = 3;
    settings.security.authProtocol = 2;
    settings.security.authPassword = "md5-auth-pass";
    settings.security.privProtocol = 2;
    settings.security.privPassword = "md5-priv-pass";
    EXPECT_EQ(launcher::BrowserCommandLine("/TRmon_History", settings),
              "Rmon /I10.1.1.1 /R /W /TRmon_History /t2161 /v3 /d800007e580 /m3 /nmd5-user /cctx /l3 /a2 "
              "/Amd5-auth-pass /p2 /Pmd5-priv-pass");
}

TEST(LauncherCommandLine, Snmpv3ConditionNeedsTheIniFileOrVersion3)
{
    BrowserSettings settings = V1Settings();
    // An INI version of 3 counts only when the INI file was found.
    settings.texts.IniVersion = "3";
    settings.texts.IniFileFound = false;
    EXPECT_FALSE(launcher::Version3Switches(settings));
    EXPECT_EQ(launcher::BrowserCommandLine("/TMIB_Info", settings), "MIB /I10.1.1.1 /R /W /TMIB_Info");

    settings.texts.IniFileFound = true;
    settings.security.version = 1;
    ASSERT_TRUE(launcher::Version3Switches(settings));
    // The version written is the one in force, as a decimal number.
    EXPECT_NE(launcher::BrowserCommandLine("/TMIB_Info", settings).find(" /v1 /d"), std::string::npos);

    settings.texts.IniVersion = "1";
    EXPECT_FALSE(launcher::Version3Switches(settings));
}

TEST(LauncherCommandLine, EveryBrowserItemNamesItsProgram)
{
    // Component name -> (page name, program) for every browser command.
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"Information3", {"/TMIB_Info", "MIB"}},
        {"IfTable1", {"/TMIB_IFTable", "MIB"}},
        {"IFCounter1", {"/TMIB_IFCounters", "MIB"}},
        {"IPCounters1", {"/TMIB_IPCounters", "MIB"}},
        {"IPRouting1", {"/TMIB_IPRouting", "MIB"}},
        {"IPAddressTable1", {"/TMIB_IPAddress", "MIB"}},
        {"ICMPCounters1", {"/TMIB_ICMPCounters", "MIB"}},
        {"UDPCounters1", {"/TMIB_UDPCounters", "MIB"}},
        {"SNMPCounters1", {"/TMIB_SNMPCounters", "MIB"}},
        {"GeneralTable1", {"/TIFMib_LastChangeTable", "IFMib"}},
        {"IFXTable1", {"/TIFMib_ifXEntry", "IFMib"}},
        {"IfStackTable1", {"/TIFMib_ifStackTable", "IFMib"}},
        {"TestTable1", {"/TIFMib_ifTestTable", "IFMib"}},
        {"dot3Statistics1", {"/TEthernetLike_dot3StatsTable", "EthernetLike"}},
        {"PortTable1", {"/TBridge_Port", "Bridge"}},
        {"PortTable2", {"/TBridge_STPPort", "Bridge"}},
        {"Information4", {"/TBridge_STPInfo", "Bridge"}},
        {"ForwardingTable1", {"/TBridge_Forwarding", "Bridge"}},
        {"StaticTable1", {"/TBridge_StaticFilter", "Bridge"}},
        {"PortCounters1", {"/TBridge_TpPortInfo", "Bridge"}},
        {"GMRP1", {"/TVLan_GMRP", "VLan"}},
        {"Statistics1", {"/TRmon_Statistics", "Rmon"}},
        {"History1", {"/TRmon_History", "Rmon"}},
        {"AlarmEvent1", {"/TRmon_AlarmEvent", "Rmon"}},
    };
    size_t browserItems = 0;
    for (const MenuItemDef& item : kvtables::MainMenu()) {
        if (item.action != MenuAction::browser)
            continue;
        ++browserItems;
        const auto found = expected.find(item.name);
        ASSERT_NE(found, expected.end()) << item.name;
        EXPECT_STREQ(item.target, found->second.first.c_str()) << item.name;
        EXPECT_EQ(launcher::ModulePrefix(item.target), found->second.second) << item.name;
    }
    EXPECT_EQ(browserItems, expected.size());
}

TEST(LauncherCommandLine, PageNameWithoutModulePrefix)
{
    EXPECT_EQ(launcher::ModulePrefix("/TMIB_Info"), "MIB");
    EXPECT_EQ(launcher::ModulePrefix("/T_Info"), "");
    EXPECT_EQ(launcher::ModulePrefix("/TInfo"), "");
    EXPECT_EQ(launcher::ModulePrefix("_"), "");
    EXPECT_EQ(launcher::ModulePrefix(""), "");
    // Only the first "_" ends the prefix.
    EXPECT_EQ(launcher::ModulePrefix("/TA_B_C"), "A");
}

namespace {

class LauncherHostTest : public ::testing::Test {
protected:
    std::string WriteRegistry(const std::string& text) { return dir.write("registry.ini", text); }
    std::string Check(const std::string& registryText)
    {
        KvRegistry registry(WriteRegistry(registryText));
        return launcher::HostCheckMessage(registry);
    }

    TempDir dir;
};

} // namespace

TEST_F(LauncherHostTest, HostOrOpenViewOrNothing)
{
    EXPECT_EQ(Check(""), "No Path!");
    EXPECT_EQ(Check("[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard51.exe]\n"), "");
    EXPECT_EQ(Check("[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard5.exe]\n"), "");
    EXPECT_EQ(Check("[\\SOFTWARE\\Hewlett-Packard\\OpenView]\n"), "OpenView : File Path Error!");
    EXPECT_EQ(Check("[\\SOFTWARE\\Hewlett-Packard\\OpenView]\nOV_PATH=\n"), "OpenView : File Path Error!");
    EXPECT_EQ(Check("[\\SOFTWARE\\Hewlett-Packard\\OpenView]\nOV_PATH=/opt/ov\n"), "");
    // The host wins over an OpenView key with an empty path.
    EXPECT_EQ(Check("[\\SOFTWARE\\Hewlett-Packard\\OpenView]\n"
                    "[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard5.exe]\n"),
              "");
    // Another host's key is not this host.
    EXPECT_EQ(Check("[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\other.exe]\n"), "No Path!");
}

TEST_F(LauncherHostTest, MessageGoesIntoStatusPanelAndTheCommandIsBuiltAnyway)
{
    QLabel panel(QStringLiteral("LED status"));
    KvRegistry none(WriteRegistry(""));
    EXPECT_EQ(launcher::BuildBrowserCommand("/TMIB_Info", V1Settings(), none, &panel),
              "MIB /I10.1.1.1 /R /W /TMIB_Info");
    EXPECT_EQ(panel.text(), "No Path!");

    KvRegistry openView(dir.write("openview.ini", "[\\SOFTWARE\\Hewlett-Packard\\OpenView]\nOV_PATH=\n"));
    launcher::BuildBrowserCommand("/TMIB_Info", V1Settings(), openView, &panel);
    EXPECT_EQ(panel.text(), "OpenView : File Path Error!");

    // With the host present the panel keeps what it showed.
    panel.setText(QStringLiteral("LED status"));
    KvRegistry host(
        dir.write("host.ini", "[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard51.exe]\n"));
    launcher::BuildBrowserCommand("/TMIB_Info", V1Settings(), host, &panel);
    EXPECT_EQ(panel.text(), "LED status");

    // No status panel: nothing to write into, no failure.
    EXPECT_EQ(launcher::BuildBrowserCommand("/TMIB_Info", V1Settings(), none, nullptr),
              "MIB /I10.1.1.1 /R /W /TMIB_Info");
}

namespace {

// Runs each test in a working directory of its own with an empty registry.
class LauncherStartTest : public ::testing::Test {
protected:
    LauncherStartTest() : previous(std::filesystem::current_path())
    {
        setenv(KvRegistry::kEnvironmentVariable, dir.write("registry.ini", "").c_str(), 1);
        std::filesystem::current_path(dir.path());
    }
    ~LauncherStartTest() override
    {
        std::filesystem::current_path(previous);
        unsetenv(KvRegistry::kEnvironmentVariable);
    }

    // A browser program in the working directory that writes each argument
    // it receives on a line of its own into `output`.
    void WriteProgram(const std::string& name, const std::string& output)
    {
        const std::string path = dir.write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                                                     output + ".tmp\nmv " + output + ".tmp " + output + "\n");
        chmod(path.c_str(), 0755);
    }

    // The file's text once it exists (at most five seconds).
    std::string WaitForFile(const std::string& name)
    {
        QElapsedTimer waited;
        waited.start();
        while (!std::filesystem::exists(dir.file(name)) && waited.elapsed() < 5000)
            QThread::msleep(20);
        return ReadWholeFile(dir.file(name));
    }

    std::filesystem::path previous;
    TempDir dir;
};

} // namespace

TEST_F(LauncherStartTest, StartsTheProgramWithoutAShell)
{
    // A browser program of its own name: the build puts the stand-in for the
    // host's programs (MIB, ...) beside the module, where the launcher looks
    // first.
    WriteProgram("Probe", "args.txt");
    KvStartupTexts texts;
    texts.AgentAddress = "10.1.1.1";
    // Shell syntax in a community is data for the program, never run.
    texts.ReadCommunity = "$(touch${IFS}pwned)";
    texts.WriteCommunity = ";touch${IFS}pwned2|";
    QLabel panel;
    const std::string command = launcher::LaunchBrowserPage("/TProbe_Info", texts, &panel);
    EXPECT_EQ(command.substr(0, 18), "Probe /I10.1.1.1 /");
    EXPECT_EQ(WaitForFile("args.txt"), "/I10.1.1.1\n/R$(touch${IFS}pwned)\n/W;touch${IFS}pwned2|\n/TProbe_Info\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("pwned")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("pwned2")));
    EXPECT_EQ(panel.text(), "No Path!") << "the registry names no host";
}

TEST_F(LauncherStartTest, SecretsWithBlanksQuotesAndShellSyntaxArriveAsOneUnchangedArgumentEach)
{
    // Not "MIB": the build's stand-in of that name sits beside the module and
    // would be found first.
    WriteProgram("Secrets", "args.txt");
    KvStartupTexts texts;
    texts.AgentAddress = "10.1.1.1";
    texts.ReadCommunity = "pub lic; $(touch pwned) 'single' \"double\" `touch pwned2` | cat";
    texts.WriteCommunity = "  two  blanks  ";
    const KvSNMPSecuritySettings saved = KvSNMPSecurity;
    KvSNMPSecurity.version = 3;
    KvSNMPSecurity.securityName = "an admin";
    KvSNMPSecurity.authPassword = "auth pass; $(touch pwned3)";
    KvSNMPSecurity.privPassword = "priv\tpass \"";
    QLabel panel;
    launcher::LaunchBrowserPage("/TSecrets_Info", texts, &panel);
    KvSNMPSecurity = saved;
    const std::string received = WaitForFile("args.txt");
    std::vector<std::string> args;
    for (size_t at = 0, end; (end = received.find('\n', at)) != std::string::npos; at = end + 1)
        args.push_back(received.substr(at, end - at));
    ASSERT_EQ(args.size(), 15u) << received;
    EXPECT_EQ(args[1], "/R" + texts.ReadCommunity);
    EXPECT_EQ(args[2], "/W" + texts.WriteCommunity);
    EXPECT_EQ(args[3], "/TSecrets_Info");
    EXPECT_EQ(args[8], "/nan admin");
    EXPECT_EQ(args[12], "/Aauth pass; $(touch pwned3)");
    EXPECT_EQ(args[14], "/Ppriv\tpass \"");
    for (const char* marker : {"pwned", "pwned2", "pwned3"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(marker))) << marker;
}

TEST_F(LauncherStartTest, MissingProgramIsNotReported)
{
    QLabel panel;
    KvStartupTexts texts;
    texts.AgentAddress = "10.1.1.1";
    EXPECT_EQ(launcher::LaunchBrowserPage("/TNoSuchBrowser_Page", texts, &panel),
              "NoSuchBrowser /I10.1.1.1 /R /W /TNoSuchBrowser_Page");
    EXPECT_EQ(panel.text(), "No Path!");
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

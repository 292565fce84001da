// Secrets: the communities and passwords the program is started with never
// show in its status lines, message boxes or help window, in the files it
// writes or in the simulator's log, also when the switch refuses them; and
// another user's process list (/proc/PID/cmdline) does not show them while
// the program or the export runs with them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"
#include "platform/kvapplication.h"
#include "platform/kvhelpwindow.h"
#include "platform/kvmessagebox.h"
#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"
#include "shell/mainmenu.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/export/exportsetup.h"
#include "tests/support/childprocess.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

#include "pagevisit.h"
#include "tempdir.h"

namespace {

const std::string kReadSecret = "R3ad-Secr3t";
const std::string kWriteSecret = "Wr1te-Secr3t";
const std::string kAuthSecret = "Auth-Pa55w0rd";
const std::string kPrivSecret = "Priv-Pa55w0rd";
const std::vector<std::string> kSecrets = {
    kReadSecret, kWriteSecret, kAuthSecret, kPrivSecret, SimFixture::shaAuthPassword, SimFixture::shaPrivPassword};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

::testing::AssertionResult FreeOfSecrets(const std::string& where, const std::string& text)
{
    for (const std::string& secret : kSecrets)
        if (text.find(secret) != std::string::npos)
            return ::testing::AssertionFailure() << "\"" << secret << "\" in " << where << ": " << text;
    return ::testing::AssertionSuccess();
}

// Every file under `directory`, each checked.
::testing::AssertionResult FilesFreeOfSecrets(const std::string& directory)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory, ec)) {
        if (!entry.is_regular_file())
            continue;
        ::testing::AssertionResult free = FreeOfSecrets(entry.path().string(), ReadFile(entry.path().string()));
        if (!free)
            return free;
    }
    return ::testing::AssertionSuccess();
}

// --- in the program's windows and files -------------------------------------------------

class SecretsShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvResetMessageSets();
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        const std::string registry = "[" + std::string(KvStartup::kModuleKey) + "]\n" + KvStartup::ModuleValueName() +
                                     "=" + KvProgram::directory() + KvProgram::kModuleFileName + "\n[" +
                                     KvStartup::kHostMibKey + "]\nPath=" + dir.path() + "/Conf/\n";
        setenv(KvRegistry::kEnvironmentVariable, dir.write("registry.ini", registry).c_str(), 1);
        std::filesystem::create_directories(dir.file("work"));
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.file("work"));
    }

    void TearDown() override
    {
        // Whatever was said anywhere, without a secret.
        for (const KvMessageBoxRequest& box : answerer.shown())
            EXPECT_TRUE(FreeOfSecrets("a message box", (box.title + " " + box.text).toStdString()));
        form.reset();
        std::filesystem::current_path(previous);
        unsetenv(KvRegistry::kEnvironmentVariable);
        EXPECT_TRUE(FilesFreeOfSecrets(dir.file("work"))) << "the program's files";
        sim.stop();
        EXPECT_TRUE(FreeOfSecrets("the simulator's log", ReadFile(sim.logPath())));
    }

    void StartProgram(const std::vector<std::string>& parameters)
    {
        form = std::make_unique<TMainForm>(parameters);
        form->show();
        menu = MainMenu::Of(form.get());
        ASSERT_NE(menu, nullptr);
    }

    std::string Panel() const { return form->StatusPanel0->text().toStdString(); }

    // "Device Control" from the menu: its status lines after a fetch and a
    // write of the management VLAN.
    std::string VisitAndWrite()
    {
        std::string memo;
        EXPECT_TRUE(pagevisit::VisitPage([&] { menu->Click("DeviceControl1"); },
                                         [&](TConfigForm& page) {
                                             TCtrlBtnPanel* bar = page.PagePanel()->BtnPanel;
                                             bar->ClearChecksBtn->click();
                                             page.Entries()[4].checkBox->setChecked(true);
                                             qobject_cast<QLineEdit*>(page.Entries()[4].editor)->setText("2");
                                             bar->SetCheckBtn->click();
                                             kvtest::WaitFor(
                                                 [&] {
                                                     return page.Adapter()->setComplete &&
                                                            page.Adapter()->getComplete && !page.MainBinding()->busy;
                                                 },
                                                 15000);
                                             memo = pagevisit::MemoOf(page)->toPlainText().toStdString();
                                         }));
        return memo;
    }

    // The help window's text.
    std::string Help()
    {
        menu->Click("Help2");
        std::string text;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* help = dynamic_cast<KvHelpWindow*>(widget)) {
                text += help->toPlainText().toStdString();
                help->close();
            }
        EXPECT_FALSE(text.empty()) << "no help window";
        return text;
    }

    KvMessageBox::Answerer answerer;
    SimFixture sim;
    TempDir dir;
    std::filesystem::path previous;
    std::unique_ptr<TMainForm> form;
    MainMenu* menu = nullptr;
};

TEST_F(SecretsShown, CommunitiesTheSwitchDoesNotKnow)
{
    dir.write("Conf/127.0.0.1.cfg", "[Program Information]\nAgentPort=" + std::to_string(sim.port()) +
                                        "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=1\n"
                                        "SecurityLevel=0\nSecurityName=\nAuthProtocol=0\nPrivProtocol=0\n"
                                        "AuthPassword=\nPrivPassword=\n");
    StartProgram({"/I127.0.0.1", "/R" + kReadSecret, "/W" + kWriteSecret});
    const std::string memo = VisitAndWrite();
    EXPECT_NE(memo.find("Get: " + KvErrorText(-405)), std::string::npos) << memo;
    EXPECT_NE(memo.find("Set: " + KvErrorText(-405)), std::string::npos) << memo;
    EXPECT_TRUE(FreeOfSecrets("the page's status lines", memo));
    EXPECT_TRUE(FreeOfSecrets("the help window", Help()));
    // The front panel's poll gives up too (two attempts of five seconds).
    ASSERT_TRUE(kvtest::WaitFor([&] { return Panel().rfind("Get: " + KvErrorText(-405), 0) == 0; }, 15000)) << Panel();
    EXPECT_TRUE(FreeOfSecrets("the status panel", Panel()));
    // The simulator's log says a community it does not know was used.
    bool unknown = false;
    for (const std::string& line : sim.logLines())
        unknown = unknown || line.rfind("GET v2c unknown: ", 0) == 0;
    EXPECT_TRUE(unknown);
}

TEST_F(SecretsShown, PasswordsTheSwitchRefuses)
{
    StartProgram({"/I127.0.0.1", "/R" + kReadSecret, "/W" + kWriteSecret, "/v3", "/t" + std::to_string(sim.port()),
                  "/m3", "/l3", "/nsha-user", "/a3", "/A" + kAuthSecret, "/p4", "/P" + kPrivSecret});
    const std::string refused = "Get: " + KvErrorText(-308);
    ASSERT_TRUE(kvtest::WaitFor([&] { return Panel().rfind(refused, 0) == 0; }, 15000)) << Panel();
    EXPECT_TRUE(FreeOfSecrets("the status panel", Panel()));
    const std::string memo = VisitAndWrite();
    EXPECT_NE(memo.find(refused), std::string::npos) << memo;
    EXPECT_NE(memo.find("Set: " + KvErrorText(-308)), std::string::npos) << memo;
    EXPECT_TRUE(FreeOfSecrets("the page's status lines", memo));
    EXPECT_TRUE(FreeOfSecrets("the help window", Help()));
    // Nothing was carried out (a message that fails its digest under
    // authPriv cannot even be decrypted: the log has no line for it).
    for (const std::string& line : sim.logLines())
        EXPECT_EQ(line.find("sha-user authPriv: "), std::string::npos) << line;
}

// --- in the process list ---------------------------------------------------------------------

// A program started in `directory` with an environment of its own; its
// output goes to out.txt and err.txt there.
bool Spawn(ChildProcess& child, const std::vector<std::string>& arguments, const std::string& directory,
           const std::vector<std::string>& extraEnvironment)
{
    return child.start(arguments, {.directory = directory,
                                   .environment = extraEnvironment,
                                   .out = ChildProcess::Output::file(directory + "/out.txt"),
                                   .err = ChildProcess::Output::file(directory + "/err.txt")});
}

std::string CommandLineOf(pid_t pid)
{
    std::string text = ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
    for (char& c : text)
        if (c == '\0')
            c = ' ';
    return text;
}

std::vector<std::string> Version3Switches(unsigned short port)
{
    return {"/I127.0.0.1",
            "/R" + kReadSecret,
            "/W" + kWriteSecret,
            "/v3",
            "/t" + std::to_string(port),
            "/m3",
            "/l3",
            "/nsha-user",
            "/a3",
            std::string("/A") + SimFixture::shaAuthPassword,
            "/p4",
            std::string("/P") + SimFixture::shaPrivPassword};
}

bool LogShows(const SimFixture& sim, const std::string& text)
{
    for (const std::string& line : sim.logLines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(SecretsInTheProcessList, TheExportRunsWithoutShowingThem)
{
    // Late enough to read its command line while it waits, well inside one
    // attempt's second (a later answer races the retry).
    SimFixture sim(SimFixture::Options{.extraArgs = {"--delay", "400"}});
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    ExportSetup setup; // the registry; no INI file, so /v3 stands
    std::vector<std::string> arguments = {OSPREY_EXPORT_PATH};
    for (const std::string& s : Version3Switches(sim.port()))
        arguments.push_back(s);
    arguments.insert(arguments.end(), {"--page", "Spanning Tree Control"});
    ChildProcess exporter;
    ASSERT_TRUE(Spawn(exporter, arguments, setup.Directory(), {"KORVAN_REGISTRY=" + setup.RegistryPath()}));
    // While it waits for the switch's late answer.
    ASSERT_TRUE(kvtest::WaitFor([&] { return LogShows(sim, "sha-user authPriv"); }, 10000));
    const std::string seen = CommandLineOf(exporter.pid());
    EXPECT_TRUE(FreeOfSecrets("the export's command line", seen));
    EXPECT_NE(seen.find(" /nsha-user "), std::string::npos) << seen;
    EXPECT_NE(seen.find(" /A "), std::string::npos) << seen;
    // It read them: the page came over SNMPv3 with those passwords.
    EXPECT_EQ(exporter.wait(30000), 0) << ReadFile(setup.Directory() + "/err.txt");
    EXPECT_NE(ReadFile(setup.Directory() + "/out.txt").find("Priority[0-61440]\t32768"), std::string::npos)
        << ReadFile(setup.Directory() + "/out.txt");
}

TEST(SecretsInTheProcessList, TheProgramRunsWithoutShowingThem)
{
    SimFixture sim;
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    ExportSetup setup; // a working directory and the registry
    std::vector<std::string> arguments = {OSPREY_PROGRAM_PATH};
    for (const std::string& s : Version3Switches(sim.port()))
        arguments.push_back(s);
    ChildProcess program;
    ASSERT_TRUE(Spawn(program, arguments, setup.Directory(),
                      {"KORVAN_REGISTRY=" + setup.RegistryPath(), "QT_QPA_PLATFORM=offscreen"}));
    // The front panel's first poll, under the user with those passwords.
    const bool polled = kvtest::WaitFor([&] { return LogShows(sim, "GET v3 sha-user authPriv: "); }, 15000);
    const std::string seen = CommandLineOf(program.pid());
    program.stop(10000);
    ASSERT_TRUE(polled) << ReadFile(setup.Directory() + "/err.txt");
    EXPECT_TRUE(FreeOfSecrets("the program's command line", seen));
    EXPECT_NE(seen.find(" /P"), std::string::npos) << seen;
    EXPECT_TRUE(FilesFreeOfSecrets(setup.Directory())) << "the program's files";
}

TEST(SecretsInTheProcessList, TheBrowserStandInRunsWithoutShowingThem)
{
    SimFixture sim;
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    ExportSetup setup;
    std::vector<std::string> arguments = {OSPREY_BROWSER_PATH};
    for (const std::string& s : Version3Switches(sim.port()))
        arguments.push_back(s);
    arguments.push_back("/TMIB_Info");
    ChildProcess program;
    ASSERT_TRUE(Spawn(program, arguments, setup.Directory(),
                      {"KORVAN_REGISTRY=" + setup.RegistryPath(), "QT_QPA_PLATFORM=offscreen"}));
    // The page's first read, under the user with those passwords.
    const bool read = kvtest::WaitFor([&] { return LogShows(sim, "v3 sha-user authPriv: "); }, 15000);
    const std::string seen = CommandLineOf(program.pid());
    program.stop(10000);
    ASSERT_TRUE(read) << ReadFile(setup.Directory() + "/err.txt");
    EXPECT_TRUE(FreeOfSecrets("the browser's command line", seen));
    EXPECT_NE(seen.find(" /TMIB_Info"), std::string::npos) << seen;
}

} // namespace

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

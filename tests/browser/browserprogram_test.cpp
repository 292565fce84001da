// The stand-in as the launcher starts it: a program of its own, found by the
// bare names MIB, IFMib, EthernetLike, Bridge, VLan and Rmon beside the
// module's program, started with the launcher's command line (no shell), that
// reads the page from the switch; and an unknown page, which ends it at once
// with a message and status 2.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <regex>
#include <string>
#include <vector>

#include "browserrun.h"
#include "platform/kvlauncher.h"
#include "platform/kvprogram.h"
#include "platform/kvregistry.h"
#include "shell/kvstartup.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

struct Child {
    ChildProcess process;
    std::string errFile;

    // Status once it ended within `ms`, else -1 (still running).
    int WaitExit(int ms) { return process.wait(ms, ChildProcess::AtDeadline::LeaveRunning); }

    ~Child() { process.stop(5000); }
};

// Starts the program the command line names as the launcher finds it (beside
// the module's program, which is the build directory here), without a shell.
bool Start(Child& child, const std::string& commandLine, const std::string& errFile)
{
    QStringList words = KvLauncher::splitCommandLine(QString::fromStdString(commandLine));
    const QString program = KvLauncher::findProgram(words.takeFirst(), QString::fromStdString(KvProgram::directory()));
    if (program.isEmpty())
        return false;
    std::vector<std::string> argv = {program.toStdString()};
    for (const QString& w : words)
        argv.push_back(w.toStdString());
    child.errFile = errFile;
    return child.process.start(argv, {.environment = {"QT_QPA_PLATFORM=offscreen"},
                                      .out = ChildProcess::Output::inherit(),
                                      .err = ChildProcess::Output::file(errFile)});
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A GETBULK line carries its repetitions before the colon; they are left
// out, so that " v2c read: OID" finds GETNEXT and GETBULK alike.
std::string WithoutRepetitions(const std::string& line)
{
    static const std::regex repetitions(" non-repeaters=[0-9]+ max-repetitions=[0-9]+");
    return std::regex_replace(line, repetitions, "");
}

bool LogHas(const SimFixture& sim, const std::string& part, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        for (const std::string& line : sim.logLines())
            if (WithoutRepetitions(line).find(part) != std::string::npos)
                return true;
        QThread::msleep(50);
    }
    return false;
}

class BrowserProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        run.WriteIni(sim.port());
    }

    SimFixture sim;
    BrowserRun run;
};

// The set-up `make run` writes (scripts/lib/switch-setup.sh): the host check
// of the launcher finds a host, and the module's directory it names holds the
// stand-in under the launcher's names.
TEST(BrowserSetUp, TheRunScriptsRegistryNamesTheHostAndTheModuleDirectory)
{
    TempDir dir;
    std::string build = KvProgram::directory();
    build.pop_back();
    ChildProcess setUp;
    ASSERT_TRUE(setUp.start({"bash", "-c", ". \"$0/scripts/lib/switch-setup.sh\" && write_registry \"$1\" \"$2\"",
                             BROWSER_TEST_SOURCE_DIR, dir.path(), build},
                            {.out = ChildProcess::Output::inherit(), .err = ChildProcess::Output::inherit()}));
    const int status = setUp.wait(60000);
    ASSERT_EQ(status, 0);
    KvRegistry registry(dir.file("registry.ini"));
    EXPECT_EQ(launcher::HostCheckMessage(registry), "") << "no \"No Path!\"";

    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
    KvStartup startup(KvRegistry(dir.file("registry.ini")), device, security, scope);
    const std::string module = startup.FindModuleDirectory();
    EXPECT_EQ(module, KvProgram::directory());
    const QString found = KvLauncher::findProgram(QStringLiteral("Rmon"), QString::fromStdString(module));
    EXPECT_EQ(QFileInfo(found).canonicalFilePath(),
              QFileInfo(QString::fromStdString(module) + "osprey-browser").canonicalFilePath());
}

TEST_F(BrowserProgram, TheSixNamesAreTheStandInBesideTheModule)
{
    const QString module = QString::fromStdString(KvProgram::directory());
    const QString standIn = QFileInfo(module + "osprey-browser").canonicalFilePath();
    ASSERT_FALSE(standIn.isEmpty());
    for (const char* name : {"MIB", "IFMib", "EthernetLike", "Bridge", "VLan", "Rmon"}) {
        const QString found = KvLauncher::findProgram(QString::fromLatin1(name), module);
        EXPECT_EQ(QFileInfo(found).canonicalFilePath(), standIn) << name;
    }
}

class EachProgram : public BrowserProgram, public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

// Each program with one of its pages: it keeps running and reads the page's
// first variable with the main window's settings.
TEST_P(EachProgram, StartsWithTheLaunchersCommandLineAndReadsThePage)
{
    const auto& [page, firstOid] = GetParam();
    const auto settings = BrowserRun::V2cSettings(sim.port(), SimFixture::readCommunity, SimFixture::writeCommunity);
    const std::string command = launcher::BrowserCommandLine("/T" + page, settings);
    Child child;
    ASSERT_TRUE(Start(child, command, run.Dir().file("err.txt"))) << command;
    EXPECT_TRUE(LogHas(sim, " v2c read: " + firstOid, 15000)) << command << "\n" << ReadAll(child.errFile);
    EXPECT_EQ(child.WaitExit(300), -1) << "still showing its window: " << ReadAll(child.errFile);
}

INSTANTIATE_TEST_SUITE_P(Browser, EachProgram,
                         ::testing::Values(std::make_pair("MIB_Info", "1.3.6.1.2.1.1.1.0"),
                                           std::make_pair("IFMib_ifXEntry", "1.3.6.1.2.1.31.1.1.1.1"),
                                           std::make_pair("EthernetLike_dot3StatsTable", "1.3.6.1.2.1.10.7.2.1.2"),
                                           std::make_pair("Bridge_STPPort", "1.3.6.1.2.1.17.2.15.1.2"),
                                           std::make_pair("VLan_GMRP", "1.3.6.1.2.1.17.6.1.4.1.1.1"),
                                           std::make_pair("Rmon_Statistics", "1.3.6.1.2.1.16.1.1.1.2")),
                         [](const auto& info) { return info.param.first; });

TEST_F(BrowserProgram, Snmpv3CommandLineReadsAsTheUser)
{
    std::filesystem::remove(run.Dir().file("Conf/127.0.0.1.cfg"));
    const auto settings = BrowserRun::V3Settings(sim.port(), SimFixture::shaUser, SimFixture::shaAuthPassword,
                                                 SimFixture::shaPrivPassword);
    Child child;
    ASSERT_TRUE(Start(child, launcher::BrowserCommandLine("/TBridge_TpPortInfo", settings), run.Dir().file("err.txt")));
    EXPECT_TRUE(LogHas(sim, " v3 sha-user authPriv: 1.3.6.1.2.1.17.4.4.1.2", 15000)) << ReadAll(child.errFile);
}

TEST_F(BrowserProgram, UnknownPageEndsAtOnceWithAMessage)
{
    const auto settings = BrowserRun::V2cSettings(sim.port(), SimFixture::readCommunity, SimFixture::writeCommunity);
    Child child;
    ASSERT_TRUE(Start(child, launcher::BrowserCommandLine("/TRmon_Nowhere", settings), run.Dir().file("err.txt")));
    EXPECT_EQ(child.WaitExit(10000), 2);
    const std::string err = ReadAll(child.errFile);
    EXPECT_NE(err.find("Unknown MIB browser page \"/TRmon_Nowhere\""), std::string::npos) << err;
    EXPECT_NE(err.find("/TRmon_Statistics"), std::string::npos) << "names the pages there are: " << err;
    EXPECT_TRUE(sim.logLines().empty());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

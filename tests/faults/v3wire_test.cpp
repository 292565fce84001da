// SNMPv3 on the wire. A page of the system group is read and written under
// authPriv (SHA with AES, MD5 with DES) while tcpdump captures the loopback
// traffic: no value shown or written, no community and no password appears
// in any datagram (the same page under SNMPv2c, captured the same way, shows
// them all: the capture would see them). Under authNoPriv, where the values
// travel in clear but signed, a relay between program and agent changes a
// value in the agent's answer (the program must not take it) or in the
// program's write (the agent must not carry it out).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/childprocess.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"
#include "tests/support/udprelay.h"

#include "faultexpect.h"

namespace {

// The system group as an editor page.
const VarDef kSystem[] = {
    {"1.3.6.1.2.1.1.1", "Description", synDisplayString, accRO, nullptr},
    {"1.3.6.1.2.1.1.4", "Contact", synDisplayString, accRW, nullptr},
    {"1.3.6.1.2.1.1.5", "Name", synDisplayString, accRW, nullptr},
    {"1.3.6.1.2.1.1.6", "Location", synDisplayString, accRW, nullptr},
    {},
};
const UIEntryDef kSystemLayout[] = {
    {uiEditUnselected, "%s", &kSystem[0]},
    {uiEdit, "%s", &kSystem[1]},
    {uiEdit, "%s", &kSystem[2]},
    {uiEdit, "%s", &kSystem[3]},
    {},
};

const char* const kShown[] = {"Korvan Osprey 24+2", "Network Operations, ext. 4410", "osprey-lab",
                              "Building 2, rack C3"};
const char* const kWritten = "Wire-Check-7Q";

struct Credentials {
    const char* user;
    int32_t level;        // 2 authNoPriv, 3 authPriv
    int32_t authProtocol; // 2 MD5, 3 SHA-1, 7 SHA-512
    const char* authPassword;
    int32_t privProtocol; // 1 none, 2 DES, 4 AES-128, 21 AES-256
    const char* privPassword;
};

const Credentials kSha{SimFixture::shaUser, 3, 3, SimFixture::shaAuthPassword, 4, SimFixture::shaPrivPassword};
const Credentials kMd5{SimFixture::md5User, 3, 2, SimFixture::md5AuthPassword, 2, SimFixture::md5PrivPassword};
const Credentials kSha512{SimFixture::sha512User,         3,  7,
                          SimFixture::sha512AuthPassword, 21, SimFixture::sha512PrivPassword};
const Credentials kAuthOnly{SimFixture::authUser, 2, 3, SimFixture::authPassword, 1, ""};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// tcpdump on the loopback interface, for the datagrams to and from one UDP
// port, written to a pcap file.
class Capture {
public:
    explicit Capture(std::string directory) : dir_(std::move(directory)) {}
    ~Capture() { Stop(); }

    static std::string Program()
    {
        std::vector<std::string> places;
        const char* path = std::getenv("PATH");
        std::stringstream dirs(path ? path : "");
        for (std::string d; std::getline(dirs, d, ':');)
            places.push_back(d);
        places.insert(places.end(), {"/usr/sbin", "/usr/bin", "/sbin"});
        for (const std::string& d : places)
            if (!d.empty() && ::access((d + "/tcpdump").c_str(), X_OK) == 0)
                return d + "/tcpdump";
        return {};
    }

    // False with the reason when capturing is not possible here.
    bool Start(unsigned short port, std::string& why)
    {
        const std::string program = Program();
        if (program.empty()) {
            why = "tcpdump is not installed (scripts/install-deps.sh installs it)";
            return false;
        }
        std::vector<std::string> args = {program,
                                         "-i",
                                         "lo",
                                         "--immediate-mode",
                                         "-U",
                                         "-n",
                                         "-s",
                                         "0",
                                         "-w",
                                         File(),
                                         "udp port " + std::to_string(port)};
        if (!process_.start(args, {.err = ChildProcess::Output::file(ErrFile())})) {
            why = "tcpdump cannot be started";
            return false;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!process_.running()) {
                why = "capturing on the loopback interface is not permitted here: " + ReadFile(ErrFile());
                return false;
            }
            if (ReadFile(ErrFile()).find("listening on") != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Stop();
        why = "tcpdump did not start listening: " + ReadFile(ErrFile());
        return false;
    }

    // SIGINT: tcpdump writes out what it holds and ends.
    void Stop()
    {
        process_.signal(SIGINT);
        process_.wait(10000);
    }

    // The captured packets (link-layer frames) of the pcap file.
    std::vector<std::string> Packets() const
    {
        std::vector<std::string> packets;
        const std::string file = ReadFile(File());
        if (file.size() < 24)
            return packets;
        size_t at = 24;
        while (at + 16 <= file.size()) {
            uint32_t length = 0;
            std::memcpy(&length, file.data() + at + 8, 4); // captured length, host order
            at += 16;
            if (at + length > file.size())
                break;
            packets.push_back(file.substr(at, length));
            at += length;
        }
        return packets;
    }

    // Packets that hold `text`.
    int Holding(const std::string& text) const
    {
        int n = 0;
        for (const std::string& p : Packets())
            n += p.find(text) != std::string::npos ? 1 : 0;
        return n;
    }

private:
    std::string File() const { return dir_ + "/capture.pcap"; }
    std::string ErrFile() const { return dir_ + "/tcpdump.txt"; }

    std::string dir_;
    ChildProcess process_;
};

// Replaces every occurrence of `from` by `to` (of the same length) and
// counts the datagrams it changed.
UdpRelay::Tamper Replace(const std::string& from, const std::string& to, int* changed)
{
    return [from, to, changed](std::vector<uint8_t>& datagram) {
        bool any = false;
        auto at = datagram.begin();
        while ((at = std::search(at, datagram.end(), from.begin(), from.end())) != datagram.end()) {
            at = std::copy(to.begin(), to.end(), at);
            any = true;
        }
        *changed += any ? 1 : 0;
    };
}

class SnmpV3Wire : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvv3wire", "/"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        KvResetMessageSets();
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        KvSNMPDevice.address = "127.0.0.1";
        KvSNMPDevice.port = sim.port();
    }

    void TearDown() override
    {
        if (form) {
            form->close();
            form.reset();
        }
        // Later suites start from the engine's defaults.
        KvSNMPSecurity.version = 0;
        KvSNMPSecurity.securityLevel = 1;
    }

    static void UseV3(const Credentials& c)
    {
        KvSNMPSecurity.version = 3;
        KvSNMPSecurity.securityModel = 3;
        KvSNMPSecurity.securityLevel = c.level;
        KvSNMPSecurity.securityName = c.user;
        KvSNMPSecurity.authProtocol = c.authProtocol;
        KvSNMPSecurity.authPassword = c.authPassword;
        KvSNMPSecurity.privProtocol = c.privProtocol;
        KvSNMPSecurity.privPassword = c.privPassword;
    }

    static void UseV2c()
    {
        KvSNMPSecurity.version = 1;
        KvSNMPSecurity.readCommunity = SimFixture::readCommunity;
        KvSNMPSecurity.writeCommunity = SimFixture::writeCommunity;
    }

    bool Idle() const
    {
        TSNMPLayoutAdapter* a = form->Adapter();
        return a->getComplete && a->setComplete && !form->MainBinding()->busy;
    }

    void Open()
    {
        form = std::make_unique<TConfigForm>(nullptr, "System", KvSNMPDevice.address);
        auto binding = std::make_unique<KvSNMPRequest2Edits>(form.get());
        binding->Variables() = KvSNMPVarList(kSystem, kvListScalars, 0);
        form->SetEditorPage(std::move(binding), kSystemLayout);
        form->show();
        ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    }

    // Writes `text` into the system name; waits for the write and the read
    // after it.
    void WriteName(const std::string& text)
    {
        TCtrlBtnPanel* bar = form->PagePanel()->BtnPanel;
        bar->ClearChecksBtn->click();
        form->Entries()[2].checkBox->setChecked(true);
        Edit(2)->setText(QString::fromStdString(text));
        bar->SetCheckBtn->click();
        ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    }

    QLineEdit* Edit(int entry) { return qobject_cast<QLineEdit*>(form->Entries()[entry].editor); }
    std::string Memo() const { return form->PagePanel()->MsgPanel->Memo->toPlainText().toStdString(); }
    std::string LastLine(const std::string& prefix) const
    {
        std::istringstream in(Memo());
        std::string last;
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0)
                last = line;
        return last;
    }

    // Reads and writes the page with the capture running.
    void ReadAndWriteCaptured(Capture& capture)
    {
        std::string why;
        if (!capture.Start(sim.port(), why))
            GTEST_SKIP() << why;
        Open();
        EXPECT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
        EXPECT_EQ(Edit(2)->text(), "osprey-lab");
        EXPECT_EQ(Edit(3)->text(), "Building 2, rack C3");
        WriteName(kWritten);
        EXPECT_TRUE(StatusSays(LastLine("Set: "), "Set", Outcome::Ok)) << Memo();
        EXPECT_EQ(Edit(2)->text(), kWritten) << "read back after the write";
        kvtest::Settle(100);
        capture.Stop();
    }

    std::string Sets() const
    {
        std::string sets;
        for (const std::string& line : sim.logLines())
            if (line.rfind("SET ", 0) == 0)
                sets += line + "\n";
        return sets;
    }

    void ExpectNothingInClear(const Capture& capture, const Credentials& c)
    {
        // Discovery, the read, the write and the read after it, each way.
        ASSERT_GE(capture.Packets().size(), 8u);
        std::cout << "[ measured ] " << c.user << ": " << capture.Packets().size() << " datagrams captured\n";
        for (const char* value : kShown)
            EXPECT_EQ(capture.Holding(value), 0) << "\"" << value << "\" in clear";
        EXPECT_EQ(capture.Holding(kWritten), 0) << "the written value in clear";
        for (const std::string& secret :
             {std::string(c.authPassword), std::string(c.privPassword), std::string(SimFixture::readCommunity),
              std::string(SimFixture::writeCommunity)})
            EXPECT_EQ(capture.Holding(secret), 0) << "\"" << secret << "\" in clear";
        // The write went through, under that user and level.
        EXPECT_NE(Sets().find(std::string("SET v3 ") + c.user + " authPriv: 1.3.6.1.2.1.1.5.0 STRING \"" + kWritten),
                  std::string::npos)
            << Sets();
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;
    KvMessageBox::Answerer answerer;
    SimFixture sim;
    std::unique_ptr<TConfigForm> form;
};

// --- authPriv: nothing in clear -----------------------------------------------------------

TEST_F(SnmpV3Wire, Snmpv2cShowsValuesAndCommunitiesInClear)
{
    // The control: the capture sees what travels in clear.
    UseV2c();
    Capture capture(sim.directory());
    ReadAndWriteCaptured(capture);
    if (IsSkipped())
        return;
    EXPECT_GT(capture.Holding("osprey-lab"), 0);
    EXPECT_GT(capture.Holding("Building 2, rack C3"), 0);
    EXPECT_GT(capture.Holding(kWritten), 0);
    EXPECT_GT(capture.Holding(SimFixture::readCommunity), 0);
    EXPECT_GT(capture.Holding(SimFixture::writeCommunity), 0);
}

TEST_F(SnmpV3Wire, AuthPrivWithShaAndAesShowsNothingInClear)
{
    UseV3(kSha);
    Capture capture(sim.directory());
    ReadAndWriteCaptured(capture);
    if (IsSkipped())
        return;
    ExpectNothingInClear(capture, kSha);
}

TEST_F(SnmpV3Wire, AuthPrivWithMd5AndDesShowsNothingInClear)
{
    UseV3(kMd5);
    Capture capture(sim.directory());
    ReadAndWriteCaptured(capture);
    if (IsSkipped())
        return;
    ExpectNothingInClear(capture, kMd5);
}

TEST_F(SnmpV3Wire, AuthPrivWithSha512AndAes256ShowsNothingInClear)
{
    UseV3(kSha512);
    Capture capture(sim.directory());
    ReadAndWriteCaptured(capture);
    if (IsSkipped())
        return;
    ExpectNothingInClear(capture, kSha512);
}

// --- a switch whose engine changes under an open window ----------------------------------------

TEST_F(SnmpV3Wire, ASwitchRestartedAsAnotherEngineIsDiscoveredAgain)
{
    UseV3(kSha512);
    Open();
    ASSERT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    // The same address and port, another engine ID (the simulator's carries
    // its process id), boots and time from the start.
    sim.stop();
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    TCtrlBtnPanel* bar = form->PagePanel()->BtnPanel;
    bar->RefreshBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    const std::string failed = LastLine("Get: ");
    EXPECT_NE(failed.find("(SNMPv3USM) Unknown EngineID!"), std::string::npos) << Memo();
    bar->RefreshBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    EXPECT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    EXPECT_EQ(Edit(2)->text(), "osprey-lab");
    WriteName(kWritten);
    EXPECT_TRUE(StatusSays(LastLine("Set: "), "Set", Outcome::Ok)) << Memo();
    EXPECT_NE(Sets().find(std::string("SET v3 ") + kSha512.user + " authPriv: 1.3.6.1.2.1.1.5.0 STRING \"" + kWritten),
              std::string::npos)
        << Sets();
}

TEST_F(SnmpV3Wire, ASwitchResetWithItsBootsGoneBackIsDiscoveredAgain)
{
    // The same engine ID across restarts (kept state); the second start
    // counts boot 2.
    SimFixture stateful({.keepState = true});
    std::string error;
    ASSERT_TRUE(stateful.start(&error)) << error;
    stateful.stop();
    ASSERT_TRUE(stateful.start(&error)) << error;
    KvSNMPDevice.port = stateful.port();
    UseV3(kSha512);
    Open();
    ASSERT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    // A reset: the agent's own state goes, its boots start from 1 again.
    stateful.stop();
    std::filesystem::remove_all(stateful.statePath() + ".netsnmp");
    ASSERT_TRUE(stateful.start(&error)) << error;
    TCtrlBtnPanel* bar = form->PagePanel()->BtnPanel;
    bar->RefreshBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    EXPECT_NE(LastLine("Get: ").find("(SNMPv3USM) Message not in TimeWindow!"), std::string::npos) << Memo();
    bar->RefreshBtn->click();
    ASSERT_TRUE(kvtest::WaitFor([this] { return Idle(); }, 20000));
    EXPECT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    EXPECT_EQ(Edit(2)->text(), "osprey-lab");
}

// --- authNoPriv: a changed message is not taken ---------------------------------------------

TEST_F(SnmpV3Wire, AuthNoPrivAnswerChangedOnTheWayIsNotTaken)
{
    UseV3(kAuthOnly);
    int changed = 0;
    UdpRelay relay(sim.port(), {.tamperAnswer = Replace("osprey-lab", "osprey-lax", &changed)});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPDevice.port = relay.port();
    Open();
    ASSERT_GT(changed, 0) << "the answer carried the name in clear, and it was changed";
    // The changed answer fails its digest: the program drops it as if it
    // never came, and the read times out.
    EXPECT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Timeout)) << Memo();
    for (int entry = 0; entry < 4; ++entry)
        EXPECT_FALSE(Edit(entry)->text().contains("osprey-la")) << Edit(entry)->text().toStdString();
}

TEST_F(SnmpV3Wire, AuthNoPrivAnswerPassedOnUnchangedIsTaken)
{
    UseV3(kAuthOnly);
    UdpRelay relay(sim.port(), {});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPDevice.port = relay.port();
    Open();
    EXPECT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    EXPECT_EQ(Edit(2)->text(), "osprey-lab");
    WriteName(kWritten);
    EXPECT_TRUE(StatusSays(LastLine("Set: "), "Set", Outcome::Ok)) << Memo();
    EXPECT_NE(Sets().find(std::string("SET v3 auth-user authNoPriv: 1.3.6.1.2.1.1.5.0 STRING \"") + kWritten),
              std::string::npos)
        << Sets();
}

TEST_F(SnmpV3Wire, AuthNoPrivWriteChangedOnTheWayIsNotCarriedOut)
{
    UseV3(kAuthOnly);
    int changed = 0;
    UdpRelay relay(sim.port(), {.tamperRequest = Replace(kWritten, "Wire-Chock-7Q", &changed)});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPDevice.port = relay.port();
    Open();
    ASSERT_TRUE(StatusSays(LastLine("Get: "), "Get", Outcome::Ok)) << Memo();
    sim.clearLog();
    WriteName(kWritten);
    ASSERT_GT(changed, 0) << "the write carried the value in clear, and it was changed";
    // The agent finds the digest wrong: it carries nothing out (its request
    // log says so), and the program reports the failure.
    const std::string sets = Sets();
    EXPECT_NE(sets.find("SET v3 auth-user authNoPriv (authentication failed): "), std::string::npos) << sets;
    EXPECT_EQ(sets.find("authNoPriv: "), std::string::npos) << sets;
    const std::string set = LastLine("Set: ");
    // Its report (usmStatsWrongDigests) reaches the status line.
    EXPECT_EQ(set.rfind("Set: " + KvErrorText(-308) + ". Receive at ", 0), 0u) << Memo();
    EXPECT_EQ(Edit(2)->text(), kWritten) << "what was typed stays after the failed write";
    // The switch still has its name.
    relay.stop();
    KvSNMPDevice.port = sim.port();
    form->close();
    form.reset();
    Open();
    EXPECT_EQ(Edit(2)->text(), "osprey-lab");
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

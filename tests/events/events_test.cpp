// The switch's notifications: the receiver against Net-SNMP's own senders
// (snmptrap, snmpinform), a flood, and the main window against the simulator
// sending to it. The View menu's other window against the simulator: the
// change journal of a page's write, its undo and a refused undo.

#include "osprey_config.h"
#include "journal/kvjournal.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"
#include "platform/kvmessagebox.h"
#include "shell/changes/tchangesform.h"
#include "shell/events/kveventcentre.h"
#include "shell/events/kveventreceiver.h"
#include "shell/events/kveventtext.h"
#include "shell/events/teventsform.h"
#include "shell/mainmenu.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/tmainform.h"
#include "shell/viewmenu.h"
#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "binding/kvsnmprequest2leds.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/childprocess.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

#include "menutestwindow.h"
#include "pagevisit.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QHeaderView>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using kvtest::WaitFor;

const std::string linkDownOid = "1.3.6.1.6.3.1.1.5.3";
const std::string linkUpOid = "1.3.6.1.6.3.1.1.5.4";
const std::string ifIndex = "1.3.6.1.2.1.2.2.1.1.";
const std::string engineIdOfSender = "0x80001f8880aabbccddeeff";

// Runs a Net-SNMP tool while the event loop turns (the receiver answers
// informs from it); its exit status, -1 when it did not end.
int RunTool(const std::string& dir, const std::vector<std::string>& args)
{
    ChildProcess tool;
    if (!tool.start(args,
                    {.environment = {"SNMPCONFPATH=" + dir, "SNMP_PERSISTENT_DIR=" + dir, "MIBDIRS=" + dir, "MIBS="},
                     .err = ChildProcess::Output::file(dir + "/tool.err")}))
        return -1;
    WaitFor([&] { return !tool.running(); }, 30000);
    return tool.wait(0);
}

int PortOf(const QString& bound)
{
    return bound.section(QLatin1Char(':'), -1).toInt();
}

// A free loopback UDP port (for the simulator to send to before the
// program listens there).
int FreeUdpPort()
{
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(s);
    return ntohs(a.sin_port);
}

void SendDatagram(int port, const std::vector<uint8_t>& bytes)
{
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(s);
}

// BER of an SNMPv2c linkDown trap for interface `port` (all lengths below 128).
std::vector<uint8_t> V2cLinkDown(uint32_t requestId, uint8_t port)
{
    auto tlv = [](uint8_t tag, std::vector<uint8_t> content) {
        content.insert(content.begin(), {tag, static_cast<uint8_t>(content.size())});
        return content;
    };
    auto cat = [](std::initializer_list<std::vector<uint8_t>> parts) {
        std::vector<uint8_t> out;
        for (const auto& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    const std::vector<uint8_t> upTimeOid{0x2B, 6, 1, 2, 1, 1, 3, 0};
    const std::vector<uint8_t> trapOidOid{0x2B, 6, 1, 6, 3, 1, 1, 4, 1, 0};
    const std::vector<uint8_t> linkDown{0x2B, 6, 1, 6, 3, 1, 1, 5, 3};
    const std::vector<uint8_t> ifIndexOid{0x2B, 6, 1, 2, 1, 2, 2, 1, 1, port};
    const std::vector<uint8_t> id{static_cast<uint8_t>(requestId >> 24 & 0x7F), static_cast<uint8_t>(requestId >> 16),
                                  static_cast<uint8_t>(requestId >> 8), static_cast<uint8_t>(requestId)};
    auto bindings = tlv(0x30, cat({tlv(0x30, cat({tlv(0x06, upTimeOid), tlv(0x43, {0x10})})),
                                   tlv(0x30, cat({tlv(0x06, trapOidOid), tlv(0x06, linkDown)})),
                                   tlv(0x30, cat({tlv(0x06, ifIndexOid), tlv(0x02, {port})}))}));
    auto pdu = tlv(0xA7, cat({tlv(0x02, id), tlv(0x02, {0}), tlv(0x02, {0}), bindings}));
    return tlv(0x30, cat({tlv(0x02, {1}), tlv(0x04, {'p', 'u', 'b', 'l', 'i', 'c'}), pdu}));
}

class Receiver : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine = std::make_unique<TestSnmpEngine>("kvevents"); }
    static void TearDownTestSuite() { engine.reset(); }

    void SetUp() override
    {
        receiver.received = [this](std::vector<SnmpNotification>& batch) {
            for (SnmpNotification& n : batch)
                events.push_back(kveventtext::Describe(n, QDateTime::currentDateTime()));
        };
        const SnmpEngine::UsmUser user{kvAuthSha, kvPrivAes128, SimFixture::shaAuthPassword,
                                       SimFixture::shaPrivPassword};
        ASSERT_TRUE(receiver.Start("udp:127.0.0.1:0", "127.0.0.1", SimFixture::shaUser, user, kvSecurityLevelAuthPriv))
            << receiver.Error().toStdString();
        target = "127.0.0.1:" + std::to_string(PortOf(receiver.BoundAddress()));
    }

    // snmptrap / snmpinform SNMPv3 arguments for `user` with `authPassword`.
    std::vector<std::string> V3(const char* tool, const char* user, const char* authPassword,
                                const char* level = "authPriv")
    {
        std::vector<std::string> a{tool, "-v", "3", "-u", user, "-l", level};
        if (std::string(level) != "noAuthNoPriv")
            a.insert(a.end(), {"-a", "SHA", "-A", authPassword});
        if (std::string(level) == "authPriv")
            a.insert(a.end(), {"-x", "AES", "-X", SimFixture::shaPrivPassword});
        return a;
    }

    std::vector<std::string> With(std::vector<std::string> a, std::initializer_list<std::string> more)
    {
        a.insert(a.end(), more);
        return a;
    }

    static std::unique_ptr<TestSnmpEngine> engine;
    TempDir dir;
    KvEventReceiver receiver;
    std::vector<KvEvent> events;
    std::string target;
};
std::unique_ptr<TestSnmpEngine> Receiver::engine;

} // namespace

TEST_F(Receiver, TrapsOfEveryVersionAreShownAndInformsAcknowledged)
{
    const std::string d = dir.path();
    // SNMPv1: a generic linkDown, the interface in its variables.
    ASSERT_EQ(RunTool(d, {"snmptrap", "-v", "1", "-c", "public", target, "1.3.6.1.4.1.8072", "127.0.0.1", "2", "0", "",
                          ifIndex + "7", "i", "7"}),
              0);
    ASSERT_TRUE(WaitFor([&] { return events.size() == 1; }, 5000));
    EXPECT_EQ(events[0].type, "linkDown");
    EXPECT_EQ(events[0].trapOid.toStdString(), linkDownOid);
    EXPECT_EQ(events[0].port, 7);
    EXPECT_EQ(events[0].how, "v1 trap");
    EXPECT_EQ(events[0].variables, "ifIndex.7 = 7");

    // SNMPv2c: linkUp with the interface's status.
    ASSERT_EQ(RunTool(d, {"snmptrap", "-v", "2c", "-c", "public", target, "", linkUpOid, ifIndex + "5", "i", "5",
                          "1.3.6.1.2.1.2.2.1.8.5", "i", "1"}),
              0);
    ASSERT_TRUE(WaitFor([&] { return events.size() == 2; }, 5000));
    EXPECT_EQ(events[1].type, "linkUp");
    EXPECT_EQ(events[1].port, 5);
    EXPECT_EQ(events[1].variables, "ifIndex.5 = 5; ifOperStatus.5 = up(1)");
    EXPECT_EQ(kveventtext::ShortLine(events[1]),
              "linkUp: port 5, " + events[1].time.toString(QStringLiteral("HH:mm:ss")));

    // SNMPv3 under the session's user, from an engine of the sender's own.
    ASSERT_EQ(RunTool(d, With(V3("snmptrap", SimFixture::shaUser, SimFixture::shaAuthPassword),
                              {"-e", engineIdOfSender, target, "", "1.3.6.1.6.3.1.1.5.1"})),
              0);
    ASSERT_TRUE(WaitFor([&] { return events.size() == 3; }, 5000))
        << receiver.Stats().authFailures << " failed authentication, " << receiver.Stats().malformed << " malformed";
    EXPECT_EQ(events[2].type, "coldStart");
    EXPECT_EQ(events[2].port, 0);
    EXPECT_EQ(events[2].how, "v3 trap");

    // Informs: the sender hears the acknowledgement (exit status 0); SNMPv3
    // discovers this program's engine first.
    ASSERT_EQ(RunTool(d, {"snmpinform", "-v", "2c", "-c", "public", "-t", "3", "-r", "1", target, "", linkDownOid,
                          ifIndex + "3", "i", "3"}),
              0);
    ASSERT_EQ(RunTool(d, With(V3("snmpinform", SimFixture::shaUser, SimFixture::shaAuthPassword),
                              {"-t", "3", "-r", "1", target, "", linkUpOid, ifIndex + "26", "i", "26"})),
              0)
        << std::ifstream(d + "/tool.err").rdbuf();
    ASSERT_TRUE(WaitFor([&] { return events.size() == 5; }, 5000));
    EXPECT_EQ(events[3].how, "v2c inform");
    EXPECT_EQ(events[3].port, 3);
    EXPECT_EQ(events[4].how, "v3 inform");
    EXPECT_EQ(events[4].port, 26);
    EXPECT_EQ(receiver.Stats().informsAcknowledged, 2u);
    EXPECT_EQ(receiver.Stats().accepted, 5u);
    EXPECT_EQ(receiver.Stats().authFailures + receiver.Stats().malformed + receiver.Stats().otherSource, 0u);
}

TEST_F(Receiver, WhatFailsAuthenticationComesFromElsewhereOrDoesNotParseIsCountedNotShown)
{
    const std::string d = dir.path();
    const auto& stats = receiver.Stats();
    // A wrong key, another user, and the session's user without the
    // session's authentication and privacy.
    RunTool(d, With(V3("snmptrap", SimFixture::shaUser, "not-the-auth-pass"),
                    {"-e", engineIdOfSender, target, "", linkDownOid}));
    ASSERT_TRUE(WaitFor([&] { return stats.authFailures == 1; }, 5000)) << stats.malformed;
    RunTool(d, With(V3("snmptrap", SimFixture::authUser, SimFixture::authPassword, "authNoPriv"),
                    {"-e", engineIdOfSender, target, "", linkDownOid}));
    ASSERT_TRUE(WaitFor([&] { return stats.authFailures == 2; }, 5000));
    RunTool(d, With(V3("snmptrap", SimFixture::shaUser, "", "noAuthNoPriv"),
                    {"-e", engineIdOfSender, target, "", linkDownOid}));
    ASSERT_TRUE(WaitFor([&] { return stats.authFailures == 3; }, 5000));

    // Bytes that are no SNMP message, and a message cut short.
    SendDatagram(PortOf(receiver.BoundAddress()), {'h', 'e', 'l', 'l', 'o'});
    std::vector<uint8_t> cut = V2cLinkDown(1, 4);
    cut.resize(cut.size() - 5);
    SendDatagram(PortOf(receiver.BoundAddress()), cut);
    ASSERT_TRUE(WaitFor([&] { return stats.malformed == 2; }, 5000));

    // Another switch's trap and inform (the inform is not acknowledged).
    ASSERT_TRUE(receiver.Start("udp:127.0.0.1:0", "127.0.0.2", SimFixture::shaUser, {}, kvSecurityLevelAuthPriv));
    target = "127.0.0.1:" + std::to_string(PortOf(receiver.BoundAddress()));
    RunTool(d, {"snmptrap", "-v", "2c", "-c", "public", target, "", linkDownOid});
    ASSERT_TRUE(WaitFor([&] { return receiver.Stats().otherSource == 1; }, 5000));
    EXPECT_NE(RunTool(d, {"snmpinform", "-v", "2c", "-c", "public", "-t", "1", "-r", "0", target, "", linkDownOid}), 0);
    EXPECT_EQ(receiver.Stats().otherSource, 2u);
    EXPECT_EQ(receiver.Stats().informsAcknowledged, 0u);
    EXPECT_TRUE(events.empty());

    // A forwarder on this host passing on that switch's notifications: an
    // SNMPv1 trap keeps the agent's address, an SNMPv2c one carries it in
    // snmpTrapAddress.0.
    RunTool(d, {"snmptrap", "-v", "1", "-c", "public", target, "1.3.6.1.4.1.8072", "127.0.0.2", "3", "0", "",
                ifIndex + "2", "i", "2"});
    RunTool(
        d, {"snmptrap", "-v", "2c", "-c", "public", target, "", linkDownOid, "1.3.6.1.6.3.18.1.3.0", "a", "127.0.0.2"});
    ASSERT_TRUE(WaitFor([&] { return events.size() == 2; }, 5000));
    EXPECT_EQ(events[0].type, "linkUp");
    EXPECT_EQ(events[0].port, 2);
    EXPECT_EQ(events[1].variables, "snmpTrapAddress.0 = 127.0.0.2");
    EXPECT_EQ(receiver.Stats().otherSource, 2u);
}

TEST_F(Receiver, AFloodOfAThousandTrapsInASecondIsKeptWholeAndTheWindowKeepsTurning)
{
    setenv(KvEventReceiver::kListenVariable, "udp:127.0.0.1:0", 1);
    KvSNMPDevice.address = "127.0.0.1";
    QMainWindow window;
    KvEventCentre centre(&window, window.statusBar(), nullptr);
    centre.Start();
    unsetenv(KvEventReceiver::kListenVariable);
    ASSERT_TRUE(centre.Receiver()->IsListening()) << centre.Receiver()->Error().toStdString();
    window.show();
    centre.ShowEventsWindow();
    const int port = PortOf(centre.Receiver()->BoundAddress());

    // The longest time the event loop did not turn while the flood came.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer beat;
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    constexpr int count = 1000;
    std::atomic<bool> sent{false};
    clock.start();
    beat.start();
    std::thread sender([&] {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i) {
            SendDatagram(port, V2cLinkDown(static_cast<uint32_t>(i + 1), static_cast<uint8_t>(i % 26 + 1)));
            std::this_thread::sleep_until(start + std::chrono::microseconds(1000 * (i + 1)));
        }
        sent = true;
    });
    const bool all = WaitFor([&] { return sent && centre.Log().Added() == count; }, 30000);
    sender.join();
    beat.stop();
    std::printf("[ flood    ] %d traps in %lld ms; longest event-loop gap %lld ms\n", count,
                static_cast<long long>(clock.elapsed()), static_cast<long long>(longest));
    ASSERT_TRUE(all) << centre.Log().Added() << " of " << count << "; " << centre.StatusText().toStdString();
    EXPECT_EQ(centre.Receiver()->OverRate(), 0u);
    TEventsForm* form = centre.EventsWindow();
    ASSERT_NE(form, nullptr);
    form->Flush();
    ASSERT_EQ(form->List()->topLevelItemCount(), count);
    EXPECT_EQ(form->List()->topLevelItem(count - 1)->text(3), "ifIndex.12 = 12");
    EXPECT_EQ(centre.EventLine()->text().section(QLatin1Char(','), 0, 0), "linkDown: port 12");
    // What the list shows is what the copy gives.
    form->List()->selectAll();
    const QString copied = KvListViewActions::Of(form->List())->SelectedRowsText();
    EXPECT_TRUE(copied.startsWith("Time\tType\tPort\tVariables\tReceived as")) << copied.left(80).toStdString();
    EXPECT_EQ(copied.count(QStringLiteral("\tlinkDown\t")), count);
}

TEST(EventLog, KeepsTheNewestUpToItsBoundAndCountsWhatWent)
{
    KvEventLog log(3);
    for (int i = 1; i <= 5; ++i) {
        KvEvent e;
        e.port = i;
        log.Add(e);
    }
    ASSERT_EQ(log.Events().size(), 3u);
    EXPECT_EQ(log.Events().front().port, 3);
    EXPECT_EQ(log.Events().back().port, 5);
    EXPECT_EQ(log.Added(), 5u);
    EXPECT_EQ(log.Discarded(), 2u);
}

namespace {

// The main window against the simulator, which sends its notifications to
// the program.
class PanelEvents : public ::testing::Test {
protected:
    ~PanelEvents() override
    {
        window.reset();
        unsetenv(KvEventReceiver::kListenVariable);
    }

    void Start()
    {
        const std::string listen = "udp:127.0.0.1:" + std::to_string(FreeUdpPort());
        setenv(KvEventReceiver::kListenVariable, listen.c_str(), 1);
        sim.setExtraArgs({"--trap-to", listen});
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        window = std::make_unique<MenuTestWindow>(sim.port());
        form = &window->Form();
        form->show();
        ASSERT_TRUE(WaitFor([&] { return form->StatusPanel0->text().startsWith("Get: (VoDADI++) Ok!"); }, 8000))
            << form->StatusPanel0->text().toStdString();
        ASSERT_TRUE(form->Events->Receiver()->IsListening()) << form->Events->Receiver()->Error().toStdString();
    }

    int LedReads() const
    {
        int n = 0;
        for (const std::string& line : sim.logLines())
            n += line.find(std::string(OSPREY_ENT_OID) + ".11.36.2.5.1.5.0") != std::string::npos ? 1 : 0;
        return n;
    }

    int SetAdminStatus(int port, int status)
    {
        return RunTool(window->Dir().path(),
                       {"snmpset", "-v", "2c", "-c", "lantern", "-t", "3", sim.peer(),
                        "1.3.6.1.2.1.2.2.1.7." + std::to_string(port), "i", std::to_string(status)});
    }

    // With OSPREY_EVENTS_SHOT_DIR set, the window as it is now, as a PNG.
    static void Shot(QWidget* window, const char* name)
    {
        const char* shots = std::getenv("OSPREY_EVENTS_SHOT_DIR");
        if (shots && *shots)
            window->grab().save(QString::fromLocal8Bit(shots) + QLatin1Char('/') + QLatin1String(name));
    }

    SimFixture sim;
    std::unique_ptr<MenuTestWindow> window;
    TMainForm* form = nullptr;
};

} // namespace

TEST_F(PanelEvents, APortSetDownOnTheSwitchIsShownMarkedAndReadAgainAtOnce)
{
    Start();
    TFrontPanel& panel = *form->FrontPanel;
    // Only an event can read the panel now: the poll waits an hour.
    panel.LedRequest->RefreshTimer().setInterval(3600 * 1000);
    ASSERT_TRUE(WaitFor([&] { return !panel.LedRequest->busy; }, 8000));
    const int reads = LedReads();

    ASSERT_EQ(SetAdminStatus(5, 2), 0);
    ASSERT_TRUE(WaitFor([&] { return form->Events->EventLine()->text().startsWith("linkDown: port 5, "); }, 8000))
        << form->Events->EventLine()->text().toStdString();
    EXPECT_TRUE(panel.IsMarked(5));
    EXPECT_FALSE(panel.IsMarked(6));
    EXPECT_TRUE(panel.SpeedButton(5)->accessibleDescription().contains("; linkDown at "))
        << panel.SpeedButton(5)->accessibleDescription().toStdString();
    ASSERT_TRUE(WaitFor([&] { return LedReads() > reads; }, 8000)) << "the panel was not read again";
    // The simulator's port LED is off (white) now, and the description still
    // says why.
    ASSERT_TRUE(
        WaitFor([&] { return panel.SpeedButton(5)->accessibleDescription().startsWith("LED white; linkDown"); }, 8000))
        << panel.SpeedButton(5)->accessibleDescription().toStdString();
    Shot(form, "events-main-window.png");

    // A wrong community: the switch says so.
    RunTool(window->Dir().path(),
            {"snmpget", "-v", "2c", "-c", "not-a-community", "-t", "1", "-r", "0", sim.peer(), "1.3.6.1.2.1.1.5.0"});
    ASSERT_TRUE(WaitFor([&] { return form->Events->EventLine()->text().startsWith("authenticationFailure, "); }, 8000))
        << form->Events->EventLine()->text().toStdString();
    // The longest short line is shown whole: the LED status line gives way.
    QApplication::processEvents();
    QLabel* line = form->Events->EventLine();
    EXPECT_GE(line->width(), line->sizeHint().width());
    EXPECT_LE(line->mapTo(form, QPoint(line->width(), 0)).x(), form->width())
        << line->geometry().x() << "+" << line->width() << " in a bar of " << line->parentWidget()->width()
        << ", window " << form->width();
    Shot(form, "events-main-window-long-line.png");

    ASSERT_EQ(SetAdminStatus(5, 1), 0);
    ASSERT_TRUE(WaitFor([&] { return form->Events->EventLine()->text().startsWith("linkUp: port 5, "); }, 8000));

    // View > "Events...".
    QAction* item = form->View->Menu()->actions().value(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Events...");
    item->trigger();
    TEventsForm* events = form->Events->EventsWindow();
    ASSERT_NE(events, nullptr);
    ASSERT_TRUE(events->isVisible());
    QTreeWidget* list = events->List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "linkDown");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "5");
    EXPECT_TRUE(
        list->topLevelItem(0)->text(3).startsWith("ifIndex.5 = 5; ifAdminStatus.5 = down(2); ifOperStatus.5 = down(2)"))
        << list->topLevelItem(0)->text(3).toStdString();
    EXPECT_EQ(list->topLevelItem(0)->text(4), "v2c trap");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "authenticationFailure");
    EXPECT_EQ(list->topLevelItem(2)->text(1), "linkUp");
    EXPECT_TRUE(events->StatusLine()->text().contains("Received 3;")) << events->StatusLine()->text().toStdString();
    Shot(events, "events-window.png");
}

namespace {

const std::string kAgingTime = "1.3.6.1.2.1.17.4.2.0";

std::vector<std::string> SetsOf(const SimFixture& sim)
{
    std::vector<std::string> sets;
    for (const std::string& line : sim.logLines())
        if (line.rfind("SET ", 0) == 0)
            sets.push_back(line);
    return sets;
}

QStringList Row(const QTreeWidget* list, int row)
{
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c)
        cells << list->topLevelItem(row)->text(c);
    return cells;
}

} // namespace

// A page's write is journaled with what it overwrote; View > "Changes..."
// lists it, undoes it after showing what will be written, and refuses the
// undo of a value that has been changed since from outside, writing nothing.
TEST_F(PanelEvents, ChangesWindowListsAPageWriteAndUndoesItUnlessChangedSince)
{
    TempDir journalDir;
    KvJournal journal(journalDir.file("journal"));
    const KvJournalInstallation installed(&journal);
    Start();

    // Bridge "Information": Aging Time 300 -> 400.
    ASSERT_TRUE(pagevisit::VisitPage(
        [&] { MainMenu::Of(form)->Click("Information1"); },
        [&](TConfigForm& page) {
            auto* aging = qobject_cast<QLineEdit*>(page.Entries()[4].editor);
            ASSERT_NE(aging, nullptr);
            ASSERT_EQ(aging->text(), "300");
            for (int k = 0; k < CountEntries(page.Entries()); ++k)
                if (page.Entries()[k].checkBox)
                    page.Entries()[k].checkBox->setChecked(k == 4);
            aging->setText("400");
            page.PagePanel()->BtnPanel->SetCheckBtn->click();
            ASSERT_TRUE(WaitFor([&] { return page.Adapter()->setComplete && !page.MainBinding()->busy; }, 10000));
        }));
    ASSERT_EQ(SetsOf(sim).size(), 1u);
    EXPECT_NE(SetsOf(sim)[0].find(kAgingTime + " INTEGER 400"), std::string::npos) << SetsOf(sim)[0];

    QAction* item = form->View->Menu()->actions().value(2);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Changes...");
    item->trigger();
    auto* changes = form->findChild<TChangesForm*>();
    ASSERT_NE(changes, nullptr);
    ASSERT_TRUE(changes->isVisible());
    EXPECT_EQ(changes->windowTitle().toStdString(), "Changes : 127.0.0.1");
    QTreeWidget* list = changes->List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    const QString written = list->topLevelItem(0)->text(TChangesForm::ColumnId);
    QStringList row = Row(list, 0);
    EXPECT_FALSE(row[TChangesForm::ColumnPage].isEmpty());
    EXPECT_EQ(row[TChangesForm::ColumnKind], "Set");
    EXPECT_EQ(row[TChangesForm::ColumnVariables], "Aging Time[10-765]");
    EXPECT_EQ(row[TChangesForm::ColumnBefore], "300");
    EXPECT_EQ(row[TChangesForm::ColumnWritten], "400");
    EXPECT_EQ(row[TChangesForm::ColumnResult], "Ok");
    // The entry selected, its variable in full below.
    EXPECT_EQ(changes->SelectedId(), written.toStdString());
    ASSERT_EQ(changes->Details()->topLevelItemCount(), 1);
    EXPECT_EQ(Row(changes->Details(), 0),
              (QStringList{QString::fromStdString(kAgingTime), "Aging Time[10-765]", "300", "400"}));
    EXPECT_TRUE(changes->StatusLine()->text().startsWith("1 entry in ")) << changes->StatusLine()->text().toStdString();
    Shot(changes, "changes-window.png");

    // Undo, confirmed: what will be written is shown first; 300 goes back
    // and the undo is an entry of its own naming the one it undid.
    sim.clearLog();
    {
        KvMessageBox::Answerer answerer(QMessageBox::Yes);
        ASSERT_TRUE(changes->UndoButton()->isEnabled());
        changes->UndoButton()->click();
        ASSERT_EQ(answerer.shown().size(), 2u);
        EXPECT_EQ(answerer.shown()[0].icon, QMessageBox::Question);
        EXPECT_EQ(answerer.shown()[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(answerer.shown()[0].text.contains("Aging Time[10-765]: \"400\" -> \"300\""))
            << answerer.shown()[0].text.toStdString();
        EXPECT_EQ(answerer.shown()[1].icon, QMessageBox::Information) << answerer.shown()[1].text.toStdString();
    }
    ASSERT_EQ(SetsOf(sim).size(), 1u);
    EXPECT_NE(SetsOf(sim)[0].find(kAgingTime + " INTEGER 300"), std::string::npos) << SetsOf(sim)[0];
    ASSERT_EQ(list->topLevelItemCount(), 2);
    row = Row(list, 0);
    EXPECT_EQ(row[TChangesForm::ColumnKind], "Undo of " + written + " (Set)");
    EXPECT_EQ(row[TChangesForm::ColumnBefore], "400");
    EXPECT_EQ(row[TChangesForm::ColumnWritten], "300");
    EXPECT_EQ(Row(list, 1)[TChangesForm::ColumnResult], "Ok; undone by " + row[TChangesForm::ColumnId]);
    EXPECT_EQ(changes->SelectedId(), row[TChangesForm::ColumnId].toStdString()) << "the undo's entry is selected";
    // Undone already: not offered again.
    changes->Select(written.toStdString());
    EXPECT_FALSE(changes->UndoButton()->isEnabled());

    // Aging Time set to 500 from outside: the undo of the undo is refused,
    // naming the variable with before / written / now, and sends nothing.
    ASSERT_EQ(RunTool(window->Dir().path(),
                      {"snmpset", "-v", "2c", "-c", "lantern", "-t", "3", sim.peer(), kAgingTime, "i", "500"}),
              0);
    changes->Select(row[TChangesForm::ColumnId].toStdString());
    sim.clearLog();
    {
        KvMessageBox::Answerer answerer(QMessageBox::Yes);
        changes->UndoButton()->click();
        ASSERT_EQ(answerer.shown().size(), 1u);
        EXPECT_EQ(answerer.shown()[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(
            answerer.shown()[0].text.contains("Aging Time[10-765]: before \"400\", written \"300\", now \"500\""))
            << answerer.shown()[0].text.toStdString();
    }
    EXPECT_TRUE(SetsOf(sim).empty()) << SetsOf(sim).front();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(changes->StatusLine()->text().startsWith("Cannot undo entry "))
        << changes->StatusLine()->text().toStdString();

    // A line added to the file from elsewhere shows without Refresh; a
    // damaged one is named under the list, and the entries still show.
    std::ofstream(journal.FileOf("127.0.0.1", sim.port()), std::ios::app) << "{not json\n";
    EXPECT_TRUE(WaitFor([&] { return changes->StatusLine()->text().contains(":5: damaged"); }, 5000))
        << changes->StatusLine()->text().toStdString();
    changes->RefreshButton()->click();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(changes->StatusLine()->text().contains(":5: damaged (not a JSON object); line skipped"))
        << changes->StatusLine()->text().toStdString();
    // Long texts in every column (a restore's entry of three values): the
    // others give way, the result stays in sight whole, nothing to scroll.
    const std::string longText(80, 'x');
    std::string variables;
    for (const char* label : {"sysContact", "sysName", "sysLocation"})
        variables += std::string(variables.empty() ? "" : ",") + R"({"before":")" + longText + R"(","label":")" +
                     label + R"(","oid":"1.3.6.1.2.1.1.4.0","syntax":76,"written":")" + longText + R"("})";
    std::ofstream(journal.FileOf("127.0.0.1", sim.port()), std::ios::app)
        << R"({"caption":"System Information : 127.0.0.1 )" << longText << R"(","id":"long1","kind":"set","port":)"
        << sim.port() << R"(,"switch":"127.0.0.1","time":"2026-12-10T12:00:00Z","variables":[)" << variables << "]}\n"
        << R"({"outcomeOf":"long1","outcome":"no answer","result":"sent, no answer"})"
        << "\n";
    changes->RefreshButton()->click();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    QHeaderView* header = list->header();
    const int resultWidth = list->fontMetrics().horizontalAdvance(Row(list, 2)[TChangesForm::ColumnResult]);
    EXPECT_GE(header->sectionSize(TChangesForm::ColumnResult), resultWidth);
    EXPECT_LE(header->sectionViewportPosition(TChangesForm::ColumnResult) +
                  header->sectionSize(TChangesForm::ColumnResult),
              list->viewport()->width());
    changes->resize(1000, changes->height());
    QCoreApplication::processEvents();
    EXPECT_LE(header->length(), list->viewport()->width()) << "spread again over a narrower window";
    EXPECT_GE(header->sectionSize(TChangesForm::ColumnResult), resultWidth);

    // One window: the menu item brings it forward.
    item->trigger();
    EXPECT_EQ(form->findChildren<TChangesForm*>().size(), 1);

    // While the undo's message is up, the window takes no second undo and
    // is not closed; the close asked for then happens after.
    QPointer<TChangesForm> kept(changes);
    bool boxSeen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || boxSeen)
            return;
        boxSeen = true;
        poll.stop();
        EXPECT_TRUE(changes->Busy());
        EXPECT_FALSE(changes->UndoButton()->isEnabled());
        changes->UndoSelected();
        changes->close();
        EXPECT_TRUE(changes->isVisible());
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    changes->UndoSelected();
    EXPECT_TRUE(boxSeen);
    EXPECT_TRUE(WaitFor([&] { return kept.isNull(); }, 5000)) << "closed after the undo";
}

// Each test runs in a process of its own (the SNMP engine starts once per
// process): the main window's start-up starts it with this pump.
int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    QApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

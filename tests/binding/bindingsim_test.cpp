// The binding against the switch simulator: a scalar group filled into edits
// and combo boxes and written back, a table walked into a list view, row
// selection, an asynchronous table write with and without the refresh that
// follows it, a write with nothing in it, failed refreshes, and the change
// journal of asynchronous writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "binding/kvfielderror.h"
#include "brokenagent.h"
#include "export/kvstatusline.h"
#include "binding/kvfieldmarker.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "journal/kvjournal.h"
#include "osprey_config.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

namespace {

const KvOptionDef kIpFromTable[] = {
    {1, nullptr, "Manual"},         {2, nullptr, "BOOTP"}, {3, nullptr, "DHCP"},
    {4, nullptr, "BOOTP and DHCP"}, {0, nullptr, nullptr},
};
const KvOptionList kIpFrom(KvOptionList::kIntegerValues, kIpFromTable);

const KvOptionDef kAdminTable[] = {
    {1, nullptr, "up"},      {2, nullptr, "down"},
    {3, nullptr, "testing"}, {9, nullptr, "no such state"}, // the agent refuses it
    {0, nullptr, nullptr},
};
const KvOptionList kAdmin(KvOptionList::kIntegerValues, kAdminTable);

const std::string kIpGroup = std::string(OSPREY_ENT_OID) + ".11.36.2.5.2";
const std::string kIpFromOid = kIpGroup + ".1";
const std::string kIpAddressOid = kIpGroup + ".2";
const std::string kNetmaskOid = kIpGroup + ".3";
const std::string kGatewayOid = kIpGroup + ".4";
const std::string kVlanOid = kIpGroup + ".5";

const VarDef kScalars[] = {
    {kIpFromOid.c_str(), "Get IP From", synInteger, accRW, &kIpFrom, nullptr, nullptr, nullptr},
    {kIpAddressOid.c_str(), "IP Address", synIpAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {kNetmaskOid.c_str(), "Subnet Mask", synIpAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {kGatewayOid.c_str(), "Default Gateway", synIpAddress, accRO, nullptr, nullptr, nullptr, nullptr},
    {kVlanOid.c_str(), "Management VLAN", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.5", "System Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const VarDef kPorts[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Port", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.2", "Description", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.4", "MTU", synInteger, accRead | accHidden, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.7", "Admin State", synInteger, accRW, &kAdmin, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.6", "MAC Address", synMacAddress, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

bool WaitFor(const std::function<bool()>& done, int ms = 8000)
{
    return kvtest::WaitFor(done, ms);
}

using kvtest::Settle;

int Count(const std::vector<std::string>& lines, const std::string& prefix)
{
    int n = 0;
    for (const std::string& line : lines)
        n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

class BindingSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvbinding"); }

    static void TearDownTestSuite() { engine_.reset(); }

    void Start(SimFixture::Options options = {})
    {
        sim = std::make_unique<SimFixture>(options);
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(*sim, &error)) << error;
        KvResetMessageSets();
        binding = std::make_unique<KvSNMPRequest2Edits>(&window);
        binding->request.timeout = 50; // keep the failure tests short
        binding->SetStatusTarget(&memo);
        binding->OnGetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError& e) {
            ++gets;
            lastGet = e;
        };
        binding->OnSetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError& e) {
            ++sets;
            lastSet = e;
        };
    }

    QStringList MemoLines() const { return memo.toPlainText().split('\n', Qt::SkipEmptyParts); }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    QWidget window;
    QPlainTextEdit memo{&window};
    std::unique_ptr<SimFixture> sim;
    std::unique_ptr<KvSNMPRequest2Edits> binding;
    int gets = 0;
    int sets = 0;
    KvSNMPError lastGet;
    KvSNMPError lastSet;
};

// --- a scalar group ------------------------------------------------------------------

class ScalarGroup : public BindingSim {
protected:
    void Bind()
    {
        binding->Variables() = KvSNMPVarList(kScalars, kvListScalars, 0);
        binding->BindComboBox(0, &ipFrom);
        binding->BindEdits(1, "%i{n0x255}%i{n0x255}%i{n0x255}%i{n0x255}", &ip[0], {&ip[1], &ip[2], &ip[3]});
        binding->BindEdits(2, "%s{l15}", &netmask);
        binding->BindControl(3, &gateway);
        binding->BindEdits(4, "%i{n1x4094}", &vlan);
        binding->BindEdits(5, "%s", &name);
    }

    QComboBox ipFrom{&window};
    QLineEdit ip[4]{QLineEdit(&window), QLineEdit(&window), QLineEdit(&window), QLineEdit(&window)};
    QLineEdit netmask{&window};
    QLabel gateway{&window};
    QLineEdit vlan{&window};
    QLineEdit name{&window};
};

TEST_F(ScalarGroup, RefreshFillsEditsAndCombosAndApplyWritesThemBack)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    binding->Refresh();
    EXPECT_TRUE(binding->busy);
    ASSERT_TRUE(WaitFor([&] { return gets == 1; }));
    EXPECT_FALSE(binding->busy);
    EXPECT_EQ(lastGet.code, 0);
    EXPECT_EQ(binding->rowsShown, 1);
    EXPECT_EQ(ipFrom.currentText(), "Manual");
    EXPECT_EQ(ip[0].text() + "." + ip[1].text() + "." + ip[2].text() + "." + ip[3].text(), "192.168.1.10");
    EXPECT_EQ(netmask.text(), "255.255.255.0");
    EXPECT_EQ(gateway.text(), "192.168.1.1");
    EXPECT_EQ(vlan.text(), "1");
    EXPECT_EQ(name.text(), "osprey-lab");
    ASSERT_EQ(MemoLines().size(), 1);
    EXPECT_TRUE(MemoLines()[0].startsWith("Get: (VoDADI++) Ok!. Receive at ")) << MemoLines()[0].toStdString();

    ipFrom.setCurrentIndex(2);
    ip[0].setText("10");
    ip[1].setText("1");
    ip[2].setText("2");
    ip[3].setText("3");
    vlan.setText("7");
    name.setText("bench 7");
    sim->clearLog();
    binding->StoreAll();
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    EXPECT_EQ(lastSet.code, 0) << lastSet.message;
    Settle(200);

    // One set of the writable variables; a scalar list is not read again.
    const std::vector<std::string> log = sim->logLines();
    ASSERT_EQ(log.size(), 1u);
    const std::string& set = log[0];
    EXPECT_EQ(set.rfind("SET", 0), 0u) << set;
    EXPECT_NE(set.find(kIpFromOid + ".0 INTEGER 3"), std::string::npos) << set;
    EXPECT_NE(set.find(kIpAddressOid + ".0 IPADDRESS 10.1.2.3"), std::string::npos) << set;
    EXPECT_NE(set.find(kNetmaskOid + ".0 IPADDRESS 255.255.255.0"), std::string::npos) << set;
    EXPECT_NE(set.find(kVlanOid + ".0 INTEGER 7"), std::string::npos) << set;
    EXPECT_NE(set.find("1.3.6.1.2.1.1.5.0 STRING \"bench 7\""), std::string::npos) << set;
    EXPECT_EQ(set.find(kGatewayOid), std::string::npos) << "read-only variable written: " << set;
    EXPECT_EQ(gets, 1);
    ASSERT_EQ(MemoLines().size(), 2);
    EXPECT_TRUE(MemoLines()[1].startsWith("Set: (VoDADI++) Ok!. Receive at "));

    // The agent kept the values: a blocking refresh reads them back.
    vlan.clear();
    binding->Refresh(KvFlowRun::Blocking);
    EXPECT_EQ(vlan.text(), "7");
    EXPECT_EQ(ipFrom.currentText(), "DHCP");
    EXPECT_EQ(ip[0].text(), "10");
}

TEST_F(ScalarGroup, AFailedRefreshIsReportedThroughTheGetTemplate)
{
    ASSERT_NO_FATAL_FAILURE(Start({.extraArgs = {"--error-oid", kVlanOid + "=genErr"}}));
    Bind();
    binding->Variables().name = " IP Settings";
    binding->Refresh();
    ASSERT_TRUE(WaitFor([&] { return gets == 1; }));
    EXPECT_EQ(lastGet.code, -105);
    EXPECT_FALSE(binding->busy);
    EXPECT_EQ(binding->rowsShown, 0);
    EXPECT_EQ(vlan.text(), ""); // nothing was shown
    ASSERT_EQ(MemoLines().size(), 1);
    const std::string expected = "Get: " + KvErrorText(-105) + " Request: IP Settings. Receive at ";
    EXPECT_EQ(MemoLines()[0].left(static_cast<int>(expected.size())).toStdString(), expected);

    // Blocking: the error reaches the caller, with busy cleared.
    try {
        binding->Refresh(KvFlowRun::Blocking);
        ADD_FAILURE() << "no error raised";
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -105);
    }
    EXPECT_FALSE(binding->busy);
}

TEST_F(ScalarGroup, WithoutStatusTargetAFailedRefreshShowsAMessageBox)
{
    ASSERT_NO_FATAL_FAILURE(Start({.extraArgs = {"--stop-after", "0"}}));
    Bind();
    binding->SetStatusTarget(static_cast<QPlainTextEdit*>(nullptr));
    KvMessageBox::Answerer answerer;
    binding->Refresh();
    ASSERT_TRUE(WaitFor([&] { return gets == 1; }));
    EXPECT_EQ(lastGet.code, -405); // no answer: timeout
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text.toStdString(), lastGet.message);
    EXPECT_TRUE(memo.toPlainText().isEmpty());
}

// --- a table ----------------------------------------------------------------------------

// The interface table: 26 ports and the management VLAN interface.
constexpr int kInterfaceRows = 27;

class PortTable : public BindingSim {
protected:
    void Bind()
    {
        binding->Variables() = KvSNMPVarList(kPorts, kvListTable, 1);
        binding->AttachListView(&list, true);
        binding->BindControl(0, &port);
        binding->BindControl(1, &description);
        binding->BindComboBox(3, &admin);
        binding->BindEdits(4, "%h%h%h%h%h%h", &mac[0], {&mac[1], &mac[2], &mac[3], &mac[4], &mac[5]});
    }

    void RefreshAndWait()
    {
        const int before = gets;
        binding->Refresh();
        ASSERT_TRUE(WaitFor([&] { return gets == before + 1; }));
        ASSERT_EQ(lastGet.code, 0) << lastGet.message;
    }

    int Column(const QString& caption) const
    {
        for (int c = 0; c < list.columnCount(); ++c)
            if (list.headerItem()->text(c) == caption)
                return c;
        return -1;
    }

    QTreeWidget list{&window};
    QLineEdit port{&window};
    QLabel description{&window};
    QComboBox admin{&window};
    QLineEdit mac[6]{QLineEdit(&window), QLineEdit(&window), QLineEdit(&window),
                     QLineEdit(&window), QLineEdit(&window), QLineEdit(&window)};
};

TEST_F(PortTable, AWalkFillsOneListRowPerTableRow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    RefreshAndWait();
    EXPECT_EQ(binding->rowsShown, kInterfaceRows);
    ASSERT_EQ(list.topLevelItemCount(), kInterfaceRows);
    ASSERT_EQ(list.columnCount(), 5);
    EXPECT_EQ(list.headerItem()->text(0), "MTU");
    EXPECT_EQ(list.header()->sectionSize(0), 0);
    EXPECT_EQ(list.headerItem()->text(1), "Port");
    EXPECT_EQ(list.headerItem()->text(4), "MAC Address");
    EXPECT_GT(list.header()->sectionSize(4), 0);

    const QTreeWidgetItem* row = list.topLevelItem(22);
    EXPECT_EQ(row->text(0), "1518");
    EXPECT_EQ(row->text(Column("Port")), "23");
    EXPECT_EQ(row->text(Column("Description")), "Port 23, 10/100BASE-TX");
    EXPECT_EQ(row->text(Column("Admin State")), "down");
    EXPECT_EQ(row->text(Column("MAC Address")), "000D884A1017");
    EXPECT_EQ(list.topLevelItem(25)->text(Column("Description")), "Port 26, 1000BASE-T uplink");
    EXPECT_TRUE(MemoLines().last().startsWith("Get: (VoDADI++) Ok!"));

    // A second refresh starts over.
    RefreshAndWait();
    EXPECT_EQ(list.topLevelItemCount(), kInterfaceRows);
}

// The rows of a walk go in batch by batch: the first row is in the list
// while the walk goes on, the window keeps handling events, and the columns
// end up wide enough for their values.
TEST_F(PortTable, RowsShowWhileTheWalkGoesOnAndColumnsFitTheirValues)
{
    // Answers 250 ms apart: time enough for the ticker to see the first one's
    // rows even on a loaded machine.
    ASSERT_NO_FATAL_FAILURE(Start({.extraArgs = {"--delay", "250"}}));
    Bind();
    binding->request.timeout = 200;
    binding->request.version = 1; // SNMPv2c: 25 rows an answer
    const int before = gets;
    int rowsWhileWalking = 0;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        if (binding->busy && rowsWhileWalking == 0)
            rowsWhileWalking = list.topLevelItemCount() > 1 ? list.topLevelItemCount() : 0;
    });
    ticker.start(5);
    binding->Refresh();
    ASSERT_TRUE(WaitFor([&] { return gets == before + 1; }));
    ASSERT_EQ(lastGet.code, 0) << lastGet.message;
    ticker.stop();
    // The first answer's rows are all in before the second answer arrives.
    EXPECT_EQ(rowsWhileWalking, 25);
    EXPECT_GT(ticks, 10);
    EXPECT_EQ(list.topLevelItemCount(), 27); // 26 ports and the VLAN interface
    const QFontMetrics metrics(list.font());
    const int description = Column("Description");
    EXPECT_GE(list.header()->sectionSize(description),
              metrics.horizontalAdvance(list.topLevelItem(25)->text(description))); // "Port 26, 1000BASE-T uplink"
    EXPECT_EQ(list.header()->sectionSize(0), 0);                                    // the hidden column stays hidden
}

TEST_F(PortTable, SelectingARowFillsTheEditors)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    RefreshAndWait();
    EXPECT_FALSE(admin.isEnabled());
    EXPECT_FALSE(mac[0].isEnabled());

    list.setCurrentItem(list.topLevelItem(22));
    EXPECT_TRUE(admin.isEnabled());
    EXPECT_EQ(port.text(), "23");
    EXPECT_EQ(description.text(), "Port 23, 10/100BASE-TX");
    EXPECT_EQ(admin.currentText(), "down");
    QStringList bytes;
    for (QLineEdit& edit : mac)
        bytes << edit.text();
    EXPECT_EQ(bytes, QStringList({"00", "0D", "88", "4A", "10", "17"}));
}

TEST_F(PortTable, AnAsynchronousWriteIsFollowedByARefresh)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    RefreshAndWait();
    list.setCurrentItem(list.topLevelItem(4));
    ASSERT_EQ(port.text(), "5");
    admin.setCurrentText("down");

    sim->clearLog();
    binding->StoreAll();
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    EXPECT_EQ(lastSet.code, 0) << lastSet.message;
    ASSERT_TRUE(WaitFor([&] { return gets == 2; }));
    EXPECT_EQ(lastGet.code, 0);
    EXPECT_FALSE(binding->busy);

    const std::vector<std::string> log = sim->logLines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("SET", 0), 0u) << log[0];
    // Only the admin column of row 5 is written; the index is not a column.
    EXPECT_NE(log[0].find(": 1.3.6.1.2.1.2.2.1.7.5 INTEGER 2"), std::string::npos) << log[0];
    EXPECT_EQ(log[0].find('|'), std::string::npos) << log[0];
    EXPECT_EQ(Count(log, "GETNEXT"), static_cast<int>(log.size()) - 1);

    EXPECT_EQ(list.topLevelItemCount(), kInterfaceRows);
    EXPECT_EQ(list.topLevelItem(4)->text(Column("Admin State")), "down");
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith("Set: (VoDADI++) Ok!"));
    EXPECT_TRUE(lines[2].startsWith("Get: (VoDADI++) Ok!"));
}

TEST_F(PortTable, AFailedWriteIsReportedAndNotFollowedByARefresh)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    RefreshAndWait();
    list.setCurrentItem(list.topLevelItem(4));
    admin.setCurrentText("no such state");

    sim->clearLog();
    binding->StoreAll();
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    EXPECT_LT(lastSet.code, 0);
    EXPECT_FALSE(binding->busy);
    Settle(300);
    const std::vector<std::string> log = sim->logLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("SET", 0), 0u);
    EXPECT_NE(log[0].find("1.3.6.1.2.1.2.2.1.7.5 INTEGER 9"), std::string::npos) << log[0];
    EXPECT_EQ(gets, 1);
    EXPECT_TRUE(MemoLines().last().startsWith(QString::fromStdString("Set: " + lastSet.message)))
        << MemoLines().last().toStdString();
    EXPECT_EQ(list.topLevelItem(4)->text(Column("Admin State")), "up");
}

TEST_F(PortTable, ABlockingWriteRefreshesOnlyWhenAsked)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    binding->Refresh(KvFlowRun::Blocking);
    ASSERT_EQ(list.topLevelItemCount(), kInterfaceRows);
    list.setCurrentItem(list.topLevelItem(1));
    admin.setCurrentText("down");

    sim->clearLog();
    binding->StoreAll({.refreshAfter = false, .run = KvFlowRun::Blocking});
    EXPECT_EQ(sim->logLines().size(), 1u);
    EXPECT_EQ(list.topLevelItem(1)->text(Column("Admin State")), "up"); // not read again

    binding->StoreAll({.run = KvFlowRun::Blocking});
    EXPECT_GT(Count(sim->logLines(), "GETNEXT"), 0);
    EXPECT_EQ(list.topLevelItem(1)->text(Column("Admin State")), "down");
}

// A write that carries no value (a row's key and read-only columns) sends
// nothing and says nothing, blocking or not, and no refresh follows it; asked
// to try it all the same, the request refuses it.
TEST_F(PortTable, AWriteThatCarriesNoValueSendsNothing)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    RefreshAndWait();
    list.setCurrentItem(list.topLevelItem(1));
    sim->clearLog();
    const auto lines = MemoLines().size();
    const KvWriteSet keyAndReadOnly = {0, 1, 4};
    binding->Store(keyAndReadOnly);
    EXPECT_FALSE(binding->busy);
    binding->Store(keyAndReadOnly, {.run = KvFlowRun::Blocking});
    binding->Store({}, {.run = KvFlowRun::Blocking});
    Settle(200);
    EXPECT_TRUE(sim->logLines().empty()) << sim->logLines().front();
    EXPECT_EQ(MemoLines().size(), lines);
    EXPECT_EQ(sets, 0);
    EXPECT_EQ(binding->lastOperation, KvSNMPRequest2Controls::kLastGet);

    try {
        binding->Store(keyAndReadOnly, {.run = KvFlowRun::Blocking, .skipEmpty = false});
        ADD_FAILURE() << "an empty write went through";
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -411);
    }
    EXPECT_FALSE(binding->busy);
    EXPECT_TRUE(sim->logLines().empty());
}

TEST_F(PortTable, AnEmptyTableShowsNoRowsAndReportsOk)
{
    // Columns under which the agent holds nothing: the first step already
    // leaves every subtree.
    static const VarDef kNothing[] = {
        {"1.3.6.1.2.1.17.7.1.3.1.1.98", "Key", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.2.1.17.7.1.3.1.1.99", "Value", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    ASSERT_NO_FATAL_FAILURE(Start());
    binding->Variables() = KvSNMPVarList(kNothing, kvListTable, 1);
    binding->AttachListView(&list, true);
    RefreshAndWait();
    EXPECT_EQ(binding->rowsShown, 0);
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_FALSE(binding->busy);
    EXPECT_TRUE(MemoLines().last().startsWith("Get: (VoDADI++) Ok!"));
}

// An agent that answers a walk out of order: the rows that came stay in the
// list, and the status line reports the error, the same line the export
// writes for the same result.
TEST_F(PortTable, AWalkAnsweredOutOfOrderShowsItsRowsAndTheExportsErrorLine)
{
    static const VarDef kScripted[] = {
        {"1.3.6.1.4.1.32473.99.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.2", "First", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.3", "Second", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    // Row 1, row 2, then row 1 again.
    BrokenAgent agent({"1.3.6.1.4.1.32473.99.1.2", "1.3.6.1.4.1.32473.99.1.3"}, {{"1"}, {"2"}});
    ASSERT_NE(agent.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    binding->request.port = agent.Port();
    binding->request.version = 1;
    binding->Variables() = KvSNMPVarList(kScripted, kvListTable, 1);
    binding->Variables().name = " Scripted Table";
    binding->AttachListView(&list, true);
    binding->Refresh();
    ASSERT_TRUE(WaitFor([&] { return gets == 1; }));
    EXPECT_EQ(lastGet.code, kvErrWalkOutOfOrder);
    EXPECT_FALSE(binding->busy);
    EXPECT_EQ(list.topLevelItemCount(), 2);
    ASSERT_FALSE(MemoLines().isEmpty());
    const std::string exported = KvExportStatusLine(KvErrorText(kvErrWalkOutOfOrder), " Scripted Table");
    const std::string expected = exported.substr(0, exported.find("Receive at "));
    EXPECT_EQ(MemoLines().last().left(static_cast<int>(expected.size())).toStdString(), expected);
    EXPECT_EQ(expected, "Get: (SNMPClass) Agent answered out of order, table walk stopped! Request: Scripted Table. ");
}

// What the collect step refuses never reaches the switch: an address part
// above 255, a mask that is no dotted quad.
TEST_F(ScalarGroup, RefusedEntriesSendNothing)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    binding->Refresh(KvFlowRun::Blocking);
    sim->clearLog();

    ip[3].setText("300");
    try {
        binding->StoreAll();
        ADD_FAILURE() << "written";
    } catch (const KvFieldError& e) {
        EXPECT_EQ(e.variableIndex(), 1);
        EXPECT_STREQ(e.what(), "IP Address: (KvCommon) Please enter a number between 0 and 255!");
    }
    EXPECT_TRUE(binding->FieldMarker().IsMarked(&ip[3]));
    EXPECT_FALSE(binding->busy);
    ip[3].setText("10");
    for (const char* mask : {"255.255.256.0", "255.255.255.0.0", "255.255.255"}) {
        netmask.setText(mask);
        EXPECT_THROW(binding->StoreAll(), KvFieldError) << mask;
    }
    Settle(200);
    EXPECT_EQ(Count(sim->logLines(), "SET"), 0);

    netmask.setText("255.255.0.0");
    binding->StoreAll();
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    EXPECT_EQ(lastSet.code, 0) << lastSet.message;
    const std::vector<std::string> log = sim->logLines();
    ASSERT_EQ(Count(log, "SET"), 1);
    EXPECT_NE(log[0].find(kNetmaskOid + ".0 IPADDRESS 255.255.0.0"), std::string::npos) << log[0];
    EXPECT_NE(log[0].find(kIpAddressOid + ".0 IPADDRESS 192.168.1.10"), std::string::npos) << log[0];
}

// The agent's error index names the variable that failed: its editor and
// column are marked, in both modes; the status line stays the message's.
TEST_F(PortTable, TheErrorIndexMarksTheFailedVariable)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Bind();
    binding->Refresh(KvFlowRun::Blocking);
    list.setCurrentItem(list.topLevelItem(4));
    admin.setCurrentText("no such state");
    try {
        binding->StoreAll({.refreshAfter = false, .run = KvFlowRun::Blocking});
        ADD_FAILURE() << "the agent took it";
    } catch (const KvSNMPResponseError& e) {
        EXPECT_EQ(e.errorIndex(), 1);
        EXPECT_EQ(e.errorVariable(), 3);
    }
    KvFieldMarker& marker = binding->FieldMarker();
    EXPECT_TRUE(marker.IsMarked(&admin));
    EXPECT_TRUE(admin.toolTip().startsWith("Admin State: (SNMP) "));
    EXPECT_TRUE(marker.IsColumnMarked(&list, Column("Admin State")));
    EXPECT_FALSE(marker.IsColumnMarked(&list, Column("Port")));

    // Asynchronously: the completion record names it too.
    binding->StoreAll({.refreshAfter = false});
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    EXPECT_EQ(lastSet.errorIndex, 1);
    EXPECT_EQ(lastSet.errorVariable, 3);
    EXPECT_TRUE(MemoLines().last().startsWith(QString::fromStdString("Set: " + lastSet.message + ". Receive at ")))
        << MemoLines().last().toStdString();
    EXPECT_TRUE(marker.IsMarked(&admin));

    // A good write ends the marks.
    admin.setCurrentText("up");
    binding->StoreAll({.refreshAfter = false});
    ASSERT_TRUE(WaitFor([&] { return sets == 2; }));
    EXPECT_EQ(lastSet.code, 0);
    EXPECT_FALSE(marker.IsMarked(&admin));
    EXPECT_FALSE(marker.IsColumnMarked(&list, Column("Admin State")));
}

// --- the change journal ---------------------------------------------------------------

// Reads the journal the moment an entry is on disk (its write not yet
// sent), and drops outcomes when told, as a program that ends there would.
class JournalProbe : public KvWriteJournal {
public:
    explicit JournalProbe(KvJournal& journal) : journal_(journal) {}
    std::string BeforeSend(const KvWriteRecord& record) override
    {
        const std::string id = journal_.BeforeSend(record);
        onDisk = journal_.Read("127.0.0.1", port);
        return id;
    }
    void AfterOutcome(const std::string& id, const KvWriteOutcome& outcome) override
    {
        if (!dropOutcomes)
            journal_.AfterOutcome(id, outcome);
    }

    uint16_t port = 0;
    KvJournalLog onDisk;
    bool dropOutcomes = false;

private:
    KvJournal& journal_;
};

TEST_F(PortTable, AsynchronousWritesAreJournaledBeforeTheyGoOutWithTheValuesTheyOverwrite)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bindingjournal-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    KvJournal journal(folder.string());
    JournalProbe p(journal);
    const KvJournalInstallation installed(&p);
    ASSERT_NO_FATAL_FAILURE(Start());
    p.port = sim->port();
    Bind();
    RefreshAndWait();
    list.setCurrentItem(list.topLevelItem(4));
    admin.setCurrentText("down");
    sim->clearLog();
    binding->StoreAll({.refreshAfter = false});
    ASSERT_TRUE(WaitFor([&] { return sets == 1; }));
    ASSERT_EQ(lastSet.code, 0) << lastSet.message;
    // The value last read is the one overwritten: the set goes out alone,
    // after its entry was on disk with its outcome unknown.
    std::vector<std::string> log = sim->logLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("SET", 0), 0u) << log[0];
    ASSERT_EQ(p.onDisk.entries.size(), 1u);
    EXPECT_EQ(p.onDisk.entries[0].result, "outcome unknown");
    KvJournalLog read = journal.Read("127.0.0.1", sim->port());
    ASSERT_EQ(read.entries.size(), 1u);
    const KvWriteRecordVariable& admin5 = read.entries[0].write.variables.at(0);
    EXPECT_EQ(admin5.oid, "1.3.6.1.2.1.2.2.1.7.5");
    EXPECT_EQ(admin5.label, "Admin State");
    EXPECT_EQ(admin5.before, "up");
    EXPECT_EQ(admin5.written, "down");
    EXPECT_EQ(admin5.beforeWire, "1");
    EXPECT_EQ(admin5.writtenWire, "2");
    EXPECT_EQ(read.entries[0].result, "Ok");

    // A value the window never read is read first, without blocking, then
    // written.
    KvSNMPRequest2Edits scalars(&window);
    int scalarSets = 0;
    KvSNMPError scalarError;
    scalars.OnSetComplete = [&](KvSNMPRequest2Controls&, const KvSNMPError& e) {
        ++scalarSets;
        scalarError = e;
    };
    scalars.Variables() = KvSNMPVarList(kScalars, kvListScalars, 0);
    QLineEdit name(&window);
    scalars.BindEdits(5, "%s", &name);
    name.setText("lab-3");
    sim->clearLog();
    scalars.Store(KvWriteSet{5});
    EXPECT_TRUE(scalars.busy);
    ASSERT_TRUE(WaitFor([&] { return scalarSets == 1; }));
    ASSERT_EQ(scalarError.code, 0) << scalarError.message;
    log = sim->logLines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("GET", 0), 0u) << log[0];
    EXPECT_NE(log[0].find(" read: 1.3.6.1.2.1.1.5.0 NULL"), std::string::npos) << log[0];
    EXPECT_NE(log[1].find(" write: 1.3.6.1.2.1.1.5.0 STRING \"lab-3\""), std::string::npos) << log[1];
    read = journal.Read("127.0.0.1", sim->port());
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[1].write.variables.at(0).before, "osprey-lab");
    EXPECT_EQ(read.entries[1].write.variables.at(0).written, "lab-3");

    // No answer: "sent, no answer"; a program that ends before the answer
    // leaves "outcome unknown", and the next reader says so.
    sim->stop();
    admin.setCurrentText("testing");
    binding->StoreAll({.refreshAfter = false});
    ASSERT_TRUE(WaitFor([&] { return sets == 2; }));
    EXPECT_NE(lastSet.code, 0);
    p.dropOutcomes = true;
    binding->StoreAll({.refreshAfter = false});
    ASSERT_TRUE(WaitFor([&] { return sets == 3; }));
    read = KvJournal(folder.string()).Read("127.0.0.1", sim->port());
    ASSERT_EQ(read.entries.size(), 4u);
    EXPECT_EQ(read.entries[2].result, "sent, no answer");
    EXPECT_EQ(read.entries[2].outcome, KvJournalEntry::Outcome::NoAnswer);
    EXPECT_EQ(read.entries[3].result, "outcome unknown");
    EXPECT_EQ(read.entries[3].outcome, KvJournalEntry::Outcome::Unknown);

    // A journal that cannot be written: the write is refused, nothing sent.
    std::string error;
    ASSERT_TRUE(sim->start(&error)) << error;
    std::ofstream((folder / "file").string()) << "x";
    KvJournal blocked((folder / "file" / "journal").string());
    binding->request.journal = &blocked;
    sim->clearLog();
    try {
        binding->StoreAll({.refreshAfter = false});
        ADD_FAILURE() << "sent without a record";
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), kvErrFileWrite);
        EXPECT_NE(std::string(e.what()).find("cannot be written"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(binding->busy);
    EXPECT_EQ(Count(sim->logLines(), "SET"), 0);
    std::filesystem::remove_all(folder);
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

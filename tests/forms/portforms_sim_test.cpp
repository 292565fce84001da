// The port and traffic windows against the switch simulator: what they show,
// what reaches the agent (the simulator's request log), how they report
// refused writes, and how they close while a walk is under way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "forms/port/portformtables.h"
#include "forms/port/taggregatorporttableform.h"
#include "forms/port/tdiagnosticsinformationform.h"
#include "forms/port/tequipmentbasicinfoform.h"
#include "forms/port/tmacstatistictableform.h"
#include "forms/port/tmodulebasicconfigurationform.h"
#include "forms/port/tportmirrorform.h"
#include "forms/port/tporttrunkform.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/port/ttrafficsegmentationform.h"
#include "osprey_config.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpvarlist.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

namespace {

const std::string kEnt = OSPREY_ENT_OID;
const std::string kTrunk = kEnt + ".12.2.1.3.1.";
const std::string kMirror = kEnt + ".12.2.2.";
const std::string kSegment = kEnt + ".11.55.1.2.14.1.1.";

using kvtest::Settle;

bool WaitFor(const std::function<bool()>& done, int ms = 10000)
{
    return kvtest::WaitFor(done, ms);
}

// The log lines of one kind of request ("SET", "GETNEXT", ...).
std::vector<std::string> Requests(const SimFixture& sim, const std::string& kind)
{
    std::vector<std::string> lines;
    for (const std::string& line : sim.logLines())
        if (line.rfind(kind + " ", 0) == 0)
            lines.push_back(line);
    return lines;
}

// The bindings of a logged request ("OID TYPE VALUE", in order).
std::vector<std::string> Bindings(const std::string& line)
{
    std::vector<std::string> bindings;
    size_t at = line.find(": ");
    if (at == std::string::npos)
        return bindings;
    at += 2;
    while (at < line.size()) {
        const size_t end = line.find(" | ", at);
        bindings.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            break;
        at = end + 3;
    }
    return bindings;
}

QTreeWidgetItem* RowOf(QTreeWidget* list, const QString& key)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == key)
            return list->topLevelItem(i);
    return nullptr;
}

void Select(QTreeWidget* list, const QString& key)
{
    QTreeWidgetItem* row = RowOf(list, key);
    ASSERT_NE(row, nullptr) << key.toStdString();
    list->clearSelection();
    list->setCurrentItem(row);
    row->setSelected(true);
}

// The ports ticked on a grid (1-based), hidden boxes included.
std::vector<int> Ticked(const TStackingPortUitForm* grid)
{
    std::vector<int> ports;
    for (int i = 0; grid && i < grid->CheckBoxes().size(); ++i)
        if (grid->CheckBox(i)->isChecked())
            ports.push_back(i + 1);
    return ports;
}

void Tick(TStackingPortUitForm* grid, std::initializer_list<int> ports, bool on = true)
{
    for (int port : ports)
        grid->CheckBox(port - 1)->setChecked(on);
}

std::vector<uint32_t> AccessOf(const KvSNMPVarList& vars)
{
    std::vector<uint32_t> access;
    for (int i = 0; i < vars.Count(); ++i)
        access.push_back(vars[i].access);
    return access;
}

std::vector<uint32_t> AccessOf(const VarDef* table)
{
    std::vector<uint32_t> access;
    for (const VarDef* row = table; row->oid; ++row)
        access.push_back(row->access);
    return access;
}

QStringList MemoLines(const QPlainTextEdit* memo)
{
    return memo->toPlainText().split('\n', Qt::SkipEmptyParts);
}

class PortFormsSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvportforms"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void Start(std::vector<std::string> extraArgs = {})
    {
        sim = std::make_unique<SimFixture>(SimFixture::Options{.extraArgs = std::move(extraArgs)});
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(*sim, &error)) << error;
        KvResetMessageSets();
        host.agentAddress = "127.0.0.1";
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;
    std::unique_ptr<SimFixture> sim;
    KvFormHost host;
};

// --- port trunking -------------------------------------------------------------------

TEST_F(PortFormsSim, TrunkTableOpensWithTheGroupsAndAnEmptyNewGroup)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortTrunkForm form(nullptr, host);
    EXPECT_EQ(form.windowTitle(), "Port Trunk Table :127.0.0.1");
    ASSERT_EQ(form.LV_PortTrunk->topLevelItemCount(), 2);
    EXPECT_EQ(form.LV_PortTrunk->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(form.LV_PortTrunk->topLevelItem(1)->text(2), "30000000");
    EXPECT_EQ(form.LV_PortTrunk->topLevelItem(1)->text(3), "active");
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Get: (VoDADI++) Ok!")) << form.StatusPanel0->text().toStdString();
    // After Refresh the index is editable and empty and no port is ticked;
    // boxes 27 to 32 exist but are hidden.
    EXPECT_TRUE(form.ED_Index->isEnabled());
    EXPECT_EQ(form.ED_Index->text(), "");
    EXPECT_TRUE(Ticked(form.PortGrid).empty());
    ASSERT_EQ(form.PortGrid->CheckBoxes().size(), 32);
    for (int i = 26; i < 32; ++i)
        EXPECT_TRUE(form.PortGrid->CheckBox(i)->isHidden()) << i;

    // A group's row fills the editors and the grid: 30 00 00 00 is ports 3
    // and 4 (port 1 is the first octet's most significant bit).
    Select(form.LV_PortTrunk, "2");
    EXPECT_FALSE(form.ED_Index->isEnabled()) << "an existing group keeps its index";
    EXPECT_EQ(form.ED_Index->text(), "2");
    EXPECT_EQ(form.ED_MasterPort->text(), "3");
    EXPECT_EQ(form.Combo_State->currentText(), "active");
    EXPECT_EQ(Ticked(form.PortGrid), (std::vector<int>{3, 4}));
    Select(form.LV_PortTrunk, "1");
    EXPECT_EQ(Ticked(form.PortGrid), (std::vector<int>{25, 26}));
    form.LV_PortTrunk->clearSelection();
    EXPECT_TRUE(Ticked(form.PortGrid).empty()) << "no row selected: the grid is cleared";
}

// The same on an agent that refuses createAndGo for an existing row: the
// second write carries no status.
TEST_F(PortFormsSim, TrunkAddIsTwoWritesAndDeleteOnlyDestroy)
{
    for (const bool strict : {false, true}) {
        SCOPED_TRACE(strict ? "strict" : "lenient");
        ASSERT_NO_FATAL_FAILURE(
            Start(strict ? std::vector<std::string>{"--strict-rowstatus"} : std::vector<std::string>{}));
        TPortTrunkForm form(nullptr, host);
        const std::vector<uint32_t> tableAccess = AccessOf(kvforms::varsPortTrunk);

        form.ED_Index->setText("3");
        form.ED_MasterPort->setText("5");
        Tick(form.PortGrid, {5, 6, 26});
        sim->clearLog();
        form.BT_Set->click();

        const std::vector<std::string> sets = Requests(*sim, "SET");
        ASSERT_EQ(sets.size(), 2u) << form.StatusPanel0->text().toStdString();
        // First only the new row's status, createAndGo.
        EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kTrunk + "5.3 INTEGER 4"}));
        // Then master port and members (ports 5, 6 and 26), never the status.
        EXPECT_EQ(Bindings(sets[1]),
                  (std::vector<std::string>{kTrunk + "3.3 INTEGER 5", kTrunk + "4.3 STRING 0x0C000040"}));
        EXPECT_EQ(AccessOf(form.Binding()->Variables()), tableAccess);
        // The table was walked again and holds the new group.
        EXPECT_FALSE(Requests(*sim, "GETNEXT").empty());
        ASSERT_EQ(form.LV_PortTrunk->topLevelItemCount(), 3);
        EXPECT_EQ(RowOf(form.LV_PortTrunk, "3")->text(2), "0C000040");

        // Delete sends the status "destroy" alone, for the row of ED_Index.
        Select(form.LV_PortTrunk, "3");
        sim->clearLog();
        form.BT_Delete->click();
        const std::vector<std::string> deletes = Requests(*sim, "SET");
        ASSERT_EQ(deletes.size(), 1u);
        EXPECT_EQ(Bindings(deletes[0]), (std::vector<std::string>{kTrunk + "5.3 INTEGER 6"}));
        EXPECT_EQ(AccessOf(form.Binding()->Variables()), tableAccess);
        EXPECT_EQ(form.LV_PortTrunk->topLevelItemCount(), 2);
        EXPECT_EQ(form.ED_Index->text(), "") << "Delete ends with a refresh";
    }
}

TEST_F(PortFormsSim, TrunkSetWritesTheSelectedGroup)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortTrunkForm form(nullptr, host);
    Select(form.LV_PortTrunk, "2");
    form.ED_MasterPort->setText("4");
    Tick(form.PortGrid, {5});
    sim->clearLog();
    form.SetBtn->click();
    const std::vector<std::string> sets = Requests(*sim, "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kTrunk + "3.2 INTEGER 4", kTrunk + "4.2 STRING 0x38000000",
                                                           kTrunk + "5.2 INTEGER 1"}));
    EXPECT_EQ(RowOf(form.LV_PortTrunk, "2")->text(1), "4");
    EXPECT_TRUE(form.ED_Index->isEnabled());
    EXPECT_EQ(form.ED_Index->text(), "");
}

TEST_F(PortFormsSim, WithBothTrunksSelectedSetWritesTheOneClickedLast)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortTrunkForm form(nullptr, host);
    form.show();
    const QStringList narrow = kvtest::NarrowColumns(form.LV_PortTrunk, KvSNMPRequest2Edits::kMaxColumnWidth);
    EXPECT_TRUE(narrow.isEmpty()) << narrow.join(", ").toStdString();
    kvtest::ClickRow(form.LV_PortTrunk, RowOf(form.LV_PortTrunk, "1"));
    kvtest::ClickRow(form.LV_PortTrunk, RowOf(form.LV_PortTrunk, "2"), Qt::ControlModifier);
    ASSERT_EQ(form.LV_PortTrunk->selectedItems().size(), 2);
    EXPECT_EQ(form.ED_Index->text(), "2");
    EXPECT_FALSE(form.ED_Index->isEnabled());
    form.ED_MasterPort->setText("4");
    Tick(form.PortGrid, {5});
    sim->clearLog();
    form.SetBtn->click();
    const std::vector<std::string> sets = Requests(*sim, "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kTrunk + "3.2 INTEGER 4", kTrunk + "4.2 STRING 0x38000000",
                                                           kTrunk + "5.2 INTEGER 1"}));
    EXPECT_NE(RowOf(form.LV_PortTrunk, "1")->text(1), "4");
}

TEST_F(PortFormsSim, RefusedTrunkWritesAreSetLinesAndLeaveTheFlags)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortTrunkForm form(nullptr, host);
    const std::vector<uint32_t> tableAccess = AccessOf(kvforms::varsPortTrunk);

    // A master port the switch does not have: the second write of Add fails.
    form.ED_Index->setText("4");
    form.ED_MasterPort->setText("30");
    Tick(form.PortGrid, {7});
    form.BT_Set->click();
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Set: (SNMP) ")) << form.StatusPanel0->text().toStdString();
    EXPECT_EQ(AccessOf(form.Binding()->Variables()), tableAccess);
    EXPECT_EQ(form.ED_MasterPort->text(), "30") << "what was typed stays";

    // A group past the switch's seven is never created; the refusal is shown.
    form.BT_Get->click();
    const int groups = form.LV_PortTrunk->topLevelItemCount();
    form.ED_Index->setText("8");
    form.ED_MasterPort->setText("9");
    form.BT_Set->click();
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Set: ")) << form.StatusPanel0->text().toStdString();
    EXPECT_FALSE(form.StatusPanel0->text().contains("Ok!"));
    EXPECT_EQ(AccessOf(form.Binding()->Variables()), tableAccess);
    form.BT_Get->click();
    EXPECT_EQ(form.LV_PortTrunk->topLevelItemCount(), groups);
    EXPECT_EQ(RowOf(form.LV_PortTrunk, "8"), nullptr);

    // Set on a group with a bad master port.
    Select(form.LV_PortTrunk, "1");
    form.ED_MasterPort->setText("27");
    form.SetBtn->click();
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Set: (SNMP) ")) << form.StatusPanel0->text().toStdString();
    form.BT_Get->click();
    EXPECT_EQ(RowOf(form.LV_PortTrunk, "1")->text(1), "25");
}

// --- port mirroring ------------------------------------------------------------------

TEST_F(PortFormsSim, MirrorShowsBothListsTargetAndState)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortMirrorForm form(nullptr, host);
    EXPECT_EQ(form.windowTitle(), "Port Mirror Table:127.0.0.1");
    EXPECT_EQ(form.StaticText1->text(), "1");
    EXPECT_EQ(form.ET_TargetPort->text(), "24");
    EXPECT_TRUE(form.CK_Status->isChecked()) << "mirroring is enabled";
    EXPECT_EQ(Ticked(form.IngressGrid), (std::vector<int>{1, 2}));
    EXPECT_EQ(Ticked(form.EgressGrid), (std::vector<int>{2}));
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Get: (VoDADI++) Ok!"));
}

TEST_F(PortFormsSim, MirrorSetWithBothGridsEmptyAsksAndWritesNothing)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortMirrorForm form(nullptr, host);
    form.IngressGrid->Clear();
    form.EgressGrid->Clear();
    sim->clearLog();
    KvMessageBox::Answerer answerer(QMessageBox::Ok);
    form.BT_Set->click();
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "Ingress Ports and Egress Ports can not be empty ");
    EXPECT_EQ(answerer.shown()[0].title, "Confirm");
    EXPECT_TRUE(Requests(*sim, "SET").empty());
    EXPECT_TRUE(Ticked(form.IngressGrid).empty()) << "the grids stay as they are";

    // One port in either grid lets the write go: both lists, the target and
    // the state; the state box writes disabled (2) when clear, enabled (3)
    // when ticked. The two grids are independent.
    Tick(form.EgressGrid, {26});
    form.CK_Status->setChecked(false);
    form.BT_Set->click();
    std::vector<std::string> sets = Requests(*sim, "SET");
    ASSERT_EQ(sets.size(), 1u) << form.StatusPanel0->text().toStdString();
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{kMirror + "2.0 STRING 0x00000000", kMirror + "3.0 STRING 0x00000040",
                                        kMirror + "4.0 INTEGER 24", kMirror + "5.0 INTEGER 2"}));
    Tick(form.IngressGrid, {1, 26});
    form.CK_Status->setChecked(true);
    sim->clearLog();
    form.BT_Set->click();
    sets = Requests(*sim, "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0])[0], kMirror + "2.0 STRING 0x80000040");
    EXPECT_EQ(Bindings(sets[0])[3], kMirror + "5.0 INTEGER 3");
    EXPECT_EQ(answerer.shown().size(), 1u);

    form.BT_RefreshClick();
    EXPECT_EQ(Ticked(form.IngressGrid), (std::vector<int>{1, 26}));
    EXPECT_EQ(Ticked(form.EgressGrid), (std::vector<int>{26}));
    EXPECT_TRUE(form.CK_Status->isChecked());
}

TEST_F(PortFormsSim, MirrorRefusedTargetIsASetLine)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TPortMirrorForm form(nullptr, host);
    form.ET_TargetPort->setText("99");
    form.BT_Set->click();
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Set: ")) << form.StatusPanel0->text().toStdString();
    EXPECT_FALSE(form.StatusPanel0->text().contains("Ok!"));
    form.BT_RefreshClick();
    EXPECT_EQ(form.ET_TargetPort->text(), "24");
}

// --- traffic segmentation --------------------------------------------------------------

TEST(TrafficSegmentation, PortIndexSplitsIntoUnitAndPort)
{
    using Texts = std::pair<QString, QString>;
    EXPECT_EQ(TTrafficSegmentationForm::UnitAndPort(3), Texts("15", "3"));
    EXPECT_EQ(TTrafficSegmentationForm::UnitAndPort(50), Texts("15", "50"));
    EXPECT_EQ(TTrafficSegmentationForm::UnitAndPort(53), Texts("1", "3"));
    EXPECT_EQ(TTrafficSegmentationForm::UnitAndPort(100), Texts("1", "50"));
    EXPECT_EQ(TTrafficSegmentationForm::UnitAndPort(126), Texts("2", "26"));
}

TEST_F(PortFormsSim, SegmentationWalksEveryPortAndWritesTheSelectedRow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TTrafficSegmentationForm form(nullptr, host);
    EXPECT_EQ(form.windowTitle(), "Traffic Segmentation Table:127.0.0.1");
    ASSERT_TRUE(WaitFor([&] { return form.GetComplete; }));
    ASSERT_EQ(form.LV_TrafficForward->topLevelItemCount(), 26);
    EXPECT_EQ(form.StaticText1->text(), "26");
    EXPECT_TRUE(form.StatusPanel0->text().startsWith("Get: (VoDADI++) Ok!"));

    Select(form.LV_TrafficForward, "9");
    EXPECT_EQ(form.Combo_Unit->text(), "15");
    EXPECT_EQ(form.Combo_Port->text(), "9");
    std::vector<int> group{9, 10, 11, 12, 13, 14, 15, 16, 25, 26};
    EXPECT_EQ(Ticked(form.PortGrid), group);

    Tick(form.PortGrid, {1});
    sim->clearLog();
    form.BT_Set->click();
    EXPECT_FALSE(form.GetComplete) << "the write and the walk after it are outstanding";
    ASSERT_TRUE(WaitFor([&] { return form.GetComplete; }));
    const std::vector<std::string> sets = Requests(*sim, "SET");
    ASSERT_EQ(sets.size(), 1u);
    // One unit's 56 ports: seven octets, port 1 the first octet's top bit.
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kSegment + "2.9 STRING 0x80FF00C0000000"}));
    ASSERT_EQ(form.LV_TrafficForward->topLevelItemCount(), 26);
    EXPECT_EQ(RowOf(form.LV_TrafficForward, "9")->text(1), "80FF00C0000000");

    form.LV_TrafficForward->clearSelection();
    EXPECT_EQ(form.Combo_Unit->text(), "");
    EXPECT_EQ(form.Combo_Port->text(), "");
}

TEST_F(PortFormsSim, SegmentationRefusesRefreshAndSetDuringAWalkUntilStop)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--delay", "150"}));
    KvMessageBox::Answerer answerer(QMessageBox::Ok);
    TTrafficSegmentationForm form(nullptr, host);
    EXPECT_FALSE(form.GetComplete);
    ASSERT_TRUE(WaitFor([&] { return form.LV_TrafficForward->topLevelItemCount() >= 2; }));
    form.BT_Set->click();
    form.BT_Get->click();
    ASSERT_EQ(answerer.shown().size(), 2u);
    EXPECT_EQ(answerer.shown()[0].text, "Refresh not complete");
    EXPECT_EQ(answerer.shown()[1].text, "Refresh not complete");
    EXPECT_TRUE(Requests(*sim, "SET").empty());

    // Stop ends the walk at its next step and lets Refresh start at once.
    form.StopBtn->click();
    EXPECT_TRUE(form.GetComplete);
    const int stoppedAt = form.LV_TrafficForward->topLevelItemCount();
    EXPECT_LT(stoppedAt, 26);
    form.BT_Get->click();
    EXPECT_EQ(answerer.shown().size(), 2u);
    EXPECT_FALSE(form.GetComplete);
    ASSERT_TRUE(WaitFor([&] { return form.GetComplete; }, 20000));
    EXPECT_EQ(form.LV_TrafficForward->topLevelItemCount(), 26);
    EXPECT_EQ(form.StaticText1->text(), "26");
}

// --- aggregation ports -------------------------------------------------------------------

TEST_F(PortFormsSim, AggregatorRowSelectionTicksTheFourStateSheets)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TAggregatorPortTableForm form(nullptr, host);
    ASSERT_TRUE(WaitFor([&] { return !form.Binding()->busy && form.ListView1->topLevelItemCount() == 26; }));
    EXPECT_EQ(form.StaticText1->text(), "26");
    EXPECT_EQ(form.ListView1->columnCount(), 24);
    EXPECT_EQ(form.PageControl1->count(), 4);
    ASSERT_EQ(form.CheckBoxes.size(), 32);
    const auto ticked = [&](int sheet) {
        std::vector<int> bits;
        for (int bit = 0; bit < 8; ++bit)
            if (form.CheckBoxes[sheet * 8 + bit]->isChecked())
                bits.push_back(bit);
        return bits;
    };
    for (int sheet = 0; sheet < 4; ++sheet)
        EXPECT_TRUE(ticked(sheet).empty()) << "nothing ticked before a row is selected";
    EXPECT_EQ(form.CheckBoxes[0]->text(), "lacpActivity");
    EXPECT_EQ(form.CheckBoxes[31]->objectName(), "CheckBox32");

    // Port 25: A0, BC, BC, BC; bit 0 is the octet's most significant bit.
    Select(form.ListView1, "25");
    EXPECT_EQ(ticked(0), (std::vector<int>{0, 2}));
    EXPECT_EQ(ticked(1), (std::vector<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(ticked(2), (std::vector<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(ticked(3), (std::vector<int>{0, 2, 3, 4, 5}));
    // Port 3: 20, 22, 40, 02; every sheet follows the new row.
    Select(form.ListView1, "3");
    EXPECT_EQ(ticked(0), (std::vector<int>{2}));
    EXPECT_EQ(ticked(1), (std::vector<int>{2, 6}));
    EXPECT_EQ(ticked(2), (std::vector<int>{1}));
    EXPECT_EQ(ticked(3), (std::vector<int>{6}));
    EXPECT_TRUE(form.CheckBoxes[6]->isEnabled());

    // Refresh clears every sheet; nothing is ever written.
    form.GetBtn->click();
    ASSERT_TRUE(WaitFor([&] { return !form.Binding()->busy; }));
    for (int sheet = 0; sheet < 4; ++sheet)
        EXPECT_TRUE(ticked(sheet).empty());
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 26);
    EXPECT_TRUE(Requests(*sim, "SET").empty());
    EXPECT_TRUE(MemoLines(form.Memo1).last().startsWith("Get: (VoDADI++) Ok!"));
}

// --- closing while a walk is out ---------------------------------------------------------

TEST_F(PortFormsSim, ClosingDuringASlowWalkReturnsPromptly)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--delay", "300"}));
    {
        TAggregatorPortTableForm form(nullptr, host);
        form.show();
        ASSERT_TRUE(WaitFor([&] { return form.ListView1->topLevelItemCount() >= 1; }));
        ASSERT_TRUE(form.Binding()->busy);
        QElapsedTimer closing;
        closing.start();
        form.close();
        // The step that is out is answered within its delay; no more follow.
        EXPECT_LT(closing.elapsed(), 1500);
        EXPECT_FALSE(form.Binding()->busy);
        EXPECT_LT(form.ListView1->topLevelItemCount(), 26);
    }
    {
        TTrafficSegmentationForm form(nullptr, host);
        form.show();
        ASSERT_TRUE(WaitFor([&] { return form.LV_TrafficForward->topLevelItemCount() >= 1; }));
        QElapsedTimer closing;
        closing.start();
        form.reject(); // Esc
        EXPECT_LT(closing.elapsed(), 1500);
        EXPECT_FALSE(form.Binding()->busy);
    }
    // Destroyed without being closed: the outstanding step is dropped.
    QElapsedTimer destroying;
    destroying.start();
    auto form = std::make_unique<TEquipmentBasicInfoForm>(nullptr, host);
    EXPECT_TRUE(form->Binding()->busy);
    form.reset();
    EXPECT_LT(destroying.elapsed(), 1500);
    Settle(500);
}

// --- statistics and unit windows ---------------------------------------------------------

QStringList Captions(QTreeWidget* list)
{
    QStringList captions;
    for (int c = 0; c < list->columnCount(); ++c)
        captions << list->headerItem()->text(c);
    return captions;
}

TEST_F(PortFormsSim, TheTwoStatisticsWindowsShowTheirOwnTables)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TMacStatisticTableForm frames(nullptr, host);
    TDiagnosticsInformationForm diagnostics(nullptr, host);
    EXPECT_EQ(frames.windowTitle(), "MacStatisticTableForm");
    EXPECT_EQ(diagnostics.windowTitle(), "DiagnosticsInformation  Form");

    const QStringList frameColumns = Captions(frames.ListView1);
    ASSERT_EQ(frameColumns.size(), 12);
    EXPECT_EQ(frameColumns.first(), "Port Number");
    EXPECT_EQ(frameColumns[1], "Total Received Frames");
    EXPECT_EQ(frameColumns.last(), "Eapol Frame Version");
    const QStringList diagnosticColumns = Captions(diagnostics.ListView1);
    ASSERT_EQ(diagnosticColumns.size(), 19);
    EXPECT_EQ(diagnosticColumns[1], "EntersConnecting");
    EXPECT_EQ(diagnosticColumns.last(), "BackendAuthFails");

    // One row per port, the counters as the switch has them.
    ASSERT_EQ(frames.ListView1->topLevelItemCount(), 4);
    EXPECT_EQ(frames.ListView1->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(frames.ListView1->topLevelItem(1)->text(1), "427");
    ASSERT_EQ(diagnostics.ListView1->topLevelItemCount(), 4);
    EXPECT_EQ(diagnostics.ListView1->topLevelItem(3)->text(13), "24");
    EXPECT_TRUE(MemoLines(frames.Memo1).last().startsWith("Get: (VoDADI++) Ok!"));

    // Refresh walks again; a failed walk is reported in the memo.
    frames.Button1->click();
    EXPECT_EQ(frames.ListView1->topLevelItemCount(), 4);
    EXPECT_EQ(MemoLines(frames.Memo1).size(), 2);
    sim->stop();
    frames.Binding()->Request().timeout = 20;
    frames.Binding()->Request().retries = 0;
    frames.Button1->click();
    EXPECT_TRUE(MemoLines(frames.Memo1).last().startsWith("Get: "));
    EXPECT_FALSE(MemoLines(frames.Memo1).last().contains("Ok!"));
}

TEST_F(PortFormsSim, EquipmentShowsTheUnitCountsAndVersion)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TEquipmentBasicInfoForm form(nullptr, host);
    EXPECT_EQ(form.windowTitle(), "Equiment Basic Information");
    ASSERT_TRUE(WaitFor([&] { return !form.Binding()->busy; }));
    EXPECT_EQ(form.Edit1->text(), "80") << "the capacity bits in hexadecimal";
    EXPECT_EQ(form.Edit2->text(), "8");
    EXPECT_EQ(form.Edit3->text(), "1");
    EXPECT_EQ(form.Edit4->text(), "1") << "the stacking version is the fourth field";
    ASSERT_EQ(MemoLines(form.Memo1).size(), 1);
    EXPECT_TRUE(MemoLines(form.Memo1)[0].startsWith("Get: (VoDADI++) Ok!"));
    form.BitBtn1->click();
    ASSERT_TRUE(WaitFor([&] { return MemoLines(form.Memo1).size() == 2; }));
}

TEST(ModuleConfiguration, SetResetsTheUnitWindowsAndStaysOpen)
{
    int resets = 0;
    KvFormHost host;
    host.resetUnitWindows = [&] { ++resets; };
    TModuleBasicConfigurationForm form(nullptr, host);
    EXPECT_EQ(form.windowTitle(), "Module Basic Configuration");
    form.show();
    form.BitBtn1->click();
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(form.isVisible());
    form.BitBtn2->click();
    EXPECT_FALSE(form.isVisible());
    // Without a main window to reset, Set does nothing.
    TModuleBasicConfigurationForm alone(nullptr, KvFormHost{});
    alone.BitBtn1->click();
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

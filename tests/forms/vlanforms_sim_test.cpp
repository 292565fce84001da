// The VLAN and bridge windows against the switch simulator: what they show,
// and what reached the agent (the simulator's log) when they write: the
// three writes of a static VLAN, the two of a port-based VLAN, deletions,
// filter entries typed with their MAC keys, the 802.1Q and 802.1p settings,
// the GARP window's ready flags, and closing during a slow walk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "binding/kvlineeditconstraint.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/tforwardunregisteredinformationform.h"
#include "forms/vlan/tgarpform.h"
#include "forms/vlan/tmulticastfilterinformationform.h"
#include "forms/vlan/tmulticastforwardinginformationform.h"
#include "forms/vlan/tpbridgeconfigform.h"
#include "forms/vlan/tportbasedvlanform.h"
#include "forms/vlan/tportcapabilities8021dform.h"
#include "forms/vlan/ttpgroupdestinationforwardedform.h"
#include "forms/vlan/tunicastfilterinformationform.h"
#include "forms/vlan/tvlancurrenttableform.h"
#include "forms/vlan/tvlangeneralinfoform.h"
#include "forms/vlan/tvlanportinfomationform.h"
#include "forms/vlan/tvlanstaticform.h"
#include "journal/kvjournal.h"
#include "journal/kvjournalundo.h"
#include "osprey_config.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

namespace {

const std::string kEnt = OSPREY_ENT_OID;
const std::string kStatic = "1.3.6.1.2.1.17.7.1.4.3.1.";
const std::string kPortVlan = kEnt + ".12.2.6.1.1.";

bool WaitFor(const std::function<bool()>& done, int ms = 10000)
{
    return kvtest::WaitFor(done, ms);
}

std::vector<std::string> Lines(const std::vector<std::string>& log, const std::string& operation)
{
    std::vector<std::string> found;
    for (const std::string& line : log)
        if (line.rfind(operation + " ", 0) == 0)
            found.push_back(line);
    return found;
}

// The bindings of one log line ("OID TYPE VALUE" each).
std::vector<std::string> Bindings(const std::string& line)
{
    std::vector<std::string> out;
    const size_t colon = line.find(": ");
    if (colon == std::string::npos)
        return out;
    std::string rest = line.substr(colon + 2);
    size_t pos = 0;
    while (true) {
        const size_t bar = rest.find(" | ", pos);
        out.push_back(rest.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
        if (bar == std::string::npos)
            break;
        pos = bar + 3;
    }
    return out;
}

// Walk requests that start at the first column of a table.
// Walks that started at `firstColumn`: their first request (GETNEXT, or
// GETBULK under SNMPv2c) names the column itself.
size_t WalkStarts(const std::vector<std::string>& log, const std::string& firstColumn)
{
    size_t n = 0;
    for (const char* operation : {"GETNEXT", "GETBULK"}) {
        for (const std::string& line : Lines(log, operation)) {
            const std::vector<std::string> b = Bindings(line);
            n += !b.empty() && b[0] == firstColumn + " NULL";
        }
    }
    return n;
}

QStringList Column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

std::vector<int> Ticked(const TStackingPortUitForm* grid)
{
    std::vector<int> ports;
    for (int i = 0; i < grid->CheckBoxes().size(); ++i)
        if (grid->CheckBox(i)->isChecked())
            ports.push_back(i + 1);
    return ports;
}

// Keys as the operator types them, one press per character.
void TypeInto(QWidget* editor, const QString& text)
{
    editor->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + c.digitValue(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(editor, &press);
    }
}

void Tick(TStackingPortUitForm* grid, std::initializer_list<int> ports)
{
    for (int port : ports)
        grid->CheckBox(port - 1)->setChecked(true);
}

class VlanFormsSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvvlanforms", "/"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        host.agentAddress = "127.0.0.1";
        host.getReady = &getReady;
        host.setReady = &setReady;
        host.requestComplete = [this] {
            getReady = true;
            setReady = true;
            ++completions;
        };
    }

    void Start(std::vector<std::string> simArgs = {}, std::string dataFile = {})
    {
        KvResetMessageSets();
        // SNMPv2c, as the host's INI file sets it up: the agent's errors come
        // in their SNMPv2 forms.
        KvSNMPSecurity.version = kvVersion2c;
        sim = std::make_unique<SimFixture>(
            SimFixture::Options{.dataFile = std::move(dataFile), .extraArgs = std::move(simArgs)});
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(*sim, &error)) << error;
    }

    template <class Form>
    std::unique_ptr<Form> Open()
    {
        auto form = std::make_unique<Form>(nullptr, host);
        form->show();
        EXPECT_TRUE(Idle(*form));
        return form;
    }

    static bool Idle(const TBridgeForm& form, int ms = 10000)
    {
        return WaitFor([&form] { return !form.AnyBusy(); }, ms);
    }

    static void Select(QTreeWidget* list, const QString& caption)
    {
        TBridgeForm::SelectRowByCaption(list, caption, {});
        ASSERT_EQ(TBridgeForm::SelectedCaption(list), caption);
    }

    std::vector<std::string> Sets() const { return Lines(sim->logLines(), "SET"); }

    // The bundled switch with `from` replaced by `to`, as a data file of the test.
    std::string ChangedSwitch(const std::string& from, const std::string& to)
    {
        const std::filesystem::path bundled =
            std::filesystem::path(SimFixture::simulatorPath()).parent_path() / "osprey.sim";
        std::ifstream in(bundled);
        std::stringstream text;
        text << in.rdbuf();
        std::string data = text.str();
        const size_t at = data.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            data.replace(at, from.size(), to);
        const std::string path =
            (std::filesystem::temp_directory_path() / ("vlanforms-" + std::to_string(::getpid()) + ".sim")).string();
        std::ofstream(path) << data;
        changedFiles.push_back(path);
        return path;
    }

    void TearDown() override
    {
        for (const std::string& path : changedFiles)
            std::filesystem::remove(path);
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    KvMessageBox::Answerer answerer;
    std::unique_ptr<SimFixture> sim;
    KvFormHost host;
    bool getReady = false;
    bool setReady = false;
    int completions = 0;
    std::vector<std::string> changedFiles;
};

// --- 802.1Q static VLANs -------------------------------------------------------------

TEST_F(VlanFormsSim, StaticVlansAreListedWithTheNextFreeIndexAndShownInTheGrids)
{
    Start();
    auto form = Open<TVlanStaticForm>();
    QTreeWidget* list = form->LV_dot1qVlanStaticEntry;
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "10", "20", "30"}));
    EXPECT_EQ(Column(list, 1), (QStringList{"default", "sales", "engineering", "voice"}));
    EXPECT_EQ(Column(list, 2)[1], "FF0000C0");
    EXPECT_EQ(Column(list, 5)[0], "Active");
    EXPECT_EQ(form->ST_Count2->text(), "4");
    EXPECT_EQ(form->NextFreeLocalVlanIndex->text(), "4096");
    EXPECT_FALSE(form->DeleteBtn->isEnabled());
    EXPECT_EQ(form->Status->currentIndex(), -1);
    EXPECT_TRUE(form->Memo1->toPlainText().startsWith("Get: (VoDADI++) Ok!"));

    // Port n is bit n - 1 from the top of the first octet.
    Select(list, "10");
    EXPECT_TRUE(form->DeleteBtn->isEnabled());
    EXPECT_EQ(form->ED_VLANID->text(), "10");
    EXPECT_EQ(form->ED_VLANName->text(), "sales");
    EXPECT_EQ(form->Status->currentText(), "Active");
    EXPECT_EQ(Ticked(form->EgressGrid), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 25, 26}));
    EXPECT_EQ(Ticked(form->UntaggedGrid), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(Ticked(form->ForbiddenGrid).empty());
    // A kind-3 table keeps its editors enabled.
    EXPECT_TRUE(form->ED_VLANName->isEnabled());

    // Refresh empties the editors and the grids.
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(form->ED_VLANID->text(), "");
    EXPECT_EQ(form->Status->currentIndex(), -1);
    EXPECT_TRUE(Ticked(form->EgressGrid).empty());
    EXPECT_FALSE(form->DeleteBtn->isEnabled());
    EXPECT_EQ(form->ST_Count2->text(), "4");
}

TEST_F(VlanFormsSim, DeletingAndAddingVlanTenWritesStatusSixThenThreeSets)
{
    Start();
    auto form = Open<TVlanStaticForm>();
    QTreeWidget* list = form->LV_dot1qVlanStaticEntry;

    // Delete: the status "Destroy" for the selected VLAN, then the list again.
    Select(list, "10");
    sim->clearLog();
    form->DeleteBtn->click();
    ASSERT_TRUE(Idle(*form));
    ASSERT_TRUE(WaitFor([&] { return list->topLevelItemCount() == 3; }));
    std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    const std::vector<std::string> destroy = Bindings(sets[0]);
    EXPECT_EQ(destroy.back(), kStatic + "5.10 INTEGER 6");
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "20", "30"}));
    EXPECT_GE(WalkStarts(sim->logLines(), kStatic + "1"), 1u);
    EXPECT_EQ(form->ED_VLANID->text(), "");

    // Add VLAN 10 with egress ports 1 and 2 and port 2 untagged.
    sim->clearLog();
    form->ED_VLANID->setText("10");
    form->ED_VLANName->setText("sales");
    Tick(form->EgressGrid, {1, 2});
    Tick(form->UntaggedGrid, {2});
    form->AddBtn->click();
    sets = Sets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kStatic + "5.10 INTEGER 4"}));
    // The row exists after the first write: the others carry no status.
    EXPECT_EQ(Bindings(sets[1]), (std::vector<std::string>{
                                     kStatic + "1.10 STRING \"sales\"",
                                     kStatic + "2.10 STRING 0xC0000000",
                                     kStatic + "3.10 STRING 0x00000000",
                                 }));
    EXPECT_EQ(Bindings(sets[2]), (std::vector<std::string>{
                                     kStatic + "1.10 STRING \"sales\"",
                                     kStatic + "2.10 STRING 0xC0000000",
                                     kStatic + "3.10 STRING 0x00000000",
                                     kStatic + "4.10 STRING 0x40000000",
                                 }));
    // The binding stays blocking; the list was read again after the writes.
    EXPECT_EQ(form->TableBinding()->mode, KvSNMPRequest2Controls::kModeBlocking);
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "10", "20", "30"}));
    EXPECT_EQ(Column(list, 2)[1], "C0000000");
    EXPECT_EQ(Column(list, 4)[1], "40000000");
    EXPECT_EQ(Column(list, 5)[1], "Active");

    // An egress value whose first octet is C0 ticks boxes 1 and 2.
    Select(list, "10");
    EXPECT_EQ(Ticked(form->EgressGrid), (std::vector<int>{1, 2}));
    EXPECT_EQ(Ticked(form->UntaggedGrid), (std::vector<int>{2}));

    // The next free index advanced; the current table shows the new VLAN.
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(form->NextFreeLocalVlanIndex->text(), "4097");
    auto current = Open<TVLanCurrentTableForm>();
    EXPECT_EQ(Column(current->LV_dot1qVlanCurrentEntry, 1), (QStringList{"1", "10", "20", "30"}));
    EXPECT_EQ(Column(current->LV_dot1qVlanCurrentEntry, 3)[1], "C0000000");
    EXPECT_EQ(current->VlanNumDeletes->text(), "3");
}

// Every write of the form is journaled with what it overwrote; a deleted
// VLAN comes back whole from its entry, and an added one goes again.
TEST_F(VlanFormsSim, DeletedAndAddedVlansAreJournaledWholeAndUndone)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vlanjournal-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    KvJournal journal(folder.string());
    const KvJournalInstallation installed(&journal);
    Start();
    auto form = Open<TVlanStaticForm>();
    QTreeWidget* list = form->LV_dot1qVlanStaticEntry;

    Select(list, "10");
    form->DeleteBtn->click();
    ASSERT_TRUE(Idle(*form));
    ASSERT_TRUE(WaitFor([&] { return list->topLevelItemCount() == 3; }));
    KvJournalLog log = journal.Read("127.0.0.1", static_cast<uint16_t>(sim->port()));
    EXPECT_TRUE(log.warnings.empty());
    ASSERT_EQ(log.entries.size(), 1u);
    const KvJournalEntry deleted = log.entries[0];
    EXPECT_EQ(deleted.write.kind, KvWriteRecord::Kind::DestroyRow);
    EXPECT_EQ(deleted.result, "Ok");
    ASSERT_FALSE(deleted.write.variables.empty());
    EXPECT_EQ(deleted.write.variables.back().oid, kStatic + "5.10");
    EXPECT_EQ(deleted.write.variables.back().before, "Active");
    EXPECT_TRUE(deleted.write.variables.back().rowStatus);
    std::map<std::string, std::string> row;
    for (const KvWriteRecordVariable& column : deleted.write.row)
        row[column.oid] = column.before;
    EXPECT_EQ(row[kStatic + "1.10"], "sales");
    EXPECT_EQ(row.count(kStatic + "2.10"), 1u);

    // Undo: the row is created again with the values it had.
    KvUndoPlan plan = KvJournalUndo::Plan(log, deleted.id);
    ASSERT_TRUE(plan.allowed) << plan.Describe();
    sim->clearLog();
    KvUndoResult undone = KvJournalUndo::Apply(plan);
    ASSERT_TRUE(undone.ok) << undone.message;
    std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    const std::vector<std::string> create = Bindings(sets[0]);
    EXPECT_EQ(create.front(), kStatic + "5.10 INTEGER 4");
    EXPECT_NE(std::find(create.begin(), create.end(), kStatic + "1.10 STRING \"sales\""), create.end()) << sets[0];
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    ASSERT_EQ(Column(list, 0), (QStringList{"1", "10", "20", "30"}));
    EXPECT_EQ(Column(list, 1)[1], "sales");
    log = journal.Read("127.0.0.1", static_cast<uint16_t>(sim->port()));
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[1].write.undoes, deleted.id);
    EXPECT_EQ(log.entries[0].undoneBy, log.entries[1].id);
    // Undone already: a second undo is refused and sends nothing.
    sim->clearLog();
    EXPECT_FALSE(KvJournalUndo::Plan(log, deleted.id).allowed);
    EXPECT_TRUE(Sets().empty());

    // Add VLAN 50: three writes, each with what it overwrote. Undo of its
    // creation destroys the row.
    form->ED_VLANID->setText("50");
    form->ED_VLANName->setText("lab");
    Tick(form->EgressGrid, {3});
    form->AddBtn->click();
    ASSERT_TRUE(Idle(*form));
    log = journal.Read("127.0.0.1", static_cast<uint16_t>(sim->port()));
    ASSERT_EQ(log.entries.size(), 5u);
    const KvJournalEntry created = log.entries[2];
    EXPECT_EQ(created.write.kind, KvWriteRecord::Kind::CreateRow);
    EXPECT_EQ(created.write.caption, form->windowTitle().toStdString());
    ASSERT_EQ(created.write.variables.size(), 1u);
    EXPECT_TRUE(created.write.variables[0].absent);
    EXPECT_EQ(created.write.variables[0].written, "CreateAndGo");
    for (size_t i = 3; i < 5; ++i)
        for (const KvWriteRecordVariable& v : log.entries[i].write.variables) {
            if (v.oid == kStatic + "1.50") {
                EXPECT_FALSE(v.absent) << "the row exists after its creation";
                EXPECT_EQ(v.written, "lab");
            }
        }
    plan = KvJournalUndo::Plan(log, created.id);
    ASSERT_TRUE(plan.allowed) << plan.Describe();
    sim->clearLog();
    undone = KvJournalUndo::Apply(plan);
    ASSERT_TRUE(undone.ok) << undone.message;
    sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kStatic + "5.50 INTEGER 6"}));
    log = journal.Read("127.0.0.1", static_cast<uint16_t>(sim->port()));
    const KvJournalEntry& removal = log.entries.back();
    EXPECT_EQ(removal.write.kind, KvWriteRecord::Kind::DestroyRow);
    EXPECT_EQ(removal.write.undoes, created.id);
    bool named = false;
    for (const KvWriteRecordVariable& column : removal.write.row)
        named = named || (column.oid == kStatic + "1.50" && column.before == "lab");
    EXPECT_TRUE(named) << "the removed row is recorded whole";
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "10", "20", "30"}));
    std::filesystem::remove_all(folder);
}

// An agent that keeps to the row-status rules refuses createAndGo for a row
// that exists; the lenient one takes it. Both end with the same rows.
TEST_F(VlanFormsSim, AddedVlansAreWholeOnAStrictAndOnALenientAgent)
{
    for (const bool strict : {false, true}) {
        SCOPED_TRACE(strict ? "strict" : "lenient");
        Start(strict ? std::vector<std::string>{"--strict-rowstatus"} : std::vector<std::string>{});
        {
            auto form = Open<TVlanStaticForm>();
            form->ED_VLANID->setText("50");
            form->ED_VLANName->setText("lab");
            Tick(form->EgressGrid, {3});
            sim->clearLog();
            form->AddBtn->click();
            EXPECT_EQ(Sets().size(), 3u);
            const QStringList lines = form->Memo1->toPlainText().split('\n');
            for (const QString& line : lines.mid(lines.size() - 3))
                EXPECT_FALSE(line.startsWith("Set:") && !line.startsWith("Set: (VoDADI++) Ok!")) << line.toStdString();
            QTreeWidget* list = form->LV_dot1qVlanStaticEntry;
            ASSERT_EQ(Column(list, 0), (QStringList{"1", "10", "20", "30", "50"}));
            EXPECT_EQ(Column(list, 1)[4], "lab");
            EXPECT_EQ(Column(list, 2)[4], "20000000");
            EXPECT_EQ(Column(list, 5)[4], "Active");
        }
        {
            auto form = Open<TPortBasedVLanForm>();
            form->IndexEdit->setText("3");
            form->NameEdit->setText("lab");
            Tick(form->MemberGrid, {5});
            form->AddBtn->click();
            ASSERT_EQ(Column(form->ListView1, 0), (QStringList{"1", "2", "3"}));
            EXPECT_EQ(Column(form->ListView1, 1)[2], "lab");
            EXPECT_EQ(Column(form->ListView1, 2)[2], "08000000");
        }
    }
}

TEST_F(VlanFormsSim, WithTwoStaticVlansSelectedTheEditorsAndDeleteTakeTheOneClickedLast)
{
    Start();
    auto form = Open<TVlanStaticForm>();
    QTreeWidget* list = form->LV_dot1qVlanStaticEntry;
    auto row = [list](int place) { return list->topLevelItem(place); }; // 1, 10, 20, 30
    const QStringList narrow = kvtest::NarrowColumns(list, KvSNMPRequest2Edits::kMaxColumnWidth);
    EXPECT_TRUE(narrow.isEmpty()) << narrow.join(", ").toStdString();
    kvtest::ClickRow(list, row(1));
    kvtest::ClickRow(list, row(2), Qt::ControlModifier);
    ASSERT_EQ(list->selectedItems().size(), 2);
    EXPECT_EQ(form->ED_VLANID->text(), "20");
    EXPECT_EQ(form->ED_VLANName->text(), "engineering");
    EXPECT_TRUE(form->DeleteBtn->isEnabled());

    sim->clearLog();
    form->DeleteBtn->click();
    ASSERT_TRUE(Idle(*form));
    ASSERT_TRUE(WaitFor([&] { return list->topLevelItemCount() == 3; }));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]).back(), kStatic + "5.20 INTEGER 6");
    EXPECT_EQ(sets[0].find(".10 "), std::string::npos) << sets[0];
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "10", "30"}));
}

TEST_F(VlanFormsSim, RefusedVlansAreShownAsSetLinesAndChangeNothing)
{
    Start();
    auto form = Open<TVlanStaticForm>();
    struct Case {
        const char* id;
        std::string name;
        const char* message;
    };
    const Case cases[] = {
        {"0", "zero", "(SNMP) Cannot create variable, Creation Not Allowed!"},
        {"4095", "reserved", "(SNMP) Cannot create variable, Creation Not Allowed!"},
        {"50", std::string(33, 'n'), "(SNMP) Cannot create/set variable, Wrong Length!"},
    };
    for (const Case& c : cases) {
        form->Memo1->clear();
        form->ED_VLANID->setText(c.id);
        form->ED_VLANName->setText(QString::fromStdString(c.name));
        form->AddBtn->click();
        // The failing write's line comes last (VLAN 50's first write passed).
        const QString memo = form->Memo1->toPlainText().split('\n').last();
        EXPECT_TRUE(memo.startsWith("Set: " + QString(c.message))) << c.id << ": " << memo.toStdString();
        EXPECT_TRUE(answerer.shown().empty());
        // The flags are back: a later write selects its columns afresh.
        for (const KvSNMPVar& var : form->TableBinding()->Variables().Elements())
            EXPECT_EQ(var.access & accSkip, 0u);
    }
    // VLAN 50 was created by its first write and named by none.
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(Column(form->LV_dot1qVlanStaticEntry, 0), (QStringList{"1", "10", "20", "30", "50"}));
    EXPECT_EQ(Column(form->LV_dot1qVlanStaticEntry, 1)[4], "");
}

TEST_F(VlanFormsSim, CurrentTableShowsKeysFirstPortListsInHexAndStatusByName)
{
    Start();
    // A VLAN on every port, made through the static window.
    {
        auto make = Open<TVlanStaticForm>();
        make->ED_VLANID->setText("40");
        make->ED_VLANName->setText("all");
        for (int port = 1; port <= 26; ++port)
            Tick(make->EgressGrid, {port});
        make->AddBtn->click();
    }
    auto form = Open<TVLanCurrentTableForm>();
    QTreeWidget* list = form->LV_dot1qVlanCurrentEntry;
    ASSERT_EQ(list->headerItem()->text(0), "VLANTimeMark");
    EXPECT_EQ(list->headerItem()->text(1), "VLANIndex");
    EXPECT_EQ(Column(list, 0)[0], "0:00:00.00");
    EXPECT_EQ(Column(list, 1), (QStringList{"1", "10", "20", "30", "40"}));
    EXPECT_EQ(Column(list, 3)[4], "FFFFFFC0");
    EXPECT_EQ(Column(list, 5)[0], "permanent");
    EXPECT_EQ(form->ST_Count2->text(), "5");
    EXPECT_EQ(form->VlanNumDeletes->text(), "2");
    EXPECT_TRUE(form->SetBtn->isHidden());

    list->setCurrentItem(list->topLevelItem(4));
    list->topLevelItem(4)->setSelected(true);
    EXPECT_EQ(form->StaticText1->text(), "40");
    std::vector<int> all;
    for (int port = 1; port <= 26; ++port)
        all.push_back(port);
    EXPECT_EQ(Ticked(form->EgressGrid), all);

    // Without a selection the detail is empty again.
    list->clearSelection();
    EXPECT_EQ(form->StaticText1->text(), "");
    EXPECT_TRUE(Ticked(form->EgressGrid).empty());
}

// --- port-based VLANs ----------------------------------------------------------------------

TEST_F(VlanFormsSim, PortBasedVlanIsAddedInTwoWritesAndDeletedWithIndexAndStatusOnly)
{
    Start();
    auto form = Open<TPortBasedVLanForm>();
    EXPECT_EQ(Column(form->ListView1, 0), (QStringList{"1", "2"}));
    sim->clearLog();
    form->IndexEdit->setText("3");
    form->NameEdit->setText("lab");
    Tick(form->MemberGrid, {5, 6});
    form->AddBtn->click();

    const std::vector<std::string> log = sim->logLines();
    const std::vector<std::string> sets = Lines(log, "SET");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{kPortVlan + "4.3 INTEGER 4"}));
    EXPECT_EQ(Bindings(sets[1]),
              (std::vector<std::string>{kPortVlan + "2.3 STRING \"lab\"", kPortVlan + "3.3 STRING 0x0C000000"}));
    // A refresh between the two writes and one after them.
    size_t firstSet = 0, secondSet = 0;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i] == sets[0])
            firstSet = i;
        if (log[i] == sets[1])
            secondSet = i;
    }
    std::vector<std::string> between(log.begin() + static_cast<long>(firstSet),
                                     log.begin() + static_cast<long>(secondSet));
    std::vector<std::string> after(log.begin() + static_cast<long>(secondSet), log.end());
    EXPECT_EQ(WalkStarts(between, kPortVlan + "1"), 1u);
    EXPECT_EQ(WalkStarts(after, kPortVlan + "1"), 1u);
    // The editors kept what was typed across the refresh.
    EXPECT_EQ(form->IndexEdit->text(), "3");
    EXPECT_EQ(form->NameEdit->text(), "lab");
    EXPECT_EQ(Column(form->ListView1, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Column(form->ListView1, 2)[2], "0C000000");
    EXPECT_EQ(form->Binding()->mode, KvSNMPRequest2Controls::kModeBlocking);

    Select(form->ListView1, "3");
    sim->clearLog();
    form->DeleteBtn->click();
    const std::vector<std::string> deletes = Sets();
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(Bindings(deletes[0]), (std::vector<std::string>{kPortVlan + "4.3 INTEGER 6"}));
    EXPECT_EQ(WalkStarts(sim->logLines(), kPortVlan + "1"), 1u);
    EXPECT_EQ(Column(form->ListView1, 0), (QStringList{"1", "2"}));
}

// --- filtering databases -------------------------------------------------------------------

TEST_F(VlanFormsSim, GroupAddressesAreContiguousHexadecimal)
{
    Start();
    auto form = Open<TTpGroupDestinationForwardedForm>();
    QTreeWidget* list = form->LV_dot1qTpGroupEntry;
    EXPECT_EQ(Column(list, 1), (QStringList{"01005E000001", "01005E7FFFFA", "01005E010203"}));
    EXPECT_EQ(Column(list, 0), (QStringList{"1", "1", "10"}));
    list->setCurrentItem(list->topLevelItem(0));
    list->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(Ticked(form->EgressGrid), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(VlanFormsSim, ForwardAllGridsWaitForARowAndShowItsStaticPorts)
{
    Start();
    auto form = Open<TMulticastForwardingInformationForm>();
    EXPECT_EQ(form->ST_Count->text(), "4");
    TStackingPortUitForm* statics = form->Grids[1];
    ASSERT_EQ(statics->CheckBoxes().size(), 26);
    EXPECT_FALSE(statics->CheckBox(0)->isEnabled());
    EXPECT_FALSE(form->SetBtn->isEnabled());
    Select(form->LV_dot1qForwardUnregisteredEntry, "1");
    EXPECT_TRUE(statics->CheckBox(0)->isEnabled());
    EXPECT_TRUE(form->SetBtn->isEnabled());
    EXPECT_EQ(Ticked(statics), (std::vector<int>{1, 26}));

    // Set writes the static and forbidden ports of the selected VLAN.
    sim->clearLog();
    Tick(form->Grids[2], {3});
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.2.4.1.2.1 STRING 0x80000040",
                                                           "1.3.6.1.2.1.17.7.1.2.4.1.3.1 STRING 0x20000000"}));
    ASSERT_TRUE(WaitFor([&] { return form->ST_Count->text() == "4"; }));
}

TEST_F(VlanFormsSim, ForwardUnregisteredGridsShowTheSelectedPortListsAndRefreshUnticksThem)
{
    Start();
    auto form = Open<TForwardUnregisteredInformationForm>();
    ASSERT_EQ(form->Grids[0]->CheckBoxes().size(), 728);
    EXPECT_EQ(form->ST_Count->text(), "4");
    Select(form->LV_dot1qForwardUnregisteredEntry, "10");
    EXPECT_EQ(Ticked(form->Grids[0]), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 25, 26}));
    EXPECT_EQ(Ticked(form->Grids[1]), (std::vector<int>{25, 26}));

    // Set writes the static and forbidden ports ticked, and reads the list
    // again; Refresh also unticks every box.
    sim->clearLog();
    Tick(form->Grids[2], {3});
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.2.5.1.2.10 STRING 0x000000C0",
                                                           "1.3.6.1.2.1.17.7.1.2.5.1.3.10 STRING 0x20000000"}));
    ASSERT_TRUE(WaitFor([&] { return WalkStarts(sim->logLines(), "1.3.6.1.2.1.17.7.1.2.5.1.1") == 1u; }));
    ASSERT_TRUE(Idle(*form));
    Select(form->LV_dot1qForwardUnregisteredEntry, "10");
    EXPECT_EQ(Ticked(form->Grids[2]), (std::vector<int>{3}));
    form->Grids[0]->CheckBox(700)->setChecked(true);
    form->RefreshBtn->click();
    for (TStackingPortUitForm* grid : form->Grids)
        EXPECT_EQ(grid->CheckedCount(), 0);
    ASSERT_TRUE(Idle(*form));
}

TEST_F(VlanFormsSim, UnicastEntryIsWrittenUnderItsTypedVidAndMac)
{
    Start();
    auto form = Open<TUnicastFilterInformationForm>();
    QTreeWidget* list = form->LV_dot1qStaticUnicastEntry;
    EXPECT_EQ(Column(list, 1), (QStringList{"000A0B0C0D01", "000A0B0C0D02"}));
    EXPECT_EQ(form->ST_Count->text(), "2");
    EXPECT_TRUE(form->DeleteBtn->isHidden());
    EXPECT_TRUE(form->Binding()->EditConstraint().IsRegistered(form->ED_UnicastVID));
    EXPECT_TRUE(form->Binding()->EditConstraint().IsRegistered(form->UnicastAddress));

    sim->clearLog();
    form->ED_UnicastVID->setText("20");
    form->UnicastAddress->setText("001122334455");
    Tick(form->AllowedGrid, {9, 10});
    form->UStatus->setCurrentText("permanent");
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    const std::string index = ".20.0.17.34.51.68.85.0";
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.3.1.1.3" + index + " STRING 0x00C00000",
                                                           "1.3.6.1.2.1.17.7.1.3.1.1.4" + index + " INTEGER 3"}));
    ASSERT_TRUE(WaitFor([&] { return list->topLevelItemCount() == 3; }));
    EXPECT_EQ(Column(list, 1)[2], "001122334455");
    EXPECT_EQ(form->ST_Count->text(), "3");
}

TEST_F(VlanFormsSim, MulticastEntryOfTheSelectedRowKeepsItsReceivePortAndRefreshClears)
{
    Start();
    auto form = Open<TMulticastFilterInformationForm>();
    QTreeWidget* list = form->LV_dot1qStaticMulticastEntry;
    Select(list, "1");
    EXPECT_EQ(form->ED_MACAddress->text(), "01005E000101");
    EXPECT_EQ(Ticked(form->EgressGrid), (std::vector<int>{1, 2, 3, 4}));
    sim->clearLog();
    Tick(form->ForbiddenGrid, {26});
    form->Status->setCurrentText("deleteOnReset");
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    const std::string index = ".1.1.0.94.0.1.1.0";
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.3.2.1.3" + index + " STRING 0xF0000000",
                                                           "1.3.6.1.2.1.17.7.1.3.2.1.4" + index + " STRING 0x00000040",
                                                           "1.3.6.1.2.1.17.7.1.3.2.1.5" + index + " INTEGER 4"}));
    ASSERT_TRUE(Idle(*form));
    Select(list, "1");
    form->RefreshBtn->click();
    EXPECT_EQ(form->ED_MulticastVID->text(), "");
    EXPECT_EQ(form->ED_MACAddress->text(), "");
    EXPECT_EQ(form->Status->currentIndex(), -1);
    EXPECT_EQ(form->EgressGrid->CheckedCount(), 0);
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(form->ST_Count->text(), "1");
}

// --- 802.1p, GARP, 802.1Q settings -----------------------------------------------------------

TEST_F(VlanFormsSim, BasicConfigureWritesTheGvrpStatusOnly)
{
    Start();
    auto form = Open<TVLanGeneralInfoForm>();
    EXPECT_EQ(form->VlanVersionNumber->text(), "1");
    EXPECT_EQ(form->MaxVlanId->text(), "4094");
    EXPECT_EQ(form->MaxSupportedVlans->text(), "256");
    EXPECT_EQ(form->CurrentNumOfVlans->text(), "4");
    EXPECT_EQ(form->GvrpStatus->currentText(), "disabled");
    sim->clearLog();
    form->GvrpStatus->setCurrentText("enabled");
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.1.5.0 INTEGER 1"}));
    EXPECT_TRUE(form->Memo1->toPlainText().contains("Set: (VoDADI++) Ok!"));
}

TEST_F(VlanFormsSim, PBridgeWritesEachSwitchInItsOwnRequestDespiteAFailure)
{
    Start({"--error-oid", "1.3.6.1.2.1.17.6.1.1.2=genErr"});
    auto form = Open<TPBridgeConfigForm>();
    EXPECT_EQ(form->Edit_DeviceCapabilities->text(), "D6");
    EXPECT_EQ(form->GmrpStatus->currentText(), "disabled");
    EXPECT_TRUE(form->Memo1->toPlainText().contains("Get: (SNMP) Cannot perform operation, General Error!"));
    sim->clearLog();
    form->Memo1->clear();
    form->TrafficClassesState->setCurrentText("false");
    form->GmrpStatus->setCurrentText("enabled");
    form->BT_SetClick();
    ASSERT_TRUE(Idle(*form));
    // The device capabilities have nothing to write: two writes, two lines.
    EXPECT_EQ(Sets().size(), 2u);
    EXPECT_EQ(form->Memo1->toPlainText().count("Set: "), 2) << form->Memo1->toPlainText().toStdString();
    bool gmrpWritten = false;
    for (const std::string& line : Sets())
        for (const std::string& binding : Bindings(line))
            gmrpWritten |= binding == "1.3.6.1.2.1.17.6.1.1.3.0 INTEGER 1";
    EXPECT_TRUE(gmrpWritten);
    EXPECT_TRUE(form->Memo1->toPlainText().contains("Set: (SNMP) Cannot perform operation, General Error!"));
}

TEST_F(VlanFormsSim, GarpRefreshWhileOneRunsDoesNothing)
{
    Start({"--delay", "40"});
    auto form = Open<TGARPForm>();
    EXPECT_TRUE(getReady);
    EXPECT_EQ(form->ST_Count->text(), "26");
    const std::string firstColumn = "1.3.6.1.2.1.17.1.4.1.1";
    ASSERT_EQ(WalkStarts(sim->logLines(), firstColumn), 1u);
    setReady = true;
    form->RefreshBtn->click();
    EXPECT_FALSE(getReady);
    form->Memo1->clear();
    form->RefreshBtn->click();
    form->SetBtnClick(); // its button waits for a row
    // Neither is dropped without a word.
    const QStringList refused = form->Memo1->toPlainText().split('\n');
    ASSERT_EQ(refused.size(), 2);
    EXPECT_TRUE(refused[0].startsWith("Get: Refresh not complete")) << refused[0].toStdString();
    EXPECT_TRUE(refused[1].startsWith("Set: Refresh not complete")) << refused[1].toStdString();
    ASSERT_TRUE(Idle(*form));
    ASSERT_TRUE(WaitFor([&] { return getReady && setReady; }));
    EXPECT_EQ(WalkStarts(sim->logLines(), firstColumn), 2u);
    EXPECT_TRUE(Sets().empty());
    EXPECT_FALSE(form->SetBtn->isEnabled()) << "no row selected";
    // Once the walk is over Refresh works again.
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(WalkStarts(sim->logLines(), firstColumn), 3u);

    // A write of port 2's times; the refresh after it leaves no row selected.
    Select(form->LV_dot1dPortGarpEntry, "2");
    form->GarpLeaveTime->setText("70");
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    ASSERT_TRUE(WaitFor([&] { return getReady && setReady; }));
    ASSERT_EQ(Sets().size(), 1u);
    EXPECT_EQ(Bindings(Sets()[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.6.1.3.1.1.1.2 INTEGER 20",
                                                             "1.3.6.1.2.1.17.6.1.3.1.1.2.2 INTEGER 70",
                                                             "1.3.6.1.2.1.17.6.1.3.1.1.3.2 INTEGER 1000"}));
    EXPECT_EQ(Column(form->LV_dot1dPortGarpEntry, 2)[1], "70");
    EXPECT_TRUE(form->LV_dot1dPortGarpEntry->selectedItems().isEmpty());
    EXPECT_FALSE(form->GarpLeaveTime->isEnabled());

    // The windows without ready flags say the same while their walk runs.
    auto ports = std::make_unique<TVLanPortInfomationForm>(nullptr, host);
    ports->show();
    ASSERT_TRUE(ports->Binding()->busy);
    ports->RefreshBtn->click();
    EXPECT_TRUE(ports->Memo1->toPlainText().startsWith("Get: Refresh not complete"))
        << ports->Memo1->toPlainText().toStdString();
    ASSERT_TRUE(Idle(*ports));
}

TEST_F(VlanFormsSim, GarpWriteSelectsTheRowAgainAndAFailedWriteLeavesTheButtonsWorking)
{
    // Port 1's join time cannot be written on this switch.
    Start({}, ChangedSwitch("1.3.6.1.2.1.17.6.1.3.1.1.1.[1..26]         integer  rw  20",
                            "1.3.6.1.2.1.17.6.1.3.1.1.1.[1..26]         integer  ro  20"));
    auto form = Open<TGARPForm>();
    ASSERT_TRUE(getReady && setReady);
    QTreeWidget* list = form->LV_dot1dPortGarpEntry;
    Select(list, "3");
    EXPECT_TRUE(form->GarpLeaveTime->isEnabled());
    EXPECT_EQ(form->GarpLeaveTime->text(), "60");
    sim->clearLog();
    form->SetBtn->click();
    EXPECT_FALSE(getReady || setReady);
    // The row is selected again right after the write started.
    EXPECT_EQ(TBridgeForm::SelectedCaption(list), "3");
    ASSERT_TRUE(Idle(*form));
    ASSERT_EQ(Sets().size(), 1u);
    EXPECT_EQ(Bindings(Sets()[0])[0], "1.3.6.1.2.1.17.6.1.3.1.1.1.3 INTEGER 20");
    EXPECT_TRUE(form->Memo1->toPlainText().contains("Set: (SNMP) Cannot create/set variable, Not Writable!"));
    // The failed write gave the flags back: Refresh runs.
    EXPECT_TRUE(getReady && setReady);
    form->RefreshBtn->click();
    ASSERT_TRUE(Idle(*form));
    EXPECT_EQ(WalkStarts(sim->logLines(), "1.3.6.1.2.1.17.1.4.1.1"), 1u);
}

TEST_F(VlanFormsSim, PortCapabilitiesAndPortVlanSettings)
{
    Start();
    {
        auto caps = Open<TPortCapabilities8021dForm>();
        EXPECT_EQ(caps->ST_Count->text(), "26");
        EXPECT_EQ(Column(caps->LV_dot1dPortCapabilitiesEntry, 1)[0], "E0");
        getReady = false;
        caps->RefreshBtn->click(); // not ready: nothing
        EXPECT_FALSE(caps->Binding()->busy);
        getReady = true;
        caps->RefreshBtn->click();
        EXPECT_FALSE(getReady);
        ASSERT_TRUE(Idle(*caps));
        EXPECT_TRUE(getReady);
    }

    auto form = Open<TVLanPortInfomationForm>();
    QTreeWidget* list = form->LV_dot1qPortVlanEntry;
    EXPECT_EQ(form->ST_Count->text(), "26");
    EXPECT_EQ(form->PortVLanID->text(), "");
    EXPECT_FALSE(form->PortVLanID->isEnabled());
    EXPECT_TRUE(form->AcceptableFrameTypes->isHidden());
    // Set waits for a port to write to.
    EXPECT_FALSE(form->SetBtn->isEnabled());
    Select(list, "9");
    EXPECT_TRUE(form->SetBtn->isEnabled());
    EXPECT_EQ(form->PortVLanID->text(), "20");
    EXPECT_EQ(form->IngressFiltering->currentText(), "false");
    // The port VLAN ID is shown, not taken: typing changes nothing.
    EXPECT_TRUE(form->PortVLanID->isEnabled());
    TypeInto(form->PortVLanID, "33");
    EXPECT_EQ(form->PortVLanID->text(), "20");
    sim->clearLog();
    form->IngressFiltering->setCurrentText("true");
    form->SetBtn->click();
    ASSERT_TRUE(Idle(*form));
    // The port number is the index; the port VLAN ID is never written.
    const std::vector<std::string> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (std::vector<std::string>{"1.3.6.1.2.1.17.7.1.4.5.1.3.9 INTEGER 1",
                                                           "1.3.6.1.2.1.17.7.1.4.5.1.4.9 INTEGER 2"}));
    EXPECT_EQ(Column(list, 2)[8], "true");
    EXPECT_EQ(Column(list, 1)[8], "20");
}

// --- closing -----------------------------------------------------------------------------------

TEST_F(VlanFormsSim, ClosingDuringASlowWalkReturnsAfterTheReplyInFlight)
{
    // Closed while the first answer (25 of the 26 rows) is still on its way.
    Start({"--delay", "400"});
    auto form = std::make_unique<TGARPForm>(nullptr, host);
    QElapsedTimer closed;
    QTimer::singleShot(250, form.get(), [&] {
        closed.start();
        form->close();
    });
    form->exec();
    const qint64 took = closed.elapsed();
    EXPECT_LT(took, 1500) << "closing waited " << took << " ms";
    const size_t requests = sim->logLines().size();
    EXPECT_LT(form->LV_dot1dPortGarpEntry->topLevelItemCount(), 26);
    form.reset();
    kvtest::Settle(900);
    EXPECT_EQ(sim->logLines().size(), requests) << "no request after the window closed";
}

TEST_F(VlanFormsSim, DestroyingAWindowDuringAWalkSendsNothingMore)
{
    Start({"--delay", "300"});
    for (int round = 0; round < 2; ++round) {
        auto form = std::make_unique<TVLanCurrentTableForm>(nullptr, host);
        form->show();
        kvtest::Settle(450);
        QElapsedTimer destroyed;
        destroyed.start();
        form.reset();
        EXPECT_LT(destroyed.elapsed(), 500);
    }
    const size_t requests = sim->logLines().size();
    kvtest::Settle(800);
    EXPECT_EQ(sim->logLines().size(), requests);
}

// The panels the windows' handlers and the host's scripts find by name: the
// grids' tabs (panels ScrollBox1... in tab order), the group box of a single
// grid, the splitter of the 802.1Q tables.
TEST_F(VlanFormsSim, PortGridsSitOnTheirNamedTabsAndGroups)
{
    Start();
    const auto tabs = [](const QDialog& form) {
        QStringList found;
        auto* pages = form.findChild<QTabWidget*>("PageControl1");
        for (int i = 0; pages && i < pages->count(); ++i)
            found << pages->tabText(i) + "/" + pages->widget(i)->objectName();
        return found;
    };
    const auto group = [](const QDialog& form) {
        auto* box = form.findChild<QGroupBox*>("GroupBox1");
        return box ? box->title() : QString("(none)");
    };
    // A grid of a read-only value takes neither clicks nor keys, and says so
    // to screen readers; a grid of a writable one takes both.
    const auto takesTicks = [](const TStackingPortUitForm* grid) {
        const QCheckBox* box = grid->CheckBox(2);
        const bool mouse = !box->testAttribute(Qt::WA_TransparentForMouseEvents);
        const bool keys = box->focusPolicy() != Qt::NoFocus;
        EXPECT_EQ(mouse, keys);
        EXPECT_EQ(box->accessibleDescription().isEmpty(), mouse);
        return mouse && keys;
    };
    {
        auto form = Open<TVlanStaticForm>();
        EXPECT_EQ(tabs(*form), (QStringList{"Egress ports/ScrollBox1", "Forbidden Egress Ports/ScrollBox2",
                                            "Untagged Ports/ScrollBox3"}));
        EXPECT_EQ(form->ScrollBox3, form->PageControl1->widget(2));
        EXPECT_NE(form->findChild<QSplitter*>("Splitter1"), nullptr);
        EXPECT_EQ(form->EgressGrid->CheckBoxes().size(), 32);
        EXPECT_TRUE(takesTicks(form->EgressGrid) && takesTicks(form->UntaggedGrid));
    }
    {
        auto form = Open<TVLanCurrentTableForm>();
        EXPECT_EQ(tabs(*form), (QStringList{"Egress Port/ScrollBox1", "Untagged Port/ScrollBox2"}));
        EXPECT_NE(form->findChild<QSplitter*>("Splitter1"), nullptr);
        EXPECT_FALSE(takesTicks(form->EgressGrid));
        EXPECT_FALSE(takesTicks(form->UntaggedGrid));
    }
    {
        auto form = Open<TMulticastForwardingInformationForm>();
        EXPECT_EQ(tabs(*form), (QStringList{"All Forwarded Ports/ScrollBox1", "All Static Ports/ScrollBox2",
                                            "All Forbiden Ports/ScrollBox3"}));
        EXPECT_EQ(form->Grids[2]->CheckBoxes().size(), 26);
        EXPECT_FALSE(takesTicks(form->Grids[0]));
        EXPECT_TRUE(takesTicks(form->Grids[1]) && takesTicks(form->Grids[2]));
    }
    {
        auto form = Open<TForwardUnregisteredInformationForm>();
        EXPECT_EQ(form->Grids[0]->CheckBoxes().size(), 728);
        EXPECT_FALSE(takesTicks(form->Grids[0]));
        EXPECT_TRUE(form->Grids[0]->CheckBox(700)->testAttribute(Qt::WA_TransparentForMouseEvents));
        EXPECT_TRUE(takesTicks(form->Grids[1]) && takesTicks(form->Grids[2]));
    }
    {
        auto form = Open<TTpGroupDestinationForwardedForm>();
        EXPECT_EQ(tabs(*form), (QStringList{"Egress Ports/ScrollBox1", "GMRP Learn Port/ScrollBox2"}));
        EXPECT_FALSE(takesTicks(form->EgressGrid));
        EXPECT_FALSE(takesTicks(form->LearntGrid));
    }
    {
        auto form = Open<TMulticastFilterInformationForm>();
        EXPECT_EQ(tabs(*form), (QStringList{"Egress Ports/ScrollBox1", "Forbidden Ports/ScrollBox2"}));
    }
    {
        auto form = Open<TPortBasedVLanForm>();
        EXPECT_EQ(group(*form), "Member Ports");
        EXPECT_EQ(form->MemberGrid->parentWidget(), form->GroupBox1);
    }
    {
        auto form = Open<TUnicastFilterInformationForm>();
        EXPECT_EQ(group(*form), "Allow To Go To Port");
        EXPECT_EQ(form->AllowedGrid->parentWidget(), form->GroupBox1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

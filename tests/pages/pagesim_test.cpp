// Generic pages against the switch simulator: an editor page (refresh, Set
// Check writing only the checked variables, the completion flags) and
// list-view pages (row creation in one and in two requests, edit, delete,
// the dialog closing itself after the delete text, Stop during a slow walk,
// closing the window during a walk), and the journal of their writes with
// the undo of a setting and of a deleted row. What reached the agent is read
// from the simulator's log.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "journal/kvjournal.h"
#include "journal/kvjournalundo.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tpanellistviewcontainer.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "platform/kvmessagebox.h"
#include "tables/pagecatalogue.h"
#include "tables/pagetables.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

namespace {

using namespace kvtables;

const std::string kStp = "1.3.6.1.2.1.17.2";
const std::string kMask = std::string(OSPREY_ENT_OID) + ".11.5.1.1.1";

bool WaitFor(const std::function<bool()>& done, int ms = 10000)
{
    return kvtest::WaitFor(done, ms);
}

using kvtest::Settle;

std::vector<std::string> Lines(const std::vector<std::string>& log, const std::string& operation)
{
    std::vector<std::string> found;
    for (const std::string& line : log)
        if (line.rfind(operation + " ", 0) == 0)
            found.push_back(line);
    return found;
}

bool Has(const std::string& line, const std::string& text)
{
    return line.find(text) != std::string::npos;
}

class PagesSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvpages", "/"); }

    static void TearDownTestSuite() { engine_.reset(); }

    void Start(std::vector<std::string> simArgs = {})
    {
        KvResetMessageSets();
        sim = std::make_unique<SimFixture>(SimFixture::Options{.extraArgs = std::move(simArgs)});
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(*sim, &error)) << error;
    }

    // A page as a menu command builds it, shown, after its first fetch.
    void Open(const VarDef* vars, uint8_t kind, int32_t keyCount, const UIEntryDef* layout, bool listView = false,
              int32_t createMode = 0, int32_t statusColumn = -1)
    {
        form = std::make_unique<TConfigForm>(nullptr, "Page", KvSNMPDevice.address);
        auto binding = std::make_unique<KvSNMPRequest2Edits>(form.get());
        binding->Variables() = KvSNMPVarList(vars, kind, keyCount);
        if (!listView) {
            form->SetEditorPage(std::move(binding), layout);
        } else if (statusColumn >= 0) {
            form->SetListViewPage(std::move(binding), layout,
                                  {statusColumn, "createAndGo", statusColumn, "destroy", createMode});
        } else {
            form->SetListViewPage(std::move(binding), layout, {-1, nullptr, -1, nullptr, 0});
        }
        adapter = form->Adapter();
        bar = form->PagePanel()->BtnPanel;
        view = form->ListViewPanel() ? form->ListViewPanel()->ListView() : nullptr;
        form->show();
    }

    void OpenAndFetch(const VarDef* vars, uint8_t kind, int32_t keyCount, const UIEntryDef* layout,
                      bool listView = false, int32_t createMode = 0, int32_t statusColumn = -1)
    {
        Open(vars, kind, keyCount, layout, listView, createMode, statusColumn);
        ASSERT_TRUE(WaitFor([this] { return adapter->getComplete; }));
        ASSERT_FALSE(form->MainBinding()->busy);
    }

    // Waits until the write and the fetch after it are over.
    bool WaitIdle()
    {
        return WaitFor([this] { return adapter->getComplete && adapter->setComplete && !form->MainBinding()->busy; });
    }

    QLineEdit* Edit(int entry) { return qobject_cast<QLineEdit*>(form->Entries()[entry].editor); }
    QComboBox* Combo(int entry) { return qobject_cast<QComboBox*>(form->Entries()[entry].editor); }
    QCheckBox* Check(int entry) { return form->Entries()[entry].checkBox; }
    TCtrlBtnPanel* DialogBar() { return adapter->DialogPanel()->BtnPanel; }
    QString Memo() const { return form->PagePanel()->MsgPanel->Memo->toPlainText(); }

    void SelectRow(int row)
    {
        QTreeWidgetItem* item = view->topLevelItem(row);
        view->setCurrentItem(item);
        item->setSelected(true);
    }

    // Runs `inside` in the row dialog that `open` opens; fails when none opens.
    void InDialog(QPushButton* open, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = adapter->Dialog() != nullptr;
            if (!ran)
                return;
            inside();
            if (adapter->Dialog())
                adapter->Dialog()->close();
        });
        open->click();
        EXPECT_TRUE(ran) << "no row dialog";
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    KvMessageBox::Answerer answerer;
    std::unique_ptr<SimFixture> sim;
    std::unique_ptr<TConfigForm> form;
    TSNMPLayoutAdapter* adapter = nullptr;
    TCtrlBtnPanel* bar = nullptr;
    QTreeWidget* view = nullptr;
};

// --- editor page -------------------------------------------------------------------

TEST_F(PagesSim, EditorPageFetchesOnceOnFirstActivation)
{
    Start();
    OpenAndFetch(varsSpanningTreeControl, kvListScalars, 0, layoutSpanningTreeControl);
    EXPECT_EQ(Combo(0)->currentText(), "RSTP");
    EXPECT_EQ(Edit(1)->text(), "32768");
    EXPECT_EQ(Edit(5)->text(), "3");
    EXPECT_TRUE(Memo().startsWith("Get: (VoDADI++) Ok!")) << Memo().toStdString();
    EXPECT_EQ(Lines(sim->logLines(), "GET").size(), 1u);

    // Activations after the first fetch nothing.
    form->hide();
    form->show();
    form->FormActivate();
    Settle(200);
    EXPECT_EQ(Lines(sim->logLines(), "GET").size(), 1u);
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(PagesSim, RefreshWhileAFetchIsOutstandingIsRefused)
{
    Start({"--delay", "200"});
    OpenAndFetch(varsSpanningTreeControl, kvListScalars, 0, layoutSpanningTreeControl);
    bar->RefreshBtn->click();
    EXPECT_FALSE(adapter->getComplete);
    bar->RefreshBtn->click();
    bar->SetCheckBtn->click();
    ASSERT_EQ(answerer.shown().size(), 2u);
    EXPECT_EQ(answerer.shown()[0].text, "Get data not complete");
    EXPECT_EQ(answerer.shown()[1].text, "Get data not complete");
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Lines(sim->logLines(), "GET").size(), 2u);
}

TEST_F(PagesSim, SetCheckWritesOnlyTheCheckedVariables)
{
    Start();
    OpenAndFetch(varsSpanningTreeControl, kvListScalars, 0, layoutSpanningTreeControl);
    std::vector<uint32_t> access;
    for (const KvSNMPVar& var : form->MainBinding()->Variables().Elements())
        access.push_back(var.access);

    bar->ClearChecksBtn->click();
    Check(1)->setChecked(true);
    Check(3)->setChecked(true);
    Edit(1)->setText("4096");
    Edit(2)->setText("2400"); // not checked: not written
    Edit(3)->setText("300");
    sim->clearLog();
    bar->SetCheckBtn->click();
    ASSERT_TRUE(WaitIdle());
    Settle(100);

    const std::vector<std::string> log = sim->logLines();
    ASSERT_EQ(log.size(), 2u);
    const std::string& set = log[0];
    EXPECT_EQ(set.rfind("SET ", 0), 0u) << set;
    EXPECT_TRUE(Has(set, kStp + ".2.0 INTEGER 4096")) << set;
    EXPECT_TRUE(Has(set, kStp + ".13.0 INTEGER 300")) << set;
    EXPECT_FALSE(Has(set, kStp + ".12.0")) << set;
    EXPECT_FALSE(Has(set, kStp + ".16.0")) << set;
    EXPECT_EQ(log[1].rfind("GET ", 0), 0u) << log[1];

    // The page shows the switch's values again; the skip flags are gone.
    EXPECT_EQ(Edit(1)->text(), "4096");
    EXPECT_EQ(Edit(2)->text(), "2000");
    for (size_t i = 0; i < access.size(); ++i)
        EXPECT_EQ(form->MainBinding()->Variables().Elements()[i].access, access[i]) << i;
    EXPECT_TRUE(Memo().contains("Set: (VoDADI++) Ok!")) << Memo().toStdString();
}

TEST_F(PagesSim, FailedWriteIsReportedAndLeavesTheButtonsWorking)
{
    Start();
    // The VLAN id's editor takes any number ("%i"); the agent's range is
    // 1..4094.
    OpenAndFetch(varsDeviceControl, kvListScalars, 0, layoutDeviceControl);
    bar->ClearChecksBtn->click();
    Check(4)->setChecked(true);
    Edit(4)->setText("5000"); // outside the agent's range
    sim->clearLog();
    bar->SetCheckBtn->click();
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(Lines(sim->logLines(), "SET").size(), 1u);
    EXPECT_TRUE(Memo().contains("Set: ")) << Memo().toStdString();
    EXPECT_FALSE(Memo().contains("Set: (VoDADI++) Ok!")) << Memo().toStdString();
    // No read follows a failed write: what was typed stays for the operator
    // to correct.
    EXPECT_EQ(Lines(sim->logLines(), "GET").size(), 0u);
    EXPECT_EQ(Edit(4)->text(), "5000");
    bar->RefreshBtn->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Edit(4)->text(), "1");
    EXPECT_TRUE(answerer.shown().empty());
}

// --- list-view pages -------------------------------------------------------------------

TEST_F(PagesSim, NewRowInTwoStepsWritesIndexAndStatusFirst)
{
    Start();
    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 1, 8);
    ASSERT_EQ(view->topLevelItemCount(), 2);
    sim->clearLog();

    InDialog(bar->AddBtn, [&] {
        EXPECT_EQ(Combo(8)->currentText(), "createAndGo");
        Edit(0)->setText("5");
        Combo(1)->setCurrentText("enabled");
        Combo(2)->setCurrentText("src-mac-addr");
        Edit(3)->setText("FFFFFF000000");
        Edit(4)->setText("000000000000");
        Combo(5)->setCurrentText("disabled");
        Combo(6)->setCurrentText("disabled");
        Combo(7)->setCurrentText("permit");
        DialogBar()->SetCheckBtn->click();
        EXPECT_TRUE(Check(8)->isChecked()); // set again after the two writes
        ASSERT_TRUE(WaitIdle());
        EXPECT_NE(adapter->Dialog(), nullptr); // the dialog stays open
    });

    const std::vector<std::string> sets = Lines(sim->logLines(), "SET");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_TRUE(Has(sets[0], kMask + ".9.5 INTEGER 4")) << sets[0];
    EXPECT_EQ(sets[0].find(" | "), std::string::npos) << sets[0]; // the status alone
    EXPECT_TRUE(Has(sets[1], kMask + ".2.5 INTEGER 1")) << sets[1];
    EXPECT_TRUE(Has(sets[1], kMask + ".3.5 INTEGER 3")) << sets[1];
    EXPECT_TRUE(Has(sets[1], kMask + ".8.5 INTEGER 1")) << sets[1];
    EXPECT_FALSE(Has(sets[1], kMask + ".9.5")) << sets[1];
    EXPECT_FALSE(Has(sets[1], kMask + ".1.5")) << sets[1];

    ASSERT_EQ(view->topLevelItemCount(), 3);
    ASSERT_EQ(view->selectedItems().size(), 1); // the new row, selected again
    EXPECT_EQ(view->selectedItems()[0]->text(0), "5");
    EXPECT_EQ(view->selectedItems()[0]->text(1), "enabled");
    EXPECT_TRUE(form->ListViewPanel()->Container()->EditorBox()->isHidden());
}

TEST_F(PagesSim, NewRowInOneRequest)
{
    Start();
    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 0, 8);
    sim->clearLog();
    InDialog(bar->AddBtn, [&] {
        Edit(0)->setText("7");
        Combo(1)->setCurrentText("disabled");
        Combo(2)->setCurrentText("dst-mac-addr");
        Edit(3)->setText("FFFFFFFFFFFF");
        Edit(4)->setText("000000000001");
        Combo(5)->setCurrentText("enabled");
        Combo(6)->setCurrentText("disabled");
        Combo(7)->setCurrentText("deny");
        DialogBar()->SetCheckBtn->click();
        ASSERT_TRUE(WaitIdle());
    });
    const std::vector<std::string> sets = Lines(sim->logLines(), "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_TRUE(Has(sets[0], kMask + ".9.7 INTEGER 4")) << sets[0];
    EXPECT_TRUE(Has(sets[0], kMask + ".2.7 INTEGER 2")) << sets[0];
    EXPECT_TRUE(Has(sets[0], kMask + ".5.7 STRING 0x000000000001")) << sets[0];
    ASSERT_EQ(view->topLevelItemCount(), 3);
    EXPECT_EQ(view->topLevelItem(2)->text(0), "7");
    EXPECT_EQ(view->topLevelItem(2)->text(7), "deny");
}

// A new row whose choice was left empty is refused before anything is sent:
// in one request, and in two (not even the row status goes out first).
TEST_F(PagesSim, AnEmptyChoiceInANewRowSendsNothingInEitherCreateMode)
{
    for (int32_t createMode : {0, 1}) {
        SCOPED_TRACE(createMode);
        Start();
        OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, createMode, 8);
        sim->clearLog();
        InDialog(bar->AddBtn, [&] {
            Edit(0)->setText("6");
            Combo(1)->setCurrentText("enabled");
            Edit(3)->setText("FFFFFF000000");
            Edit(4)->setText("000000000000");
            Combo(5)->setCurrentText("disabled");
            Combo(6)->setCurrentText("disabled");
            Combo(7)->setCurrentText("permit");
            ASSERT_EQ(Combo(2)->currentIndex(), -1);
            DialogBar()->SetCheckBtn->click();
            ASSERT_TRUE(WaitIdle());
            const QString memo = adapter->DialogPanel()->MsgPanel->Memo->toPlainText();
            EXPECT_TRUE(memo.contains("Set: Mac Address Mask State: (KvCommon) Empty value is not allowed!"))
                << memo.toStdString();
        });
        EXPECT_TRUE(Lines(sim->logLines(), "SET").empty()) << Lines(sim->logLines(), "SET").front();
        EXPECT_EQ(view->topLevelItemCount(), 2);
        form.reset();
    }
}

TEST_F(PagesSim, EditWritesTheCheckedColumnsOfTheSelectedRow)
{
    Start();
    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 1, 8);
    SelectRow(1);
    ASSERT_TRUE(bar->SetBtn->isEnabled());
    sim->clearLog();
    InDialog(bar->SetBtn, [&] {
        // Captioned as its page; a long message wraps in its memo.
        EXPECT_EQ(adapter->Dialog()->windowTitle(), form->windowTitle());
        EXPECT_FALSE(adapter->Dialog()->windowTitle().isEmpty());
        EXPECT_EQ(adapter->DialogPanel()->MsgPanel->Memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(Edit(0)->text(), "2");
        EXPECT_FALSE(Edit(0)->isEnabled());
        DialogBar()->ClearChecksBtn->click();
        Check(7)->setChecked(true);
        Combo(7)->setCurrentText("deny");
        DialogBar()->SetCheckBtn->click();
        ASSERT_TRUE(WaitIdle());
    });
    const std::vector<std::string> sets = Lines(sim->logLines(), "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_TRUE(Has(sets[0], kMask + ".8.2 INTEGER 2")) << sets[0];
    EXPECT_EQ(sets[0].find(" | "), std::string::npos) << sets[0];
    EXPECT_EQ(view->topLevelItem(1)->text(7), "deny");
    EXPECT_EQ(view->topLevelItem(0)->text(7), "deny"); // row 1 was deny already
    EXPECT_EQ(view->topLevelItemCount(), 2);
}

TEST_F(PagesSim, DeleteWritesTheDeleteTextWithoutAsking)
{
    Start();
    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 1, 8);
    SelectRow(0);
    sim->clearLog();
    bar->DeleteBtn->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(answerer.shown().empty());
    const std::vector<std::string> sets = Lines(sim->logLines(), "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_TRUE(Has(sets[0], kMask + ".9.1 INTEGER 6")) << sets[0];
    EXPECT_EQ(sets[0].find(" | "), std::string::npos) << sets[0];
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), "2");
    EXPECT_EQ(bar->ST_Count->text(), "1");
}

// Set Check and Delete are journaled with what they overwrote (the values
// the page had read: nothing is read again first); undo puts the setting
// back and creates the deleted row again with its values.
TEST_F(PagesSim, WritesAreJournaledAndUndoneDeletedRowsIncluded)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pagejournal-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    KvJournal journal(folder.string());
    journal.SetRowColumns(&kvtables::MenuRowColumns); // as the program does
    const KvJournalInstallation installed(&journal);
    Start();
    const auto read = [&] { return journal.Read("127.0.0.1", static_cast<uint16_t>(sim->port())); };
    OpenAndFetch(varsSpanningTreeControl, kvListScalars, 0, layoutSpanningTreeControl);
    bar->ClearChecksBtn->click();
    Check(1)->setChecked(true);
    Edit(1)->setText("4096");
    sim->clearLog();
    bar->SetCheckBtn->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(sim->logLines().front().rfind("SET ", 0), 0u) << sim->logLines().front();
    KvJournalLog log = read();
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].write.caption, form->windowTitle().toStdString());
    EXPECT_EQ(log.entries[0].result, "Ok");
    ASSERT_EQ(log.entries[0].write.variables.size(), 1u);
    EXPECT_EQ(log.entries[0].write.variables[0].oid, kStp + ".2.0");
    EXPECT_EQ(log.entries[0].write.variables[0].before, "32768");
    EXPECT_EQ(log.entries[0].write.variables[0].written, "4096");
    const KvUndoPlan setting = KvJournalUndo::Plan(log, log.entries[0].id);
    ASSERT_TRUE(setting.allowed) << setting.Describe();
    EXPECT_NE(setting.Describe().find("\"4096\" -> \"32768\""), std::string::npos) << setting.Describe();
    sim->clearLog();
    ASSERT_TRUE(KvJournalUndo::Apply(setting).ok);
    const std::vector<std::string> back = Lines(sim->logLines(), "SET");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(Has(back[0], kStp + ".2.0 INTEGER 32768")) << back[0];

    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 1, 8);
    std::vector<std::string> shown;
    for (int c = 0; c < view->columnCount(); ++c)
        shown.push_back(view->topLevelItem(0)->text(c).toStdString());
    SelectRow(0);
    bar->DeleteBtn->click();
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(view->topLevelItemCount(), 1);
    log = read();
    ASSERT_EQ(log.entries.size(), 3u);
    const KvJournalEntry deleted = log.entries[2];
    EXPECT_EQ(deleted.write.kind, KvWriteRecord::Kind::DestroyRow);
    EXPECT_GT(deleted.write.row.size(), 2u);
    EXPECT_TRUE(deleted.write.rowWhole);
    const KvUndoPlan row = KvJournalUndo::Plan(log, deleted.id);
    ASSERT_TRUE(row.allowed) << row.Describe();
    sim->clearLog();
    const KvUndoResult undone = KvJournalUndo::Apply(row);
    ASSERT_TRUE(undone.ok) << undone.message;
    const std::vector<std::string> create = Lines(sim->logLines(), "SET");
    ASSERT_EQ(create.size(), 1u);
    EXPECT_TRUE(Has(create[0], kMask + ".9.1 INTEGER 4")) << create[0];
    bar->RefreshBtn->click();
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(view->topLevelItemCount(), 2);
    for (int c = 0; c < view->columnCount(); ++c)
        EXPECT_EQ(view->topLevelItem(0)->text(c).toStdString(), shown[static_cast<size_t>(c)]) << c;
    // Undone once; the re-creation is itself an entry that names it.
    log = read();
    EXPECT_EQ(log.entries.back().write.undoes, deleted.id);
    EXPECT_FALSE(KvJournalUndo::Plan(log, deleted.id).allowed);
    std::filesystem::remove_all(folder);
}

TEST_F(PagesSim, RowDialogClosesItselfAfterWritingTheDeleteText)
{
    Start();
    OpenAndFetch(varsEthernetMask, kvListTableRows, 1, layoutEthernetMask, true, 1, 8);
    SelectRow(1);
    bool closedItself = false;
    InDialog(bar->SetBtn, [&] {
        DialogBar()->ClearChecksBtn->click();
        Check(8)->setChecked(true);
        Combo(8)->setCurrentText("destroy");
        DialogBar()->SetCheckBtn->click();
        // The dialog's loop ends once this returns.
        closedItself = WaitFor([&] { return !adapter->Dialog()->isVisible(); }, 3000);
    });
    EXPECT_TRUE(closedItself);
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), "1");
}

TEST_F(PagesSim, StopEndsASlowWalkAndTheButtonsWorkAgain)
{
    Start({"--delay", "60"});
    Open(varsPortControl, kvListTable, 1, layoutPortControl, true);
    form->ShowStopButton();
    ASSERT_TRUE(WaitFor([this] { return view->topLevelItemCount() >= 3; }));
    bar->StopBtn->click();
    EXPECT_TRUE(adapter->getComplete);
    ASSERT_TRUE(WaitFor([this] { return !form->MainBinding()->busy; }));
    const int rows = view->topLevelItemCount();
    EXPECT_LT(rows, 26);
    Settle(300);
    EXPECT_EQ(view->topLevelItemCount(), rows);
    EXPECT_GE(rows, 3) << "the rows that came stay";
    // The status line says that the list may be short, never Ok.
    const QString stopped = Memo().section('\n', -1);
    EXPECT_TRUE(stopped.startsWith("Get: (SNMPClass) Table walk stopped, the list may be incomplete!. Receive at "))
        << stopped.toStdString();
    EXPECT_FALSE(Memo().contains("Ok!")) << Memo().toStdString();

    bar->RefreshBtn->click();
    EXPECT_TRUE(answerer.shown().empty());
    ASSERT_TRUE(WaitFor([this] { return adapter->getComplete && !form->MainBinding()->busy; }, 20000));
    EXPECT_EQ(view->topLevelItemCount(), 26);
    EXPECT_EQ(bar->ST_Count->text(), "26");
    EXPECT_TRUE(Memo().section('\n', -1).startsWith("Get: (VoDADI++) Ok!")) << Memo().toStdString();
}

TEST_F(PagesSim, ClosingDuringAWalkWaitsForTheOutstandingResponse)
{
    Start({"--delay", "150"});
    Open(varsPortControl, kvListTable, 1, layoutPortControl, true);
    ASSERT_TRUE(WaitFor([this] { return view->topLevelItemCount() >= 2; }));
    form->close();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(form->MainBinding(), nullptr);
    // Every request sent was answered and shown before the close returned;
    // nothing more goes out.
    const size_t sent = Lines(sim->logLines(), "GETNEXT").size();
    EXPECT_EQ(static_cast<size_t>(view->topLevelItemCount()), sent);
    EXPECT_LT(sent, 26u);
    Settle(400);
    EXPECT_EQ(Lines(sim->logLines(), "GETNEXT").size(), sent);
    form.reset();
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

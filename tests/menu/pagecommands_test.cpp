#include "binding/kvsnmprequest2edits.h"
#include "common/kverror.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "pages/tsnmppanel.h"
#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "shell/launcher.h"
#include "shell/mainmenu.h"
#include "shell/pagecommands.h"
#include "shell/panel/tfrontpanel.h"
#include "tables/pagetables.h"
#include "shell/tmainform.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

#include "menutestwindow.h"
#include "pagevisit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

using pagevisit::MemoOf;
using pagevisit::VisitPage;

// Every line of the page's memo reports success, and there is one at least.
void ExpectOnlyOkLines(TConfigForm& form)
{
    QPlainTextEdit* memo = MemoOf(form);
    ASSERT_NE(memo, nullptr);
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_FALSE(lines.isEmpty());
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains(QStringLiteral("(VoDADI++) Ok!"))) << line.toStdString();
}

QStringList LabelsOf(const VarDef* table)
{
    QStringList labels;
    for (const VarDef* row = table; row->oid; ++row)
        labels << QString::fromLatin1(row->label);
    return labels;
}

QStringList ColumnCaptions(QTreeWidget* list)
{
    QStringList captions;
    for (int c = 0; c < list->columnCount(); ++c)
        captions << list->headerItem()->text(c);
    return captions;
}

bool ShownInBar(QPushButton* button)
{
    return button && !button->isHidden();
}

// A copy of a page command without its window adjustments, for comparison.
PageCommand Unadjusted(const PageCommand& command)
{
    PageCommand copy = command;
    copy.adjust = PageAdjust{};
    return copy;
}

// The main window against a fresh simulator.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        window = std::make_unique<MenuTestWindow>(sim.port());
        menu = MainMenu::Of(&window->Form());
        ASSERT_NE(menu, nullptr);
    }

    TMainForm& Form() { return window->Form(); }
    std::string Caption(const char* title) const { return std::string(title) + " : " + MenuTestWindow::kAddress; }

    SimFixture sim;
    std::unique_ptr<MenuTestWindow> window;
    MainMenu* menu = nullptr;
};

} // namespace

// One walk over the whole catalogue, every page opened from its menu item.
TEST_F(PageTest, EveryGenericPageOpensWithItsVariables)
{
    int pageItems = 0;
    for (const MenuItemDef& item : kvtables::MainMenu())
        pageItems += item.action == MenuAction::page ? 1 : 0;
    ASSERT_EQ(static_cast<size_t>(pageItems), kvtables::PageCatalogue().size());
    // Every generic command of the menu, hidden ones included.
    EXPECT_EQ(pageItems, 80);

    int opened = 0;
    for (const PageCommand& command : kvtables::PageCatalogue()) {
        SCOPED_TRACE(command.name);
        const bool listPage =
            command.builder == PageBuilder::SetListViewPage || command.builder == PageBuilder::SetListViewPageFromList;
        const bool visited =
            VisitPage([&] { menu->Click(command.name); },
                      [&](TConfigForm& form) {
                          EXPECT_EQ(Form().PageTitle, command.title);
                          EXPECT_EQ(form.windowTitle().toStdString(), Caption(command.title));
                          EXPECT_EQ(form.PageKind(), listPage ? TConfigForm::kPageListView : TConfigForm::kPageEditor);
                          ExpectOnlyOkLines(form);

                          // The variables, in table order, with the command's kind and key count.
                          KvSNMPRequest2Edits* binding = form.MainBinding();
                          ASSERT_NE(binding, nullptr);
                          const KvSNMPVarList& variables = binding->Variables();
                          EXPECT_EQ(variables.kind, command.kind);
                          EXPECT_EQ(variables.keyCount, command.keyCount);
                          EXPECT_EQ(variables.instance, command.instance ? command.instance : "");
                          const QStringList labels = LabelsOf(command.variables);
                          ASSERT_EQ(variables.Count(), labels.size());

                          const UIEntryTable& entries = form.Entries();
                          ASSERT_EQ(CountEntries(entries), labels.size());
                          if (listPage) {
                              // One column per variable, in order.
                              QTreeWidget* list = form.ListViewPanel()->ListView();
                              EXPECT_EQ(ColumnCaptions(list), labels);
                              // The port tables hold one row per port of the 26-port switch.
                              const std::string name = command.name;
                              if (name == "PortInformation1" || name == "PortControl1") {
                                  EXPECT_EQ(list->topLevelItemCount(), 26);
                              }
                              TSNMPLayoutAdapter* adapter = form.Adapter();
                              const PageRowOps& ops = command.rowOps;
                              EXPECT_EQ(ShownInBar(adapter->AddBtn), ops.createText != nullptr);
                              EXPECT_EQ(ShownInBar(adapter->DeleteBtn), ops.deleteText != nullptr);
                              if (ops.createText) {
                                  EXPECT_EQ(adapter->createIndex, ops.createIndex);
                                  EXPECT_EQ(adapter->createText, "createAndGo");
                                  EXPECT_EQ(adapter->deleteIndex, ops.createIndex);
                                  EXPECT_EQ(adapter->deleteText, "destroy");
                                  EXPECT_EQ(adapter->createMode, ops.createMode);
                              }
                              EXPECT_EQ(ShownInBar(adapter->StopBtn), command.adjust.stopButton);
                              EXPECT_EQ(adapter->SetBtn->text(), "Edit");
                          } else {
                              // One label per variable, in order.
                              for (int k = 0; k < labels.size(); ++k) {
                                  ASSERT_NE(entries[k].label, nullptr) << k;
                                  EXPECT_TRUE(entries[k].label->text().startsWith(labels[k]))
                                      << entries[k].label->text().toStdString() << " / " << labels[k].toStdString();
                                  EXPECT_TRUE(entries[k].editor && entries[k].editor->isVisible()) << k;
                              }
                          }
                          if (command.adjust.height > 0) {
                              EXPECT_EQ(form.height(), command.adjust.height);
                          }
                      });
        EXPECT_TRUE(visited);
        opened += visited ? 1 : 0;
    }
    EXPECT_EQ(opened, pageItems);
}

TEST_F(PageTest, TitleAndCaptionCanDiffer)
{
    struct Case {
        const char* item;
        const char* caption;
        const char* title;
    };
    for (const Case& c : {Case{"DeviceControl1", "Layer2 Control", "Device Control"},
                          Case{"CurrentTime1", "System Time", "Current Time"},
                          Case{"CommunityStringTable1", "Community String Table", "SNMP Community Table"}}) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(menu->Action(c.item)->text(), c.caption);
        std::string caption;
        EXPECT_TRUE(VisitPage(
            [&] { menu->Click(c.item); },
            [&](TConfigForm& form) {
                caption = form.windowTitle().toStdString();
                // Centred on the main window, within the screen.
                const QRect area = Form().screen()->availableGeometry();
                EXPECT_LE(std::abs(form.frameGeometry().center().x() - Form().frameGeometry().center().x()), 4);
                EXPECT_TRUE(area.contains(form.frameGeometry().topLeft()));
            }));
        EXPECT_EQ(caption, Caption(c.title));
        EXPECT_EQ(Form().PageTitle, c.title) << "the title stays until the next page";
    }
}

TEST_F(PageTest, WindowAdjustmentsFollowTheBuilder)
{
    auto build = [&](const PageCommand& command) {
        return pagecommands::BuildPage(command, command.title, MenuTestWindow::kAddress);
    };
    auto editorWidths = [](TConfigForm& form) {
        std::vector<int> widths;
        for (int k = 0; k < CountEntries(form.Entries()); ++k)
            widths.push_back(form.Entries()[k].editor->width());
        return widths;
    };

    { // "Mib Capabilities": 450 high, 100 wider than the builder made it.
        const PageCommand& command = *kvtables::FindPageByName("MibCapabilities1");
        auto plain = build(Unadjusted(command));
        auto page = build(command);
        EXPECT_EQ(page->height(), 450);
        EXPECT_EQ(page->width(), plain->width() + 100);
    }
    { // "Port Control Table": every editor 50 wider, Stop shown, size kept.
        const PageCommand& command = *kvtables::FindPageByName("PortControl1");
        auto plain = build(Unadjusted(command));
        auto page = build(command);
        std::vector<int> expected = editorWidths(*plain);
        for (int& width : expected)
            width += 50;
        EXPECT_EQ(editorWidths(*page), expected);
        EXPECT_TRUE(ShownInBar(page->Adapter()->StopBtn));
        EXPECT_FALSE(ShownInBar(plain->Adapter()->StopBtn));
        EXPECT_EQ(page->size(), plain->size());
    }
    { // "Layer2 Control": editors and window 100 wider.
        const PageCommand& command = *kvtables::FindPageByName("DeviceControl1");
        auto plain = build(Unadjusted(command));
        auto page = build(command);
        std::vector<int> expected = editorWidths(*plain);
        for (int& width : expected)
            width += 100;
        EXPECT_EQ(editorWidths(*page), expected);
        EXPECT_EQ(page->width(), plain->width() + 100);
        EXPECT_EQ(page->height(), plain->height());
    }
    { // "Authentication Mode Setting": its one editor 142 wide, 30 higher.
        const PageCommand& command = *kvtables::FindPageByName("Auth1");
        auto plain = build(Unadjusted(command));
        auto page = build(command);
        EXPECT_EQ(editorWidths(*page), std::vector<int>{142});
        EXPECT_EQ(page->height(), plain->height() + 30);
        EXPECT_EQ(page->width(), plain->width());
    }
    { // "Accounting Service Table": editors 80 wider, window 200 wider.
        const PageCommand& command = *kvtables::FindPageByName("ServiceTable1");
        auto plain = build(Unadjusted(command));
        auto page = build(command);
        EXPECT_EQ(page->width(), plain->width() + 200);
        EXPECT_EQ(editorWidths(*page)[0], editorWidths(*plain)[0] + 80);
    }
    { // "Port Rate Table" (derived layout): Stop shown, 450 high.
        auto page = build(*kvtables::FindPageByName("PortRatetable1"));
        EXPECT_TRUE(ShownInBar(page->Adapter()->StopBtn));
        EXPECT_EQ(page->height(), 450);
    }
}

TEST_F(PageTest, AccessControlTablesCreateRowsInTwoRequests)
{
    int creatable = 0;
    for (const PageCommand& command : kvtables::PageCatalogue()) {
        if (!command.rowOps.createText)
            continue;
        ++creatable;
        auto page = pagecommands::BuildPage(command, command.title, MenuTestWindow::kAddress);
        const std::string name = command.name;
        const bool twoRequests = name == "EthernetMask1" || name == "RuleOfEthernetInformation1" ||
                                 name == "IPMaskInformation1" || name == "IPRule1";
        EXPECT_EQ(page->Adapter()->createMode, twoRequests ? 1 : 0) << name;
        // The row-status column is the one created and deleted with.
        EXPECT_EQ(page->Adapter()->createIndex, page->Adapter()->deleteIndex) << name;
        const KvSNMPVar& status = page->MainBinding()->Variables()[page->Adapter()->createIndex];
        EXPECT_NE(status.label.find("Status"), std::string::npos) << name << ": " << status.label;
    }
    EXPECT_GE(creatable, 14);

    // The source and destination mask editors take twelve characters.
    auto page = pagecommands::BuildPage(*kvtables::FindPageByName("EthernetMask1"), "Ethernet Mask Information",
                                        MenuTestWindow::kAddress);
    for (int k : {3, 4}) {
        auto* edit = qobject_cast<QLineEdit*>(page->Entries()[k].editor);
        ASSERT_NE(edit, nullptr);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("0123456789ABCDEF"));
        EXPECT_EQ(edit->text(), "0123456789AB") << k;
        // A text the program puts in is never cut.
        edit->setText(QStringLiteral("(NOTDONE)(NOTDONE)"));
        EXPECT_EQ(edit->text(), "(NOTDONE)(NOTDONE)");
    }
}

TEST_F(PageTest, SpanningTreeControlShowsTwoRedNotesBelowItsLastEditor)
{
    const PageCommand& command = *kvtables::FindPageByName("Information2");
    auto plain = pagecommands::BuildPage(Unadjusted(command), command.title, MenuTestWindow::kAddress);
    const int plainHeight = plain->height();
    plain.reset();

    EXPECT_FALSE(menu->Action("Information2")->isVisible()) << "hidden item";
    EXPECT_TRUE(VisitPage([&] { menu->Click("Information2"); },
                          [&](TConfigForm& form) {
                              EXPECT_EQ(form.windowTitle().toStdString(), Caption("Spanning Tree Control"));
                              EXPECT_EQ(form.height(), plainHeight + 40);
                              const int last = CountEntries(form.Entries()) - 1;
                              QWidget* editor = form.Entries()[last].editor;
                              EXPECT_TRUE(form.Entries()[last].label->text().startsWith("Tx Hold Count[1-10]"));
                              auto* first = form.findChild<QLabel*>(pagecommands::kStpNoteName1);
                              auto* second = form.findChild<QLabel*>(pagecommands::kStpNoteName2);
                              ASSERT_TRUE(first && second);
                              EXPECT_EQ(first->text(), "Notes : 2*(Forward Delay - 100) >= Max Age");
                              EXPECT_EQ(second->text(), "Max Age>= 2*(Hello Time + 100)");
                              for (QLabel* note : {first, second}) {
                                  EXPECT_EQ(note->parentWidget(), editor->parentWidget());
                                  EXPECT_EQ(note->x(), editor->x());
                                  EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(Qt::red));
                                  EXPECT_TRUE(note->isVisible());
                                  // Inside what the page shows of its content.
                                  const QRect shown = note->parentWidget()->visibleRegion().boundingRect();
                                  EXPECT_TRUE(shown.contains(note->geometry())) << note->objectName().toStdString();
                              }
                              EXPECT_EQ(first->y(), editor->y() + editor->height() + 8);
                              EXPECT_EQ(second->y(), first->y() + first->height() + 8);
                          }));
}

TEST_F(PageTest, RmonControlReReadsTheRmonStateWhenClosed)
{
    const std::string stateOid = OSPREY_ENT_OID ".11.55.1.2.1.2.3.0";
    // The simulated switch starts with RMON enabled.
    EXPECT_TRUE(
        VisitPage([&] { menu->Click("RMONSetting1"); },
                  [&](TConfigForm& form) { EXPECT_EQ(form.windowTitle().toStdString(), Caption("RMON Control")); }));
    QLabel* state = pagecommands::RmonStateText(Form());
    EXPECT_EQ(state->text(), "enabled");
    EXPECT_FALSE(state->isVisible());
    for (const char* name : {"Statistics1", "History1", "AlarmEvent1"})
        EXPECT_TRUE(menu->Action(name)->isEnabled()) << name;

    // Switched off on the page: the RMON items follow when it closes.
    EXPECT_TRUE(VisitPage([&] { menu->Click("RMONSetting1"); },
                          [&](TConfigForm& form) {
                              auto* combo = qobject_cast<QComboBox*>(form.Entries()[0].editor);
                              ASSERT_NE(combo, nullptr);
                              EXPECT_EQ(combo->currentText(), "enabled");
                              combo->setCurrentText(QStringLiteral("disabled"));
                              KvSNMPRequest2Edits* binding = form.MainBinding();
                              binding->StoreAll({.refreshAfter = false, .run = KvFlowRun::Blocking});
                          }));
    EXPECT_EQ(state->text(), "disabled");
    for (const char* name : {"Statistics1", "History1", "AlarmEvent1"})
        EXPECT_FALSE(menu->Action(name)->isEnabled()) << name;
    bool setSeen = false;
    for (const std::string& line : sim.logLines())
        setSeen = setSeen || (line.rfind("SET", 0) == 0 && line.find(stateOid + " INTEGER 2") != std::string::npos);
    EXPECT_TRUE(setSeen);

    // A switch that does not answer: the error goes into status panel 0 and
    // nothing else changes.
    sim.stop();
    Form().StatusPanel0->clear();
    pagecommands::RereadRmonState(Form());
    EXPECT_FALSE(Form().StatusPanel0->text().isEmpty());
    EXPECT_FALSE(menu->Action("History1")->isEnabled());
}

TEST_F(PageTest, SaveChangesWritesTheSaveVariableAfterConfirmation)
{
    const std::string saveOid = OSPREY_ENT_OID ".11.48.1.1.2.1.2.7.0";
    // What was written (the front panel keeps reading its LEDs meanwhile).
    auto sets = [&] {
        std::vector<std::string> lines;
        for (const std::string& line : sim.logLines())
            if (line.rfind("SET", 0) == 0)
                lines.push_back(line);
        return lines;
    };
    {
        KvMessageBox::Answerer cancel(QMessageBox::Cancel);
        menu->Click("SaveChanges1");
        ASSERT_EQ(cancel.shown().size(), 1u);
    }
    EXPECT_TRUE(sets().empty()) << "Cancel sends nothing";

    KvMessageBox::Answerer ok(QMessageBox::Ok);
    menu->Click("SaveChanges1");
    ASSERT_EQ(ok.shown().size(), 1u) << "only the question; success shows nothing";
    const std::vector<std::string> lines = sets();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("SET v2c write:", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(saveOid + " INTEGER 2"), std::string::npos) << lines[0];
}

TEST_F(PageTest, SaveChangesFailureReachesTheCaller)
{
    sim.stop();
    KvMessageBox::Answerer ok(QMessageBox::Ok);
    EXPECT_THROW(launcher::SaveChanges(&Form()), KvError);
}

TEST_F(PageTest, PortPagesReadOneRowAndShowThePortNumber)
{
    const PageCommand& information = *kvtables::FindPageByName("PortInformation2");
    EXPECT_TRUE(VisitPage([&] { pagecommands::OpenPortPage(Form(), information, 7); },
                          [&](TConfigForm& form) {
                              EXPECT_EQ(form.windowTitle().toStdString(), Caption("Port Information Table"));
                              ExpectOnlyOkLines(form);
                              const KvSNMPVarList& variables = form.MainBinding()->Variables();
                              EXPECT_EQ(variables.kind, kvListRow);
                              EXPECT_EQ(variables.keyCount, 0);
                              ASSERT_EQ(variables.Count(), 3);
                              EXPECT_EQ(variables[0].oid, OSPREY_ENT_OID ".11.36.2.6.1.1.1.7");
                              EXPECT_EQ(variables[1].oid, OSPREY_ENT_OID ".11.36.2.6.1.1.4.7");
                              EXPECT_EQ(variables[2].oid, OSPREY_ENT_OID ".11.36.2.6.1.1.5.7");
                              auto* port = form.findChild<QLineEdit*>(pagecommands::kPortEditName);
                              ASSERT_NE(port, nullptr);
                              QWidget* indexEditor = form.Entries()[0].editor;
                              EXPECT_EQ(port->text(), "7");
                              EXPECT_FALSE(port->isEnabled());
                              EXPECT_TRUE(port->isVisible());
                              EXPECT_FALSE(indexEditor->isVisible());
                              EXPECT_EQ(port->geometry(), indexEditor->geometry());
                              EXPECT_EQ(port->parentWidget(), indexEditor->parentWidget());
                          }));
    EXPECT_EQ(Form().PageTitle, "Port Information Table");

    const PageCommand& configuration = *kvtables::FindPageByName("PortConfiguration1");
    auto plain = pagecommands::BuildPage(Unadjusted(configuration), configuration.title, MenuTestWindow::kAddress, 25);
    const int plainWidth = plain->width();
    const int plainEditor = plain->Entries()[1].editor->width();
    plain.reset();
    EXPECT_TRUE(VisitPage([&] { pagecommands::OpenPortPage(Form(), configuration, 25); },
                          [&](TConfigForm& form) {
                              EXPECT_EQ(form.windowTitle().toStdString(), Caption("Port Configuration"));
                              ExpectOnlyOkLines(form);
                              EXPECT_EQ(form.width(), plainWidth + 50);
                              EXPECT_EQ(form.Entries()[1].editor->width(), plainEditor + 50);
                              EXPECT_EQ(form.findChild<QLineEdit*>(pagecommands::kPortEditName)->text(), "25");
                              EXPECT_EQ(form.MainBinding()->Variables()[1].oid, OSPREY_ENT_OID ".11.36.2.6.2.1.2.25");
                          }));
}

TEST_F(PageTest, FrontPanelOpensPortPagesAndReReadsTheRmonState)
{
    TFrontPanel* panel = Form().FrontPanel;
    ASSERT_NE(panel, nullptr);
    // SpeedButton26 is the second button of port 25.
    QToolButton* button = panel->SpeedButton(26);
    panel->PopupAt(button, QPoint(0, 0));
    panel->PortInfoPopupMenu->close();
    EXPECT_TRUE(VisitPage([&] { panel->PortConfiguration1Click(); },
                          [&](TConfigForm& form) {
                              EXPECT_EQ(form.windowTitle().toStdString(), Caption("Port Configuration"));
                              EXPECT_EQ(form.findChild<QLineEdit*>(pagecommands::kPortEditName)->text(), "25");
                              ExpectOnlyOkLines(form);
                          }));
    EXPECT_TRUE(button->isChecked());

    // "Refresh Panel" (hidden): after its confirmation the RMON state is read
    // into the front panel's own static text.
    EXPECT_EQ(pagecommands::RmonStateText(Form()), panel->ST_RmonState);
    KvMessageBox::Answerer ok(QMessageBox::Ok);
    menu->Click("RefreshPanel1");
    ASSERT_EQ(ok.shown().size(), 1u);
    EXPECT_EQ(ok.shown()[0].text, "Refresh panel will take a minute");
    EXPECT_EQ(panel->ST_RmonState->text(), "enabled");
}

TEST_F(PageTest, BuildingAPageTwiceIsRefusedAndTheWindowStaysUsable)
{
    const PageCommand& command = *kvtables::FindPageByName("snmpEngine1");
    auto page = pagecommands::BuildPage(command, command.title, MenuTestWindow::kAddress);
    auto again = std::make_unique<KvSNMPRequest2Edits>(page.get());
    again->request.variables = KvSNMPVarList(command.variables, command.kind, command.keyCount);
    EXPECT_THROW(page->SetEditorPage(std::move(again), command.layout), KvError);
    EXPECT_EQ(page->PageKind(), TConfigForm::kPageEditor);
    page.reset();
    // The menu still opens pages afterwards.
    EXPECT_TRUE(VisitPage([&] { menu->Click("snmpEngine1"); }, [&](TConfigForm& form) { ExpectOnlyOkLines(form); }));
}

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Report list views of real pages against the switch simulator, beside
// osprey-export: "Save as CSV..." writes the file the export writes for the
// same page; a sorted list's row dialog edits the row that was clicked and
// the write reaches that row; a screen reader reads each editor by its label.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "forms/port/tporttrunkform.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "pages/tsnmppanel.h"
#include "platform/kvmessagebox.h"
#include "shell/pagecommands.h"
#include "tables/pagecatalogue.h"
#include "snmp/kvsnmpsession.h"
#include "tests/export/exportrun.h"
#include "tests/export/exportsetup.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

namespace {

const std::string kPortControl = std::string(OSPREY_ENT_OID) + ".11.36.2.6.2.1";

std::string FileText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ListViewExport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvlistexport", "/"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        KvResetMessageSets();
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(sim, &error)) << error;
        KvSNMPSecurity.version = 1; // SNMPv2c, as the INI file gives the export
        setup.WriteIniFile("127.0.0.1", sim.port());
    }

    // A page as its menu command builds it, shown, after its first fetch.
    void Open(const char* name)
    {
        const PageCommand* command = kvtables::FindPageByName(name);
        ASSERT_NE(command, nullptr) << name;
        form = pagecommands::BuildPage(*command, command->title, KvSNMPDevice.address);
        adapter = form->Adapter();
        view = form->ListViewPanel() ? form->ListViewPanel()->ListView() : nullptr;
        form->show();
        ASSERT_TRUE(kvtest::WaitFor([this] { return adapter->getComplete && !form->MainBinding()->busy; }, 10000));
    }

    ExportResult Export(const std::string& title)
    {
        ExportProcess process(setup.Directory(), setup.RegistryPath());
        return process.Run({"/I127.0.0.1", "/Rravine", "/Wlantern", "--page", title, "--csv"});
    }

    std::string SavedCsv(QTreeWidget* list)
    {
        KvListViewActions* actions = KvListViewActions::Of(list);
        EXPECT_NE(actions, nullptr);
        if (!actions)
            return {};
        const QString file = dir.filePath("saved.csv");
        EXPECT_TRUE(actions->SaveCsv(file));
        return FileText(file);
    }

    void ClickHeader(QTreeWidget* list, int column)
    {
        QHeaderView* header = list->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // Port Control Table sorted by Port Index descending: port 26 first,
    // port n in the place 26 - n.
    void OpenPortsDescending()
    {
        ASSERT_NO_FATAL_FAILURE(Open("PortControl1"));
        ASSERT_NE(view, nullptr);
        ClickHeader(view, 0);
        ClickHeader(view, 0);
        ASSERT_EQ(view->topLevelItem(0)->text(0), "26");
    }

    // The page's Set button opens the row dialog; it must show port `port`
    // (the row `row`), and writes the admin state "disabled" alone. Gives
    // the SET lines that reached the agent.
    std::vector<std::string> DisableThroughRowDialog(const QString& port, QTreeWidgetItem* row)
    {
        UIEntryTable& entries = form->Entries();
        auto* index = qobject_cast<QLineEdit*>(entries[0].editor);
        auto* admin = qobject_cast<QComboBox*>(entries[1].editor);
        EXPECT_TRUE(index && admin);
        if (!index || !admin)
            return {};
        const QString wanted = admin->itemText(admin->findText("disabled"));
        EXPECT_FALSE(wanted.isEmpty());
        const QString shown = row->text(1);
        sim.clearLog();
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = adapter->Dialog() != nullptr;
            if (!ran)
                return;
            EXPECT_EQ(index->text(), port);
            EXPECT_EQ(admin->currentText(), shown);
            TCtrlBtnPanel* dialogBar = adapter->DialogPanel()->BtnPanel;
            dialogBar->ClearChecksBtn->click();
            entries[1].checkBox->setChecked(true);
            admin->setCurrentText(wanted);
            dialogBar->SetCheckBtn->click();
            kvtest::WaitFor([&] { return adapter->getComplete && adapter->setComplete && !form->MainBinding()->busy; },
                            10000);
            adapter->Dialog()->close();
        });
        form->PagePanel()->BtnPanel->SetBtn->click();
        EXPECT_TRUE(ran) << "no row dialog";

        std::vector<std::string> sets;
        for (const std::string& line : sim.logLines())
            if (line.rfind("SET ", 0) == 0)
                sets.push_back(line);
        return sets;
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    KvMessageBox::Answerer answerer;
    SimFixture sim;
    ExportSetup setup;
    QTemporaryDir dir;
    std::unique_ptr<TConfigForm> form;
    TSNMPLayoutAdapter* adapter = nullptr;
    QTreeWidget* view = nullptr;
};

TEST_F(ListViewExport, SaveAsCsvWritesTheFileTheExportWritesForAPage)
{
    Open("PortControl1");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->topLevelItemCount(), 26);
    const ExportResult exported = Export("Port Control Table");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(SavedCsv(view), exported.out);
}

TEST_F(ListViewExport, SaveAsCsvWritesTheFileTheExportWritesForAHandMadeWindow)
{
    KvFormHost host;
    host.agentAddress = "127.0.0.1";
    TPortTrunkForm trunks(nullptr, host);
    ASSERT_EQ(trunks.LV_PortTrunk->topLevelItemCount(), 2);
    const ExportResult exported = Export("Port Trunk Table");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(SavedCsv(trunks.LV_PortTrunk), exported.out);
}

TEST_F(ListViewExport, ASortedListsRowDialogEditsAndWritesTheRowThatWasClicked)
{
    ASSERT_NO_FATAL_FAILURE(OpenPortsDescending());
    QTreeWidgetItem* port3 = view->topLevelItem(23);
    ASSERT_EQ(port3->text(0), "3");
    kvtest::ClickRow(view, port3);
    ASSERT_EQ(view->selectedItems().value(0), port3);

    const std::vector<std::string> sets = DisableThroughRowDialog("3", port3);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(kPortControl + ".2.3 INTEGER"), std::string::npos) << sets[0];
    // The refresh after the write is sorted again, the row selected again.
    EXPECT_EQ(view->topLevelItem(0)->text(0), "26");
    ASSERT_EQ(view->selectedItems().size(), 1);
    EXPECT_EQ(view->selectedItems()[0]->text(0), "3");
    EXPECT_EQ(view->selectedItems()[0]->text(1), "disabled");
}

TEST_F(ListViewExport, ARangeOfASortedListIsCopiedAsShownAndItsDialogEditsTheRowClickedLast)
{
    ASSERT_NO_FATAL_FAILURE(OpenPortsDescending());
    // Ports 10 down to 3, Shift-clicked on port 3 last.
    kvtest::ClickRow(view, view->topLevelItem(16));
    QTreeWidgetItem* port3 = view->topLevelItem(23);
    kvtest::ClickRow(view, port3, Qt::ShiftModifier);
    ASSERT_EQ(view->selectedItems().size(), 8);
    EXPECT_TRUE(form->PagePanel()->BtnPanel->SetBtn->isEnabled());

    // Ctrl+C: the caption line and the eight rows in the order shown, each
    // the line the saved CSV has for it.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    const QStringList saved = QString::fromStdString(SavedCsv(view)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 9);
    ASSERT_EQ(saved.size(), 27);
    EXPECT_EQ(QString(copied[0]).replace('\t', ','), saved[0]);
    for (int i = 1; i < copied.size(); ++i) {
        EXPECT_EQ(copied[i].section('\t', 0, 0), QString::number(11 - i));
        EXPECT_EQ(QString(copied[i]).replace('\t', ','), saved[16 + i]);
    }

    // The dialog edits port 3 and the write goes to port 3 alone.
    const std::vector<std::string> sets = DisableThroughRowDialog("3", port3);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(kPortControl + ".2.3 INTEGER"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(kPortControl + ".2.10 "), std::string::npos) << sets[0];
}

TEST_F(ListViewExport, AScreenReaderReadsEachEditorByItsLabel)
{
    Open("DeviceControl1");
    // Every editor is labelled by its label (a combo box's name is its
    // choice; screen readers take the label from the relation).
    for (const UIEntry& entry : form->Entries()) {
        if (!entry.variable || !entry.label)
            continue;
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(entry.editor);
        ASSERT_NE(editor, nullptr);
        bool labelled = false;
        for (const auto& [other, relation] : editor->relations(QAccessible::Label))
            labelled = labelled || other->object() == entry.label;
        EXPECT_TRUE(labelled) << entry.label->text().toStdString();
        if (qobject_cast<QLineEdit*>(entry.editor)) {
            EXPECT_EQ(editor->text(QAccessible::Name), entry.label->text());
        }
    }
    QLineEdit* ip = nullptr;
    for (const UIEntry& entry : form->Entries())
        if (entry.label && entry.label->text() == "System IP")
            ip = qobject_cast<QLineEdit*>(entry.editor);
    ASSERT_NE(ip, nullptr);
    QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(ip);
    EXPECT_EQ(editor->text(QAccessible::Name) + ", " + editor->text(QAccessible::Value), "System IP, 192.168.1.10");

    // A per-port page names the fixed port number by the port-index label.
    const PageCommand* portPage = kvtables::FindPageByName("PortInformation2");
    ASSERT_NE(portPage, nullptr);
    std::unique_ptr<TConfigForm> page = pagecommands::BuildPage(*portPage, portPage->title, "127.0.0.1", 7);
    auto* portEdit = page->findChild<QLineEdit*>(pagecommands::kPortEditName);
    ASSERT_NE(portEdit, nullptr);
    QAccessibleInterface* port = QAccessible::queryAccessibleInterface(portEdit);
    EXPECT_EQ(port->text(QAccessible::Name), page->Entries()[0].label->text());
    EXPECT_EQ(port->text(QAccessible::Value), "7");
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// The page framework's widgets without an agent: the button bar, the
// generator and flow layout on real widgets, the page window's builders and
// sizing, the list-view events, and the row dialogs on rows put into the list
// view by hand.
#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

#include "binding/kvsnmprequest2edits.h"
#include "common/kverror.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "pages/rowhint.h"
#include "pages/tconfigform.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tflowlayoutmanger.h"
#include "pages/tmsgpanel.h"
#include "pages/tpanellistviewcontainer.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"
#include "pages/tuigenerator.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpvarlist.h"

QT_BEGIN_NAMESPACE
// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{' << list.join(", ").toStdString() << '}';
}
QT_END_NAMESPACE

namespace {

const KvOptionDef kOnOffTable[] = {
    {1, nullptr, "enabled"},
    {2, nullptr, "disabled"},
    {0, nullptr, nullptr},
};
const KvOptionList optOnOff(KvOptionList::kIntegerValues, kOnOffTable);

const KvOptionDef kRowStatusTable[] = {
    {1, nullptr, "active"},
    {4, nullptr, "createAndGo"},
    {6, nullptr, "destroy"},
    {0, nullptr, nullptr},
};
const KvOptionList optRowStatus(KvOptionList::kIntegerValues, kRowStatusTable);

// A scalar page: writable edit, read-only edit, writable combo, read-only combo.
const VarDef kScalars[] = {
    {"1.3.6.1.4.1.32473.9.1", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9.2", "Uptime", synTimeTicks, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9.3", "Mode", synInteger, accRW, &optOnOff, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9.4", "Reported Mode", synInteger, accRO, &optOnOff, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
const UIEntryDef kScalarLayout[] = {
    {uiEdit, "%s{l12}", &kScalars[0]},
    {uiEditUnselected, "%s", &kScalars[1]},
    {uiCombo, "%s", &kScalars[2]},
    {uiCombo, "%s", &kScalars[3]},
    {0, nullptr, nullptr},
};
// A table with row creation: index, two columns, a read-only column, row status.
const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.8.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8.1.2", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8.1.3", "Mode", synInteger, accRW, &optOnOff, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8.1.4", "Hits", synCounter32, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8.1.5", "Status", synInteger, accRW, &optRowStatus, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
const UIEntryDef kTableLayout[] = {
    {uiEditUnselected, "%i{n1x255}", &kTable[0]}, {uiEdit, "%s{l12}", &kTable[1]}, {uiCombo, "%s", &kTable[2]},
    {uiEditUnselected, "%i", &kTable[3]},         {uiCombo, "%s", &kTable[4]},     {0, nullptr, nullptr},
};

// A table of read-only columns only.
const VarDef kReadOnlyTable[] = {
    {"1.3.6.1.4.1.32473.8.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.8.1.4", "Hits", synCounter32, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
const UIEntryDef kReadOnlyTableLayout[] = {
    {uiEditUnselected, "%i", &kReadOnlyTable[0]},
    {uiEditUnselected, "%i", &kReadOnlyTable[1]},
    {0, nullptr, nullptr},
};

// A page made of chosen rows of kScalars: its own variable table (the rows in
// the page's order) and a layout over it.
struct ChosenPage {
    ChosenPage(std::initializer_list<std::pair<int32_t, int>> entries)
    {
        rows.reserve(entries.size() + 1);
        for (const auto& [kind, row] : entries) {
            rows.push_back(kScalars[row]);
            layout.push_back({kind, "%s", nullptr});
        }
        rows.push_back(VarDef{});
        for (size_t i = 0; i + 1 < rows.size(); ++i)
            layout[i].variable = &rows[i];
        layout.push_back({0, nullptr, nullptr});
    }
    std::vector<VarDef> rows;
    std::vector<UIEntryDef> layout;
};

std::unique_ptr<KvSNMPRequest2Edits> NewBinding(QWidget* owner, const VarDef* vars, uint8_t kind, int32_t keyCount)
{
    auto binding = std::make_unique<KvSNMPRequest2Edits>(owner);
    binding->Variables() = KvSNMPVarList(vars, kind, keyCount);
    return binding;
}

// Every control of the bar that is not hidden, by object name, top to bottom.
QStringList VisibleBarControls(const TCtrlBtnPanel* bar)
{
    QStringList names;
    for (QWidget* w : bar->Controls())
        if (!w->isHidden())
            names << w->objectName();
    return names;
}

// Runs `inside` once `dialog()` has opened a modal dialog, then closes it.
void WhileDialogOpen(const std::function<QDialog*()>& dialog, const std::function<void()>& inside)
{
    QTimer::singleShot(0, [=] {
        inside();
        if (QDialog* d = dialog())
            d->close();
    });
}

class PagesWidgets : public ::testing::Test {
protected:
    void SetUp() override { KvResetMessageSets(); }
    KvMessageBox::Answerer answerer;
};

// --- button bar ------------------------------------------------------------------

TEST_F(PagesWidgets, ButtonBarStacksVisibleControlsInTableOrder)
{
    QWidget owner;
    TCtrlBtnPanel bar(&owner);
    EXPECT_EQ(bar.width(), 116);
    ASSERT_EQ(bar.Controls().size(), 11);
    const QStringList captions = {"0",      "Samples",   "Refresh",      "Set",  "Set Check", "Add",
                                  "Delete", "Check All", "Clear Checks", "Stop", "Close"};
    int top = 10;
    for (int i = 0; i < 11; ++i) {
        QWidget* w = bar.Controls()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(w->x(), 10);
        EXPECT_EQ(w->width(), 96);
        EXPECT_EQ(w->y(), top);
        top = w->geometry().bottom() + 1 + 5;
        if (auto* b = qobject_cast<QPushButton*>(w))
            EXPECT_EQ(b->text(), captions[i]);
        else
            EXPECT_EQ(static_cast<QLabel*>(w)->text(), captions[i]);
    }

    // A hidden control takes no room: Set Check moves up to where Set was.
    const int setTop = bar.SetBtn->y();
    bar.HideControl(TCtrlBtnPanel::Set);
    EXPECT_EQ(bar.SetCheckBtn->y(), setTop);
    bar.HideControl(TCtrlBtnPanel::Close); // Close cannot be hidden
    EXPECT_FALSE(bar.CloseBtn->isHidden());

    bar.SetCheckButtons(TCtrlBtnPanel::CheckButtons::None);
    bar.HideControl(TCtrlBtnPanel::Stop);
    EXPECT_EQ(VisibleBarControls(&bar),
              QStringList({"ST_Count", "SamplesLbl", "RefreshBtn", "AddBtn", "DeleteBtn", "CloseBtn"}));
    EXPECT_EQ(bar.CloseBtn->y(), bar.DeleteBtn->geometry().bottom() + 1 + 5);
    bar.SetCheckButtons(TCtrlBtnPanel::CheckButtons::SetCheckOnly);
    bar.ShowStop();
    EXPECT_EQ(VisibleBarControls(&bar), QStringList({"ST_Count", "SamplesLbl", "RefreshBtn", "SetCheckBtn", "AddBtn",
                                                     "DeleteBtn", "StopBtn", "CloseBtn"}));
    bar.SetCheckButtons(TCtrlBtnPanel::CheckButtons::All);
    EXPECT_FALSE(bar.CheckAllBtn->isHidden());
    EXPECT_FALSE(bar.ClearChecksBtn->isHidden());
}

TEST_F(PagesWidgets, GlyphFilesInTheWorkingDirectoryReplaceCaptions)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(dir.filePath("Get.bmp"), "BMP"));
    ASSERT_TRUE(picture.save(dir.filePath("SelectNone.bmp"), "BMP"));
    QFile broken(dir.filePath("Close.bmp")); // not a picture: the caption stays
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a bitmap");
    broken.close();

    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QWidget owner;
    TCtrlBtnPanel bar(&owner);
    QDir::setCurrent(previous);

    EXPECT_TRUE(bar.RefreshBtn->text().isEmpty());
    EXPECT_FALSE(bar.RefreshBtn->icon().isNull());
    EXPECT_TRUE(bar.ClearChecksBtn->text().isEmpty());
    EXPECT_EQ(bar.SetBtn->text(), "Set"); // no file
    EXPECT_TRUE(bar.SetBtn->icon().isNull());
    EXPECT_EQ(bar.CloseBtn->text(), "Close"); // unreadable file
    EXPECT_EQ(bar.StopBtn->text(), "Stop");   // Stop has no glyph file
}

// --- generator and flow layout -------------------------------------------------------

TEST_F(PagesWidgets, GeneratorGivesReadOnlyVariablesTheirLook)
{
    QWidget owner;
    KvSNMPVarList list(kScalars, kvListScalars, 0);
    UIEntryTable entries = MakeEntries(kScalarLayout, list);
    TUIGenerator generator(entries.data(), &owner);
    ASSERT_EQ(generator.Controls().size(), 12);

    auto* name = qobject_cast<QLineEdit*>(entries[0].editor);
    auto* uptime = qobject_cast<QLineEdit*>(entries[1].editor);
    auto* mode = qobject_cast<QComboBox*>(entries[2].editor);
    auto* reported = qobject_cast<QComboBox*>(entries[3].editor);
    ASSERT_TRUE(name && uptime && mode && reported);
    EXPECT_EQ(generator.Controls()[0], entries[0].checkBox);
    EXPECT_EQ(generator.Controls()[1], entries[0].label);
    EXPECT_EQ(entries[0].label->text(), "Name");
    EXPECT_EQ(entries[0].checkBox->width(), 20);

    EXPECT_TRUE(entries[0].checkBox->isChecked());
    EXPECT_FALSE(name->isReadOnly());

    // Read-only edit: check box disabled and hidden, edit read-only, no tab stop.
    EXPECT_FALSE(entries[1].checkBox->isChecked()); // uiEditUnselected
    EXPECT_TRUE(entries[1].checkBox->isHidden());
    EXPECT_FALSE(entries[1].checkBox->isEnabled());
    EXPECT_TRUE(uptime->isReadOnly());
    EXPECT_FALSE(uptime->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(uptime->palette().color(QPalette::Base), uptime->palette().color(QPalette::Button));

    // Read-only combo: both disabled, the check box stays visible.
    EXPECT_TRUE(mode->isEnabled());
    EXPECT_FALSE(reported->isEnabled());
    EXPECT_FALSE(entries[3].checkBox->isEnabled());
    EXPECT_FALSE(entries[3].checkBox->isHidden());
}

TEST_F(PagesWidgets, FlowLayoutPlacesGeneratedControlsInRows)
{
    QWidget owner;
    QWidget container;
    KvSNMPVarList list(kScalars, kvListScalars, 0);
    UIEntryTable entries = MakeEntries(kScalarLayout, list);
    TUIGenerator generator(entries.data(), &owner);
    TFlowLayoutManger layout(&owner, &container, &generator.Controls());
    layout.Layout(TFlowLayoutManger::kRowMode);

    int widestLabel = 0;
    for (int i = 0; i < 4; ++i)
        widestLabel = std::max(widestLabel, entries[i].label->width());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].editor->parentWidget(), &container);
        EXPECT_EQ(entries[i].checkBox->x(), 20);
        EXPECT_EQ(entries[i].label->x(), 45);
        EXPECT_EQ(entries[i].editor->x(), 45 + widestLabel + 5);
        EXPECT_EQ(entries[i].editor->y(), 20 + 26 * i);
        EXPECT_EQ(entries[i].editor->width(), 121);
        EXPECT_EQ(entries[i].editor->height(), 21);
    }
    EXPECT_EQ(layout.ExtentRight(), 45 + widestLabel + 5 + 121);
    EXPECT_EQ(layout.ExtentBottom(), 20 + 26 * 3 + 21);
    EXPECT_EQ(layout.LabelChars(), 4 + 6 + 4 + 13);

    // Only a read-only edit: no check box is visible, the label starts at 20.
    const ChosenPage page({{uiEditUnselected, 1}});
    KvSNMPVarList second(page.rows.data(), kvListScalars, 0);
    UIEntryTable readOnly = MakeEntries(page.layout.data(), second);
    QWidget container2;
    TUIGenerator generator2(readOnly.data(), &owner);
    TFlowLayoutManger layout2(&owner, &container2, &generator2.Controls());
    layout2.Layout(TFlowLayoutManger::kRowMode);
    EXPECT_EQ(readOnly[0].label->x(), 20);
    EXPECT_EQ(readOnly[0].editor->x(), 20 + readOnly[0].label->width() + 5);
}

TEST_F(PagesWidgets, AListViewAloneFillsItsContainer)
{
    QWidget owner;
    QWidget container;
    container.resize(300, 200);
    KvSNMPVarList list(kTable, kvListTable, 1);
    UIEntryTable entries = MakeEntries(kReadOnlyTableLayout, list);
    entries[0].kind = uiListView;
    entries[1] = UIEntry{}; // the list view is the only entry
    TUIGenerator generator(entries.data(), &owner);
    ASSERT_EQ(generator.Controls().size(), 1);
    TFlowLayoutManger layout(&owner, &container, &generator.Controls());
    layout.Layout(TFlowLayoutManger::kRowMode);
    container.show();
    EXPECT_EQ(entries[0].editor->geometry(), QRect(0, 0, 300, 200));
    container.resize(500, 250);
    EXPECT_EQ(entries[0].editor->geometry(), QRect(0, 0, 500, 250));
    EXPECT_EQ(layout.ExtentRight(), 0);
    EXPECT_EQ(layout.ExtentBottom(), 0);
}

// --- the page window ------------------------------------------------------------------

TEST_F(PagesWidgets, CaptionAndASecondBuilderIsRefused)
{
    TConfigForm form(nullptr, "Port Control Table", "10.90.90.90");
    EXPECT_EQ(form.windowTitle(), "Port Control Table : 10.90.90.90");
    EXPECT_EQ(form.PageKind(), TConfigForm::kPageNone);
    EXPECT_EQ(form.size(), QSize(364, 317));

    form.SetEditorPage(NewBinding(&form, kScalars, kvListScalars, 0), kScalarLayout);
    EXPECT_EQ(form.PageKind(), TConfigForm::kPageEditor);
    KvSNMPRequest2Edits* main = form.MainBinding();
    TSNMPPanel* panel = form.PagePanel();

    for (int builder = 0; builder < 4; ++builder) {
        SCOPED_TRACE(builder);
        try {
            auto binding = NewBinding(&form, kTable, kvListTableRows, 1);
            switch (builder) {
            case 0:
                form.SetEditorPage(std::move(binding), kScalarLayout);
                break;
            case 1:
                form.SetEditorPageFromList(std::move(binding));
                break;
            case 2:
                form.SetListViewPage(std::move(binding), kTableLayout, {4, "createAndGo", 4, "destroy", 0});
                break;
            default:
                form.SetListViewPageFromList(std::move(binding), {-1, nullptr, -1, nullptr, 0});
                break;
            }
            ADD_FAILURE() << "no error";
        } catch (const KvError& e) {
            EXPECT_STREQ(e.what(), "Can not change Type of a Config Form!");
        }
    }
    EXPECT_EQ(form.PageKind(), TConfigForm::kPageEditor);
    EXPECT_EQ(form.MainBinding(), main);
    EXPECT_EQ(form.PagePanel(), panel);
    EXPECT_EQ(form.ListViewPanel(), nullptr);
}

TEST_F(PagesWidgets, EditorPageShowsTheCheckButtonsItsVariablesCallFor)
{
    struct Case {
        ChosenPage page;
        QStringList buttons;
    };
    const Case cases[] = {
        {ChosenPage({{uiEditUnselected, 1}, {uiCombo, 3}}), {"RefreshBtn", "CloseBtn"}},
        {ChosenPage({{uiEditUnselected, 1}, {uiCombo, 2}}), {"RefreshBtn", "SetCheckBtn", "CloseBtn"}},
        {ChosenPage({{uiEdit, 0}, {uiEditUnselected, 1}, {uiCombo, 2}}),
         {"RefreshBtn", "SetCheckBtn", "CheckAllBtn", "ClearChecksBtn", "CloseBtn"}},
    };
    for (const Case& c : cases) {
        TConfigForm form(nullptr, "t", "a");
        form.SetEditorPage(NewBinding(&form, c.page.rows.data(), kvListScalars, 0), c.page.layout.data());
        EXPECT_EQ(VisibleBarControls(form.PagePanel()->BtnPanel), c.buttons);
        EXPECT_EQ(form.MainBinding()->StatusTarget(), form.PagePanel()->MsgPanel->Memo);
    }
}

TEST_F(PagesWidgets, WindowTakesTheContentSizeUpTo800By550)
{
    TConfigForm small(nullptr, "t", "a");
    small.SetEditorPage(NewBinding(&small, kScalars, kvListScalars, 0), kScalarLayout);
    auto* editorPanel = small.PagePanel();
    EXPECT_EQ(small.width(), editorPanel->ContentWidth());
    EXPECT_EQ(small.height(), editorPanel->ContentHeight());
    EXPECT_EQ(editorPanel->ContentHeight(), 20 + 26 * 3 + 21 + 50 + 60);

    // 30 rows with a long label: taller and wider than the limits.
    static const std::string longLabel(120, 'W');
    std::vector<VarDef> rows(31, VarDef{});
    std::vector<UIEntryDef> layout(31, UIEntryDef{0, nullptr, nullptr});
    for (int i = 0; i < 30; ++i) {
        rows[i] = kScalars[0];
        rows[i].label = longLabel.c_str();
        layout[i] = {uiEdit, "%s", &rows[i]};
    }
    TConfigForm big(nullptr, "t", "a");
    big.SetEditorPage(NewBinding(&big, rows.data(), kvListScalars, 0), layout.data());
    EXPECT_GT(big.PagePanel()->ContentWidth(), 800);
    EXPECT_GT(big.PagePanel()->ContentHeight(), 550);
    EXPECT_EQ(big.size(), QSize(800, 550));
}

TEST_F(PagesWidgets, ListViewPageButtonsAndLabelsWithRangeHints)
{
    TConfigForm form(nullptr, "t", "a");
    form.SetListViewPage(NewBinding(&form, kTable, kvListTableRows, 1), kTableLayout,
                         {4, "createAndGo", 4, "destroy", 0});
    TSNMPListViewPanel* panel = form.ListViewPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(form.PageKind(), TConfigForm::kPageListView);
    EXPECT_EQ(VisibleBarControls(panel->BtnPanel),
              QStringList({"ST_Count", "SamplesLbl", "RefreshBtn", "SetBtn", "AddBtn", "DeleteBtn", "CloseBtn"}));
    EXPECT_EQ(panel->BtnPanel->SetBtn->text(), "Edit");
    EXPECT_FALSE(panel->BtnPanel->SetBtn->isEnabled());
    EXPECT_FALSE(panel->BtnPanel->DeleteBtn->isEnabled());
    form.ShowStopButton();
    EXPECT_FALSE(panel->BtnPanel->StopBtn->isHidden());

    TSNMPLayoutAdapter* adapter = form.Adapter();
    EXPECT_EQ(adapter->indexCount, 1);
    EXPECT_EQ(adapter->createIndex, 4);
    EXPECT_EQ(adapter->createText, "createAndGo");
    EXPECT_EQ(adapter->deleteText, "destroy");
    EXPECT_EQ(form.Entries()[0].label->text(), "Index[1..255]");
    EXPECT_EQ(form.Entries()[1].label->text(), "Name");

    // The editors sit in the hidden editor box, aligned after the longer labels.
    QScrollArea* box = panel->Container()->EditorBox();
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(form.Entries()[2].editor->parentWidget(), panel->Container()->EditorContent());
    EXPECT_GT(form.Entries()[2].editor->x(), 45 + form.Entries()[0].label->width());
    EXPECT_EQ(adapter->extentRight, form.Entries()[2].editor->geometry().right() + 1);

    // The width counts 8 pixels per label character before the hints.
    const int labelChars = 5 + 4 + 4 + 4 + 6;
    EXPECT_EQ(panel->ContentWidth(), 8 * labelChars + 116 + 40);

    // Without create and delete texts, Add and Delete are hidden; a table of
    // read-only columns has no Edit.
    TConfigForm readOnly(nullptr, "t", "a");
    readOnly.SetListViewPage(NewBinding(&readOnly, kReadOnlyTable, kvListTable, 1), kReadOnlyTableLayout,
                             {-1, nullptr, -1, nullptr, 0});
    EXPECT_EQ(VisibleBarControls(readOnly.ListViewPanel()->BtnPanel),
              QStringList({"ST_Count", "SamplesLbl", "RefreshBtn", "CloseBtn"}));
}

TEST_F(PagesWidgets, ListFromTheVariableListLocksTheIndexColumn)
{
    TConfigForm form(nullptr, "t", "a");
    form.SetListViewPageFromList(NewBinding(&form, kTable, kvListTableRows, 1), {4, "createAndGo", 4, "destroy", 1});
    ASSERT_EQ(form.Entries().size(), 6u);
    EXPECT_EQ(form.Entries()[0].kind, uiEditUnselected);
    EXPECT_EQ(form.Entries()[2].kind, uiCombo);
    EXPECT_TRUE(qobject_cast<QComboBox*>(form.Entries()[4].editor));
    EXPECT_EQ(form.Adapter()->createMode, 1);
    EXPECT_FALSE(form.ListViewPanel()->BtnPanel->SetBtn->isHidden());
}

// --- the list view and the row dialogs (rows put in by hand) ---------------------------

class ListPage : public PagesWidgets {
protected:
    void SetUp() override
    {
        PagesWidgets::SetUp();
        form = std::make_unique<TConfigForm>(nullptr, "Table", "127.0.0.1");
        form->SetListViewPage(NewBinding(form.get(), kTable, kvListTableRows, 1), kTableLayout,
                              {4, "createAndGo", 4, "destroy", 0});
        panel = form->ListViewPanel();
        view = panel->ListView();
        adapter = form->Adapter();
        bar = panel->BtnPanel;
    }

    QTreeWidgetItem* AddRow(const QStringList& cells)
    {
        auto* item = new QTreeWidgetItem(cells);
        view->addTopLevelItem(item);
        return item;
    }

    void Select(QTreeWidgetItem* item)
    {
        view->setCurrentItem(item);
        item->setSelected(true);
    }

    QLineEdit* Edit(int entry) { return qobject_cast<QLineEdit*>(form->Entries()[entry].editor); }
    QComboBox* Combo(int entry) { return qobject_cast<QComboBox*>(form->Entries()[entry].editor); }
    QCheckBox* Check(int entry) { return form->Entries()[entry].checkBox; }

    std::unique_ptr<TConfigForm> form;
    TSNMPListViewPanel* panel = nullptr;
    QTreeWidget* view = nullptr;
    TSNMPLayoutAdapter* adapter = nullptr;
    TCtrlBtnPanel* bar = nullptr;
};

TEST_F(ListPage, RowCounterHintAndTheEditDeleteRule)
{
    ASSERT_EQ(view->columnCount(), 5);
    AddRow({"1", "alpha", "enabled", "7", "active"});
    QTreeWidgetItem* second = AddRow({"2", "beta", "disabled", "0", "active"});
    EXPECT_EQ(bar->ST_Count->text(), "2");

    // The hint of the row under the pointer.
    view->show();
    const QPoint at = view->visualItemRect(second).center();
    QMouseEvent move(QEvent::MouseMove, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(view->toolTip().toStdString(),
              RowHintText({"Index", "Name", "Mode", "Hits", "Status"}, {"2", "beta", "disabled", "0", "active"}));
    const QPoint below(at.x(), view->viewport()->height() - 2);
    QMouseEvent away(QEvent::MouseMove, QPointF(below), view->viewport()->mapToGlobal(QPointF(below)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &away);
    EXPECT_TRUE(view->toolTip().isEmpty());

    // Edit and Delete follow the selection.
    EXPECT_FALSE(bar->SetBtn->isEnabled());
    Select(second);
    EXPECT_TRUE(bar->SetBtn->isEnabled());
    EXPECT_TRUE(bar->DeleteBtn->isEnabled());
    view->clearSelection();
    EXPECT_FALSE(bar->DeleteBtn->isEnabled());

    view->clear();
    EXPECT_EQ(bar->ST_Count->text(), "0");
}

TEST_F(ListPage, EditDialogLocksTheIndexAndGivesTheEditorsBack)
{
    AddRow({"1", "alpha", "enabled", "7", "active"});
    QTreeWidgetItem* second = AddRow({"2", "beta", "disabled", "0", "active"});
    Select(second);
    QScrollArea* box = panel->Container()->EditorBox();

    bool ran = false;
    WhileDialogOpen([this] { return adapter->Dialog(); },
                    [&] {
                        ran = true;
                        QDialog* dialog = adapter->Dialog();
                        ASSERT_NE(dialog, nullptr);
                        // Captioned as its page (an empty caption shows the program's name).
                        EXPECT_EQ(dialog->windowTitle(), "Table : 127.0.0.1");
                        EXPECT_EQ(box->window(), dialog);
                        EXPECT_FALSE(box->isHidden());
                        // The editors show the selected row; the index cannot be changed.
                        EXPECT_EQ(Edit(0)->text(), "2");
                        EXPECT_EQ(Edit(1)->text(), "beta");
                        EXPECT_EQ(Combo(2)->currentText(), "disabled");
                        EXPECT_FALSE(Edit(0)->isEnabled());
                        EXPECT_TRUE(Check(0)->isHidden());
                        EXPECT_TRUE(Check(1)->isChecked());
                        EXPECT_FALSE(Check(3)->isChecked()); // read-only column
                        ASSERT_NE(adapter->DialogPanel(), nullptr);
                        TCtrlBtnPanel* dialogBar = adapter->DialogPanel()->BtnPanel;
                        EXPECT_EQ(VisibleBarControls(dialogBar),
                                  QStringList({"SetCheckBtn", "CheckAllBtn", "ClearChecksBtn", "CloseBtn"}));
                        EXPECT_NE(form->MainBinding()->StatusTarget(), panel->MsgPanel->Memo);
                        // Check All leaves read-only columns clear; Clear Checks clears all.
                        dialogBar->ClearChecksBtn->click();
                        EXPECT_FALSE(Check(1)->isChecked());
                        dialogBar->CheckAllBtn->click();
                        EXPECT_TRUE(Check(1)->isChecked());
                        EXPECT_TRUE(Check(4)->isChecked());
                        EXPECT_FALSE(Check(3)->isChecked());
                    });
    bar->SetBtn->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(adapter->Dialog(), nullptr);
    EXPECT_EQ(box->parentWidget(), static_cast<QWidget*>(panel->Container()->Splitter()));
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(form->MainBinding()->StatusTarget(), panel->MsgPanel->Memo);

    // A double click on a selected row opens the same dialog.
    ran = false;
    WhileDialogOpen([this] { return adapter->Dialog(); }, [&] { ran = adapter->Dialog() != nullptr; });
    emit view->itemDoubleClicked(second, 0);
    EXPECT_TRUE(ran);
}

TEST_F(ListPage, AddDialogStartsEmptyWithTheCreateStatus)
{
    QTreeWidgetItem* first = AddRow({"1", "alpha", "enabled", "7", "active"});
    Select(first);
    // An edit dialog of a selected row locks the index; the add dialog opens it again.
    WhileDialogOpen([this] { return adapter->Dialog(); }, [] {});
    bar->SetBtn->click();
    ASSERT_FALSE(Edit(0)->isEnabled());

    bool ran = false;
    WhileDialogOpen([this] { return adapter->Dialog(); },
                    [&] {
                        ran = true;
                        EXPECT_TRUE(view->selectedItems().isEmpty());
                        EXPECT_TRUE(Edit(0)->text().isEmpty());
                        EXPECT_TRUE(Edit(0)->isEnabled());
                        EXPECT_FALSE(Edit(0)->isReadOnly());
                        EXPECT_TRUE(Edit(1)->text().isEmpty());
                        EXPECT_EQ(Combo(2)->currentIndex(), -1);
                        EXPECT_EQ(Combo(4)->currentText(), "createAndGo");
                        for (int i = 0; i < 5; ++i)
                            EXPECT_TRUE(Check(i)->isChecked()) << i;
                        EXPECT_FALSE(bar->SetBtn->isEnabled());
                        EXPECT_FALSE(bar->DeleteBtn->isEnabled());
                        // Check All here sets read-only columns too.
                        TCtrlBtnPanel* dialogBar = adapter->DialogPanel()->BtnPanel;
                        dialogBar->ClearChecksBtn->click();
                        dialogBar->CheckAllBtn->click();
                        EXPECT_TRUE(Check(3)->isChecked());
                        EXPECT_EQ(VisibleBarControls(dialogBar),
                                  QStringList({"SetCheckBtn", "CheckAllBtn", "ClearChecksBtn", "CloseBtn"}));
                        EXPECT_EQ(adapter->Dialog()->width(), adapter->extentRight + 116 + 40);
                    });
    bar->AddBtn->click();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(panel->Container()->EditorBox()->isHidden());
}

TEST_F(ListPage, FlagsGuardRefreshAndWritesAndStopResetsThem)
{
    // No fetch has completed yet.
    EXPECT_FALSE(adapter->getComplete);
    EXPECT_TRUE(adapter->setComplete);
    bar->RefreshBtn->click();
    adapter->DoSetSelected();
    ASSERT_EQ(answerer.shown().size(), 2u);
    EXPECT_EQ(answerer.shown()[0].text, "Get data not complete");
    EXPECT_EQ(answerer.shown()[1].text, "Get data not complete");

    adapter->getComplete = true;
    adapter->setComplete = false;
    adapter->DoSetSelected();
    ASSERT_EQ(answerer.shown().size(), 3u);
    EXPECT_EQ(answerer.shown()[2].text, "Modify data not complete");

    bar->StopBtn->click();
    EXPECT_TRUE(adapter->getComplete);
    EXPECT_TRUE(adapter->setComplete);
    EXPECT_FALSE(form->MainBinding()->request.active);
}

TEST_F(ListPage, ReselectsTheRowOfTheIndexEditorsAfterAFetch)
{
    AddRow({"1", "alpha", "enabled", "7", "active"});
    AddRow({"2", "beta", "disabled", "0", "active"});
    AddRow({"3", "gamma", "enabled", "1", "active"});
    Edit(0)->setText("2");
    adapter->OnGetComplete();
    EXPECT_TRUE(adapter->getComplete);
    ASSERT_EQ(view->selectedItems().size(), 1);
    EXPECT_EQ(view->selectedItems()[0]->text(1), "beta");

    Edit(0)->setText("9"); // no such row: the selection stays
    adapter->ReselectRow();
    EXPECT_EQ(view->selectedItems()[0]->text(1), "beta");
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

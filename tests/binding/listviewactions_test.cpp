// The report list view around its rows: sorting by a header click (numbers,
// addresses, object identifiers, hexadecimal, text), the selection and the
// binding's row through a sort and a refresh, Ctrl+C, the context menu and
// "Save as CSV...".
#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "binding/kvlistrow.h"
#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "platform/kvmessagebox.h"

QT_BEGIN_NAMESPACE
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

using Order = KvListRow::Order;

// --- the orders on their own -----------------------------------------------------

int Cmp(Order order, const char* a, const char* b)
{
    return KvListRow::Compare(order, QString::fromUtf8(a), QString::fromUtf8(b));
}

TEST(ListRowOrder, AColumnReadsAsNumbersHexadecimalOrText)
{
    EXPECT_EQ(KvListRow::ColumnOrder({"10", "9", "-3", "2.5", "", "007"}), Order::Number);
    EXPECT_EQ(KvListRow::ColumnOrder({"00-0A-1B-2C-3D-4E", "00 09 FF", "ffc0"}), Order::Hex);
    // Digits only between dots: addresses and identifiers, compared part by part.
    EXPECT_EQ(KvListRow::ColumnOrder({"10.0.0.10", "10.0.0.9"}), Order::Text);
    EXPECT_EQ(KvListRow::ColumnOrder({"5", "(NULL)"}), Order::Text);
    EXPECT_EQ(KvListRow::ColumnOrder({"enabled", "disabled"}), Order::Text);
}

// A list view's actions are found by their type: another child of the view
// bearing their object name is not taken for them, and Install makes them
// only once.
TEST(ListActionsLookup, FoundByTypeNotByObjectName)
{
    QTreeWidget view;
    auto* decoy = new QObject(&view);
    decoy->setObjectName(QStringLiteral("KvListViewActions"));
    EXPECT_EQ(KvListViewActions::Of(&view), nullptr);
    KvListViewActions* actions = KvListViewActions::Install(&view);
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(KvListViewActions::Of(&view), actions);
    EXPECT_EQ(KvListViewActions::Install(&view), actions);
    EXPECT_EQ(KvListViewActions::Of(nullptr), nullptr);
}

TEST(ListRowOrder, NumbersHexadecimalAndTextCompareByWhatTheyHold)
{
    EXPECT_LT(Cmp(Order::Number, "9", "10"), 0);
    EXPECT_LT(Cmp(Order::Number, "-10", "-3"), 0);
    EXPECT_LT(Cmp(Order::Number, "-3", "2.5"), 0);
    EXPECT_LT(Cmp(Order::Number, "2.5", "2.75"), 0);
    EXPECT_LT(Cmp(Order::Number, "2.75", "3"), 0);
    EXPECT_LT(Cmp(Order::Number, "18446744073709551614", "18446744073709551615"), 0);
    EXPECT_LT(Cmp(Order::Number, "", "-1"), 0); // empty first

    EXPECT_LT(Cmp(Order::Hex, "00-09-FF-00-00-00", "00-0A-00-00-00-00"), 0);
    EXPECT_LT(Cmp(Order::Hex, "00-0a-00-00-00-00", "00-0A-00-00-00-01"), 0);
    EXPECT_LT(Cmp(Order::Hex, "0F", "ff"), 0);
    EXPECT_LT(Cmp(Order::Hex, "FF 00", "FF 00 00"), 0);

    EXPECT_LT(Cmp(Order::Text, "10.0.0.9", "10.0.0.10"), 0);
    EXPECT_LT(Cmp(Order::Text, "9.255.255.255", "10.0.0.0"), 0);
    EXPECT_LT(Cmp(Order::Text, "1.3.6.1.2.1", "1.3.6.1.2.1.1"), 0);
    EXPECT_LT(Cmp(Order::Text, "1.3.6.1.2.1.1", "1.3.6.1.4"), 0);
    EXPECT_LT(Cmp(Order::Text, "Port 2", "Port 10"), 0);
    EXPECT_LT(Cmp(Order::Text, "alpha", "Beta"), 0);
    EXPECT_LT(Cmp(Order::Text, "", "a"), 0);
    // Texts that read alike still have one order, either way round.
    EXPECT_NE(Cmp(Order::Text, "Alpha", "alpha"), 0);
    EXPECT_EQ(Cmp(Order::Text, "Alpha", "alpha"), -Cmp(Order::Text, "alpha", "Alpha"));
}

// --- a list view of the binding ---------------------------------------------------

const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.30.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.30.1.2", "Address", synIpAddress, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.30.1.3", "MAC", synMacAddress, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.30.1.4", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.30.1.5", "Hits", synCounter32, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.30.1.6", "Key", synOctets, accWrite, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

struct Row {
    const char* index;
    const char* address;
    const char* mac;
    const char* name;
    const char* hits;
};

// Arrival order; sorted by Hits: 2, 9, 10, 100; by Address: 9.255.0.1,
// 10.0.0.9, 10.0.0.10, 10.0.1.0.
const Row kRows[] = {
    {"1", "10.0.0.10", "00-0A-00-00-00-01", "alpha", "10"},
    {"2", "10.0.0.9", "00-09-FF-00-00-00", "beta", "9"},
    {"3", "9.255.0.1", "00-0a-00-00-00-00", "gamma", "100"},
    {"4", "10.0.1.0", "00-10-00-00-00-00", "delta", "2"},
};

class ListActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvResetMessageSets();
        binding = std::make_unique<KvSNMPRequest2Edits>(&window);
        binding->Variables() = KvSNMPVarList(kTable, kvListTable, 1);
        binding->BindControl(0, &index);
        binding->BindControl(3, &name);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&list);
        layout->addWidget(&index);
        layout->addWidget(&name);
        window.setWindowTitle("Address Table :127.0.0.1");
        window.resize(700, 320);
        binding->AttachListView(&list);
        actions = KvListViewActions::Of(&list);
        window.show();
    }

    void AddRow(const Row& row, const char* key = "AA")
    {
        KvSNMPVarList& vars = binding->Variables();
        vars[0].value = row.index;
        vars[1].value = row.address;
        vars[2].value = row.mac;
        vars[3].value = row.name;
        vars[4].value = row.hits;
        vars[5].value = key;
        binding->ShowRow();
    }

    void Refresh()
    {
        binding->BeforeRefresh();
        for (const Row& row : kRows)
            AddRow(row);
        binding->FlushRows();
        binding->AfterRefresh();
    }

    // The column's texts from top to bottom.
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int r = 0; r < list.topLevelItemCount(); ++r)
            texts << list.topLevelItem(r)->text(column);
        return texts;
    }

    int ColumnOf(const char* caption) const
    {
        for (int c = 0; c < list.columnCount(); ++c)
            if (list.headerItem()->text(c) == caption)
                return c;
        return -1;
    }

    void ClickHeader(const char* caption)
    {
        QHeaderView* header = list.header();
        const int c = ColumnOf(caption);
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void ClickRow(QTreeWidgetItem* item)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(item).center());
    }

    QTreeWidgetItem* RowWithIndex(const char* text) const
    {
        const int c = ColumnOf("Index");
        for (int r = 0; r < list.topLevelItemCount(); ++r)
            if (list.topLevelItem(r)->text(c) == text)
                return list.topLevelItem(r);
        return nullptr;
    }

    std::string Csv() const
    {
        std::ostringstream out;
        actions->WriteCsv(out);
        return out.str();
    }

    KvMessageBox::Answerer answerer;
    QWidget window;
    QTreeWidget list{&window};
    QLineEdit index{&window};
    QLineEdit name{&window};
    std::unique_ptr<KvSNMPRequest2Edits> binding;
    KvListViewActions* actions = nullptr;
};

TEST_F(ListActions, AHeaderClickSortsNumbersAsNumbersAndASecondClickReverses)
{
    ASSERT_NE(actions, nullptr);
    Refresh();
    const int hits = ColumnOf("Hits");
    EXPECT_EQ(Column(hits), QStringList({"10", "9", "100", "2"})); // arrival order
    EXPECT_FALSE(actions->Sorted());

    ClickHeader("Hits");
    EXPECT_EQ(Column(hits), QStringList({"2", "9", "10", "100"}));
    EXPECT_TRUE(list.header()->isSortIndicatorShown());
    EXPECT_EQ(list.header()->sortIndicatorSection(), hits);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);

    ClickHeader("Hits");
    EXPECT_EQ(Column(hits), QStringList({"100", "10", "9", "2"}));
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    // The caption still fits beside the sort mark.
    EXPECT_GE(list.header()->sectionSize(hits), list.header()->sectionSizeHint(hits));

    // Another column starts ascending.
    ClickHeader("Name");
    EXPECT_EQ(Column(ColumnOf("Name")), QStringList({"alpha", "beta", "delta", "gamma"}));
}

TEST_F(ListActions, AddressesSortPartByPartAndHexadecimalByValue)
{
    Refresh();
    ClickHeader("Address");
    EXPECT_EQ(Column(ColumnOf("Address")), QStringList({"9.255.0.1", "10.0.0.9", "10.0.0.10", "10.0.1.0"}));
    ClickHeader("MAC");
    EXPECT_EQ(Column(ColumnOf("MAC")),
              QStringList({"00-09-FF-00-00-00", "00-0a-00-00-00-00", "00-0A-00-00-00-01", "00-10-00-00-00-00"}));
}

TEST_F(ListActions, TheSelectionAndTheBindingsRowFollowTheSort)
{
    Refresh();
    // Row 3 (Hits 100) is third as it arrived, first once sorted by Hits
    // descending.
    ClickRow(RowWithIndex("3"));
    ASSERT_EQ(index.text(), "3");
    ClickHeader("Hits");
    ClickHeader("Hits");
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems().first(), RowWithIndex("3"));
    EXPECT_EQ(list.indexOfTopLevelItem(RowWithIndex("3")), 0);

    // A click on the sorted list gives the row clicked, not the one that
    // arrived at that place.
    QTreeWidgetItem* third = list.topLevelItem(2); // Hits 9: row 2
    ClickRow(third);
    EXPECT_EQ(index.text(), "2");
    EXPECT_EQ(name.text(), "beta");
    binding->Variables()[0].value.clear();
    binding->CollectValues();
    EXPECT_EQ(binding->Variables()[0].value, "2");
    EXPECT_EQ(binding->Variables()[3].value, "beta");
    EXPECT_EQ(binding->Variables()[5].value, "AA"); // hidden columns come back too
}

TEST_F(ListActions, ARefreshKeepsArrivalOrderUntilItIsOverThenSortsOnce)
{
    Refresh();
    ClickHeader("Hits");
    const int hits = ColumnOf("Hits");

    binding->BeforeRefresh();
    for (const Row& row : kRows)
        AddRow(row);
    kvtest::Settle(2 * KvSNMPRequest2Edits::kRowBatchMs);
    // Every row is in while the walk goes on, as it arrived.
    EXPECT_EQ(Column(hits), QStringList({"10", "9", "100", "2"}));
    binding->FlushRows();
    EXPECT_EQ(Column(hits), QStringList({"2", "9", "10", "100"}));
    binding->AfterRefresh();
    EXPECT_EQ(Column(hits), QStringList({"2", "9", "10", "100"}));
}

TEST_F(ListActions, WithoutASortARefreshKeepsArrivalOrder)
{
    Refresh();
    Refresh();
    EXPECT_EQ(Column(ColumnOf("Index")), QStringList({"1", "2", "3", "4"}));
}

TEST_F(ListActions, CtrlCCopiesTheSelectedRowWithACaptionLine)
{
    Refresh();
    QGuiApplication::clipboard()->setText("before");
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before"); // nothing selected: nothing copied

    binding->BeforeRefresh();
    AddRow({"7", "10.1.1.1", "00-00-00-00-00-07", "tab\there", "5"}, "secret");
    binding->FlushRows();
    ClickRow(list.topLevelItem(0));
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    // The hidden column (Key) is left out; a tab in a value is written \t.
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Index\tAddress\tMAC\tName\tHits\n"
                                                    "7\t10.1.1.1\t00-00-00-00-00-07\ttab\\there\t5\n");
}

TEST_F(ListActions, ShiftAndCtrlClicksCopySeveralRowsInTheOrderShownWhileTheRowIsTheOneClicked)
{
    Refresh();
    ClickHeader("Hits"); // rows 4, 2, 1, 3
    auto copied = [&] {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    };
    const QString caption = "Index\tAddress\tMAC\tName\tHits\n";
    const QString row1 = "1\t10.0.0.10\t00-0A-00-00-00-01\talpha\t10\n";
    const QString row2 = "2\t10.0.0.9\t00-09-FF-00-00-00\tbeta\t9\n";
    const QString row3 = "3\t9.255.0.1\t00-0a-00-00-00-00\tgamma\t100\n";
    const QString row4 = "4\t10.0.1.0\t00-10-00-00-00-00\tdelta\t2\n";

    // A range: the binding's row is where it ended, the copy has all three.
    kvtest::ClickRow(&list, list.topLevelItem(0));
    kvtest::ClickRow(&list, list.topLevelItem(2), Qt::ShiftModifier);
    EXPECT_EQ(list.selectedItems().size(), 3);
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), RowWithIndex("1"));
    EXPECT_EQ(index.text(), "1");
    EXPECT_EQ(name.text(), "alpha");
    EXPECT_EQ(copied(), caption + row4 + row2 + row1);

    // Sorted the other way: copied the other way, the same row meant.
    ClickHeader("Hits");
    EXPECT_EQ(copied(), caption + row1 + row2 + row4);
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), RowWithIndex("1"));

    // Ctrl adds a row and makes it the row; the context menu copies the same.
    kvtest::ClickRow(&list, RowWithIndex("3"), Qt::ControlModifier);
    EXPECT_EQ(index.text(), "3");
    EXPECT_EQ(copied(), caption + row3 + row1 + row2 + row4);
    QGuiApplication::clipboard()->clear();
    actions->CopyAction()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), caption + row3 + row1 + row2 + row4);

    // Ctrl on the row again takes it out: several rows left, none of them
    // the row, so nothing of a row goes into the values.
    kvtest::ClickRow(&list, RowWithIndex("3"), Qt::ControlModifier);
    EXPECT_EQ(list.selectedItems().size(), 3);
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), nullptr);
    EXPECT_EQ(copied(), caption + row1 + row2 + row4);
    binding->CollectValues();
    EXPECT_EQ(binding->Variables()[5].value, ""); // the hidden key of no row

    // Ctrl+A selects every row; the row stays the current one.
    kvtest::ClickRow(&list, RowWithIndex("2"));
    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list.selectedItems().size(), 4);
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), RowWithIndex("2"));
    EXPECT_EQ(copied(), caption + row3 + row1 + row2 + row4);
}

TEST_F(ListActions, MovingTheCurrentRowByKeyTellsTheSelectionHandlersWhichRowIsMeant)
{
    Refresh();
    QSignalSpy changes(&list, &QTreeWidget::itemSelectionChanged);
    kvtest::ClickRow(&list, RowWithIndex("1"));
    kvtest::Settle(20);
    // One row selected: it stays the row while Ctrl+Down moves the current
    // row off it, and nothing is told.
    changes.clear();
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    kvtest::Settle(20);
    EXPECT_EQ(list.currentItem(), RowWithIndex("2"));
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), RowWithIndex("1"));
    EXPECT_EQ(changes.count(), 0);

    // Two rows selected: moving off them leaves no row, and the handlers
    // hear of it; moving back onto one makes it the row again.
    kvtest::ClickRow(&list, RowWithIndex("2"), Qt::ControlModifier);
    ASSERT_EQ(index.text(), "2");
    changes.clear();
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    ASSERT_TRUE(kvtest::WaitFor([&] { return changes.count() == 1; }, 1000));
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), nullptr);
    EXPECT_EQ(list.selectedItems().size(), 2);
    index.clear();
    QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
    ASSERT_TRUE(kvtest::WaitFor([&] { return changes.count() == 2; }, 1000));
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), RowWithIndex("2"));
    EXPECT_EQ(index.text(), "2");
    // Refreshed, the list has no row, and says nothing more on its own.
    Refresh();
    kvtest::Settle(20);
    changes.clear();
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    kvtest::Settle(20);
    EXPECT_EQ(KvListViewActions::SelectedRow(&list), nullptr);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ListActions, CsvHoldsEveryRowInTheOrderShownWithoutHiddenColumns)
{
    binding->BeforeRefresh();
    AddRow({"1", "10.0.0.1", "00-00-00-00-00-01", "one, two", "3"});
    AddRow({"2", "10.0.0.2", "00-00-00-00-00-02", "say \"hi\"", "1"});
    binding->FlushRows();
    EXPECT_EQ(Csv(), "Index,Address,MAC,Name,Hits\n"
                     "1,10.0.0.1,00-00-00-00-00-01,\"one, two\",3\n"
                     "2,10.0.0.2,00-00-00-00-00-02,\"say \"\"hi\"\"\",1\n");
    ClickHeader("Hits");
    EXPECT_EQ(Csv(), "Index,Address,MAC,Name,Hits\n"
                     "2,10.0.0.2,00-00-00-00-00-02,\"say \"\"hi\"\"\",1\n"
                     "1,10.0.0.1,00-00-00-00-00-01,\"one, two\",3\n");

    QTemporaryDir dir;
    const QString file = dir.filePath("rows.csv");
    ASSERT_TRUE(actions->SaveCsv(file));
    std::ifstream in(file.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Csv());
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(ListActions, AFileThatCannotBeWrittenIsReportedWithTheCommonMessage)
{
    Refresh();
    EXPECT_FALSE(actions->SaveCsv("/nonexistent-folder/rows.csv"));
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, "(KvCommon) Fail to write data to file(/nonexistent-folder/rows.csv)!");
}

TEST_F(ListActions, TheContextMenuOffersCopyAndSaveAsCsv)
{
    Refresh();
    auto openMenu = [&](const QPoint& at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &event);
        return actions->ContextMenu();
    };
    QMenu* menu = openMenu(QPoint(5, list.viewport()->height() - 5));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, QStringList({"Copy", "Save as CSV..."}));
    EXPECT_FALSE(actions->CopyAction()->isEnabled()); // no row selected
    EXPECT_TRUE(actions->SaveCsvAction()->isEnabled());
    EXPECT_EQ(actions->CopyAction()->shortcut(), QKeySequence(QKeySequence::Copy));
    menu->hide();

    ClickRow(RowWithIndex("2"));
    openMenu(list.visualItemRect(RowWithIndex("2")).center());
    EXPECT_TRUE(actions->CopyAction()->isEnabled());
    actions->CopyAction()->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith("\n2\t10.0.0.9\t00-09-FF-00-00-00\tbeta\t9\n"));

    // Save as CSV asks for a file, suggesting the window's caption.
    QTemporaryDir dir;
    QString suggested;
    actions->askFileName = [&](const QString& name) {
        suggested = name;
        return dir.filePath("saved.csv");
    };
    actions->SaveCsvAction()->trigger();
    EXPECT_TRUE(suggested.endsWith("/Address Table 127.0.0.1.csv")) << suggested.toStdString();
    std::ifstream in(dir.filePath("saved.csv").toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Csv());
    menu->hide();
}

TEST_F(ListActions, BytesThatAreNotUtf8ShowAsLatin1AndGoBackUnchanged)
{
    binding->BeforeRefresh();
    AddRow({"1", "10.0.0.1", "00-00-00-00-00-01", "caf\xE9", "3"});
    binding->FlushRows();
    QTreeWidgetItem* row = list.topLevelItem(0);
    EXPECT_EQ(row->text(ColumnOf("Name")), QString::fromUtf8("caf\xC3\xA9"));
    ClickRow(row);
    EXPECT_EQ(binding->Variables()[3].value, "caf\xE9");
    // As the export writes it: each stray byte as its Latin-1 character.
    EXPECT_NE(Csv().find("caf\xC3\xA9"), std::string::npos);
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

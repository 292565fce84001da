// The binding's collect step refuses what must not be written: texts that
// are no value of their syntax, edits whose constraint fails (whether the
// field was left or not) and empty choices. The refused control is marked
// and the error names its field; marks of failed variables on editors and
// list-view columns; list rows tall enough for their font.
#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvfielderror.h"
#include "binding/kvfieldmarker.h"
#include "binding/kvgridlinedelegate.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "platform/kvmessagebox.h"

namespace {

const KvOptionDef kStateTable[] = {
    {1, nullptr, "enabled"},
    {2, nullptr, "disabled"},
    {0, nullptr, nullptr},
};
const KvOptionList kState(KvOptionList::kIntegerValues, kStateTable);

enum Var { vAddress, vMinutes, vMac, vType, vAging, vState, vView, vCount };
const VarDef kVars[] = {
    {"1.3.6.1.4.1.32473.1", "System IP", synIpAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.2", "Dead Time Minutes", synGauge32, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.3", "Mask Source", synMacAddress, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.4", "Ethernet Type", synOctets, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.5", "Aging Time", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.6", "Mask State", synInteger, accRW, &kState, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.7", "View Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const std::string kBadValue = "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!";

class RefusalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        KvResetMessageSets();
        binding = std::make_unique<KvSNMPRequest2Edits>(&window);
        binding->Variables() = KvSNMPVarList(kVars, kvListScalars, 0);
    }

    std::string& Value(int i) { return binding->Variables()[i].value; }

    QLineEdit* Edit(int variable, const char* constraint = "%s")
    {
        auto* edit = new QLineEdit(&window);
        binding->BindEdits(variable, constraint, edit);
        return edit;
    }

    std::vector<QLineEdit*> Edits(int n)
    {
        std::vector<QLineEdit*> edits;
        for (int i = 0; i < n; ++i)
            edits.push_back(new QLineEdit(&window));
        return edits;
    }

    // Collects one variable: empty when it passes, else the refusal's
    // message (its code and variable in `code` and `variable`).
    std::string Refusal(int variableIndex, int* code = nullptr)
    {
        try {
            binding->CollectControls(variableIndex);
        } catch (const KvFieldError& e) {
            if (variableIndex != -1) {
                EXPECT_EQ(e.variableIndex(), variableIndex);
            }
            if (code)
                *code = e.code();
            return e.message();
        }
        return {};
    }

    bool Marked(QWidget* control) { return binding->FieldMarker().IsMarked(control); }

    KvMessageBox::Answerer answerer;
    QWidget window;
    std::unique_ptr<KvSNMPRequest2Edits> binding;
};

} // namespace

TEST_F(RefusalTest, AddressesMustBeDottedQuadsOfPartsUpTo255)
{
    QLineEdit* edit = Edit(vAddress);
    for (const char* text : {"192.168.1.300", "192.168.1.10.5", "-192.168.1.10", "192.168. 1.10", "192.168.1"}) {
        SCOPED_TRACE(text);
        Value(vAddress) = "192.168.1.10";
        edit->setText(text);
        int code = 0;
        EXPECT_EQ(Refusal(vAddress, &code), "System IP: " + kBadValue);
        EXPECT_EQ(code, -518);
        EXPECT_EQ(Value(vAddress), "192.168.1.10") << "the value is not touched";
        EXPECT_TRUE(Marked(edit));
        EXPECT_EQ(edit->toolTip().toStdString(), "System IP: " + kBadValue);
        EXPECT_TRUE(edit->styleSheet().contains("border")) << edit->styleSheet().toStdString();
        EXPECT_EQ(edit->text(), text) << "what was typed stays";
    }
    edit->setText(" 192.168.1.30 ");
    EXPECT_EQ(Refusal(vAddress), "");
    EXPECT_EQ(Value(vAddress), "192.168.1.30");
    EXPECT_FALSE(Marked(edit));
    EXPECT_TRUE(edit->styleSheet().isEmpty());
    EXPECT_TRUE(edit->toolTip().isEmpty());
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(RefusalTest, FourPartAddressMarksThePartThatIsNoOctet)
{
    auto parts = Edits(4);
    binding->BindEdits(vAddress, "%i%i%i%i", parts[0], {parts[1], parts[2], parts[3]});
    const QStringList typed{"192", "168", "1", "300"};
    for (int i = 0; i < 4; ++i)
        parts[i]->setText(typed[i]);
    EXPECT_EQ(Refusal(vAddress), "System IP: " + kBadValue);
    EXPECT_FALSE(Marked(parts[0]));
    EXPECT_TRUE(Marked(parts[3]));

    // Free-text parts: signs, blanks inside, a dotted part.
    auto free = Edits(4);
    binding->BindEdits(vAddress, "%s%s%s%s", free[0], {free[1], free[2], free[3]});
    for (const char* bad : {"-1", "1 2", "1.2", "+1", "x"}) {
        SCOPED_TRACE(bad);
        for (int i = 0; i < 4; ++i)
            free[i]->setText("10");
        free[1]->setText(bad);
        parts[3]->setText("30");
        EXPECT_EQ(Refusal(vAddress), "System IP: " + kBadValue);
        EXPECT_TRUE(Marked(free[1]));
    }
    free[1]->setText(" 20 ");
    EXPECT_EQ(Refusal(vAddress), "");
    EXPECT_EQ(Value(vAddress), "10.20.10.10"); // the last binding wins
}

TEST_F(RefusalTest, NumbersInTextEditorsMustBeWholeAndInTheSyntaxRange)
{
    QLineEdit* minutes = Edit(vMinutes);
    for (const char* text : {"twelve", "15 minutes", "4294967296", "-1", "1.5", ""}) {
        SCOPED_TRACE(text);
        Value(vMinutes) = "3";
        minutes->setText(text);
        EXPECT_EQ(Refusal(vMinutes), "Dead Time Minutes: " + kBadValue);
        EXPECT_EQ(Value(vMinutes), "3");
    }
    minutes->setText("4294967295");
    EXPECT_EQ(Refusal(vMinutes), "");
    EXPECT_EQ(Value(vMinutes), "4294967295");
}

TEST_F(RefusalTest, MacAndHexEditorsRefuseBadDigitsAndLengths)
{
    QLineEdit* mask = Edit(vMac, "%s{l12}");
    for (const char* text : {"GGHHIIJJKKLL", "FFFFFF00000", "FFFFFF0000", "FFFFFF00000G"}) {
        SCOPED_TRACE(text);
        Value(vMac) = "FFFFFF000000";
        mask->setText(text);
        EXPECT_EQ(Refusal(vMac), "Mask Source: " + kBadValue);
        EXPECT_EQ(Value(vMac), "FFFFFF000000");
    }
    mask->setText("ffffff000001");
    EXPECT_EQ(Refusal(vMac), "");
    EXPECT_EQ(Value(vMac), "FFFFFF000001");

    QLineEdit* type = Edit(vType);
    type->setText("8O0"); // a letter O, and an odd count
    EXPECT_EQ(Refusal(vType), "Ethernet Type: " + kBadValue);
    type->setText("0800");
    EXPECT_EQ(Refusal(vType), "");
    EXPECT_EQ(Value(vType), "0800");

    // One byte per edit in a six-part MAC address.
    auto bytes = Edits(6);
    QWidget other;
    auto macBinding = std::make_unique<KvSNMPRequest2Edits>(&other);
    macBinding->Variables() = KvSNMPVarList(kVars, kvListScalars, 0);
    macBinding->BindEdits(vMac, "%s%s%s%s%s%s", bytes[0], {bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]});
    for (QLineEdit* b : bytes)
        b->setText("0A");
    bytes[2]->setText("GG");
    EXPECT_THROW(macBinding->CollectControls(vMac), KvFieldError);
    EXPECT_TRUE(macBinding->FieldMarker().IsMarked(bytes[2]));
    bytes[2]->setText("ABC");
    EXPECT_THROW(macBinding->CollectControls(vMac), KvFieldError);
    bytes[2]->setText("c");
    macBinding->CollectControls(vMac);
    EXPECT_EQ(macBinding->Variables()[vMac].value, "0A0A0C0A0A0A");
}

TEST_F(RefusalTest, EveryConstraintRunsWhenCollectingNotOnlyWhenLeaving)
{
    // The text is put in without a focus change (keyboard shortcut, a click
    // that keeps the focus, an accessibility tool).
    QLineEdit* aging = Edit(vAging, "%i{n10x765}");
    aging->setText("5");
    int code = 0;
    EXPECT_EQ(Refusal(vAging, &code), "Aging Time: (KvCommon) Please enter a number between 10 and 765!");
    EXPECT_EQ(code, -8);
    EXPECT_EQ(aging->text(), "5");
    EXPECT_TRUE(answerer.shown().empty()) << "no message box: the page reports it";

    // Collecting all stops at the first refusal.
    QLineEdit* minutes = Edit(vMinutes, "%s{l3}");
    minutes->setText("1234");
    aging->setText("300");
    EXPECT_EQ(Refusal(-1).rfind("Dead Time Minutes: (KvCommon) Please enter a string whose length is less than 3", 0),
              0u);
}

TEST_F(RefusalTest, AnEmptyChoiceIsRefusedNamingItsLabel)
{
    QComboBox combo(&window);
    binding->BindComboBox(vState, &combo);
    combo.setCurrentIndex(-1);
    Value(vState) = "enabled";
    int code = 0;
    EXPECT_EQ(Refusal(vState, &code), "Mask State: (KvCommon) Empty value is not allowed!");
    EXPECT_EQ(code, -3);
    EXPECT_EQ(Value(vState), "enabled");
    EXPECT_TRUE(Marked(&combo));
    combo.setCurrentIndex(1);
    EXPECT_EQ(Refusal(vState), "");
    EXPECT_EQ(Value(vState), "disabled");

    QWidget other;
    auto groupBinding = std::make_unique<KvSNMPRequest2Edits>(&other);
    groupBinding->Variables() = KvSNMPVarList(kVars, kvListScalars, 0);
    QGroupBox group(&window);
    groupBinding->BindControl(vState, &group);
    try {
        groupBinding->CollectControls(vState);
        ADD_FAILURE() << "an empty radio group was collected";
    } catch (const KvFieldError& e) {
        EXPECT_STREQ(e.what(), "Mask State: (KvCommon) Empty value is not allowed!");
    }
}

TEST_F(RefusalTest, ARefusalIsReportedWithTheSetTemplate)
{
    QPlainTextEdit memo(&window);
    binding->SetStatusTarget(&memo);
    QLineEdit* address = Edit(vAddress);
    address->setText("10.0.0.999");
    binding->lastOperation = KvSNMPRequest2Controls::kLastGet; // after the page's fetch
    try {
        binding->CollectValues();
        ADD_FAILURE() << "collected";
    } catch (const KvError& e) {
        binding->ReportStatus(e.what());
    }
    EXPECT_TRUE(memo.toPlainText().startsWith(QString::fromStdString("Set: System IP: " + kBadValue)))
        << memo.toPlainText().toStdString();
}

TEST_F(RefusalTest, MarksGoWhenTheOperatorChangesTheControlOrTheNextWriteBegins)
{
    QLineEdit* address = Edit(vAddress);
    address->setToolTip("own tip");
    address->setStyleSheet("QLineEdit { color: blue; }");
    address->setText("1.2.3.256");
    EXPECT_FALSE(Refusal(vAddress).empty());
    EXPECT_TRUE(Marked(address));
    // Typing ends the mark, the control's own looks come back.
    address->setFocus();
    address->end(false);
    address->backspace();
    EXPECT_FALSE(Marked(address));
    EXPECT_EQ(address->toolTip(), "own tip");
    EXPECT_EQ(address->styleSheet(), "QLineEdit { color: blue; }");

    address->setText("1.2.3.256");
    EXPECT_FALSE(Refusal(vAddress).empty());
    address->setText("1.2.3.4");
    EXPECT_EQ(Refusal(-1), "");
    EXPECT_FALSE(Marked(address));
}

TEST_F(RefusalTest, TheFailedVariableOfAnAnswerIsMarkedOnItsEditorsAndColumn)
{
    QLineEdit* address = Edit(vAddress);
    QLineEdit* minutes = Edit(vMinutes);
    binding->lastOperation = KvSNMPRequest2Controls::kLastSet;
    binding->MarkFailedVariable(vMinutes, "(SNMP) Cannot perform operation, General Error!");
    EXPECT_TRUE(Marked(minutes));
    EXPECT_FALSE(Marked(address));
    EXPECT_EQ(minutes->toolTip(), "Dead Time Minutes: (SNMP) Cannot perform operation, General Error!");
    // A later successful read keeps the write's mark; the next write's success ends it.
    binding->lastOperation = KvSNMPRequest2Controls::kLastGet;
    binding->ClearFailedVariables();
    EXPECT_TRUE(Marked(minutes));
    binding->lastOperation = KvSNMPRequest2Controls::kLastSet;
    binding->ClearFailedVariables();
    EXPECT_FALSE(Marked(minutes));

    // With a list view, the variable's column is marked too.
    QTreeWidget list(&window);
    binding->AttachListView(&list);
    const std::vector<int> columns = binding->ColumnVariables();
    const int column = static_cast<int>(std::find(columns.begin(), columns.end(), vMinutes) - columns.begin());
    binding->lastOperation = KvSNMPRequest2Controls::kLastGet;
    binding->MarkFailedVariable(vMinutes, "(SNMP) Cannot perform operation, General Error!");
    EXPECT_TRUE(binding->FieldMarker().IsColumnMarked(&list, column));
    EXPECT_EQ(list.headerItem()->toolTip(column), "Dead Time Minutes: (SNMP) Cannot perform operation, General Error!");
    EXPECT_EQ(list.headerItem()->foreground(column).color(), QColor(0xD0, 0x10, 0x10));
    auto* grid = dynamic_cast<KvGridLineDelegate*>(list.itemDelegate());
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->IsColumnMarked(column));
    EXPECT_FALSE(grid->IsColumnMarked(column + 1));
    binding->ClearFailedVariables();
    EXPECT_FALSE(grid->IsColumnMarked(column));
    EXPECT_TRUE(list.headerItem()->toolTip(column).isEmpty());
}

// Rows must show what their font draws below the baseline: the VACM views
// "_all_" and "all" looked the same when the underscores were cut off.
TEST_F(RefusalTest, ListRowsShowUnderscoresAndDescenders)
{
    QTreeWidget list;
    list.resize(400, 200);
    binding->Variables() = KvSNMPVarList(kVars + vView, kvListTable, 1);
    binding->AttachListView(&list);
    list.setColumnCount(1);
    auto* underscore = new QTreeWidgetItem(&list, QStringList{"_"});
    new QTreeWidgetItem(&list, QStringList{"gjpqy_"});
    list.show();
    QCoreApplication::processEvents();

    const QFontMetrics metrics(list.font());
    const QRect cell = list.visualItemRect(underscore);
    EXPECT_GE(cell.height(), KvGridLineDelegate::RowHeight(metrics));
    EXPECT_GE(cell.height(), metrics.height() + 3);

    // The underscore's ink lies inside the cell, above the grid line at its bottom.
    const QImage image = list.viewport()->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    int ink = 0;
    for (int y = cell.top(); y < cell.bottom() - 1; ++y)
        for (int x = cell.left(); x < cell.left() + 60; ++x)
            ink += qGray(image.pixel(int(x * ratio), int(y * ratio))) < 128 ? 1 : 0;
    EXPECT_GT(ink, 0) << "the underscore is not drawn inside its row";
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// The port grid: geometry of its boxes, what is shown, and its bit order when
// bound to a port list.
#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "snmp/kvsnmpvarlist.h"
#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>

#include <map>

namespace {

// Visible boxes per row (by their top edge), in row order.
std::vector<int> VisibleRows(const TStackingPortUitForm& grid)
{
    std::map<int, int> rows;
    for (QWidget* w : grid.CheckBoxes())
        if (!w->isHidden())
            ++rows[w->y()];
    std::vector<int> counts;
    for (const auto& [top, count] : rows)
        counts.push_back(count);
    return counts;
}

TEST(PortGrid, ThirtyTwoBoxesThirteenPerRowShowPortsOneToTwentySix)
{
    TStackingPortUitForm grid;
    grid.Build("Unit1", 1, 32, 13);
    ASSERT_EQ(grid.CheckBoxes().size(), 32);
    EXPECT_EQ(VisibleRows(grid), (std::vector<int>{13, 13}));
    // All 32 exist in three rows (13, 13, 6); 27 to 32 are hidden.
    std::map<int, int> allRows;
    for (QWidget* w : grid.CheckBoxes())
        ++allRows[w->y()];
    ASSERT_EQ(allRows.size(), 3u);
    EXPECT_EQ(std::prev(allRows.end())->second, 6);
    for (int i = 0; i < 32; ++i) {
        QCheckBox* box = grid.CheckBox(i);
        EXPECT_EQ(box->text(), QString::number(i + 1));
        EXPECT_EQ(box->isHidden(), i >= 26) << i;
    }
    // 8-point font: columns 40 pixels apart from 20; rows stacked from 4.
    EXPECT_EQ(grid.CheckBox(0)->x(), 20);
    EXPECT_EQ(grid.CheckBox(1)->x(), 60);
    EXPECT_EQ(grid.CheckBox(12)->x(), 20 + 12 * 40);
    EXPECT_EQ(grid.CheckBox(13)->x(), 20);
    EXPECT_EQ(grid.CheckBox(0)->y(), 4);
    EXPECT_EQ(grid.CheckBox(13)->y(), 4 + grid.CheckBox(0)->height());
    // Neighbours never overlap.
    EXPECT_LE(grid.CheckBox(0)->geometry().right(), grid.CheckBox(1)->x());
}

TEST(PortGrid, FiftySixBoxesTwelvePerRowShowTwentySixInThreeRows)
{
    TStackingPortUitForm grid;
    grid.Build("Unit1", 1, 56, 12);
    ASSERT_EQ(grid.CheckBoxes().size(), 56);
    EXPECT_EQ(VisibleRows(grid), (std::vector<int>{12, 12, 2}));
    EXPECT_EQ(grid.CheckBox(24)->text(), "25");
    EXPECT_EQ(grid.CheckBox(24)->x(), 20);
}

TEST(PortGrid, ClearAndRebuild)
{
    TStackingPortUitForm grid;
    grid.Build("Unit1", 1, 32, 13);
    grid.CheckBox(0)->setChecked(true);
    grid.CheckBox(30)->setChecked(true);
    EXPECT_EQ(grid.CheckedCount(), 2);
    grid.Clear();
    EXPECT_EQ(grid.CheckedCount(), 0);
    grid.Build("Unit1", 1, 8, 4);
    EXPECT_EQ(grid.CheckBoxes().size(), 8);
    EXPECT_EQ(TStackingPortUitForm::BitIndexText(4), "0,1,2,3");
    EXPECT_EQ(TStackingPortUitForm::BitIndexText(0), "");
}

// Port 1 is the most significant bit of the first octet, both ways.
TEST(PortGrid, BoundPortListBitOrder)
{
    static const VarDef vars[] = {
        {"1.3.6.1.4.1.99.1.0", "Ports", synBits, accRW, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    QDialog page;
    TStackingPortUitForm* grid = TStackingPortUitForm::HostIn(&page);
    grid->Build("Unit1", 1, 32, 13);
    KvSNMPRequest2Edits binding(&page);
    binding.request.variables = KvSNMPVarList(vars, kvListScalars, 0);
    binding.BindControlList(0, TStackingPortUitForm::BitIndexText(32), grid->CheckBoxes());

    binding.request.variables[0].value = "C0000001";
    binding.FillControls();
    EXPECT_TRUE(grid->CheckBox(0)->isChecked());
    EXPECT_TRUE(grid->CheckBox(1)->isChecked());
    EXPECT_FALSE(grid->CheckBox(2)->isChecked());
    EXPECT_TRUE(grid->CheckBox(31)->isChecked()); // hidden, still bound
    EXPECT_EQ(grid->CheckedCount(), 3);

    grid->Clear();
    grid->CheckBox(2)->setChecked(true);  // port 3
    grid->CheckBox(25)->setChecked(true); // port 26
    binding.CollectControls();
    EXPECT_EQ(binding.request.variables[0].value, "20000040");
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

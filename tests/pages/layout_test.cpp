// The widget-free parts of the page framework: row-layout arithmetic, range
// hints, row hints and the runtime layout tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/kvoptionlist.h"
#include "pages/kvflowrowlayout.h"
#include "pages/rangehint.h"
#include "pages/rowhint.h"
#include "pages/uientry.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

// A check box 20 x 15, a label of the given width and 13 pixels high, an
// editor 21 pixels high (what the generator creates).
KvFlowEntry Entry(int labelWidth, int labelChars = 10, bool checkBoxVisible = true, int editorHeight = 21)
{
    KvFlowEntry e;
    e.checkBox = {0, 0, 20, 15, checkBoxVisible};
    e.label = {0, 0, labelWidth, 13, true};
    e.editor = {0, 0, 100, editorHeight, true};
    e.labelChars = labelChars;
    return e;
}

TEST(FlowRowLayout, PlacesOneEntryPerRowWithLabelColumnAndEditorColumn)
{
    std::vector<KvFlowEntry> entries = {Entry(60, 8), Entry(100, 14), Entry(80, 11)};
    KvFlowRowLayout layout;
    layout.Place(entries);

    for (size_t n = 0; n < entries.size(); ++n) {
        const int y = 20 + static_cast<int>(n) * 26; // rows 26 apart for 21-high editors
        SCOPED_TRACE(n);
        EXPECT_EQ(entries[n].checkBox.left, 20);
        EXPECT_EQ(entries[n].checkBox.top, y + 3); // (21 - 15) / 2
        EXPECT_EQ(entries[n].label.left, 45);      // 20 + 20 + 5
        EXPECT_EQ(entries[n].label.top, y + 4);    // (21 - 13) / 2
        EXPECT_EQ(entries[n].editor.left, 150);    // 45 + widest label 100 + 5
        EXPECT_EQ(entries[n].editor.top, y);
        EXPECT_EQ(entries[n].editor.width, 121);
    }
    EXPECT_EQ(layout.extentRight, 271); // 150 + 121
    EXPECT_EQ(layout.extentBottom, 93); // 72 + 21
    EXPECT_EQ(layout.labelChars, 33);
}

TEST(FlowRowLayout, AllReadOnlyEditsShiftLabelsAndEditorsToTheMargin)
{
    std::vector<KvFlowEntry> entries = {Entry(60, 8, false), Entry(100, 14, false)};
    KvFlowRowLayout layout;
    layout.Place(entries);

    for (const KvFlowEntry& e : entries) {
        EXPECT_EQ(e.checkBox.left, 20);
        EXPECT_EQ(e.label.left, 20);   // 45 before the shift
        EXPECT_EQ(e.editor.left, 125); // 5 after the widest label
    }
    EXPECT_EQ(layout.extentRight, 246);
    EXPECT_EQ(layout.extentBottom, 67);
}

TEST(FlowRowLayout, OneVisibleCheckBoxPreventsTheShift)
{
    // Combo-only page of read-only combos: the check boxes are disabled but
    // visible, so nothing moves.
    std::vector<KvFlowEntry> combos = {Entry(70, 5, true), Entry(90, 6, true)};
    KvFlowRowLayout layout;
    layout.Place(combos);
    EXPECT_EQ(combos[0].label.left, 45);
    EXPECT_EQ(combos[1].editor.left, 140);

    // Mixed: one writable entry among read-only ones.
    std::vector<KvFlowEntry> mixed = {Entry(70, 5, false), Entry(90, 6, true), Entry(50, 4, false)};
    KvFlowRowLayout second;
    second.Place(mixed);
    EXPECT_EQ(mixed[0].label.left, 45);
    EXPECT_EQ(mixed[2].editor.left, 140);
}

TEST(FlowRowLayout, LowEditorOfALaterRowGetsTheDefaultHeight)
{
    std::vector<KvFlowEntry> entries = {Entry(60), Entry(60, 10, true, 12), Entry(60, 10, true, 30)};
    KvFlowRowLayout layout;
    layout.Place(entries);
    EXPECT_EQ(entries[1].editor.height, 21);
    EXPECT_EQ(entries[1].editor.top, 46);
    // A row advances by its own editor's height.
    EXPECT_EQ(entries[2].editor.top, 46 + 30 + 5);
    EXPECT_EQ(entries[2].checkBox.top, 81 + 7); // (30 - 15) / 2
    EXPECT_EQ(layout.extentBottom, 81 + 30);
}

TEST(FlowRowLayout, CentringTruncatesTowardZero)
{
    // A check box taller than the editor sits above the row's top by the
    // truncated half of the difference: (10 - 15) / 2 = -2, not -3.
    std::vector<KvFlowEntry> entries = {Entry(60, 10, true, 10)};
    KvFlowRowLayout layout;
    layout.Place(entries);
    EXPECT_EQ(entries[0].checkBox.top, 18);
    EXPECT_EQ(entries[0].label.top, 19); // (10 - 13) / 2 = -1
    EXPECT_EQ(entries[0].editor.height, 10);
}

TEST(FlowRowLayout, SecondLayoutWithLongerLabelsMovesEditorsAndOnlyGrowsExtents)
{
    std::vector<KvFlowEntry> entries = {Entry(60, 8), Entry(80, 10)};
    KvFlowRowLayout layout;
    layout.Place(entries);
    EXPECT_EQ(entries[0].editor.left, 130);
    EXPECT_EQ(layout.extentRight, 251);

    entries[1].label.width = 140; // label lengthened by a range hint
    entries[1].labelChars = 18;
    layout.Place(entries);
    EXPECT_EQ(entries[0].editor.left, 190);
    EXPECT_EQ(layout.extentRight, 311);
    EXPECT_EQ(layout.labelChars, 8 + 10 + 8 + 18);

    entries[1].label.width = 20; // shorter again: the extent stays
    layout.Place(entries);
    EXPECT_EQ(entries[0].editor.left, 110); // 5 after the 60 of entry 0
    EXPECT_EQ(layout.extentRight, 311);
}

TEST(FlowRowLayout, SeveralEntriesPerRowUseTheWidestLabelOfEachColumn)
{
    std::vector<KvFlowEntry> entries = {Entry(40), Entry(70), Entry(90), Entry(30)};
    KvFlowRowLayout layout;
    layout.entriesPerRow = 2;
    layout.Place(entries);
    // Column 0 holds entries 0 and 2 (widest label 90), column 1 entries 1
    // and 3 (widest 70).
    EXPECT_EQ(entries[0].editor.left, 45 + 90 + 5);
    EXPECT_EQ(entries[1].checkBox.left, 140 + 121 + 5);
    EXPECT_EQ(entries[1].editor.left, 266 + 25 + 70 + 5);
    EXPECT_EQ(entries[2].editor.top, 46);
    EXPECT_EQ(entries[3].checkBox.top, 49);
    EXPECT_EQ(layout.extentRight, 366 + 121);
}

TEST(FlowRowLayout, EmptyTableChangesNothing)
{
    std::vector<KvFlowEntry> entries;
    KvFlowRowLayout layout;
    layout.Place(entries);
    EXPECT_EQ(layout.extentRight, 0);
    EXPECT_EQ(layout.extentBottom, 0);
}

TEST(RangeHint, BoundsOfConstraintTexts)
{
    EXPECT_EQ(RangeHint("%i{n1x4094}"), "[1..4094]");
    EXPECT_EQ(RangeHint("%i{n0x61440}"), "[0..61440]");
    EXPECT_EQ(RangeHint("%i{n1x65535}"), "[1..65535]");
    EXPECT_EQ(RangeHint("%i{n0x7l1}"), "[0..7]");
    EXPECT_EQ(RangeHint("%s{n1x208l3}"), "[1..208]");
    EXPECT_EQ(RangeHint("%i{n0x2147483647l10}"), "[0..2147483647]");
    EXPECT_EQ(RangeHint("%i{n-5x5}"), "[-5..5]");
    EXPECT_EQ(RangeHint("%i{n1}"), "[1..]");
    EXPECT_EQ(RangeHint("%i{n1w40}"), "[1..]");
}

TEST(RangeHint, NoLowerBoundGivesNothing)
{
    EXPECT_EQ(RangeHint("%s"), "");
    EXPECT_EQ(RangeHint("%i"), "");
    EXPECT_EQ(RangeHint("%i{}"), "");
    EXPECT_EQ(RangeHint("%i{x4094}"), "");
    EXPECT_EQ(RangeHint("%s{l12}"), "");
    EXPECT_EQ(RangeHint(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(RangeHint(""), "");
}

TEST(RangeHint, LaterBoundReplacesEarlierAndOnlyTheLastBraceCounts)
{
    EXPECT_EQ(RangeHint("%i{n1x5n2x9}"), "[2..9]");
    // The "n" of the type "%n," lies before the brace and is not a bound.
    EXPECT_EQ(RangeHint("%n,{x9}"), "");
    // A missing closing brace: the bounds run to the end of the text.
    EXPECT_EQ(RangeHint("%i{n3x7"), "[3..7]");
}

TEST(RowHint, CaptionsPaddedWithTabsToTheLongest)
{
    const std::string hint = RowHintText({"Port", "Flow Control", "State"}, {"3", "enabled"});
    EXPECT_EQ(hint, "Port\t\t\t\t\t\t\t\t  3\n"
                    "Flow Control  enabled\n"
                    "State\t\t\t\t\t\t\t  \n");
    EXPECT_EQ(RowHintText({}, {}), "");
}

const KvOptionDef kOnOff[] = {{1, nullptr, "on"}, {2, nullptr, "off"}, {0, nullptr, nullptr}};
const KvOptionList optOnOff(KvOptionList::kIntegerValues, kOnOff);

const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.1.1", "Index", synInteger, accIdx, &optOnOff},
    {"1.3.6.1.4.1.32473.1.2", "Name", synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.4.1.32473.1.3", "Count", synInteger, accRW, nullptr},
    {"1.3.6.1.4.1.32473.1.4", "Mode", synInteger, accRW, &optOnOff},
    {"1.3.6.1.4.1.32473.1.5", "Uptime", synTimeTicks, accRO, nullptr},
    {"1.3.6.1.4.1.32473.1.6", "State", synInteger, accRO, &optOnOff},
    {nullptr},
};

TEST(UIEntryTables, DerivedFromTheVariableList)
{
    KvSNMPVarList list(kTable, kvListTableRows, 2);
    const UIEntryTable entries = BuildEntriesFromList(list);
    ASSERT_EQ(entries.size(), 7u); // one more than the list
    EXPECT_EQ(CountEntries(entries), 6);

    struct Expected {
        int32_t kind;
        const char* format;
    };
    const Expected expected[] = {
        {uiEditUnselected, "%s"}, // index with value names: not a combo box
        {uiEdit, "%s"},           // access 65 is not exactly index
        {uiEdit, "%i"},           {uiCombo, "%s"},
        {uiEditUnselected, "%s"}, {uiEditUnselected, "%s"}, // read-only overrides the combo box
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].kind, expected[i].kind);
        EXPECT_STREQ(entries[i].format, expected[i].format);
        EXPECT_EQ(entries[i].variable, &list[i]);
        EXPECT_EQ(entries[i].editor, nullptr);
        EXPECT_EQ(entries[i].checkBox, nullptr);
        EXPECT_EQ(entries[i].label, nullptr);
    }
    EXPECT_EQ(entries[6].kind, 0);
    EXPECT_EQ(entries[6].format, nullptr);
    EXPECT_EQ(entries[6].variable, nullptr);
}

TEST(UIEntryTables, StaticLayoutRefersToTheListElementAtItsPosition)
{
    KvSNMPVarList list(kTable, kvListTableRows, 2);
    const UIEntryDef layout[] = {
        {uiEdit, "%i{n1x7}", &kTable[0]},
        {uiCombo, nullptr, &kTable[3]}, // position 1 takes element 1
        {0, nullptr, nullptr},
    };
    UIEntryTable entries = MakeEntries(layout, list);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].variable, &list[0]);
    EXPECT_EQ(entries[1].variable, &list[1]);
    EXPECT_STREQ(entries[0].format, "%i{n1x7}");
    EXPECT_EQ(entries[1].format, nullptr);
    EXPECT_EQ(entries[2].variable, nullptr);

    // A layout longer than the list stops at the list's end.
    KvSNMPVarList shortList(kTable, kvListTableRows, 1);
    shortList.Elements().resize(1);
    EXPECT_EQ(MakeEntries(layout, shortList).size(), 2u);
    EXPECT_EQ(MakeEntries(nullptr, list).size(), 1u);
}

} // namespace

// One value over several edits: every syntax's split gives texts whose join
// is the value again, and a join refuses the edit at fault instead of
// cutting a part down to fit.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "binding/kveditparts.h"
#include "binding/kvvaluecodec.h"
#include "snmp/vardef.h"

namespace {

// A value of every syntax that has a row, in its text form.
const std::map<int, std::string> kSamples = {
    {synBits, "F0000001"},
    {synOctets, "0080C8FF"},
    {synOid, "1.3.6.1.4.1.32473"},
    {synIpAddress, "192.168.0.254"},
    {synTimeTicks, "2 days, 3:04:05.06"},
    {synOpaque, "DEAD"},
    {synNetAddress, "10.0.0.1"},
    {synMacAddress, "0080C8010203"},
    {synDateAndTime, "2005-3-7,13:5:9.4,-5:30"},
    {synFloatDate, "2005/03/07 01:05:09 pm"},
};

KvEditTexts Split(int syntax, const std::string& text)
{
    return FindEditParts(syntax)->split(text, ParseValueText(text, syntax));
}

// The edit a join refuses, -1 for the value as a whole, -2 when it joins.
int RefusedEdit(int syntax, const KvEditTexts& texts)
{
    try {
        FindEditParts(syntax)->join(texts);
    } catch (const KvEditPartRefusal& refusal) {
        return refusal.edit;
    }
    return -2;
}

} // namespace

TEST(EditParts, TableRowsAreKnownCodesOnceEach)
{
    std::set<int> seen;
    for (const KvEditParts& row : EditPartsTable()) {
        SCOPED_TRACE(row.syntax);
        EXPECT_TRUE(IsKnownValueSyntax(row.syntax));
        EXPECT_TRUE(seen.insert(row.syntax).second) << "two rows for one code";
        EXPECT_NE(row.split, nullptr);
        EXPECT_NE(row.join, nullptr);
        EXPECT_EQ(FindEditParts(row.syntax), &row);
        EXPECT_EQ(kSamples.count(row.syntax), 1u) << "no sample value for this code";
    }
    // Codes whose value goes into one edit whole.
    for (int syntax : {0, int(synInteger), int(synDisplayString), int(synCounter64), int(synFloat)})
        EXPECT_EQ(FindEditParts(syntax), nullptr) << syntax;
}

TEST(EditParts, SplitThenJoinGivesTheValueBack)
{
    for (const KvEditParts& row : EditPartsTable()) {
        const std::string& text = kSamples.at(row.syntax);
        SCOPED_TRACE(text);
        const KvEditTexts texts = Split(row.syntax, text);
        if (row.edits > 0) {
            EXPECT_EQ(texts.size(), row.edits);
        }
        const std::string joined = row.join(texts);
        EXPECT_EQ(joined, text);
        // What the join gives is a value the operator may enter.
        EXPECT_EQ(FormatValueOctets(ParseEnteredText(joined, row.syntax), row.syntax), text);
    }
}

TEST(EditParts, SplitShowsEveryFieldOnItsOwn)
{
    EXPECT_EQ(Split(synOctets, "0080C8FF"), KvEditTexts({"00", "80", "C8", "FF"}));
    EXPECT_EQ(Split(synOid, "1.3.6"), KvEditTexts({"1", "3", "6"}));
    EXPECT_EQ(Split(synIpAddress, "10.0.255.1"), KvEditTexts({"10", "0", "255", "1"}));
    EXPECT_EQ(Split(synTimeTicks, "2 days, 3:04:05.06"), KvEditTexts({"2", "3", "4", "5", "6"}));
    EXPECT_EQ(Split(synMacAddress, "0080C8010203"), KvEditTexts({"00", "80", "C8", "01", "02", "03"}));
    EXPECT_EQ(Split(synDateAndTime, "2005-3-7,13:5:9.4,-5:30"),
              KvEditTexts({"2005", "3", "7", "13", "5", "9", "4", "-", "5", "30"}));
    EXPECT_EQ(Split(synFloatDate, "2005/03/07 01:05:09 pm"), KvEditTexts({"2005", "3", "7", "13", "5", "9", "0"}));
}

TEST(EditParts, EmptyAndPaddedPartsJoinAsZero)
{
    const KvEditParts& quad = *FindEditParts(synIpAddress);
    EXPECT_EQ(quad.join({"", " 1 ", "2", ""}), "0.1.2.0");
    const KvEditParts& hex = *FindEditParts(synOctets);
    EXPECT_EQ(hex.join({"", "a", " C8 "}), "000aC8");
    const KvEditParts& ticks = *FindEditParts(synTimeTicks);
    EXPECT_EQ(ticks.join({"", "", "1", "", ""}), "0:01:00.00");
}

TEST(EditParts, JoinRefusesThePartAtFault)
{
    EXPECT_EQ(RefusedEdit(synIpAddress, {"10", "0", "256", "1"}), 2); // not the low byte of 256
    EXPECT_EQ(RefusedEdit(synIpAddress, {"10", "-1", "0", "1"}), 1);
    EXPECT_EQ(RefusedEdit(synNetAddress, {"ten", "0", "0", "1"}), 0);
    EXPECT_EQ(RefusedEdit(synOctets, {"00", "1G"}), 1);
    EXPECT_EQ(RefusedEdit(synOctets, {"123", "00"}), 0);
    EXPECT_EQ(RefusedEdit(synMacAddress, {"00", "80", "C8", "01", "02", "x"}), 5);
    EXPECT_EQ(RefusedEdit(synOid, {"1", "3", "4294967296"}), 2);
    EXPECT_EQ(RefusedEdit(synTimeTicks, {"1", "2", "3", "4", "5.5"}), 4);
    // More hundredths than the four-byte count holds.
    EXPECT_EQ(RefusedEdit(synTimeTicks, {"500", "0", "0", "0", "0"}), -1);
    EXPECT_EQ(RefusedEdit(synDateAndTime, {"2005", "3", "7", "13", "5", "9", "4", "*", "5", "30"}), 7);
    EXPECT_EQ(RefusedEdit(synDateAndTime, {"2005", "3", "7", "256", "5", "9", "4", "+", "5", "30"}), 3);
    // A date the calendar does not have, a millisecond beyond 999.
    EXPECT_EQ(RefusedEdit(synFloatDate, {"2005", "2", "30", "0", "0", "0", "0"}), -1);
    EXPECT_EQ(RefusedEdit(synFloatDate, {"2005", "13", "1", "0", "0", "0", "0"}), -1);
    EXPECT_EQ(RefusedEdit(synFloatDate, {"2005", "3", "7", "0", "0", "0", "1000"}), 6);
    EXPECT_EQ(RefusedEdit(synFloatDate, {"0", "1", "1", "0", "0", "0", "0"}), -1);
}

// The walk cursor's decisions on canned answers, without an agent: the
// repetitions it asks for and how a refusal lowers them, rows of a cut
// answer, columns that end before the others, answers that do not move on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "snmp/kvsnmpwalkcursor.h"
#include "snmp/snmpstatus.h"

namespace {

const std::string kIndex = "1.3.6.1.2.1.2.2.1.1"; // two columns of the interfaces table
const std::string kDescr = "1.3.6.1.2.1.2.2.1.2";

SnmpVb Binding(const std::string& oid, int32_t value = 0)
{
    SnmpVb vb;
    vb.oid = oid;
    vb.SetInteger(value);
    return vb;
}

// `rows` rows of both columns, instances first.. first+rows-1.
std::vector<SnmpVb> Answer(int first, int rows)
{
    std::vector<SnmpVb> vbs;
    for (int r = first; r < first + rows; ++r) {
        vbs.push_back(Binding(kIndex + "." + std::to_string(r), r));
        vbs.push_back(Binding(kDescr + "." + std::to_string(r), r));
    }
    return vbs;
}

constexpr int32_t kGenErr = 5;

} // namespace

TEST(WalkCursor, AsksForAsManyRowsAsTheBoundsAllowAndGetNextWithoutBulk)
{
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    EXPECT_EQ(cursor.Repetitions(), KvSNMPWalkCursor::kMaxRows);
    cursor.Start(8, true);
    EXPECT_EQ(cursor.Repetitions(), KvSNMPWalkCursor::kMaxBindings / 8);
    cursor.Start(KvSNMPWalkCursor::kMaxBindings + 1, true);
    EXPECT_EQ(cursor.Repetitions(), 1);
    cursor.Start(2, false);
    EXPECT_FALSE(cursor.Bulk());
    cursor.Start(0, true);
    EXPECT_FALSE(cursor.Bulk());
}

TEST(WalkCursor, TooBigHalvesTheRowsUntilOneThenFallsBackToGetNext)
{
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    std::vector<int32_t> asked;
    KvWalkAction action;
    while ((action = cursor.TakeBulk(snmpPduTooBig, {})) == KvWalkAction::AskFewer)
        asked.push_back(cursor.Repetitions());
    EXPECT_EQ(asked, (std::vector<int32_t>{12, 6, 3, 1}));
    EXPECT_EQ(action, KvWalkAction::FallBackToGetNext);
    EXPECT_FALSE(cursor.Bulk());

    // Any other refusal falls back at once; a status no agent sends ends the walk.
    cursor.Start(2, true);
    EXPECT_EQ(cursor.TakeBulk(kGenErr, {}), KvWalkAction::FallBackToGetNext);
    EXPECT_EQ(cursor.Repetitions(), 0);
    cursor.Start(2, true);
    EXPECT_EQ(cursor.TakeBulk(snmpPduInconsistentName + 1, {}), KvWalkAction::EndWithError);
    EXPECT_FALSE(cursor.HasRows());
}

TEST(WalkCursor, ACutAnswerHandsOnItsWholeRowsAndOneWithoutARowFallsBack)
{
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    std::vector<SnmpVb> cut = Answer(1, 3);
    cut.pop_back(); // the last row's second column is missing
    ASSERT_EQ(cursor.TakeBulk(0, cut), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.LastRow().vbs[0].oid, kIndex + ".2");
    std::vector<std::string> handedOn;
    while (cursor.HasRows()) {
        const SnmpPdu row = cursor.NextRow();
        ASSERT_EQ(row.vbs.size(), 2u);
        handedOn.push_back(row.vbs[0].oid + " " + row.vbs[1].oid);
    }
    EXPECT_EQ(handedOn, (std::vector<std::string>{kIndex + ".1 " + kDescr + ".1", kIndex + ".2 " + kDescr + ".2"}));
    // The cut row is asked for again, with GETBULK still.
    EXPECT_EQ(cursor.RowRead(KvWalkRow::Row), KvWalkAction::AskNext);
    EXPECT_TRUE(cursor.Bulk());

    // Not one whole row: the agent's GETBULK is of no use.
    EXPECT_EQ(cursor.TakeBulk(0, {Binding(kIndex + ".3")}), KvWalkAction::FallBackToGetNext);
    EXPECT_FALSE(cursor.Bulk());
    EXPECT_FALSE(cursor.HasRows());
}

TEST(WalkCursor, AColumnThatEndsEarlyDropsTheRowsAfterItAndTheAnswersOnTheWire)
{
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    ASSERT_EQ(cursor.TakeBulk(0, Answer(1, 4)), KvWalkAction::HandOnRows);
    const uint32_t sent = cursor.Generation();
    cursor.NextRow();
    EXPECT_EQ(cursor.RowRead(KvWalkRow::Row), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Generation(), sent);
    cursor.NextRow();
    // Some columns ended in this row: GETNEXT would go on from here.
    EXPECT_EQ(cursor.RowRead(KvWalkRow::SomeEnded), KvWalkAction::AskNext);
    EXPECT_FALSE(cursor.HasRows());
    EXPECT_NE(cursor.Generation(), sent);
    EXPECT_TRUE(cursor.Bulk());

    // A row in which every column ended ends the walk.
    ASSERT_EQ(cursor.TakeBulk(0, Answer(3, 2)), KvWalkAction::HandOnRows);
    cursor.NextRow();
    EXPECT_EQ(cursor.RowRead(KvWalkRow::Ended), KvWalkAction::End);
    EXPECT_FALSE(cursor.HasRows());
}

TEST(WalkCursor, AnAnswerThatDoesNotMoveOnEndsTheColumnOrTheWalk)
{
    const std::string previous = kIndex + ".9";
    EXPECT_FALSE(KvSNMPWalkCursor::ColumnEnds(kIndex, previous, kIndex + ".10"));
    EXPECT_TRUE(KvSNMPWalkCursor::ColumnEnds(kIndex, previous, previous));      // the same again
    EXPECT_TRUE(KvSNMPWalkCursor::ColumnEnds(kIndex, previous, kIndex + ".8")); // back
    EXPECT_TRUE(KvSNMPWalkCursor::ColumnEnds(kIndex, previous, kDescr + ".1")); // the next column
    EXPECT_TRUE(KvSNMPWalkCursor::ColumnEnds("1.3.6.1.2.1.2.2.1.5", "", "1.3.6.1.2.1.2.2.1.50.1"));

    // Positions that come round again end the walk; a new walk forgets them.
    KvSNMPWalkCursor cursor;
    cursor.Start(2, false);
    EXPECT_FALSE(cursor.Revisits("a"));
    EXPECT_FALSE(cursor.Revisits("b"));
    EXPECT_TRUE(cursor.Revisits("a"));
    EXPECT_EQ(cursor.RowRead(KvWalkRow::Ended), KvWalkAction::End);
    EXPECT_FALSE(cursor.Revisits("a"));
    cursor.Start(2, false);
    EXPECT_FALSE(cursor.Revisits("b"));
}

TEST(WalkCursor, AsksAheadOnlyWhileEveryColumnOfTheLastRowIsInItsSubtree)
{
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    EXPECT_TRUE(cursor.AskAheadFrom({kIndex, kDescr}).empty()); // no rows
    ASSERT_EQ(cursor.TakeBulk(0, Answer(1, 2)), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.AskAheadFrom({kIndex, kDescr}), (std::vector<std::string>{kIndex + ".2", kDescr + ".2"}));

    std::vector<SnmpVb> ended = Answer(3, 1);
    ended[1].oid = "1.3.6.1.2.1.2.2.1.3.1"; // the second column ran into the next
    ASSERT_EQ(cursor.TakeBulk(0, ended), KvWalkAction::HandOnRows);
    EXPECT_TRUE(cursor.AskAheadFrom({kIndex, kDescr}).empty());

    std::vector<SnmpVb> atEnd = Answer(4, 1);
    atEnd[0].tag = tagEndOfMibView;
    ASSERT_EQ(cursor.TakeBulk(0, atEnd), KvWalkAction::HandOnRows);
    EXPECT_TRUE(cursor.AskAheadFrom({kIndex, kDescr}).empty());
}

// The walk cursor's decisions on canned answers, without an agent: the
// repetitions it asks for, how they grow and how a refusal, a time-out or a
// cut answer lowers them (and what is remembered of an agent), rows of a cut
// answer, columns that end before the others, answers that do not move on,
// and the figures it keeps.
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
    EXPECT_EQ(cursor.Repetitions(), KvSNMPWalkCursor::kStartRows);
    cursor.Start(8, true);
    EXPECT_EQ(cursor.Repetitions(), KvSNMPWalkCursor::kStartBindings / 8);
    cursor.Start(KvSNMPWalkCursor::kStartBindings + 1, true);
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
    while (cursor.Sending(), (action = cursor.TakeBulk(snmpPduTooBig, {})) == KvWalkAction::AskFewer)
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

namespace {

// Sends the cursor's next GETBULK and answers it with `rows` rows of both
// columns from instance `first`.
KvWalkAction AnswerRows(KvSNMPWalkCursor& cursor, int first, int rows)
{
    cursor.Sending();
    const KvWalkAction action = cursor.TakeBulk(0, Answer(first, rows));
    while (cursor.HasRows())
        cursor.NextRow();
    return action;
}

} // namespace

TEST(WalkCursor, RequestsGrowWhileAnswersComeWholeAndSettleOnWhatTheAgentGives)
{
    KvSNMPWalkCursor::ForgetAgents();
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true, "192.0.2.1:161", 1000);
    ASSERT_EQ(cursor.Repetitions(), 25);
    // Whole and quick: four times as many rows.
    ASSERT_EQ(AnswerRows(cursor, 1, 25), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Repetitions(), 100);
    // The agent gives 30 rows of the 100: that is its most, and no later
    // request asks for more.
    ASSERT_EQ(AnswerRows(cursor, 26, 30), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Repetitions(), 30);
    ASSERT_EQ(AnswerRows(cursor, 56, 30), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Repetitions(), 30);

    // The next walk of the agent starts there, in bindings: a table of four
    // columns gets half the rows; another agent starts afresh.
    cursor.Start(2, true, "192.0.2.1:161", 1000);
    EXPECT_EQ(cursor.Repetitions(), 30);
    cursor.Start(4, true, "192.0.2.1:161", 1000);
    EXPECT_EQ(cursor.Repetitions(), 15);
    cursor.Start(2, true, "192.0.2.2:161", 1000);
    EXPECT_EQ(cursor.Repetitions(), 25);
    KvSNMPWalkCursor::ForgetAgents();
    cursor.Start(2, true, "192.0.2.1:161", 1000);
    EXPECT_EQ(cursor.Repetitions(), 25);

    // An answer that ends in endOfMibView is whole however short it is.
    std::vector<SnmpVb> atEnd = Answer(1, 3);
    atEnd.back().tag = tagEndOfMibView;
    cursor.Sending();
    ASSERT_EQ(cursor.TakeBulk(0, atEnd), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Repetitions(), 100);

    // Large values: the request stays within one message.
    cursor.Start(1, true, "192.0.2.3:161", 1000);
    for (int answer = 0; answer < 4; ++answer) {
        std::vector<SnmpVb> big;
        for (int r = 0; r < cursor.Repetitions(); ++r) {
            big.push_back(Binding(kDescr + "." + std::to_string(answer * 1000 + r + 1)));
            big.back().SetOctets(tagOctets, std::vector<uint8_t>(1000, 'x'));
        }
        cursor.Sending();
        ASSERT_EQ(cursor.TakeBulk(0, big), KvWalkAction::HandOnRows);
        while (cursor.HasRows())
            cursor.NextRow();
        EXPECT_LE(cursor.Repetitions() * 1010, KvSNMPWalkCursor::kMaxMessageBytes);
    }
    EXPECT_GT(cursor.Repetitions(), 25);
    KvSNMPWalkCursor::ForgetAgents();
}

TEST(WalkCursor, TooBigAndTimeOutsShrinkTheRequestsAndGrowthResumesCarefully)
{
    KvSNMPWalkCursor::ForgetAgents();
    const std::string agent = "192.0.2.4:161";
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true, agent, 1000);
    ASSERT_EQ(AnswerRows(cursor, 1, 25), KvWalkAction::HandOnRows);
    ASSERT_EQ(cursor.Repetitions(), 100);
    cursor.Sending();
    ASSERT_EQ(cursor.TakeBulk(snmpPduTooBig, {}), KvWalkAction::AskFewer);
    EXPECT_EQ(cursor.Repetitions(), 50);
    // Back to growing, by a quarter, and never up to the size refused.
    ASSERT_EQ(AnswerRows(cursor, 26, 50), KvWalkAction::HandOnRows);
    EXPECT_EQ(cursor.Repetitions(), 62);
    for (int k = 0; k < 5; ++k)
        AnswerRows(cursor, 100 + 100 * k, cursor.Repetitions());
    EXPECT_EQ(cursor.Repetitions(), 99);

    // A time-out of a grown request halves it, at most kTimeoutShrinks times
    // a walk; the walk then ends with the time-out.
    cursor.Start(2, true, "192.0.2.6:161", 1000);
    AnswerRows(cursor, 1, 25);
    AnswerRows(cursor, 26, 100);
    ASSERT_EQ(cursor.Repetitions(), 400);
    cursor.Sending();
    ASSERT_EQ(cursor.TakeTimeout(), KvWalkAction::AskFewer);
    EXPECT_EQ(cursor.Repetitions(), 200);
    cursor.Sending();
    ASSERT_EQ(cursor.TakeTimeout(), KvWalkAction::AskFewer);
    EXPECT_EQ(cursor.Repetitions(), 100);
    cursor.Sending();
    EXPECT_EQ(cursor.TakeTimeout(), KvWalkAction::EndWithError);

    // A request no larger than the first to an unknown agent is not made
    // smaller: the agent is gone more likely than the answer too large.
    cursor.Start(2, true, "192.0.2.5:161", 1000);
    cursor.Sending();
    EXPECT_EQ(cursor.TakeTimeout(), KvWalkAction::EndWithError);

    // An agent that refuses GETBULK is walked with GETNEXT from then on, and
    // with GETBULK again, from the first size, once the retry time is up.
    cursor.Start(2, true, agent, 1000);
    cursor.Sending();
    ASSERT_EQ(cursor.TakeBulk(kGenErr, {}), KvWalkAction::FallBackToGetNext);
    cursor.Start(2, true, agent, 1000);
    EXPECT_FALSE(cursor.Bulk());
    KvSNMPWalkCursor::AgeAgents(KvSNMPWalkCursor::kBulkRetryAfter - std::chrono::seconds(5));
    cursor.Start(2, true, agent, 1000);
    EXPECT_FALSE(cursor.Bulk());
    KvSNMPWalkCursor::AgeAgents(std::chrono::seconds(5));
    cursor.Start(2, true, agent, 1000);
    EXPECT_EQ(cursor.Repetitions(), KvSNMPWalkCursor::kStartRows);
    KvSNMPWalkCursor::ForgetAgents();
}

TEST(WalkCursor, AnAnswerInTheColumnThatDoesNotMoveOnStallsTheWalk)
{
    const std::string previous = kIndex + ".9";
    EXPECT_FALSE(KvSNMPWalkCursor::Stalls(kIndex, previous, Binding(kIndex + ".10")));
    EXPECT_TRUE(KvSNMPWalkCursor::Stalls(kIndex, previous, Binding(previous)));
    EXPECT_TRUE(KvSNMPWalkCursor::Stalls(kIndex, previous, Binding(kIndex + ".8")));
    EXPECT_TRUE(KvSNMPWalkCursor::Stalls(kIndex, kIndex + ".9.1", Binding(kIndex + ".9")));
    // The column's end is no stall: the next column, or endOfMibView.
    EXPECT_FALSE(KvSNMPWalkCursor::Stalls(kIndex, previous, Binding(kDescr + ".1")));
    SnmpVb atEnd = Binding(previous);
    atEnd.tag = tagEndOfMibView;
    EXPECT_FALSE(KvSNMPWalkCursor::Stalls(kIndex, previous, atEnd));
    // The first step of a walk has nothing to come after.
    EXPECT_FALSE(KvSNMPWalkCursor::Stalls(kIndex, "", Binding(kIndex + ".1")));

    // A column that ended starts again from the current row: behind where it
    // had got to, GETNEXT may find more of it than a GETBULK's later rows.
    EXPECT_TRUE(KvSNMPWalkCursor::RestartsBehind(kDescr + ".9", kDescr + ".7"));
    EXPECT_FALSE(KvSNMPWalkCursor::RestartsBehind(kDescr + ".7", kDescr + ".7"));
    EXPECT_FALSE(KvSNMPWalkCursor::RestartsBehind(kDescr + ".7", kDescr + ".10"));
    EXPECT_FALSE(KvSNMPWalkCursor::RestartsBehind("", kDescr + ".1")); // an empty column
}

TEST(WalkCursor, TheTotalsCountRequestsRetriesBindingsAndBytes)
{
    const KvWalkStats before = KvSNMPWalkCursor::Totals();
    KvSNMPWalkCursor cursor;
    cursor.Start(2, true);
    cursor.Sending();
    ASSERT_EQ(cursor.TakeBulk(snmpPduTooBig, {}), KvWalkAction::AskFewer);
    ASSERT_EQ(AnswerRows(cursor, 1, 12), KvWalkAction::HandOnRows);
    cursor.Start(2, false);
    cursor.Sending();
    cursor.TakeGetNext(Answer(1, 1));
    const KvWalkStats after = KvSNMPWalkCursor::Totals();
    EXPECT_EQ(after.requests - before.requests, 3);
    EXPECT_EQ(after.retries - before.retries, 1);
    EXPECT_EQ(after.answers - before.answers, 3);
    EXPECT_EQ(after.bindings - before.bindings, 26);
    EXPECT_GT(after.bytes - before.bytes, 26 * 12);
    EXPECT_EQ(after.settled, 0); // the last walk used GETNEXT

    // An OCTET STRING "abc" at 1.3.6.1.2.1.1.5.0: name 2 + 8, value 2 + 3, binding 2 + 15.
    SnmpVb name = Binding("1.3.6.1.2.1.1.5.0");
    name.SetOctets(tagOctets, {'a', 'b', 'c'});
    EXPECT_EQ(KvSNMPWalkCursor::EncodedSize(name), 17);
}

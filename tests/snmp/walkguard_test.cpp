// Table walks against a broken agent that answers get-next requests out of
// order: every walk ends, blocking and asynchronous, GETNEXT and GETBULK,
// with the rows received until then and the error that says the table is
// short (never as a walk that simply ended).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "brokenagent.h"
#include "common/kvmessages.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "walkrows.h"

namespace {

using walktest::Row;
using walktest::Snapshot;

const std::string kEntry = "1.3.6.1.4.1.32473.99.1.";

// An integer index (not read) and two integer columns.
const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.99.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.99.1.2", "First", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.99.1.3", "Second", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

struct Walk {
    std::vector<Row> rows;
    KvSNMPError last;
    bool done = false;
};

struct AsyncContext {
    KvSNMPRequest* request;
    Walk* walk;
};

void OnStep(void* context, KvSNMPError& error, KvSNMPVarList& list)
{
    auto* c = static_cast<AsyncContext*>(context);
    c->walk->last = error;
    if (error.code != 0 || error.finished || c->walk->rows.size() >= 50) {
        c->walk->done = true;
        return;
    }
    c->walk->rows.push_back(Snapshot(list));
    c->request->FetchAsync(&OnStep, context, false);
}

// How a walk is run: blocking or asynchronous, GETNEXT or GETBULK.
struct WalkMode {
    bool async;
    bool bulk;
};

void PrintTo(const WalkMode& mode, std::ostream* out)
{
    *out << (mode.async ? "FetchAsync" : "Fetch") << (mode.bulk ? " with GETBULK" : " with GETNEXT");
}

class WalkGuard : public ::testing::TestWithParam<WalkMode> {
protected:
    static void SetUpTestSuite()
    {
        directory_ = walktest::StartEngineInTemporaryDirectory("kvwalk");
        ASSERT_FALSE(directory_.empty());
    }
    static void TearDownTestSuite() { walktest::RemoveDirectory(directory_); }

    // Walks the table on the agent as the test's parameter says; at most 50
    // rows are taken, so a walk that does not end fails rather than hangs.
    Walk WalkTable(BrokenAgent& agent)
    {
        KvSNMPRequest request;
        request.variables = KvSNMPVarList(kTable, kvListTable, 1);
        request.address = "127.0.0.1";
        request.port = agent.Port();
        request.version = 1;
        request.readCommunity = "public";
        request.bulkWalks = GetParam().bulk;
        Walk walk;
        if (!GetParam().async) {
            try {
                for (bool more = request.Fetch(true); more && walk.rows.size() < 50; more = request.Fetch(false))
                    walk.rows.push_back(Snapshot(request.variables));
            } catch (const KvError& e) {
                walk.last.code = e.code();
                walk.last.message = e.message();
            }
            walk.done = true;
            ExpectOutOfOrder(walk);
            return walk;
        }
        AsyncContext context{&request, &walk};
        request.FetchAsync(&OnStep, &context, true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!walk.done && std::chrono::steady_clock::now() < deadline)
            KvSnmpSession()->WaitForEvents(50);
        EXPECT_TRUE(walk.done);
        EXPECT_TRUE(walk.last.finished);
        ExpectOutOfOrder(walk);
        return walk;
    }

    static void ExpectOutOfOrder(const Walk& walk)
    {
        EXPECT_EQ(walk.last.code, kvErrWalkOutOfOrder) << walk.last.message;
        EXPECT_EQ(walk.last.message, KvErrorText(kvErrWalkOutOfOrder));
    }

    // The agent answers every request with one row, GETBULK too, and takes
    // its script a step further at every request. A bulk walk asks once more
    // while a row is handed on; when it drops that answer (a row in which a
    // column ended), the agent's script has moved on, so the walk that
    // follows is not the one GETNEXT sees. It must still end.
    static void ExpectRequests(const BrokenAgent& agent, int getNextRequests)
    {
        if (GetParam().bulk)
            EXPECT_LE(agent.Answered(), 2 * getNextRequests);
        else
            EXPECT_EQ(agent.Answered(), getNextRequests);
    }
    static void ExpectRowCount(const Walk& walk, size_t getNextRows)
    {
        if (GetParam().bulk) {
            EXPECT_GE(walk.rows.size(), 1u);
            EXPECT_LE(walk.rows.size(), getNextRows);
        } else {
            EXPECT_EQ(walk.rows.size(), getNextRows);
        }
    }

    static std::string directory_;
};

std::string WalkGuard::directory_;

} // namespace

TEST_P(WalkGuard, AnAnswerRepeatingTheRequestedOidEndsTheWalkWithAnError)
{
    BrokenAgent agent({kEntry + "2", kEntry + "3"}, {{"1"}});
    ASSERT_NE(agent.Port(), 0);
    const Walk walk = WalkTable(agent);
    ASSERT_EQ(walk.rows.size(), 1u);
    EXPECT_EQ(walk.rows[0], (Row{"1", "1", "1"}));
    ExpectRequests(agent, 2);
}

TEST_P(WalkGuard, AnAnswerGoingBackEndsTheWalkWithAnErrorAndKeepsTheRowsBefore)
{
    // Row 1, row 2, then row 1 again, for ever.
    BrokenAgent agent({kEntry + "2", kEntry + "3"}, {{"1"}, {"2"}});
    ASSERT_NE(agent.Port(), 0);
    const Walk walk = WalkTable(agent);
    ASSERT_EQ(walk.rows.size(), 2u);
    EXPECT_EQ(walk.rows[0], (Row{"1", "1", "1"}));
    EXPECT_EQ(walk.rows[1], (Row{"2", "2", "2"}));
    ExpectRequests(agent, 3);
}

TEST_P(WalkGuard, OneColumnGoingBackEndsTheWalkWithAnError)
{
    // The second column falls back to row 1 at the third answer while the
    // first goes on to row 3: the row is not handed on.
    BrokenAgent agent({kEntry + "2", kEntry + "3"}, {{"1"}, {"2"}, {"3", "1"}, {"1"}});
    ASSERT_NE(agent.Port(), 0);
    const Walk walk = WalkTable(agent);
    ExpectRowCount(walk, 2);
    EXPECT_EQ(walk.rows.back(), (Row{"2", "2", "2"}));
    ExpectRequests(agent, 3);
}

TEST_P(WalkGuard, AWalkThatWouldGoRoundInACircleEndsWithAnError)
{
    // Each column in turn moves forward to 5.7 (whose index reads as 5) while
    // the other falls back: every answer holds a column that moves forward,
    // but the walk would go round in a circle. A row is the lowest instance
    // answered (1), so the column at 5.7 is asked again from where it was;
    // the third answer takes the other column back to 1, which ends it.
    BrokenAgent agent({kEntry + "2", kEntry + "3"}, {{"5.7", "1"}, {"1", "5.7"}});
    ASSERT_NE(agent.Port(), 0);
    const Walk walk = WalkTable(agent);
    ExpectRowCount(walk, 2);
    ExpectRequests(agent, 3);
}

INSTANTIATE_TEST_SUITE_P(BlockingAndAsynchronous, WalkGuard,
                         ::testing::Values(WalkMode{false, false}, WalkMode{true, false}, WalkMode{false, true},
                                           WalkMode{true, true}),
                         [](const ::testing::TestParamInfo<WalkMode>& info) {
                             return std::string(info.param.async ? "FetchAsync" : "Fetch") +
                                    (info.param.bulk ? "Bulk" : "GetNext");
                         });

// Table walks with GETBULK hand on the rows GETNEXT would: every table page of
// the catalogue against the simulator (also one that gives few bindings an
// answer) and against Net-SNMP's snmpd, blocking and asynchronously; an agent
// that refuses GETBULK (remembered), requests that grow and a time-out that
// shrinks them; and a walk that is stopped hands on nothing more.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/kverror.h"
#include "tables/pagecatalogue.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/kvsnmpwalkcursor.h"
#include "snmp/snmpengine.h"
#include "snmpdfixture.h"
#include "walkrows.h"
#include "tests/support/simfixture.h"

namespace {

using walktest::Row;
using walktest::Snapshot;

struct Walk {
    std::vector<Row> rows;
    KvSNMPError last;
    bool done = false;
};

struct Agent {
    uint16_t port;
    int8_t version;
    std::string community; // or, under SNMPv3, snmpd's user "shauser" (SHA, AES)
};

void Configure(KvSNMPRequest& request, const Agent& agent, bool bulk)
{
    request.address = "127.0.0.1";
    request.port = agent.port;
    request.version = agent.version;
    request.readCommunity = agent.community;
    if (agent.version == 3) {
        request.securityModel = 3;
        request.securityLevel = 3;
        request.securityName = "shauser";
        request.authProtocol = 3;
        request.authPassword = "shapassword";
        request.privProtocol = 4;
        request.privPassword = "shaprivacy";
    }
    request.timeout = 100;
    request.retries = 0;
    request.bulkWalks = bulk;
}

struct AsyncWalk {
    KvSNMPRequest* request;
    Walk* walk;
    // Called after each row is taken; may stop the walk.
    std::function<void()> afterRow;
};

void OnStep(void* context, KvSNMPError& error, KvSNMPVarList& list)
{
    auto* c = static_cast<AsyncWalk*>(context);
    c->walk->last = error;
    if (error.code != 0 || error.finished || c->walk->rows.size() >= 5000) {
        c->walk->done = true;
        return;
    }
    c->walk->rows.push_back(Snapshot(list));
    if (c->afterRow)
        c->afterRow();
    if (!c->request->active) {
        c->walk->done = true;
        return;
    }
    c->request->FetchAsync(&OnStep, context, false);
}

Walk RunWalk(KvSNMPRequest& request, bool async, std::function<void()> afterRow = {})
{
    Walk walk;
    if (!async) {
        try {
            for (bool more = request.Fetch(true); more && walk.rows.size() < 5000; more = request.Fetch(false))
                walk.rows.push_back(Snapshot(request.variables));
        } catch (const KvError& e) {
            walk.last.code = e.code();
            walk.last.message = e.message();
        }
        walk.done = true;
        return walk;
    }
    AsyncWalk context{&request, &walk, std::move(afterRow)};
    request.FetchAsync(&OnStep, &context, true);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!walk.done && std::chrono::steady_clock::now() < deadline)
        KvSnmpSession()->WaitForEvents(20);
    // Nothing more may arrive for a walk that is over.
    const size_t rows = walk.rows.size();
    request.WaitForCompletions(500);
    EXPECT_EQ(walk.rows.size(), rows);
    EXPECT_TRUE(walk.done);
    return walk;
}

Walk WalkPage(const PageCommand& page, const Agent& agent, bool bulk, bool async)
{
    KvSNMPRequest request;
    request.variables = KvSNMPVarList(page.variables, page.kind, page.keyCount);
    request.variables.instance = page.instance ? page.instance : "";
    Configure(request, agent, bulk);
    return RunWalk(request, async);
}

bool IsTablePage(const PageCommand& page)
{
    return page.kind == kvListTable || page.kind == kvListTableRows;
}

// Every table page: GETBULK, blocking and asynchronous, gives GETNEXT's rows.
void ExpectSameRowsOnEveryTablePage(const Agent& agent, size_t& pagesWithRows)
{
    pagesWithRows = 0;
    for (const PageCommand& page : kvtables::PageCatalogue()) {
        if (!IsTablePage(page))
            continue;
        SCOPED_TRACE(page.title);
        const Walk getNext = WalkPage(page, agent, false, false);
        ASSERT_EQ(getNext.last.code, 0) << getNext.last.message;
        for (bool async : {false, true}) {
            const Walk bulk = WalkPage(page, agent, true, async);
            EXPECT_EQ(bulk.last.code, 0) << bulk.last.message;
            EXPECT_EQ(bulk.rows, getNext.rows) << (async ? "FetchAsync" : "Fetch");
        }
        pagesWithRows += !getNext.rows.empty();
    }
}

class BulkWalk : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        directory_ = walktest::StartEngineInTemporaryDirectory("kvbulk");
        ASSERT_FALSE(directory_.empty());
    }
    static void TearDownTestSuite() { walktest::RemoveDirectory(directory_); }

    void StartSim(std::vector<std::string> extraArgs = {})
    {
        // A new agent: nothing learnt of an earlier one on the same port.
        KvSNMPWalkCursor::ForgetAgents();
        sim_ = std::make_unique<SimFixture>(SimFixture::Options{.extraArgs = std::move(extraArgs)});
        std::string error;
        ASSERT_TRUE(sim_->start(&error)) << error;
    }
    Agent SimAgent() const { return {sim_->port(), 1, SimFixture::readCommunity}; }
    size_t LogLinesStarting(const std::string& prefix) const
    {
        size_t n = 0;
        for (const std::string& line : sim_->logLines())
            n += line.rfind(prefix, 0) == 0;
        return n;
    }

    // The port control table: 26 rows; the index and three columns.
    static const PageCommand& PortControl()
    {
        const PageCommand* page = kvtables::FindPageByTitle("Port Control Table");
        EXPECT_NE(page, nullptr);
        return *page;
    }

    std::unique_ptr<SimFixture> sim_;
    static std::string directory_;
};

std::string BulkWalk::directory_;

TEST_F(BulkWalk, EveryTablePageOfTheSimulatorGivesTheRowsOfGetNext)
{
    StartSim();
    size_t pagesWithRows = 0;
    ExpectSameRowsOnEveryTablePage(SimAgent(), pagesWithRows);
    EXPECT_GT(pagesWithRows, 20u);
}

TEST_F(BulkWalk, EveryTablePageOfSnmpdGivesTheRowsOfGetNext)
{
    SnmpdFixture snmpd;
    if (!snmpd.Start())
        GTEST_SKIP() << snmpd.Error();
    size_t pagesWithRows = 0;
    ExpectSameRowsOnEveryTablePage({snmpd.Port(), 1, "public"}, pagesWithRows);
    // The SNMPv3 framework tables (users, groups, views, targets).
    EXPECT_GE(pagesWithRows, 3u);
    // The same under SNMPv3 with authentication and privacy.
    ExpectSameRowsOnEveryTablePage({snmpd.Port(), 3, ""}, pagesWithRows);
    EXPECT_GE(pagesWithRows, 3u);
}

TEST_F(BulkWalk, AWalkAsksForManyRowsAtATimeAndSNMPv1StaysWithGetNext)
{
    StartSim();
    Agent agent = SimAgent();
    Walk walk = WalkPage(PortControl(), agent, true, true);
    EXPECT_EQ(walk.rows.size(), 26u);
    // 25 rows, then (four times as many asked for) the last row and the end.
    EXPECT_EQ(LogLinesStarting("GETBULK"), 2u);
    for (const std::string& line : sim_->logLines()) {
        if (line.rfind("GETBULK", 0) == 0) {
            EXPECT_TRUE(line.find("max-repetitions=25:") != std::string::npos ||
                        line.find("max-repetitions=100:") != std::string::npos)
                << line;
        }
    }
    // The next walk starts with what the first learnt.
    sim_->clearLog();
    walk = WalkPage(PortControl(), agent, true, false);
    EXPECT_EQ(walk.rows.size(), 26u);
    EXPECT_EQ(LogLinesStarting("GETBULK"), 1u);
    EXPECT_EQ(LogLinesStarting("GETNEXT"), 0u);

    sim_->clearLog();
    agent.version = 0;
    walk = WalkPage(PortControl(), agent, true, true);
    EXPECT_EQ(walk.rows.size(), 26u);
    EXPECT_EQ(LogLinesStarting("GETBULK"), 0u);
    EXPECT_EQ(LogLinesStarting("GETNEXT"), 27u);
}

TEST_F(BulkWalk, AnAgentWithoutGetBulkIsWalkedWithGetNext)
{
    StartSim({"--refuse-bulk", "genErr"});
    for (bool async : {false, true}) {
        sim_->clearLog();
        const Walk walk = WalkPage(PortControl(), SimAgent(), true, async);
        EXPECT_EQ(walk.last.code, 0) << walk.last.message;
        ASSERT_EQ(walk.rows.size(), 26u);
        EXPECT_EQ(walk.rows[25][0], "26");
        // One refused GETBULK, then GETNEXT for the rest of the walk; the
        // second walk knows the agent from the first.
        EXPECT_EQ(LogLinesStarting("GETBULK"), async ? 0u : 1u);
        EXPECT_EQ(LogLinesStarting("GETNEXT"), 27u); // 26 rows and the end
    }
}

TEST_F(BulkWalk, AnAgentGivingFewBindingsAnAnswerIsStillWalkedWithGetBulk)
{
    // At most 40 bindings an answer: three walked columns give 13 rows.
    StartSim({"--bulk-max-bindings", "40"});
    size_t pagesWithRows = 0;
    ExpectSameRowsOnEveryTablePage(SimAgent(), pagesWithRows);
    EXPECT_GT(pagesWithRows, 20u);
    for (bool async : {false, true}) {
        sim_->clearLog();
        const Walk walk = WalkPage(PortControl(), SimAgent(), true, async);
        EXPECT_EQ(walk.last.code, 0) << walk.last.message;
        ASSERT_EQ(walk.rows.size(), 26u);
        EXPECT_EQ(walk.rows[25][0], "26");
        EXPECT_EQ(LogLinesStarting("GETNEXT"), 0u);
        // The agent's most is known: 13 rows a request, two requests and
        // one that finds the end.
        EXPECT_EQ(LogLinesStarting("GETBULK"), 3u);
    }
}

TEST_F(BulkWalk, ATimeOutOfAGrownRequestAsksForFewerRowsAndTheWalkCompletes)
{
    // The first request asks for 25 rows; the second, four times as large,
    // is not answered; it is asked again with half the rows.
    for (bool async : {false, true}) {
        StartSim();
        KvSNMPRequest request;
        request.variables = KvSNMPVarList(PortControl().variables, PortControl().kind, PortControl().keyCount);
        Configure(request, SimAgent(), true);
        const Walk plain = RunWalk(request, async);
        ASSERT_EQ(plain.last.code, 0) << plain.last.message;

        StartSim({"--drop-every", "2"});
        request.port = sim_->port();
        request.timeout = 30;
        const Walk walk = RunWalk(request, async);
        EXPECT_EQ(walk.last.code, 0) << walk.last.message;
        EXPECT_EQ(walk.rows, plain.rows);
        size_t dropped = 0;
        for (const std::string& line : sim_->logLines())
            dropped += line.find("(dropped)") != std::string::npos;
        EXPECT_EQ(dropped, 1u);
        EXPECT_EQ(LogLinesStarting("GETBULK"), 3u);
    }
}

TEST_F(BulkWalk, ACellTheSwitchDoesNotHaveLeavesEveryOtherValueOnItsOwnRow)
{
    // Five rows; the first column has no cell for row 2, the second none for
    // rows 1 and 5, the third none for rows 3 and 4.
    const std::string entry = "1.3.6.1.4.1.32473.99.1.1.";
    const std::vector<std::vector<int>> cells = {{1, 3, 4, 5}, {2, 3, 4}, {1, 2, 5}};
    const std::string data = directory_ + "/holes.sim";
    {
        std::ofstream out(data);
        for (size_t c = 0; c < cells.size(); ++c)
            for (int r : cells[c])
                out << entry << c + 2 << "." << r << " string ro \"c" << c + 2 << "r" << r << "\"\n";
    }
    KvSNMPWalkCursor::ForgetAgents();
    sim_ = std::make_unique<SimFixture>(SimFixture::Options{.dataFile = data});
    std::string error;
    ASSERT_TRUE(sim_->start(&error)) << error;
    const VarDef table[] = {
        {"1.3.6.1.4.1.32473.99.1.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.1.2", "A", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.1.3", "B", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.1.4", "C", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    std::vector<Row> expected;
    for (int r = 1; r <= 5; ++r) {
        Row row{std::to_string(r)};
        for (size_t c = 0; c < cells.size(); ++c) {
            const bool has = std::find(cells[c].begin(), cells[c].end(), r) != cells[c].end();
            row.push_back(has ? "c" + std::to_string(c + 2) + "r" + std::to_string(r) : "(NOTDONE)");
        }
        expected.push_back(row);
    }
    for (bool bulk : {false, true}) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(std::string(bulk ? "GETBULK " : "GETNEXT ") + (async ? "FetchAsync" : "Fetch"));
            KvSNMPRequest request;
            request.variables = KvSNMPVarList(table, kvListTable, 1);
            Configure(request, SimAgent(), bulk);
            const Walk walk = RunWalk(request, async);
            EXPECT_EQ(walk.last.code, 0) << walk.last.message;
            EXPECT_EQ(walk.rows, expected);
        }
    }
}

TEST_F(BulkWalk, AStoppedWalkHandsOnNoFurtherRow)
{
    StartSim();
    KvSNMPRequest request;
    const PageCommand& page = PortControl();
    request.variables = KvSNMPVarList(page.variables, page.kind, page.keyCount);
    Configure(request, SimAgent(), true);
    Walk walk = RunWalk(request, true, [&] {
        if (request.variables[0].value == "3")
            request.active = false; // Stop, while row 3 is shown
    });
    EXPECT_EQ(walk.rows.size(), 3u);

    // A new walk right away is a whole walk, untouched by the old one.
    request.active = true;
    walk = RunWalk(request, true);
    ASSERT_EQ(walk.rows.size(), 26u);
    for (size_t i = 0; i < walk.rows.size(); ++i)
        EXPECT_EQ(walk.rows[i][0], std::to_string(i + 1));
}

TEST_F(BulkWalk, TheNextRowsAreAskedForWhileTheRowsReceivedAreHandedOn)
{
    // While the first row of the first answer is handed on, the GETBULK for
    // the rows after that answer is already outstanding.
    StartSim({"--delay", "200"});
    const PageCommand& page = PortControl();
    KvSNMPRequest request;
    request.variables = KvSNMPVarList(page.variables, page.kind, page.keyCount);
    Configure(request, SimAgent(), true);
    request.timeout = 300;
    int outstandingAtFirstRow = -1;
    Walk walk = RunWalk(request, true, [&] {
        if (request.variables[0].value == "1")
            outstandingAtFirstRow = request.pending;
    });
    EXPECT_EQ(walk.rows.size(), 26u);
    EXPECT_EQ(outstandingAtFirstRow, 1);
    EXPECT_EQ(LogLinesStarting("GETBULK"), 2u);
}

} // namespace

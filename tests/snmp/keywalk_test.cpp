// Table walks over keys whose text does not keep every bit the agent sent (a
// real number shown with 15 digits): after a column ends, the walk goes on
// from the row it read, not from the neighbour the shown key stands for, so
// no row comes twice. Against the simulator, GETNEXT and GETBULK, blocking
// and asynchronous.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "common/kverror.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "tests/support/simfixture.h"
#include "walkrows.h"

namespace {

using walktest::Row;
using walktest::Snapshot;

// Keys 1.0000000000000002 and 2.0000000000000004 (low word 1 of each): both
// show as "1" and "2", which are 1.0 and 2.0, rows that come before them.
const char* const kData = "1.3.6.1.4.1.32473.99.1.2.1.1072693248 integer ro 21\n"
                          "1.3.6.1.4.1.32473.99.1.2.1.1073741824 integer ro 22\n"
                          "1.3.6.1.4.1.32473.99.1.3.1.1072693248 integer ro 31\n"
                          "1.3.6.1.4.1.32473.99.2.0 integer ro 7\n";

const VarDef kTable[] = {
    {"1.3.6.1.4.1.32473.99.1.1", "Key", synFloat, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.99.1.2", "First", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.99.1.3", "Second", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

struct Walk {
    std::vector<Row> rows;
    int32_t code = 0;
    bool done = false;
};

struct Context {
    KvSNMPRequest* request;
    Walk* walk;
};

void OnStep(void* data, KvSNMPError& error, KvSNMPVarList& list)
{
    auto* c = static_cast<Context*>(data);
    c->walk->code = error.code;
    if (error.code != 0 || error.finished || c->walk->rows.size() >= 20) {
        c->walk->done = true;
        return;
    }
    c->walk->rows.push_back(Snapshot(list));
    c->request->FetchAsync(&OnStep, data, false);
}

class KeyWalk : public ::testing::TestWithParam<std::pair<bool, bool>> {
protected:
    static void SetUpTestSuite()
    {
        directory_ = walktest::StartEngineInTemporaryDirectory("kvkeywalk");
        ASSERT_FALSE(directory_.empty());
    }
    static void TearDownTestSuite() { walktest::RemoveDirectory(directory_); }

    Walk WalkTable(uint16_t port)
    {
        const auto [bulk, async] = GetParam();
        KvSNMPRequest request;
        request.variables = KvSNMPVarList(kTable, kvListTable, 1);
        request.address = "127.0.0.1";
        request.port = port;
        request.version = 1;
        request.readCommunity = SimFixture::readCommunity;
        request.bulkWalks = bulk;
        Walk walk;
        if (!async) {
            try {
                for (bool more = request.Fetch(true); more && walk.rows.size() < 20; more = request.Fetch(false))
                    walk.rows.push_back(Snapshot(request.variables));
            } catch (const KvError& e) {
                walk.code = e.code();
            }
            return walk;
        }
        Context context{&request, &walk};
        request.FetchAsync(&OnStep, &context, true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!walk.done && std::chrono::steady_clock::now() < deadline)
            KvSnmpSession()->WaitForEvents(20);
        EXPECT_TRUE(walk.done);
        request.WaitForCompletions(500);
        return walk;
    }

    static std::string directory_;
};

std::string KeyWalk::directory_;

TEST_P(KeyWalk, EveryRowComesOnce)
{
    const std::string data = directory_ + "/keys.sim";
    std::ofstream(data) << kData;
    SimFixture sim({.dataFile = data});
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    const Walk walk = WalkTable(sim.port());
    EXPECT_EQ(walk.code, 0);
    const std::vector<Row> expected = {{"1", "21", "31"}, {"2", "22", "(NOTDONE)"}};
    EXPECT_EQ(walk.rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, KeyWalk,
                         ::testing::Values(std::make_pair(false, false), std::make_pair(false, true),
                                           std::make_pair(true, false), std::make_pair(true, true)),
                         [](const auto& info) {
                             return std::string(info.param.first ? "Bulk" : "GetNext") +
                                    (info.param.second ? "Async" : "Blocking");
                         });

} // namespace

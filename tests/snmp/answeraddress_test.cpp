// Answers are taken only from the address and port a request went to: an
// answer that another host sends (even one that is quicker than the agent,
// with the right request id) is not the agent's, and the request waits for
// the agent's own answer or times out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/kverror.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/simfixture.h"
#include "tests/support/udprelay.h"
#include "walkrows.h"

namespace {

const VarDef kName[] = {
    {"1.3.6.1.2.1.1.5", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// Replaces every occurrence of `from` by `to` (of the same length).
UdpRelay::Tamper Replace(const std::string& from, const std::string& to)
{
    return [from, to](std::vector<uint8_t>& datagram) {
        auto at = datagram.begin();
        while ((at = std::search(at, datagram.end(), from.begin(), from.end())) != datagram.end())
            at = std::copy(to.begin(), to.end(), at);
    };
}

class AnswerAddress : public ::testing::Test {
protected:
    static void SetUpTestSuite() { directory_ = walktest::StartEngineInTemporaryDirectory("kvaddress"); }
    static void TearDownTestSuite() { walktest::RemoveDirectory(directory_); }

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
    }

    // A get of sysName through `relay`, SNMPv2c.
    void Get(UdpRelay& relay, KvSNMPRequest& request)
    {
        request.variables = KvSNMPVarList(kName, kvListScalars, 0);
        request.address = "127.0.0.1";
        request.port = relay.port();
        request.version = 1;
        request.readCommunity = SimFixture::readCommunity;
        request.timeout = 50;
        request.retries = 1;
        request.Fetch(true);
    }

    static std::string directory_;
    SimFixture sim;
};

std::string AnswerAddress::directory_;

TEST_F(AnswerAddress, AnAnswerFromAnotherAddressIsNotTaken)
{
    UdpRelay relay(sim.port(), {.answerFrom = "127.0.0.2"});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPRequest request;
    try {
        Get(relay, request);
        ADD_FAILURE() << "taken: " << request.variables[0].value;
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -405) << e.message();
    }
    EXPECT_EQ(relay.requests(), 2) << "the request and its retry";
    EXPECT_EQ(relay.answers(), 2) << "both answered, from the wrong address";
}

TEST_F(AnswerAddress, AForgedAnswerDoesNotEndTheRequestTheAgentsAnswerDoes)
{
    UdpRelay relay(sim.port(), {.answerFrom = "127.0.0.2", .forgeAnswer = Replace("osprey-lab", "forged-lab")});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPRequest request;
    Get(relay, request);
    EXPECT_EQ(request.variables[0].value, "osprey-lab");
    EXPECT_EQ(relay.requests(), 1) << "the forged answer did not end the request, the agent's did";
}

TEST_F(AnswerAddress, AnAnswerFromTheAgentsAddressThroughTheRelayIsTaken)
{
    UdpRelay relay(sim.port(), {});
    std::string error;
    ASSERT_TRUE(relay.start(&error)) << error;
    KvSNMPRequest request;
    Get(relay, request);
    EXPECT_EQ(request.variables[0].value, "osprey-lab");
}

} // namespace

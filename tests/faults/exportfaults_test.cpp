// The fault matrix for osprey-export, run as the operator runs it, on the
// "Port Control Table" (26 rows): it never hangs, ends with exit status 1
// and the "Get:" status line in the message sets' words when the switch
// fails, keeps the rows that arrived, and the next run once the agent is
// back exports the whole table.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/export/exportrun.h"
#include "tests/export/exportsetup.h"
#include "osprey_config.h"
#include "tests/support/simfixture.h"

#include "faultagent.h"
#include "faultexpect.h"

namespace {

const std::string kPortControl = std::string(OSPREY_ENT_OID) + ".11.36.2.6.2.1";
constexpr int kTimeoutMs = 1000;
constexpr int kRows = 26;

class ExportFaults : public ::testing::TestWithParam<Fault> {
protected:
    Fault fault() const { return GetParam(); }

    ExportResult Export()
    {
        ExportProcess process(setup.Directory(), setup.RegistryPath());
        return process.Run({"/I127.0.0.1", std::string("/R") + SimFixture::readCommunity,
                            std::string("/W") + SimFixture::writeCommunity, "--page", "Port Control Table"},
                           60000);
    }

    // Data lines: the table's rows after its header.
    static int Rows(const ExportResult& result)
    {
        const auto lines = result.OutLines();
        return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
    }

    ExportSetup setup;
    std::unique_ptr<FaultAgent> agent;
};

TEST_P(ExportFaults, PortControlTable)
{
    if (fault() == Fault::KilledInWrite)
        GTEST_SKIP() << "the export writes nothing";
    agent = std::make_unique<FaultAgent>(fault(), kPortControl + (fault() == Fault::Oversize ? ".2.1" : ".2"));
    std::string error;
    ASSERT_TRUE(agent->Start(&error)) << error;
    setup.WriteIniFile("127.0.0.1", agent->Port());
    if (fault() == Fault::KilledInWalk)
        agent->KillOnRequest("GETBULK ", 2);

    const ExportResult result = Export();
    ASSERT_FALSE(result.timedOut);
    const Outcome expected = ReadOutcome(fault(), kTimeoutMs, true);
    if (result.status == 0) {
        EXPECT_TRUE(expected == Outcome::Ok || expected == Outcome::OkOrTimeout) << result.err;
        EXPECT_EQ(Rows(result), kRows);
        EXPECT_EQ(result.err, "");
    } else {
        EXPECT_EQ(result.status, 1);
        ASSERT_EQ(result.ErrLines().size(), 1u) << result.err;
        EXPECT_TRUE(StatusSays(result.ErrLines()[0], "Get", expected));
        if (fault() == Fault::StopAfter || fault() == Fault::KilledInWalk) {
            EXPECT_EQ(Rows(result), 25) << "the rows of the first answer stay";
        }
    }
    if (fault() == Fault::Oversize) {
        ASSERT_GE(result.OutLines().size(), 2u);
        std::string hex;
        for (int i = 0; i < 4000; ++i)
            hex += "41";
        EXPECT_NE(result.OutLines()[1].find("\t" + hex + "\t"), std::string::npos) << "the whole value, in hexadecimal";
    }
    EXPECT_TRUE(NoCommunities(result.out + result.err));

    ASSERT_TRUE(agent->Recover(&error)) << error;
    const ExportResult again = Export();
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Rows(again), kRows);
}

INSTANTIATE_TEST_SUITE_P(Faults, ExportFaults, ::testing::ValuesIn(AllFaults()),
                         [](const ::testing::TestParamInfo<Fault>& info) { return FaultParamName(info.param); });

} // namespace

// The fault matrix for the front panel: the LED binding polls the LED status
// variable every three seconds (a request of 5 s, one retry). For every fault
// the window does not freeze, a failed poll turns the LEDs off and says why
// in the status panel in the message sets' words, polling goes on, and once
// the agent is back the LEDs come back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <memory>
#include <string>

#include "binding/kvsnmprequest2leds.h"
#include "common/kvmessages.h"
#include "osprey_config.h"
#include "shell/panel/tfrontpanel.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/testsnmpengine.h"

#include "faultagent.h"
#include "faultexpect.h"
#include "freezemeter.h"

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kLime = 0x00FF00;
constexpr int kLedTimeoutMs = TFrontPanel::kLedTimeout * 10;
constexpr int kWaitMs = 25000; // two timed-out attempts and a poll

class PanelFaults : public ::testing::TestWithParam<Fault> {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvpanelfaults"); }
    static void TearDownTestSuite() { engine_.reset(); }

    Fault fault() const { return GetParam(); }

    void Start()
    {
        KvResetMessageSets();
        KvSNMPSecurity.version = 1;
        agent = std::make_unique<FaultAgent>(fault(), std::string(OSPREY_ENT_OID) + ".11.36.2.5.1.5");
        std::string error;
        ASSERT_TRUE(agent->Start(&error)) << error;
        KvSNMPDevice.address = "127.0.0.1";
        KvSNMPDevice.port = agent->Port();
        if (fault() == Fault::KilledInWalk)
            agent->KillOnRequest("GET ");
        meter.Start();
        panel = std::make_unique<TFrontPanel>();
        panel->FormCreate(&status);
    }

    KvSNMPRequest2Leds& Leds() { return *panel->LedRequest; }
    std::string Status() const { return status.text().toStdString(); }

    // Waits for a status line that says `outcome`.
    bool WaitForStatus(Outcome outcome)
    {
        return kvtest::WaitFor([&] { return StatusSays(Status(), "Get", outcome); }, kWaitMs);
    }

    int Lit(int32_t colour)
    {
        int n = 0;
        for (const auto& record : Leds().Records())
            n += record->colour == colour ? 1 : 0;
        return n;
    }

    static inline std::unique_ptr<TestSnmpEngine> engine_;
    QLabel status;
    std::unique_ptr<FaultAgent> agent;
    std::unique_ptr<TFrontPanel> panel;
    FreezeMeter meter;
};

TEST_P(PanelFaults, FrontPanel)
{
    if (fault() == Fault::KilledInWrite)
        GTEST_SKIP() << "the front panel writes nothing";
    Start();

    // An answer that is no LED table (an INTEGER) fails the poll: no LED
    // shows a state the switch did not send.
    const bool noLedTable = fault() == Fault::WrongType;
    const Outcome expected = noLedTable ? Outcome::BadValue : ReadOutcome(fault(), kLedTimeoutMs, false);
    ASSERT_TRUE(WaitForStatus(expected)) << "status: " << Status();
    if (fault() == Fault::StopAfter) {
        // The first poll was answered; a later one is not, and the LEDs go off.
        ASSERT_GT(Lit(kLime), 5);
        ASSERT_TRUE(WaitForStatus(Outcome::Timeout)) << "status: " << Status();
    } else if (fault() == Fault::DropEveryThird) {
        // The third poll goes unanswered; its retry is answered.
        ASSERT_TRUE(kvtest::WaitFor(
            [&] {
                bool dropped = false;
                for (const std::string& line : agent->LogLines())
                    dropped = dropped || line.find("(dropped)") != std::string::npos;
                return dropped && Leds().request.pending == 0;
            },
            kWaitMs));
        EXPECT_TRUE(StatusSays(Status(), "Get", Outcome::Ok));
    }
    meter.Stop();
    EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();

    const bool ok = IsOk(Status());
    EXPECT_TRUE(!noLedTable || !ok) << Status();
    if (!ok) {
        EXPECT_EQ(Lit(0), static_cast<int>(Leds().Records().size())) << "every LED off after a failed poll";
        EXPECT_EQ(Lit(kWhite), 0);
    } else if (fault() == Fault::Oversize) {
        // Octets "A" (0x41): white, steady; the rest of the value is not looked at.
        EXPECT_EQ(Lit(kWhite), static_cast<int>(Leds().Records().size()));
    } else {
        EXPECT_GT(Lit(kLime), 5);
    }
    EXPECT_TRUE(Leds().RefreshTimer().isActive()) << "polling goes on";

    // The agent is back: a poll after the ones still outstanding lights the
    // LEDs again.
    std::string error;
    ASSERT_TRUE(agent->Recover(&error)) << error;
    agent->Sim().clearLog();
    ASSERT_TRUE(kvtest::WaitFor([&] { return !agent->LogLines().empty() && Leds().request.pending == 0; }, kWaitMs))
        << "status: " << Status();
    EXPECT_TRUE(StatusSays(Status(), "Get", Outcome::Ok));
    EXPECT_GT(Lit(kLime), 5);
    EXPECT_TRUE(NoCommunities(Status()));
}

INSTANTIATE_TEST_SUITE_P(Faults, PanelFaults, ::testing::ValuesIn(AllFaults()),
                         [](const ::testing::TestParamInfo<Fault>& info) { return FaultParamName(info.param); });

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// The front panel against the switch simulator: the LEDs take the colours of
// the simulator's LED string, and a switch that stops answering turns them
// off with the timeout message in the status panel while polling goes on.

#include "binding/kvsnmprequest2leds.h"
#include "common/kvmessages.h"
#include "osprey_config.h"
#include "shell/panel/tfrontpanel.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "snmp/snmpstatus.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"
#include "tests/support/testsnmpengine.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

constexpr int32_t white = 0xFFFFFF;
constexpr int32_t lime = 0x00FF00;
constexpr int32_t blue = 0xFF0000;
constexpr int32_t red = 0x0000FF;

using kvtest::WaitFor;

std::vector<uint8_t> HexBytes(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

class FrontPanelSim : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvpanel"); }
    static void TearDownTestSuite() { engine_.reset(); }

    void Start(SimFixture::Options options = {})
    {
        sim = std::make_unique<SimFixture>(options);
        std::string error;
        ASSERT_TRUE(TestSnmpEngine::StartSimulator(*sim, &error)) << error;
        KvSNMPSecurity.version = 1; // SNMPv2c
        KvResetMessageSets();
        panel = std::make_unique<TFrontPanel>();
        panel->FormCreate(&status);
    }

    bool StatusStartsWith(const std::string& prefix) const { return status.text().toStdString().rfind(prefix, 0) == 0; }

    static inline std::unique_ptr<TestSnmpEngine> engine_;

    QLabel status;
    std::unique_ptr<SimFixture> sim;
    std::unique_ptr<TFrontPanel> panel;
};

TEST_F(FrontPanelSim, LedsTakeTheSimulatorsColours)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return StatusStartsWith("Get: "); }, 8000));
    const std::string line = status.text().toStdString();
    EXPECT_EQ(line.rfind("Get: (VoDADI++) Ok! Request: Led Status. Receive at ", 0), 0u) << line;

    // One get of the LED status variable.
    const std::vector<std::string> log = sim->logLines();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log[0].find(std::string("GET v2c read: ") + OSPREY_ENT_OID ".11.36.2.5.1.5.0 NULL"), std::string::npos)
        << log[0];

    // The value as received, and every LED's colour and blink state from it.
    KvSNMPRequest2Leds& leds = *panel->LedRequest;
    const std::vector<uint8_t> bytes = HexBytes(leds.request.variables[0].value);
    ASSERT_EQ(bytes.size(), 31u) << leds.request.variables[0].value;
    ASSERT_EQ(leds.Records().size(), 31u);
    const int32_t colours[8] = {white, white, lime, lime, blue, red, 0, 0};
    int lit = 0;
    for (const auto& record : leds.Records()) {
        const uint8_t byte = bytes[static_cast<size_t>(record->byteIndex)];
        EXPECT_EQ(record->colour, colours[byte & 7]) << "byte " << record->byteIndex;
        EXPECT_EQ(record->blinking, (byte & 0x80) != 0) << "byte " << record->byteIndex;
        lit += record->colour == lime || record->colour == blue ? 1 : 0;
    }
    EXPECT_EQ(leds.Records()[0]->colour, lime) << "power";
    EXPECT_GT(lit, 5) << "many ports of the simulated switch have a link";

    // Once the blinking is over, every shape shows its LED's colour.
    ASSERT_TRUE(WaitFor([&] { return leds.BlinkCount() > KvSNMPRequest2Leds::kBlinkLimit; }, 2000) ||
                leds.BlinkCount() == 0);
    for (const auto& record : leds.Records())
        EXPECT_EQ(record->shape->FillColour(), record->colour) << "byte " << record->byteIndex;

    // Each port button describes its port's LED to a screen reader.
    for (int n = 1; n <= 28; ++n) {
        const int port = panel->SpeedButton(n)->property("tag").toInt();
        const uint8_t byte = bytes[static_cast<size_t>(TFrontPanel::PortLedByte(port))];
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(panel->SpeedButton(n));
        EXPECT_EQ(button->text(QAccessible::Description),
                  TFrontPanel::LedDescription(colours[byte & 7], (byte & 0x80) != 0))
            << "button " << n;
    }
    EXPECT_NE(QAccessible::queryAccessibleInterface(panel->SpeedButton(1))->text(QAccessible::Description), "LED off");

    // Polling goes on every three seconds.
    EXPECT_TRUE(leds.RefreshTimer().isActive());
    ASSERT_TRUE(WaitFor([&] { return sim->logLines().size() >= 2; }, 5000));
}

TEST_F(FrontPanelSim, SilentSwitchTurnsTheLedsOffAndReportsTheTimeout)
{
    // The simulator answers the first request only.
    Start({.extraArgs = {"--stop-after", "1"}});
    KvSNMPRequest2Leds& leds = *panel->LedRequest;
    ASSERT_TRUE(WaitFor([&] { return StatusStartsWith("Get: (VoDADI++) Ok!"); }, 8000)) << status.text().toStdString();
    ASSERT_EQ(leds.Records()[0]->colour, lime);
    // Later polls give up quickly.
    leds.request.timeout = 30;
    leds.request.retries = 0;

    int32_t code = 0;
    std::string timeoutMessage;
    KvSNMPRequest::MapStatus(snmpClassTimeout, code, timeoutMessage);
    const std::string expected = "Get: " + timeoutMessage + " Request: Led Status. Receive at ";
    ASSERT_TRUE(WaitFor([&] { return StatusStartsWith(expected); }, 8000)) << status.text().toStdString();
    for (const auto& record : leds.Records()) {
        EXPECT_EQ(record->colour, 0) << "byte " << record->byteIndex;
        EXPECT_FALSE(record->blinking);
        EXPECT_EQ(record->shape->FillColour(), 0);
    }
    EXPECT_EQ(panel->SpeedButton(1)->accessibleDescription(), "LED off");
    EXPECT_TRUE(leds.RefreshTimer().isActive()) << "polling goes on";
    const size_t requests = sim->logLines().size();
    ASSERT_TRUE(WaitFor([&] { return sim->logLines().size() > requests; }, 5000)) << "the next poll is sent";

    // Taking the panel apart with that poll outstanding drops it: its
    // completion, arriving later, goes nowhere.
    ASSERT_GT(leds.request.pending, 0);
    panel.reset();
    WaitFor([] { return false; }, 400);
}

TEST_F(FrontPanelSim, AnAnswerThatIsNoLedTableTurnsTheLedsOffWithTheBadValueMessage)
{
    const std::string led = std::string(OSPREY_ENT_OID) + ".11.36.2.5.1.5";
    const std::vector<std::string> faults[] = {
        {"--wrong-type", led}, // INTEGER 7
    };
    const std::string expected = "Get: " + KvErrorText(kvErrBadValue) + " Request: Led Status. Receive at ";
    for (const auto& fault : faults) {
        Start({.extraArgs = fault});
        ASSERT_TRUE(WaitFor([&] { return StatusStartsWith("Get: "); }, 8000)) << fault[1];
        EXPECT_TRUE(StatusStartsWith(expected)) << fault[1] << ": " << status.text().toStdString();
        for (const auto& record : panel->LedRequest->Records()) {
            EXPECT_EQ(record->colour, 0) << fault[1] << " byte " << record->byteIndex;
            EXPECT_EQ(record->shape->FillColour(), 0) << fault[1] << " byte " << record->byteIndex;
        }
        EXPECT_EQ(panel->SpeedButton(1)->accessibleDescription(), "LED off") << fault[1];
        EXPECT_TRUE(panel->LedRequest->RefreshTimer().isActive()) << "polling goes on";
        panel.reset();
        status.clear();
    }
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

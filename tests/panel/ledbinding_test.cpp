// The LED binding without an agent: LED states from the value text, blinking,
// reset, error reports, group placement. Fake shapes record what is painted.

#include "binding/kvledshape.h"
#include "binding/kvledshapewidget.h"
#include "binding/kvsnmprequest2leds.h"
#include "common/kverror.h"
#include "platform/kvmessagebox.h"
#include "snmp/vardef.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>

#include <memory>
#include <vector>

namespace {

constexpr int32_t white = 0xFFFFFF;
constexpr int32_t lime = 0x00FF00;
constexpr int32_t blue = 0xFF0000;
constexpr int32_t red = 0x0000FF;
constexpr int32_t black = 0x000000;

const KvLedColorEntry modelTable[] = {
    {0, white}, {1, white}, {2, lime}, {3, lime}, {4, blue}, {5, red}, {0, -1},
};
const KvSNMPLedColorMapList modelMap(modelTable, 7, 0x80, black, white);
const KvSNMPLedColorMapList strictMap(modelTable, 7, 0x80, black, -1);

const VarDef ledTable[] = {
    {"1.3.6.1.4.1.32473.11.36.2.5.1.5", "swUnitMgmtFrontPanelLedStatus", synOctets, accRO, nullptr, nullptr, nullptr,
     nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

class FakeShape : public KvLedShape {
public:
    int32_t FillColour() const override { return colour; }
    void Paint(int32_t c) override
    {
        colour = c;
        painted.push_back(c);
    }
    void ShowShape() override { shown = true; }

    int32_t colour = 0x123456; // neither a map colour nor the default
    std::vector<int32_t> painted;
    bool shown = false;
};

// Opens the protected steps the completions call.
class TestLeds : public KvSNMPRequest2Leds {
public:
    TestLeds() : KvSNMPRequest2Leds(nullptr) { request.variables = KvSNMPVarList(ledTable, kvListScalars, 0); }
    using KvSNMPRequest2Leds::ReportGetError;
    using KvSNMPRequest2Leds::ShowRow;

    void SetValue(const std::string& hex) { request.variables[0].value = hex; }
};

class LedBinding : public ::testing::Test {
protected:
    FakeShape& Add(TestLeds& leds, int byteIndex, const KvSNMPLedColorMapList& map = modelMap)
    {
        shapes.push_back(std::make_unique<FakeShape>());
        leds.AddLed(0, byteIndex, &map, shapes.back().get());
        return *shapes.back();
    }
    std::vector<std::unique_ptr<FakeShape>> shapes;
};

} // namespace

TEST_F(LedBinding, NewLedIsShownInTheDefaultColour)
{
    TestLeds leds;
    FakeShape& shape = Add(leds, 0);
    ASSERT_EQ(leds.Records().size(), 1u);
    const LedRecord& record = *leds.Records()[0];
    EXPECT_EQ(record.colour, black);
    EXPECT_FALSE(record.blinking);
    EXPECT_EQ(shape.colour, black);
    EXPECT_TRUE(shape.shown);
    EXPECT_TRUE(leds.BlinkTimer().isActive()) << "the blink timer runs from the start";
    EXPECT_EQ(leds.BlinkTimer().interval(), 60);
    EXPECT_FALSE(leds.RefreshTimer().isActive()) << "polling starts only when asked";
}

TEST_F(LedBinding, ValueSetsEachLedsColourAndBlink)
{
    TestLeds leds;
    FakeShape& blinkingLime = Add(leds, 0);
    FakeShape& steadyRed = Add(leds, 1);
    FakeShape& noEntry = Add(leds, 2);
    FakeShape& off = Add(leds, 3);
    FakeShape& beyond = Add(leds, 29);
    leds.SetValue("8205060001"); // five bytes: byte 29 lies beyond the value
    leds.ShowRow();

    const auto& records = leds.Records();
    EXPECT_EQ(records[0]->colour, lime);
    EXPECT_TRUE(records[0]->blinking);
    EXPECT_EQ(records[1]->colour, red);
    EXPECT_FALSE(records[1]->blinking);
    EXPECT_EQ(records[2]->colour, black);
    EXPECT_EQ(records[3]->colour, white);
    EXPECT_EQ(records[4]->colour, white) << "out-of-range colour, no error";
    EXPECT_FALSE(records[4]->blinking);
    // The one blink tick after the poll: steady LEDs lit, the blinking one
    // lit as well (it was dark, in the default colour).
    EXPECT_EQ(steadyRed.colour, red);
    EXPECT_EQ(noEntry.colour, black);
    EXPECT_EQ(off.colour, white);
    EXPECT_EQ(beyond.colour, white);
    EXPECT_EQ(blinkingLime.colour, lime);
    leds.BlinkStep();
    EXPECT_EQ(blinkingLime.colour, black);
    EXPECT_EQ(steadyRed.colour, red);
}

TEST_F(LedBinding, BlinkingAlternatesForSevenTicksThenStaysLit)
{
    TestLeds leds;
    leds.BlinkTimer().stop(); // ticks by hand
    FakeShape& shape = Add(leds, 0);
    FakeShape& steady = Add(leds, 1);
    leds.SetValue("8205");
    shape.painted.clear();
    leds.ShowRow(); // tick 1 (count 0)
    for (int i = 0; i < 12; ++i)
        leds.BlinkStep();
    // Starting from the default colour: lit, dark, lit, ... for the seven
    // counted ticks (0..6), then lit for good.
    const std::vector<int32_t> expected = {lime, black, lime, black, lime, black, lime,
                                           lime, lime,  lime, lime,  lime, lime};
    EXPECT_EQ(shape.painted, expected);
    EXPECT_EQ(steady.colour, red);
    EXPECT_EQ(leds.BlinkCount(), 7);

    // The next poll starts the seven ticks again.
    shape.painted.clear();
    leds.ShowRow();
    leds.BlinkStep();
    EXPECT_EQ(shape.painted, (std::vector<int32_t>{black, lime}));
    EXPECT_EQ(leds.BlinkCount(), 2);

    // Without blinking LEDs the count stands still.
    leds.SetValue("0205");
    leds.ShowRow();
    leds.BlinkStep();
    EXPECT_EQ(leds.BlinkCount(), 0);
    EXPECT_EQ(shape.colour, lime);
}

TEST_F(LedBinding, BlinkTimerRestsBetweenPollsAndStopsForGood)
{
    TestLeds leds;
    FakeShape& shape = Add(leds, 0);
    leds.SetValue("82");
    leds.ShowRow();
    ASSERT_TRUE(leds.BlinkTimer().isActive());
    // Seven ticks of blinking, then the timer rests with the LED lit.
    QElapsedTimer clock;
    clock.start();
    while (leds.BlinkTimer().isActive() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(leds.BlinkTimer().isActive());
    EXPECT_EQ(shape.colour, lime);
    EXPECT_EQ(leds.BlinkCount(), 7);

    leds.ShowRow(); // the next poll
    EXPECT_TRUE(leds.BlinkTimer().isActive());

    leds.StopPolling();
    leds.ShowRow(); // a late answer after the stop
    EXPECT_FALSE(leds.BlinkTimer().isActive());
}

TEST_F(LedBinding, ByteBeyondAStrictMapRaisesAndResetsTheLeds)
{
    TestLeds leds;
    FakeShape& first = Add(leds, 0, strictMap);
    FakeShape& beyond = Add(leds, 5, strictMap);
    leds.SetValue("020202020202");
    leds.ShowRow();
    ASSERT_EQ(first.colour, lime);

    leds.SetValue("02");
    try {
        leds.ShowRow();
        FAIL() << "expected -519";
    } catch (const KvError& error) {
        EXPECT_EQ(error.code(), -519);
    }
    EXPECT_EQ(first.colour, black);
    EXPECT_EQ(beyond.colour, black);
    EXPECT_FALSE(leds.Records()[0]->blinking);
}

TEST_F(LedBinding, AnswerThatIsNoLedTableTurnsTheLedsOffWithTheBadValueError)
{
    TestLeds leds;
    FakeShape& first = Add(leds, 0);
    FakeShape& last = Add(leds, 2);
    const auto expectBadValue = [&](const std::string& why) {
        try {
            leds.ShowRow();
            ADD_FAILURE() << why << ": expected -518";
        } catch (const KvError& error) {
            EXPECT_EQ(error.code(), -518) << why;
            EXPECT_EQ(std::string(error.what()),
                      "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!");
        }
        EXPECT_EQ(first.colour, black) << why;
        EXPECT_EQ(last.colour, black) << why;
        EXPECT_FALSE(leds.Records()[0]->blinking) << why;
    };

    leds.SetValue("820205");
    leds.ShowRow();
    ASSERT_EQ(first.colour, lime);
    ASSERT_EQ(last.colour, red);

    // An exception or a value of another type, whatever its text.
    leds.SetValue("820205");
    leds.request.variables[0].answerUnfit = true;
    expectBadValue("not an octet string");

    // The next good answer shows again; a short one paints the LEDs beyond
    // it in the out-of-range colour, without an error.
    leds.request.variables[0].answerUnfit = false;
    leds.ShowRow();
    EXPECT_EQ(last.colour, red);
    leds.SetValue("0202");
    leds.ShowRow();
    EXPECT_EQ(first.colour, lime);
    EXPECT_EQ(last.colour, white);
}

TEST_F(LedBinding, ValueNamesAndMissingVariablesAreHandled)
{
    TestLeds leds;
    FakeShape& shape = Add(leds, 0);
    shapes.push_back(std::make_unique<FakeShape>());
    leds.AddLed(3, 0, &modelMap, shapes.back().get()); // no variable 3 in the list
    FakeShape& orphan = *shapes.back();
    leds.SetValue("(NULL)");
    leds.ShowRow();
    EXPECT_EQ(shape.colour, white) << "an absent value has no bytes";
    EXPECT_EQ(orphan.colour, white);

    leds.SetValue("zz04"); // not hexadecimal: the codec reads 0x00, 0x04
    leds.ShowRow();
    EXPECT_EQ(shape.colour, white);
}

TEST_F(LedBinding, FailedPollResetsTheLedsAndWritesTheGetLine)
{
    QLabel panel;
    TestLeds leds;
    FakeShape& shape = Add(leds, 0);
    leds.SetValue("02");
    leds.ShowRow();
    ASSERT_EQ(shape.colour, lime);
    leds.request.variables.name = " Led Status";
    leds.SetStatusTarget(&panel);

    KvMessageBox::Answerer answerer;
    KvSNMPError failure;
    failure.code = -405;
    failure.message = "(VoDADI++) No response!";
    failure.finished = true;
    leds.lastOperation = KvSNMPRequest2Controls::kLastSet;
    leds.ReportGetError(failure);
    EXPECT_EQ(shape.colour, black);
    EXPECT_FALSE(leds.Records()[0]->blinking);
    const std::string line = panel.text().toStdString();
    EXPECT_EQ(line.rfind("Get: (VoDADI++) No response! Request: Led Status. Receive at ", 0), 0u) << line;
    EXPECT_TRUE(answerer.shown().empty()) << "never a message box";

    // Without a status target nothing is shown at all.
    TestLeds silent;
    silent.ReportGetError(failure);
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(LedBinding, StopPollingTurnsEveryLedOffAndStopsBothTimers)
{
    TestLeds leds;
    FakeShape& a = Add(leds, 0);
    FakeShape& b = Add(leds, 1);
    leds.SetValue("0384");
    leds.ShowRow();
    leds.RefreshTimer().start(3000);
    leds.StopPolling();
    EXPECT_EQ(a.colour, black);
    EXPECT_EQ(b.colour, black);
    EXPECT_FALSE(leds.Records()[1]->blinking);
    EXPECT_FALSE(leds.RefreshTimer().isActive());
    EXPECT_FALSE(leds.BlinkTimer().isActive());
}

TEST_F(LedBinding, GroupPlacesItsShapesOnThePanel)
{
    QFrame panel;
    panel.setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel.setGeometry(211, 6, 99, 7);
    TestLeds leds;
    leds.AddLedGroup(0, "5,6,7,8,9,10,11,12", &modelMap, &panel, 1, 7, 0, 6, 6);
    ASSERT_EQ(leds.Records().size(), 8u);
    const int lefts[] = {1, 14, 27, 40, 53, 66, 79, 92};
    for (int i = 0; i < 8; ++i) {
        const LedRecord& record = *leds.Records()[static_cast<size_t>(i)];
        auto* shape = dynamic_cast<KvLedShapeWidget*>(record.shape);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->parentWidget(), &panel);
        EXPECT_EQ(shape->geometry(), QRect(lefts[i], 1, 6, 6)) << "shape " << i;
        EXPECT_EQ(shape->Kind(), 0);
        EXPECT_EQ(record.byteIndex, 5 + i);
        EXPECT_EQ(record.variableIndex, 0);
        EXPECT_EQ(shape->FillColour(), black);
    }
    EXPECT_EQ(panel.frameStyle(), int(QFrame::NoFrame)) << "the panel loses its bevels";
}

TEST_F(LedBinding, ShapesDestroyedBeforeTheBindingAreLeftAlone)
{
    auto panel = std::make_unique<QFrame>();
    TestLeds leds;
    leds.AddLedGroup(0, "0,1", &modelMap, panel.get(), 1, 10, 0, 7, 7);
    panel.reset();
    leds.SetValue("0202");
    leds.ShowRow();
    leds.BlinkStep();
    leds.StopPolling(); // paints nothing: the shapes are gone
    EXPECT_EQ(leds.Records()[0]->colour, black);
}

TEST(LedShapeWidget, ConvertsWindowColours)
{
    EXPECT_EQ(KvLedShapeWidget::WindowColour(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(KvLedShapeWidget::WindowColour(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(KvLedShapeWidget::WindowColour(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(KvLedShapeWidget::WindowColour(0x336699), QColor(0x99, 0x66, 0x33));
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}

// The LED colour map: lookup through the value and blink masks, the default
// and out-of-range colours, and appending tables.

#include "binding/kvsnmpledcolormaplist.h"
#include "common/kverror.h"

#include <gtest/gtest.h>

namespace {

// The model's map as the main window builds it.
const KvLedColorEntry modelTable[] = {
    {0, 0xFFFFFF}, {1, 0xFFFFFF}, {2, 0x00FF00}, {3, 0x00FF00}, {4, 0xFF0000}, {5, 0x0000FF}, {0, -1},
};
constexpr int32_t white = 0xFFFFFF;
constexpr int32_t lime = 0x00FF00;
constexpr int32_t blue = 0xFF0000;
constexpr int32_t red = 0x0000FF;

KvSNMPLedColorMapList modelMap()
{
    return KvSNMPLedColorMapList(modelTable, 7, 0x80, 0, white);
}

} // namespace

TEST(LedColourMap, BuildsFromTheTableUpToTheEndRow)
{
    const KvSNMPLedColorMapList map = modelMap();
    EXPECT_EQ(map.EntryCount(), 6);
    EXPECT_EQ(map.valueMask, 7);
    EXPECT_EQ(map.blinkMask, 0x80);
    EXPECT_EQ(map.defaultColour, 0);
    EXPECT_EQ(map.outOfRangeColour, white);
    EXPECT_EQ(map.Entry(5).colour, red);

    KvSNMPLedColorMapList empty(nullptr, 7, 0x80, 0, white);
    EXPECT_EQ(empty.EntryCount(), 0);
    EXPECT_EQ(empty.LookupColour(2), 0) << "no entry: black";
}

TEST(LedColourMap, LookupComparesTheLowByteAndFirstEntryWins)
{
    const KvLedColorEntry table[] = {{0x102, 0x111111}, {2, 0x222222}, {7, 0x333333}, {0, -1}};
    const KvSNMPLedColorMapList map(table, 0xFF, 0, 0, -1);
    EXPECT_EQ(map.LookupColour(2), 0x111111) << "key 0x102 has the low byte 2 and comes first";
    EXPECT_EQ(map.LookupColour(0x207), 0x333333) << "only the value's low byte counts";
    EXPECT_EQ(map.LookupColour(9), 0);

    KvSNMPLedColorMapList appended(nullptr, 0xFF, 0, 0, -1);
    const KvLedColorEntry more[] = {{9, 0x999999}, {0, -1}};
    appended.Append(table);
    appended.Append(more);
    EXPECT_EQ(appended.EntryCount(), 4);
    EXPECT_EQ(appended.LookupColour(9), 0x999999);
}

TEST(LedColourMap, DecodesColourAndBlinkThroughTheMasks)
{
    const KvSNMPLedColorMapList map = modelMap();
    const KvOctets octets = {0x82, 0x05, 0x06, 0x00, 0x01, 0x03, 0x84, 0xFF, 0x7D};

    const KvLedState limeBlinking = map.Decode(octets, 0);
    EXPECT_EQ(limeBlinking.colour, lime);
    EXPECT_TRUE(limeBlinking.blinking);
    const KvLedState redSteady = map.Decode(octets, 1);
    EXPECT_EQ(redSteady.colour, red);
    EXPECT_FALSE(redSteady.blinking);
    EXPECT_EQ(map.Decode(octets, 2).colour, 0) << "6 has no entry: black";
    EXPECT_EQ(map.Decode(octets, 3).colour, white);
    EXPECT_EQ(map.Decode(octets, 4).colour, white);
    EXPECT_EQ(map.Decode(octets, 5).colour, lime);
    EXPECT_EQ(map.Decode(octets, 6).colour, blue);
    EXPECT_TRUE(map.Decode(octets, 6).blinking);
    EXPECT_EQ(map.Decode(octets, 7).colour, 0) << "0xFF masks to 7: black, blinking";
    EXPECT_TRUE(map.Decode(octets, 7).blinking);
    EXPECT_EQ(map.Decode(octets, 8).colour, red) << "0x7D masks to 5; bits outside both masks do nothing";
    EXPECT_FALSE(map.Decode(octets, 8).blinking);
}

TEST(LedColourMap, ByteBeyondTheValueGivesTheOutOfRangeColourOrAnError)
{
    const KvSNMPLedColorMapList map = modelMap();
    const KvOctets tenBytes(10, 0x02);
    const KvLedState beyond = map.Decode(tenBytes, 29);
    EXPECT_EQ(beyond.colour, white);
    EXPECT_FALSE(beyond.blinking);
    EXPECT_EQ(map.Decode({}, 0).colour, white) << "an empty value has no bytes";
    EXPECT_EQ(map.Decode(tenBytes, -1).colour, white) << "a negative index lies outside as well";

    const KvSNMPLedColorMapList strict(modelTable, 7, 0x80, 0, -1);
    EXPECT_EQ(strict.Decode(tenBytes, 9).colour, lime);
    try {
        strict.Decode(tenBytes, 10);
        FAIL() << "expected -519";
    } catch (const KvError& error) {
        EXPECT_EQ(error.code(), -519);
        EXPECT_EQ(error.message(),
                  "(VoDADI++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!");
    }
}

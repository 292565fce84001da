// The primitive value texts that the request engine and the value codec share
// (their use by syntax is tested with each of them): the number and dotted
// forms whose edges neither caller reaches on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/kvvaluetext.h"

using Arcs = std::vector<uint32_t>;
using Octets = std::vector<uint8_t>;

TEST(ValueText, Counter64AndRealEdges)
{
    EXPECT_EQ(ReadCounter64("18446744073709551615"), 18446744073709551615ull);
    EXPECT_EQ(ReadCounter64("18446744073709551616"), 18446744073709551615ull);
    EXPECT_EQ(ReadCounter64("  9007199254740993"), 9007199254740993ull); // not through a double
    EXPECT_EQ(ReadCounter64("1.5e3"), 1500u);
    EXPECT_EQ(ReadCounter64("12x"), 12u);
    EXPECT_EQ(ReadCounter64("-5"), 0u);
    EXPECT_EQ(ReadCounter64("nan"), 0u);
    EXPECT_EQ(ReadCounter64(""), 0u);

    EXPECT_EQ(ReadLeadingReal(" +2.5kg"), 2.5);
    EXPECT_EQ(ReadLeadingReal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingReal("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingReal("1e-999"), 0.0);
    EXPECT_EQ(ReadLeadingReal("2,5"), 2.0); // the decimal point is always '.'
    EXPECT_EQ(FormatReal(-1.25e-7), "-1.25e-07");
    EXPECT_EQ(ReadLeadingReal(FormatReal(0.1)), 0.1);

    EXPECT_EQ(ReadLeadingDecimal("99999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(ReadLeadingDecimal("\t-42abc"), -42);
}

// 15 digits of the largest doubles round beyond the largest double; what is
// shown must still read back as the number, not as infinity.
TEST(ValueText, TheLargestRealsReadBackAsShown)
{
    for (double value : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                         std::nextafter(std::numeric_limits<double>::max(), 0.0), 1.7976931348623e308}) {
        const std::string shown = FormatReal(value);
        SCOPED_TRACE(shown);
        double typed = 0;
        EXPECT_TRUE(ReadWholeReal(shown, typed));
        EXPECT_EQ(typed, value);
        EXPECT_EQ(ReadLeadingReal(shown), value);
    }
    EXPECT_EQ(FormatReal(1.7976931348623e308), "1.7976931348623e+308");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity()), "inf");
}

TEST(ValueText, DottedForms)
{
    EXPECT_EQ(ReadDottedNumbers(".1.3.6."), (Arcs{1, 3, 6}));
    EXPECT_EQ(ReadDottedNumbers("1..3"), (Arcs{1, 0, 3}));
    EXPECT_TRUE(ReadDottedNumbers("").empty());
    EXPECT_EQ(ParseDottedOctets("192.168.1.254"), (Octets{192, 168, 1, 254}));
    EXPECT_EQ(ParseDottedOctets("256.1.2.3x"), (Octets{0, 1, 2, 3}));
    EXPECT_EQ(FormatDottedOctets(Octets{10, 90, 90, 90}), "10.90.90.90");

    Arcs arcs;
    EXPECT_TRUE(ParseArcs("1.3.6.1.4294967295", arcs));
    EXPECT_EQ(arcs, (Arcs{1, 3, 6, 1, 4294967295u}));
    EXPECT_EQ(ArcsText(arcs, 3), "1.4294967295");
    EXPECT_TRUE(ParseArcs("", arcs));
    EXPECT_TRUE(arcs.empty());
    for (const char* bad : {"1..3", ".1.3", "1.3.", "1.3.a", "4294967296", " 1"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseArcs(bad, arcs));
    }
}

// --- strict readers of typed texts --------------------------------------------------

TEST(ValueTextTyped, WholeNumbersRefuseWordsTailsAndRange)
{
    int64_t v = 7;
    EXPECT_TRUE(ReadWholeNumber(" 12 ", 0, 4294967295, v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ReadWholeNumber("-2147483648", INT32_MIN, INT32_MAX, v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(ReadWholeNumber("+5", 0, 10, v));
    EXPECT_EQ(v, 5);
    v = 7;
    for (const char* text :
         {"twelve", "15 minutes", "1 2", "", " ", "-", "1.0", "0x10", "12a", "99999999999999999999"}) {
        EXPECT_FALSE(ReadWholeNumber(text, INT64_MIN, INT64_MAX, v)) << text;
        EXPECT_EQ(v, 7) << text;
    }
    EXPECT_FALSE(ReadWholeNumber("4294967296", 0, 4294967295, v));
    EXPECT_FALSE(ReadWholeNumber("-1", 0, 4294967295, v));
    EXPECT_FALSE(ReadWholeNumber("-9223372036854775809", INT64_MIN, INT64_MAX, v));
    EXPECT_TRUE(ReadWholeNumber("-9223372036854775808", INT64_MIN, INT64_MAX, v));
    EXPECT_EQ(v, INT64_MIN);

    uint64_t u = 0;
    EXPECT_TRUE(ReadWholeUnsigned("18446744073709551615", u));
    EXPECT_EQ(u, 18446744073709551615ull);
    EXPECT_FALSE(ReadWholeUnsigned("18446744073709551616", u));
    EXPECT_FALSE(ReadWholeUnsigned("-1", u));
    EXPECT_FALSE(ReadWholeUnsigned("+1", u));
    EXPECT_FALSE(ReadWholeUnsigned("1e3", u));

    double d = 0;
    EXPECT_TRUE(ReadWholeReal(" -1.5e3 ", d));
    EXPECT_EQ(d, -1500.0);
    for (const char* text : {"1.5kg", "inf", "nan", "", "1,5", "--1"})
        EXPECT_FALSE(ReadWholeReal(text, d)) << text;
}

TEST(ValueTextTyped, AddressesAreFourPartsUpTo255)
{
    Octets octets{9};
    EXPECT_TRUE(ReadIpAddressText(" 192.168.1.254 ", octets));
    EXPECT_EQ(octets, (Octets{192, 168, 1, 254}));
    EXPECT_TRUE(ReadIpAddressText("0.0.0.0", octets));
    EXPECT_TRUE(ReadIpAddressText("010.001.0.255", octets));
    EXPECT_EQ(octets, (Octets{10, 1, 0, 255}));
    octets = {9};
    for (const char* text : {"192.168.1.300", "1.2.3.4.5", "1.2.3", "-1.2.3.4", "+1.2.3.4", "1.2. 3.4", "1.2 .3.4",
                             "1..3.4", "1.2.3.", ".1.2.3", "1.2.3.0004", "a.b.c.d", "", "256.0.0.1", "1.2.3.4 5"}) {
        EXPECT_FALSE(ReadIpAddressText(text, octets)) << text;
        EXPECT_EQ(octets, Octets{9}) << text;
    }
}

TEST(ValueTextTyped, HexTextNeedsHexDigitsInPairs)
{
    Octets octets;
    EXPECT_TRUE(ReadHexText("00 80 c8 01 02 03", octets));
    EXPECT_EQ(octets, (Octets{0x00, 0x80, 0xC8, 0x01, 0x02, 0x03}));
    EXPECT_TRUE(ReadHexText("", octets));
    EXPECT_TRUE(octets.empty());
    octets = {1};
    for (const char* text : {"GGHHIIJJKKLL", "ABC", "0x12", "12:34", "1 2 3"}) {
        EXPECT_FALSE(ReadHexText(text, octets)) << text;
        EXPECT_EQ(octets, Octets{1}) << text;
    }
}

TEST(ValueTextTyped, TimeTicksAsCountOrClock)
{
    uint32_t t = 0;
    EXPECT_TRUE(ReadTimeTicksText("12345", t));
    EXPECT_EQ(t, 12345u);
    EXPECT_TRUE(ReadTimeTicksText("2 days, 3:04:05.06", t));
    EXPECT_EQ(t, 2u * 8640000 + 3 * 360000 + 4 * 6000 + 5 * 100 + 6);
    EXPECT_TRUE(ReadTimeTicksText("1 day 0:00:00.00", t));
    EXPECT_EQ(t, 8640000u);
    EXPECT_TRUE(ReadTimeTicksText("1:02:03", t)); // the seconds are kept
    EXPECT_EQ(t, 360000u + 2 * 6000 + 3 * 100);
    EXPECT_TRUE(ReadTimeTicksText(FormatTimeTicks(4294967295u), t));
    EXPECT_EQ(t, 4294967295u);
    for (const char* text : {"15 minutes", "1:60:00.00", "1:00:60", "1 day 24:00:00.00", "1:02", "4294967296", "ten",
                             "1:02:03.100", "497 days, 2:27:52.96"})
        EXPECT_FALSE(ReadTimeTicksText(text, t)) << text;
}

TEST(ValueTextDisplay, TextStaysTextOtherBytesGoHexAndBack)
{
    auto format = [](const Octets& o) { return FormatDisplayOctets(o); };
    EXPECT_EQ(format({'_', 'a', 'l', 'l', '_'}), "_all_");
    EXPECT_EQ(format({'a', '\t', 'b', '\n'}), "a\tb\n");
    EXPECT_EQ(format({'a', 'b', 0, 0}), "ab");
    EXPECT_EQ(format({0xC3, 0xBC}), "\xC3\xBC"); // UTF-8 text
    // An engine ID (0x80 starts it and a zero follows), a stray byte, a
    // control character, a zero inside.
    const Octets engineId{0x80, 0x00, 0x1F, 0x88, 0x04, 'o', 's'};
    EXPECT_EQ(format(engineId), "0x80001F8804"
                                "6F73");
    EXPECT_EQ(format({'a', 0xFF}), "0x61FF");
    EXPECT_EQ(format({'a', 0x01}), "0x6101");
    EXPECT_EQ(format({'a', 0, 'b'}), "0x610062");
    EXPECT_EQ(format({0xC2, 0x85}), "0xC285"); // C1 control character
    // A text that looks like the hexadecimal form is shown in it as well.
    EXPECT_EQ(format({'0', 'x', '4', '1'}), "0x30783431");
    EXPECT_EQ(format({'0', 'x'}), "0x");
    // Every form reads back as the octets it came from.
    for (const Octets& o :
         {engineId, Octets{'a', 0xFF}, Octets{'0', 'x', '4', '1'}, Octets{'0', 'x'}, Octets{'p', 'u', 'b'}, Octets{}})
        EXPECT_EQ(ParseDisplayText(FormatDisplayOctets(o)), o);
    // but the padding of a text is gone.
    EXPECT_EQ(ParseDisplayText(FormatDisplayOctets(Octets{'a', 0})), Octets{'a'});
    EXPECT_EQ(ParseDisplayText("0x80001f88"), (Octets{0x80, 0x00, 0x1F, 0x88}));
    EXPECT_EQ(ParseDisplayText("0x123"), (Octets{'0', 'x', '1', '2', '3'})); // odd: a text
    EXPECT_EQ(ParseDisplayText("0xZZ"), (Octets{'0', 'x', 'Z', 'Z'}));
}

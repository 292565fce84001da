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
    EXPECT_EQ(ReadCounter64("  9007199254740993"), 9007199254740993ull);   // not through a double
    EXPECT_EQ(ReadCounter64("1.5e3"), 1500u);
    EXPECT_EQ(ReadCounter64("12x"), 12u);
    EXPECT_EQ(ReadCounter64("-5"), 0u);
    EXPECT_EQ(ReadCounter64("nan"), 0u);
    EXPECT_EQ(ReadCounter64(""), 0u);

    EXPECT_EQ(ReadLeadingReal(" +2.5kg"), 2.5);
    EXPECT_EQ(ReadLeadingReal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingReal("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadLeadingReal("1e-999"), 0.0);
    EXPECT_EQ(ReadLeadingReal("2,5"), 2.0);   // the decimal point is always '.'
    EXPECT_EQ(FormatReal(-1.25e-7), "-1.25e-07");
    EXPECT_EQ(ReadLeadingReal(FormatReal(0.1)), 0.1);

    EXPECT_EQ(ReadLeadingDecimal("99999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(ReadLeadingDecimal("\t-42abc"), -42);
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

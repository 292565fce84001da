#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "binding/kvvaluecodec.h"
#include "common/kverror.h"

namespace {

KvOctets Bytes(std::initializer_list<int> values)
{
    KvOctets out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

KvOctets DoubleBytes(double d)
{
    KvOctets out(8);
    std::memcpy(out.data(), &d, 8);
    return out;
}

// Runs `f` and gives the code of the KvError it raises (0 when none).
template <typename F>
int ErrorCode(F&& f, std::string* message = nullptr)
{
    try {
        f();
    } catch (const KvError& e) {
        if (message)
            *message = e.what();
        return e.code();
    }
    return 0;
}

const int kAllCodes[] = {1,  2,  3,  4,  5,  6,  64,  65,  66,  67,  68,  69, 70,
                         71, 72, 73, 74, 75, 76, 193, 194, 195, 196, 197, 198};

} // namespace

TEST(ValueCodecNull, NullTextAndEmptyOctets)
{
    for (int code : kAllCodes) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(ParseValueText("(NULL)", code).empty());
        EXPECT_EQ(FormatValueOctets({}, code), code == 76 ? "" : "(NULL)");
        EXPECT_TRUE(ExtractPartialValue({}, 3, code).empty());
    }
    // NULL itself never has octets and always reads "(NULL)".
    EXPECT_TRUE(ParseValueText("17", 5).empty());
    EXPECT_EQ(FormatValueOctets(Bytes({1, 2}), 5), "(NULL)");
    // "(null)" is an ordinary text.
    EXPECT_EQ(ParseValueText("(null)", 76).size(), 6u);
}

TEST(ValueCodecErrors, UnknownCodeRaises511WithItsText)
{
    for (int code : {0, 7, 63, 77, 192, 199, -1}) {
        SCOPED_TRACE(code);
        std::string message;
        EXPECT_EQ(ErrorCode([&] { ParseValueText("1", code); }, &message), -511);
        EXPECT_EQ(message, "(VoDADI++) Bad SNMP syntax!");
        EXPECT_EQ(ErrorCode([&] { FormatValueOctets(Bytes({1, 2, 3, 4}), code); }), -511);
        EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(Bytes({1, 2, 3, 4}), 0, code); }), -511);
    }
}

TEST(ValueCodecErrors, ShortValuesRaise518)
{
    struct Case {
        int code;
        size_t bytes;
    };
    const Case cases[] = {{1, 3},   {2, 3},   {65, 3},  {66, 3}, {71, 3}, {64, 3}, {69, 3}, {67, 3},
                          {196, 1}, {197, 1}, {198, 1}, {70, 7}, {72, 7}, {75, 7}, {73, 5}, {74, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::string message;
        EXPECT_EQ(ErrorCode([&] { FormatValueOctets(KvOctets(c.bytes, 0), c.code); }, &message), -518);
        EXPECT_EQ(message, "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!");
        // One byte more than needed is never too short.
        EXPECT_EQ(ErrorCode([&] { FormatValueOctets(KvOctets(c.bytes + 1, 0), c.code); }), 0);
    }
    // An object identifier is made of whole 4-byte words.
    EXPECT_EQ(ErrorCode([] { FormatValueOctets(KvOctets(5, 1), 6); }), -518);
}

TEST(ValueCodecIntegers, LittleEndianWordsAndBigEndianShorts)
{
    EXPECT_EQ(ParseValueText("-5", 2), Bytes({0xFB, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ParseValueText("  +12abc", 2), Bytes({12, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("abc", 2), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("4294967295", 65), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(FormatValueOctets(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), 2), "-1");
    EXPECT_EQ(FormatValueOctets(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), 66), "4294967295");
    EXPECT_EQ(FormatValueOctets(Bytes({0x00, 0x10, 0, 0}), 71), "4096");
    // A number far beyond 64 bits does not overflow into nonsense.
    EXPECT_EQ(FormatValueOctets(ParseValueText("99999999999999999999999", 65), 65), "4294967295");

    EXPECT_EQ(ParseValueText("-1", 194), Bytes({0xFF}));
    EXPECT_EQ(FormatValueOctets(Bytes({0xFF}), 194), "-1");
    EXPECT_EQ(FormatValueOctets(Bytes({0xFF}), 195), "255");
    EXPECT_EQ(ParseValueText("300", 195), Bytes({0x2C})); // low 8 bits

    EXPECT_EQ(ParseValueText("258", 197), Bytes({0x01, 0x02}));
    EXPECT_EQ(ParseValueText("70000", 198), Bytes({0x11, 0x70})); // low 16 bits
    EXPECT_EQ(FormatValueOctets(Bytes({0x01, 0x02, 0xFF}), 197), "258");
    EXPECT_EQ(FormatValueOctets(Bytes({0xFF, 0xFE}), 198), "65534");
}

TEST(ValueCodecBooleans, TrueIsExactAndWidthsDiffer)
{
    EXPECT_EQ(ParseValueText("true", 1), Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("True", 1), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("1", 1), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("true", 193), Bytes({1}));
    EXPECT_EQ(ParseValueText("true", 196), Bytes({0, 1}));
    EXPECT_EQ(ParseValueText("false", 196), Bytes({0, 0}));
    EXPECT_EQ(FormatValueOctets(Bytes({0, 0, 0, 1}), 1), "true");
    EXPECT_EQ(FormatValueOctets(Bytes({0, 0, 0, 0}), 1), "false");
    EXPECT_EQ(FormatValueOctets(Bytes({2}), 193), "true");
    EXPECT_EQ(FormatValueOctets(Bytes({1, 0}), 196), "true");
    EXPECT_EQ(FormatValueOctets(Bytes({0, 0, 1}), 196), "false");
}

TEST(ValueCodecHex, TextsAndOddLengths)
{
    EXPECT_EQ(ParseValueText("A 1f", 4), Bytes({0x0A, 0x1F}));
    EXPECT_EQ(ParseValueText("ABC", 4), Bytes({0x0A, 0xBC}));
    EXPECT_EQ(ParseValueText("zz", 3), Bytes({0x00}));
    EXPECT_EQ(ParseValueText("0g", 68), Bytes({0x00}));
    EXPECT_EQ(ParseValueText("   ", 4), KvOctets{});
    EXPECT_EQ(ParseValueText("00 80 C8 01 02 03", 73), Bytes({0x00, 0x80, 0xC8, 0x01, 0x02, 0x03}));
    EXPECT_EQ(FormatValueOctets(Bytes({0x00, 0xA1, 0xFF}), 4), "00A1FF");
    EXPECT_EQ(FormatValueOctets(Bytes({0x00, 0x80, 0xC8, 0x01, 0x02, 0x03}), 73), "0080C8010203");
    // A MAC value keeps every byte it has.
    EXPECT_EQ(FormatValueOctets(Bytes({1, 2, 3, 4, 5, 6, 7}), 73), "01020304050607");
    EXPECT_EQ(FormatValueOctets(ParseValueText("ff00", 3), 3), "FF00");
}

TEST(ValueCodecAddresses, IpAddressAndObjectIdentifier)
{
    const KvOctets quad = Bytes({0x0A, 0x5A, 0x5A, 0x5A});
    EXPECT_EQ(FormatValueOctets(quad, 64), "10.90.90.90");
    EXPECT_EQ(FormatValueOctets(quad, 69), "10.90.90.90");
    EXPECT_EQ(FormatValueOctets(quad, 4), "0A5A5A5A");
    EXPECT_EQ(ParseValueText("10.90.90.90", 64), quad);
    EXPECT_EQ(ParseValueText("192.168.1.300", 64), Bytes({192, 168, 1, 44}));
    // Three parts give three bytes, which then cannot be shown.
    EXPECT_EQ(ParseValueText("1.2.3", 64).size(), 3u);

    const KvOctets oid = ParseValueText("1.3.6.1.4.1.32473", 6);
    ASSERT_EQ(oid.size(), 28u);
    EXPECT_EQ(KvOctets(oid.begin() + 24, oid.end()), Bytes({0xD9, 0x7E, 0, 0})); // 32473, low byte first
    EXPECT_EQ(FormatValueOctets(oid, 6), "1.3.6.1.4.1.32473");
    EXPECT_EQ(FormatValueOctets(ParseValueText(".1.3.6", 6), 6), "1.3.6");
    EXPECT_EQ(FormatValueOctets(ParseValueText("1.3.4294967295", 6), 6), "1.3.4294967295");
}

TEST(ValueCodecTimeTicks, FormsBothWays)
{
    auto ticks = [](uint32_t count) {
        KvOctets out(4);
        std::memcpy(out.data(), &count, 4); // host order is the octet form
        return out;
    };
    EXPECT_EQ(FormatValueOctets(ticks(0), 67), "0:00:00.00");
    EXPECT_EQ(FormatValueOctets(ticks(8639999), 67), "23:59:59.99");
    EXPECT_EQ(FormatValueOctets(ticks(8640000), 67), "1 day 0:00:00.00");
    EXPECT_EQ(FormatValueOctets(ticks(2 * 8640000 + 1), 67), "2 days, 0:00:00.01");
    EXPECT_EQ(FormatValueOctets(ticks(4294967295u), 67), "497 days, 2:27:52.95");

    const uint32_t count = 2 * 8640000 + 3 * 360000 + 4 * 6000 + 5 * 100 + 6;
    EXPECT_EQ(ParseValueText("2 days, 3:04:05.06", 67), ticks(count));
    EXPECT_EQ(FormatValueOctets(ticks(count), 67), "2 days, 3:04:05.06");
    EXPECT_EQ(ParseTimeTicks("1 day 0:00:00.00"), 8640000u);
    EXPECT_EQ(ParseTimeTicks("1 day 1:00:00.00"), 8640000u + 360000u);
    EXPECT_EQ(ParseTimeTicks("0:00:01.05"), 105u);
    // Pieces without their separator add nothing.
    EXPECT_EQ(ParseTimeTicks("12345"), 0u);
    EXPECT_EQ(ParseTimeTicks("1:02:03"), 360000u + 2 * 6000u);
    EXPECT_EQ(ParseTimeTicks("5.25"), 525u);
    EXPECT_EQ(ParseTimeTicks("3 days 1:00"), 3 * 8640000u + 360000u);
    EXPECT_EQ(ParseTimeTicks(""), 0u);

    for (uint32_t n : {0u, 99u, 100u, 6000u, 359999u, 8640000u, 8640099u, 17280000u, 123456789u, 4294967295u}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ParseTimeTicks(FormatTimeTicks(n)), n);
    }
}

TEST(ValueCodecCounter64, LowWordFirstAndLimits)
{
    EXPECT_EQ(ParseValueText("4294967296", 70), Bytes({0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(ParseValueText("18446744073709551615", 70), KvOctets(8, 0xFF));
    EXPECT_EQ(FormatValueOctets(KvOctets(8, 0xFF), 70), "18446744073709551615");
    EXPECT_EQ(FormatValueOctets(ParseValueText("1e3", 70), 70), "1000");
    EXPECT_EQ(FormatValueOctets(ParseValueText("12.7", 70), 70), "12");
    EXPECT_EQ(FormatValueOctets(ParseValueText("-5", 70), 70), "0");
    EXPECT_EQ(FormatValueOctets(ParseValueText("1e30", 70), 70), "18446744073709551615");
}

TEST(ValueCodecReal, GeneralFormFifteenDigits)
{
    EXPECT_EQ(FormatValueOctets(ParseValueText("0.5", 72), 72), "0.5");
    EXPECT_EQ(FormatValueOctets(ParseValueText("4094", 72), 72), "4094");
    EXPECT_EQ(FormatValueOctets(ParseValueText("1e20", 72), 72), "1e+20");
    EXPECT_EQ(FormatValueOctets(DoubleBytes(1.0 / 3), 72), "0.333333333333333");
    EXPECT_EQ(FormatValueOctets(ParseValueText("  -2.25xyz", 72), 72), "-2.25");
    EXPECT_EQ(FormatValueOctets(ParseValueText("none", 72), 72), "0");
}

TEST(ValueCodecDates, DateAndTimeElevenBytes)
{
    const KvOctets octets = ParseValueText("2005-3-7,13:5:9.0", 74);
    EXPECT_EQ(octets, Bytes({0xD5, 0x07, 3, 7, 13, 5, 9, 0, '+', 0, 0})); // year as held, host order
    EXPECT_EQ(FormatValueOctets(octets, 74), "2005-3-7,13:5:9.0");
    EXPECT_EQ(FormatValueOctets(ParseValueText("2005-3-7,13:5:9.0,-5:30", 74), 74), "2005-3-7,13:5:9.0,-5:30");
}

TEST(ValueCodecDates, DayCountText)
{
    // 2005-03-07 is day 38418 of the count.
    const double afternoon = 38418 + (13 * 3600 + 5 * 60 + 9) / 86400.0;
    EXPECT_EQ(FormatValueOctets(DoubleBytes(afternoon), 75), "2005/03/07 01:05:09 pm");
    EXPECT_NEAR(ParseDayCount("2005/03/07 01:05:09 pm"), afternoon, 1e-9);
    EXPECT_DOUBLE_EQ(ParseDayCount("2005/03/07 12:00:00 am"), 38418.0);
    EXPECT_DOUBLE_EQ(ParseDayCount("1899/12/30 12:00:00 pm"), 0.5);
    EXPECT_NEAR(ParseDayCount("2005-03-07 13:05:09"), afternoon, 1e-9);
    EXPECT_EQ(FormatDayCount(0.0), "1899/12/30 12:00:00 am");
    EXPECT_EQ(FormatDayCount(-1.25), "1899/12/29 06:00:00 am");
    EXPECT_DOUBLE_EQ(ParseDayCount(FormatDayCount(-1.25)), -1.25);
    // Just below midnight rounds up into the next day, not to hour 24.
    EXPECT_EQ(FormatDayCount(38418.9999999999), "2005/03/08 12:00:00 am");
    for (const char* text :
         {"2005/03/07 01:05:09 pm", "2000/02/29 11:59:59 pm", "0001/01/01 12:00:00 am", "9999/12/31 11:59:59 pm"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FormatValueOctets(ParseValueText(text, 75), 75), text);
    }
    for (const char* bad : {"", "tomorrow", "2005/02/30", "2001/02/29", "2005/13/01", "2005/03/07 13:00:00 pm",
                            "2005/03/07 10:61:00", "2005/03/07 10:00:00 xm"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ErrorCode([&] { ParseValueText(bad, 75); }), -518);
    }
    EXPECT_EQ(ErrorCode([] { FormatValueOctets(DoubleBytes(std::nan("")), 75); }), -518);
    EXPECT_EQ(ErrorCode([] { FormatValueOctets(DoubleBytes(1e300), 75); }), -518);
}

TEST(ValueCodecDisplayString, StopsAtZeroByte)
{
    EXPECT_EQ(ParseValueText("abc", 76), Bytes({'a', 'b', 'c'}));
    // Zero bytes at the end are padding; one inside is no text: the value is
    // shown in hexadecimal rather than cut (which lost the "c").
    EXPECT_EQ(FormatValueOctets(Bytes({'a', 'b', 0, 0}), 76), "ab");
    EXPECT_EQ(FormatValueOctets(Bytes({'a', 'b', 0, 'c'}), 76), "0x61620063");
    EXPECT_EQ(FormatValueOctets(Bytes({0}), 76), "");
    EXPECT_EQ(FormatValueOctets(ParseValueText("", 76), 76), "");
}

TEST(ValueCodecPartial, WidthsOffsetsAndRange)
{
    const KvOctets seven = Bytes({1, 2, 3, 4, 5, 6, 7});
    std::string message;
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, 2, 73); }, &message), -519);
    EXPECT_EQ(message,
              "(VoDADI++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!");
    EXPECT_EQ(ExtractPartialValue(seven, 1, 73), Bytes({2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ExtractPartialValue(seven, 3, 4), Bytes({4, 5, 6, 7}));
    EXPECT_EQ(ExtractPartialValue(seven, 7, 76), KvOctets{});
    EXPECT_EQ(ExtractPartialValue(seven, 2, 5), KvOctets{});
    EXPECT_EQ(ExtractPartialValue(seven, 5, 197), Bytes({6, 7}));
    EXPECT_EQ(ExtractPartialValue(seven, 6, 195), Bytes({7}));
    EXPECT_EQ(ExtractPartialValue(seven, 3, 2), Bytes({4, 5, 6, 7}));
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, 4, 2); }), -519);
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, 7, 193); }), -519);
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, 8, 4); }), -519);
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, -1, 193); }), -519);
    EXPECT_EQ(ErrorCode([&] { ExtractPartialValue(seven, 0, 70); }), -519);

    // One byte of a port-list bitmap read as a boolean byte, as a port check box does.
    const KvOctets ports = ParseValueText("FF00", 3);
    EXPECT_EQ(FormatValueOctets(ExtractPartialValue(ports, 0, 193), 193), "true");
    EXPECT_EQ(FormatValueOctets(ExtractPartialValue(ports, 1, 193), 193), "false");
}

// --- texts the operator entered: refused rather than guessed --------------------------

TEST(ValueCodecEntered, NumbersMustBeWholeAndInTheCodesRange)
{
    EXPECT_EQ(ParseEnteredText("12", 66), Bytes({12, 0, 0, 0}));
    EXPECT_EQ(ParseEnteredText("4294967295", 65), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ParseEnteredText("-2147483648", 2), Bytes({0, 0, 0, 0x80}));
    EXPECT_EQ(ParseEnteredText("-128", 194), Bytes({0x80}));
    EXPECT_EQ(ParseEnteredText("65535", 197), Bytes({0xFF, 0xFF}));
    struct Refused {
        const char* text;
        int code;
    };
    for (const Refused& r : {Refused{"twelve", 66}, Refused{"15 minutes", 66}, Refused{"", 66},
                             Refused{"4294967296", 66}, Refused{"-1", 71}, Refused{"2147483648", 2}, Refused{"1.5", 2},
                             Refused{"256", 195}, Refused{"-129", 194}, Refused{"65536", 198}, Refused{"yes", 1},
                             Refused{"TRUE", 193}, Refused{"18446744073709551616", 70}, Refused{"1.5kg", 72}}) {
        SCOPED_TRACE(std::string(r.text) + " / " + std::to_string(r.code));
        std::string message;
        EXPECT_EQ(ErrorCode([&] { ParseEnteredText(r.text, r.code); }, &message), -518);
        EXPECT_EQ(message, "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!");
        // The lenient reading of a shown value still guesses.
        EXPECT_EQ(ErrorCode([&] { ParseValueText(r.text, r.code); }), 0);
    }
    EXPECT_EQ(ParseEnteredText("false", 196), Bytes({0, 0}));
    EXPECT_EQ(FormatValueOctets(ParseEnteredText("18446744073709551615", 70), 70), "18446744073709551615");
    EXPECT_EQ(FormatValueOctets(ParseEnteredText("-0.125", 72), 72), "-0.125");
}

TEST(ValueCodecEntered, AddressesHexMacsAndIdentifiers)
{
    EXPECT_EQ(ParseEnteredText("192.168.1.30", 64), Bytes({192, 168, 1, 30}));
    EXPECT_EQ(ParseEnteredText("10.0.0.1", 69), Bytes({10, 0, 0, 1}));
    for (const char* text : {"192.168.1.300", "1.2.3.4.5", "-1.2.3.4", "1.2. 3.4", "1.2.3", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorCode([&] { ParseEnteredText(text, 64); }), -518);
    }
    EXPECT_EQ(ParseEnteredText("00 80 c8 01 02 03", 73), Bytes({0x00, 0x80, 0xC8, 0x01, 0x02, 0x03}));
    EXPECT_EQ(ParseEnteredText("ABCD", 4), Bytes({0xAB, 0xCD}));
    EXPECT_EQ(ParseEnteredText("", 3), KvOctets{});
    for (const char* text : {"GGHHIIJJKKLL", "FFFFFF00000", "FFFFFF0000", "FFFFFF00000000", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorCode([&] { ParseEnteredText(text, 73); }), -518);
    }
    EXPECT_EQ(ErrorCode([&] { ParseEnteredText("ABC", 4); }), -518);
    EXPECT_EQ(ErrorCode([&] { ParseEnteredText("zz", 68); }), -518);
    EXPECT_EQ(FormatValueOctets(ParseEnteredText(".1.3.6.1", 6), 6), "1.3.6.1");
    for (const char* text : {"1..3", "1.3.x", "", "1.3.4294967296"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorCode([&] { ParseEnteredText(text, 6); }), -518);
    }
}

TEST(ValueCodecEntered, TimesDatesAndText)
{
    EXPECT_EQ(FormatValueOctets(ParseEnteredText("1 day 2:03:04.05", 67), 67), "1 day 2:03:04.05");
    EXPECT_EQ(ParseEnteredText("100", 67), Bytes({100, 0, 0, 0}));
    EXPECT_EQ(ErrorCode([&] { ParseEnteredText("15 minutes", 67); }), -518);
    EXPECT_EQ(FormatValueOctets(ParseEnteredText("2005-3-7,13:5:9.0,-5:30", 74), 74), "2005-3-7,13:5:9.0,-5:30");
    EXPECT_EQ(FormatValueOctets(ParseEnteredText("2005-3-7,13:5:9.0", 74), 74), "2005-3-7,13:5:9.0");
    for (const char* text : {"2005-13-7,13:5:9.0", "2005-3-7,24:5:9.0", "2005-3-7", "2005-3-7,13:5:9.0,*5:30",
                             "next week", "2005-3-7,13:5:9.10"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorCode([&] { ParseEnteredText(text, 74); }), -518);
    }
    EXPECT_EQ(ErrorCode([&] { ParseEnteredText("2005/13/01", 75); }), -518);
    EXPECT_EQ(ParseEnteredText("any text at all", 76).size(), 15u);
    EXPECT_EQ(ParseEnteredText("0x80001F88", 76), Bytes({0x80, 0x00, 0x1F, 0x88}));
    EXPECT_TRUE(ParseEnteredText("(NULL)", 2).empty());
}

TEST(ValueCodecDisplayString, UnprintableBytesRoundTripAsHex)
{
    const KvOctets engineId = Bytes({0x80, 0x00, 0x1F, 0x88, 0x04, 0x6F, 0x73});
    const std::string text = FormatValueOctets(engineId, 76);
    EXPECT_EQ(text, "0x80001F88046F73");
    EXPECT_EQ(ParseValueText(text, 76), engineId);
    EXPECT_EQ(FormatValueOctets(Bytes({'_', 'a', 'l', 'l', '_'}), 76), "_all_");
}

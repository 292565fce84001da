#include <gtest/gtest.h>

#include <cmath>

#include "common/kvbinarystring.h"
#include "common/kvdatetime.h"
#include "common/kverror.h"
#include "common/kvnumlist.h"

namespace {

template <typename T>
std::vector<T> Parsed(const std::string& text, char delimiter)
{
    KvNumList<T> list(delimiter);
    list.Parse(text);
    EXPECT_EQ(list.Count(), list.Values().size());
    return list.Values();
}

using Signed = std::vector<int32_t>;
using Unsigned = std::vector<uint32_t>;

} // namespace

TEST(NumList, ParseRules)
{
    EXPECT_EQ(Parsed<int32_t>("1,2,3", ','), (Signed{1, 2, 3}));
    EXPECT_TRUE(Parsed<int32_t>("", ',').empty());
    EXPECT_EQ(Parsed<int32_t>("1,,3", ','), (Signed{1, 0, 3}));
    EXPECT_EQ(Parsed<int32_t>(",", ','), (Signed{0, 0}));
    EXPECT_EQ(Parsed<int32_t>("1.5,2", ','), (Signed{1, 2}));
    EXPECT_EQ(Parsed<int32_t>("12.999,7.0.9", ','), (Signed{12, 7}));
    // The default delimiter is '.', so dots separate rather than start fractions.
    KvNumList<uint32_t> oid;
    EXPECT_EQ(oid.Delimiter(), '.');
    oid.Parse("1.3.6");
    EXPECT_EQ(oid.Values(), (Unsigned{1, 3, 6}));
    // Any character counts as a digit: 'a' is 49, ' ' is -16.
    EXPECT_EQ(Parsed<int32_t>("a", ','), (Signed{49}));
    EXPECT_EQ(Parsed<int32_t>("1 ", ','), (Signed{-6}));
    // Parsing again discards the old numbers.
    oid.Parse("7");
    EXPECT_EQ(oid.Values(), (Unsigned{7}));
}

TEST(NumList, OverflowWrapsInsteadOfFailing)
{
    EXPECT_EQ(Parsed<uint32_t>("4294967295", ','), (Unsigned{4294967295u}));
    EXPECT_EQ(Parsed<uint32_t>("4294967296", ','), (Unsigned{0u}));
    EXPECT_EQ(Parsed<int32_t>("2147483648", ','), (Signed{INT32_MIN}));
    // Very long and hostile texts: no crash, a count per delimiter.
    EXPECT_EQ(Parsed<int32_t>(std::string(5000, '9') + ".\xff\xfe~", ',').size(), 1u);
    EXPECT_EQ(Parsed<uint32_t>(std::string(3000, ','), ',').size(), 3001u);
}

TEST(NumList, SearchAndRange)
{
    KvNumList<uint32_t> list(',');
    list.Parse("5,7,5,4094");
    EXPECT_EQ(list.IndexOf(5), 0);
    EXPECT_EQ(list.IndexOf(4094), 3);
    EXPECT_EQ(list.IndexOf(6), -1);
    EXPECT_TRUE(list.AllInRange(1, 4094));
    EXPECT_FALSE(list.AllInRange(1, 4093));
    EXPECT_FALSE(list.AllInRange(6, 4094));
    list.Parse("1,0");
    EXPECT_FALSE(list.AllInRange(1, 10));
    list.Parse("");
    EXPECT_TRUE(list.AllInRange(1, 10));
    EXPECT_THROW(list.At(0), KvError);
}

TEST(BinaryString, BufferAndPortBits)
{
    KvBinaryString s;
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.Data(), nullptr);
    EXPECT_FALSE(s.PortBit(1));

    s.SetPortBit(1, true);
    s.SetPortBit(10, true);
    ASSERT_EQ(s.Length(), 2);
    EXPECT_EQ(s.At(0), 0x80);
    EXPECT_EQ(s.At(1), 0x40);
    EXPECT_TRUE(s.PortBit(10));
    EXPECT_FALSE(s.PortBit(9));
    EXPECT_FALSE(s.PortBit(0));
    EXPECT_FALSE(s.PortBit(100));
    s.SetPortBit(1, false);
    s.SetPortBit(64, false); // clearing beyond the buffer does not grow it
    EXPECT_EQ(s.ToString(), std::string("\x00\x40", 2));

    const uint8_t bytes[] = {1, 2, 3};
    KvBinaryString copy(bytes, 3);
    KvBinaryString other = copy;
    other.SetAt(0, 9);
    EXPECT_EQ(copy.At(0), 1);
    EXPECT_THROW(copy.At(3), KvError);
    EXPECT_THROW(copy.SetAt(-1, 0), KvError);
    copy.Resize(5);
    EXPECT_EQ(copy.ToString(), std::string("\x01\x02\x03\x00\x00", 5));
    copy.Assign(nullptr, 4);
    EXPECT_TRUE(copy.IsEmpty());
    copy.Assign(bytes, -1);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(DateTime, TextForms)
{
    KvDateTime d("2005-3-7,13:5:9.0");
    EXPECT_EQ(d.year, 2005);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 7);
    EXPECT_EQ(d.hour, 13);
    EXPECT_EQ(d.minutes, 5);
    EXPECT_EQ(d.seconds, 9);
    EXPECT_EQ(d.deciSeconds, 0);
    EXPECT_EQ(d.direction, '+');
    EXPECT_EQ(d.utcHours, 0);
    EXPECT_EQ(d.utcMinutes, 0);
    EXPECT_EQ(d.ToText(), "2005-3-7,13:5:9.0");

    EXPECT_EQ(KvDateTime("2005-3-7,13:5:9.0,-5:30").ToText(), "2005-3-7,13:5:9.0,-5:30");
    KvDateTime east("2005-3-7,13:5:9.4,+8:0");
    EXPECT_EQ(east.direction, '+');
    EXPECT_EQ(east.ToText(), "2005-3-7,13:5:9.4,+8:0");
    // A zero offset is not printed, whatever the direction.
    EXPECT_EQ(KvDateTime("2005-3-7,13:5:9.0,-0:0").ToText(), "2005-3-7,13:5:9.0");

    // Partial and broken texts: what was read stays, the rest is 0.
    EXPECT_EQ(KvDateTime("2005-3").ToText(), "2005-3-0,0:0:0.0");
    EXPECT_EQ(KvDateTime("2005-3-7,13:5:9.0,*5:30").ToText(), "2005-3-7,13:5:9.0");
    EXPECT_EQ(KvDateTime("garbage").ToText(), "0-0-0,0:0:0.0");
    EXPECT_EQ(KvDateTime("").ToText(), "0-0-0,0:0:0.0");
    // No range checks: numbers wrap into the field widths.
    EXPECT_EQ(KvDateTime("70000-300-7,13:5:9.0").ToText(), "4464-44-7,13:5:9.0");
    EXPECT_EQ(KvDateTime("99999999999999-1-1,0:0:0.0").year, static_cast<uint16_t>(276447231u));
}

TEST(DateTime, OctetsAndYearOrder)
{
    KvDateTime d("2005-3-7,13:5:9.4,-5:30");
    auto octets = d.ToOctets();
    const uint8_t expected[11] = {0x07, 0xD5, 3, 7, 13, 5, 9, 4, '-', 5, 30};
    EXPECT_TRUE(std::equal(octets.begin(), octets.end(), expected));
    EXPECT_EQ(KvDateTime::FromOctets(octets.data(), octets.size()), d);
    KvDateTime shortValue = KvDateTime::FromOctets(expected, 4);
    EXPECT_EQ(shortValue.ToText(), "2005-3-7,0:0:0.0");
    EXPECT_EQ(KvDateTime::FromOctets(nullptr, 11).year, 0);

    d.SwapYearBytes();
    EXPECT_EQ(d.year, 0xD507);
    d.SwapYearBytes();
    EXPECT_EQ(d.year, 2005);
}

TEST(DateTime, DayCounts)
{
    EXPECT_DOUBLE_EQ(KvDateTime::DayCount({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(KvDateTime::DayCount({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(KvDateTime::DayCount({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_DOUBLE_EQ(KvDateTime::DayCount({1899, 12, 29, 6, 0, 0, 0}), -1.25);

    KvCivilTime t = KvDateTime::FromDayCount(KvDateTime::DayCount({2024, 2, 29, 23, 59, 59, 999}));
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 999);
    t = KvDateTime::FromDayCount(-1.25);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 6);
    // Just short of midnight rounds up into the next day.
    t = KvDateTime::FromDayCount(0.99999999999);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(t.hour, 0);
    // Values no date can have give the day-0 date instead of garbage.
    for (double bad : {double(NAN), double(INFINITY), 1e300, -1e300}) {
        t = KvDateTime::FromDayCount(bad);
        EXPECT_EQ(t.year, 1899);
        EXPECT_EQ(t.day, 30);
    }

    // "Now" agrees between the date-time and the day count.
    KvDateTime now;
    KvCivilTime fromCount = KvDateTime::FromDayCount(KvDateTime::NowDayCount());
    EXPECT_EQ(now.year, fromCount.year);
    EXPECT_EQ(now.deciSeconds, 0);
    EXPECT_EQ(now.direction, '+');
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

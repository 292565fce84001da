// The simulator's data file: expansion, values, constraints, specials, the
// round trip through the state form, and clear messages for bad lines.

#include <gtest/gtest.h>

#include "sim/simdatafile.h"
#include "sim/simmovingcounter.h"

namespace {

constexpr unsigned ent = 32473;

SimOid oidOf(const char* text)
{
    SimOid o;
    EXPECT_TRUE(simoid::Parse(text, ent, o)) << text;
    return o;
}

TEST(SimDataFile, RangesExpandWithIndexAndHexSubstitution)
{
    SimStore store(ent);
    std::string error;
    ASSERT_TRUE(SimDataFile::LoadText("1.3.6.1.2.1.2.2.1.2.[1..3,25] string ro \"Port $i\"\n"
                                      "1.3.6.1.2.1.2.2.1.6.[9..10] hex ro 000D884A10$h\n"
                                      "ENT.9.[1..2].[0..1] integer rw $i$j range=0..100\n",
                                      "t.sim", store, error))
        << error;
    EXPECT_EQ(store.Objects().size(), 4u + 2u + 4u);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.2.2.1.2.25"))->value.octets, "Port 25");
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.2.2.1.6.10"))->value.octets, std::string("\x00\x0D\x88\x4A\x10\x0A", 6));
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.4.1.32473.9.2.1"))->value.integer, 21);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.2.2.1.2.4")), nullptr);
}

TEST(SimDataFile, ValuesOfEveryTypeAndSpecials)
{
    SimStore store(ent);
    std::string error;
    ASSERT_TRUE(SimDataFile::LoadText("# comment\n"
                                      "\n"
                                      "1.3.6.1.2.1.1.1.0 string ro \"a \\\"b\\\"\\x01\"  # trailing comment\n"
                                      "1.3.6.1.2.1.1.2.0 oid ro ENT.10.26\n"
                                      "1.3.6.1.2.1.1.3.0 timeticks ro @uptime\n"
                                      "1.3.6.1.9.1.0 ipaddress rw 10.1.2.3\n"
                                      "1.3.6.1.9.2.0 counter64 ro 18446744073709551615\n"
                                      "1.3.6.1.9.3.0 integer rw -5 range=-10..10\n"
                                      "1.3.6.1.9.4.0 hex rw \"\"\n"
                                      "ENT.11.36.2.5.1.5.0 hex ro @frontpanel\n",
                                      "t.sim", store, error))
        << error;
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.1.1.0"))->value.octets, "a \"b\"\x01");
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.1.2.0"))->value.objectId, oidOf("1.3.6.1.4.1.32473.10.26"));
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.2.1.1.3.0"))->special, SimSpecial::Uptime);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.1.0"))->value.octets, std::string("\x0A\x01\x02\x03", 4));
    EXPECT_EQ(static_cast<uint64_t>(store.Find(oidOf("1.3.6.1.9.2.0"))->value.integer), UINT64_MAX);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.3.0"))->value.integer, -5);
    EXPECT_TRUE(store.Find(oidOf("1.3.6.1.9.4.0"))->value.octets.empty());
    EXPECT_EQ(store.Find(oidOf("ENT.11.36.2.5.1.5.0"))->special, SimSpecial::FrontPanel);
}

TEST(SimDataFile, WrittenBackFormLoadsToTheSameStore)
{
    SimStore store(ent);
    std::string error;
    ASSERT_TRUE(SimDataFile::LoadText("table ENT.1.1 create delete=3:2\n"
                                      "column ENT.1.1.1 integer rc @index.2 range=1..9\n"
                                      "column ENT.1.1.2 string rc \"\" size=0..8\n"
                                      "ENT.1.1.2.[1..2].5 string rc \"x\\ty\" size=0..8\n"
                                      "ENT.1.1.3.1.5 integer rc 1 enum=1,2\n"
                                      "table ENT.2.1 index=1..4094\n"
                                      "ENT.2.1.9.1 integer rc 1 rowstatus\n"
                                      "mirror ENT.2.1 ENT.1.1 prefix=0.7 copy=9:2\n"
                                      "count ENT.3.0 rows ENT.2.1\n"
                                      "ENT.3.0 gauge32 ro 1\n"
                                      "1.3.6.1.2.1.1.3.0 timeticks ro @uptime\n",
                                      "t.sim", store, error))
        << error;
    const std::string text = SimDataFile::ToText(store);
    SimStore again(ent);
    ASSERT_TRUE(SimDataFile::LoadText(text, "again.sim", again, error)) << error << "\n" << text;
    EXPECT_EQ(SimDataFile::ToText(again), text);
    ASSERT_EQ(again.Tables().size(), 2u);
    EXPECT_TRUE(again.Tables()[0].createOnAnyColumn);
    EXPECT_EQ(again.Tables()[0].deleteColumn, 3u);
    EXPECT_EQ(again.Tables()[0].columns.at(1).special, SimSpecial::Index);
    EXPECT_EQ(again.Tables()[0].columns.at(1).indexArc, 2u);
    EXPECT_EQ(again.StatusColumn(again.Tables()[1]), 9u);
    EXPECT_FALSE(again.Tables()[1].index.Empty());
    ASSERT_EQ(again.Mirrors().size(), 1u);
    EXPECT_EQ(again.Mirrors()[0].prefix, (SimOid{0, 7}));
    ASSERT_EQ(again.Mirrors()[0].copies.size(), 1u);
    EXPECT_EQ(again.Mirrors()[0].copies[0], (std::pair<oid, oid>{9, 2}));
    ASSERT_EQ(again.RowCounts().size(), 1u);
    EXPECT_EQ(again.RowCounts()[0].event, SimRowCount::Event::Rows);
}

TEST(SimDataFile, MalformedLinesNameTheFileAndLine)
{
    struct Case {
        const char* line;
        const char* why; // part of the message
    };
    const Case cases[] = {
        {"1.3.6.1.2.1.1.5.0 strin rw \"x\"", "unknown type \"strin\""},
        {"1.3.6.1.2.1.1.5.0 string wr \"x\"", "unknown access \"wr\""},
        {"1.3.6.1.2.1.1.5.0 string rw", "an object line reads"},
        {"1.3.6.1..1.5.0 string rw x", "not an object identifier"},
        {"1.3.6.1.2.1.1.5.0 string rw \"unclosed", "not closed"},
        {"1.3.6.1.2.1.1.7.0 integer ro 12x", "not an integer"},
        {"1.3.6.1.2.1.1.7.0 integer ro 3000000000", "not an integer"},
        {"1.3.6.1.2.1.1.7.0 counter32 ro -1", "not an unsigned 32-bit number"},
        {"1.3.6.1.9.0 ipaddress ro 10.1.300.4", "not an IP address"},
        {"1.3.6.1.9.0 hex ro 0A0", "not hexadecimal"},
        {"1.3.6.1.9.0 integer rw 9 enum=1,2,3", "outside the object's own constraint"},
        {"1.3.6.1.9.0 integer rw 1 enum=1..3", "an enumeration lists single values"},
        {"1.3.6.1.9.0 integer rw 1 range=5..1", "bad list in constraint"},
        {"1.3.6.1.9.0 integer rw 1 colour=red", "unknown constraint"},
        {"1.3.6.1.9.0 string rw \"x\" rowstatus", "a RowStatus object is an integer"},
        {"1.3.6.1.9.0 integer rw 5 rowstatus", "active (1), notInService (2) or notReady (3)"},
        {"1.3.6.1.9.[1..3 integer rw 1", "\"[\" without \"]\""},
        {"1.3.6.1.9.[3..1] integer rw 1", "bad range"},
        {"1.3.6.1.9.0 integer ro @uptime", "@uptime needs the type timeticks"},
        {"1.3.6.1.9.0 integer ro @index", "only for column defaults"},
        {"1.3.6.1.9.0 integer ro @tomorrow", "unknown special value"},
        {"column 1.3.6.1.9.1.1 integer rc 0", "does not belong to a table"},
        {"table 1.3.6.1.9.1 sometimes", "unknown table option"},
        {"table 1.3.6.1.9.1 delete=x:2", "delete=COLUMN:VALUE"},
        {"table 1.3.6.1.9.1 index=1-9", "index=LOW..HIGH"},
        {"mirror 1.3.6.1.9.1 1.3.6.1.9.2", "not declared above"},
        {"mirror 1.3.6.1.9.1", "a mirror line reads"},
        {"count 1.3.6.1.9.0 sometimes 1.3.6.1.9.1", "a count line reads"},
        {"count 1.3.6.1.9.0 rows 1.3.6.1.9.1", "not declared above"},
        {"moving 1.3.6.1.9.0", "a moving line reads"},
        {"moving 1.3.6.1.9.0 10", "no such object above"},
    };
    for (const Case& c : cases) {
        SimStore store(ent);
        std::string error;
        const std::string text = std::string("# first line\n") + c.line + "\n";
        EXPECT_FALSE(SimDataFile::LoadText(text, "bad.sim", store, error)) << c.line;
        EXPECT_EQ(error.rfind("bad.sim:2: ", 0), 0u) << c.line << " -> " << error;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.line << " -> " << error;
    }
}

TEST(SimDataFile, MovingLinesMakeCountersGrowAndSurviveTheRoundTrip)
{
    SimStore store(ent);
    std::string error;
    ASSERT_TRUE(SimDataFile::LoadText("1.3.6.1.9.1.[1..3] counter32 ro 100\n"
                                      "1.3.6.1.9.2.1 counter64 ro 5\n"
                                      "1.3.6.1.9.3.1 gauge32 ro 5\n"
                                      "moving 1.3.6.1.9.1.[1..2] $i000\n"
                                      "moving 1.3.6.1.9.2.1 7\n",
                                      "m.sim", store, error))
        << error;
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.1.1"))->movingRate, 1000u);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.1.2"))->movingRate, 2000u);
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.1.3"))->movingRate, 0u) << "not named: stays";
    EXPECT_EQ(store.Find(oidOf("1.3.6.1.9.2.1"))->movingRate, 7u);

    const std::string text = SimDataFile::ToText(store);
    SimStore again(ent);
    ASSERT_TRUE(SimDataFile::LoadText(text, "again.sim", again, error)) << error << "\n" << text;
    EXPECT_EQ(SimDataFile::ToText(again), text);
    EXPECT_EQ(again.Find(oidOf("1.3.6.1.9.1.2"))->movingRate, 2000u);
    EXPECT_EQ(again.Find(oidOf("1.3.6.1.9.1.2"))->value.integer, 100);

    // Only counters move, and the rate is a whole number.
    for (const char* bad : {"moving 1.3.6.1.9.3.1 5\n", "moving 1.3.6.1.9.1.1 -5\n", "moving 1.3.6.1.9.1.1 2.5\n"}) {
        SimStore copy(ent);
        const std::string file = "1.3.6.1.9.1.1 counter32 ro 1\n1.3.6.1.9.3.1 gauge32 ro 5\n" + std::string(bad);
        EXPECT_FALSE(SimDataFile::LoadText(file, "b.sim", copy, error)) << bad;
        EXPECT_EQ(error.rfind("b.sim:3: moving ", 0), 0u) << error;
    }
}

TEST(SimMovingCounter, GrowsAtItsRateAndWrapsLikeTheCounterType)
{
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter32, 100, 1000, 0), 100u);
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter32, 100, 1000, 2500), 2600u);
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter32, 100, 3, 999), 102u);
    // Counter32 wraps at 2^32, Counter64 goes on.
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter32, 0xFFFFFF00u, 0x200, 1000), 0x100u);
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter64, 0xFFFFFF00u, 0x200, 1000), 0x100000100ull);
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter64, UINT64_MAX, 1, 1000), 0u);
    // A gigabit of octets a second for a year does not overflow on the way.
    const uint64_t year = 365ull * 24 * 3600 * 1000;
    EXPECT_EQ(SimMovingCounter::ValueAt(SimType::Counter64, 0, 125000000, year), 125000000ull * 365 * 24 * 3600);
    EXPECT_TRUE(SimMovingCounter::CanMove(SimType::Counter64));
    EXPECT_FALSE(SimMovingCounter::CanMove(SimType::Gauge32));
}

TEST(SimDataFile, DuplicatesAndOverlapsAreRefused)
{
    SimStore store(ent);
    std::string error;
    EXPECT_FALSE(
        SimDataFile::LoadText("1.3.6.1.9.[1..3] integer ro 1\n1.3.6.1.9.2 integer ro 1\n", "d.sim", store, error));
    EXPECT_EQ(error, "d.sim:2: object 1.3.6.1.9.2 is listed twice");
    SimStore other(ent);
    EXPECT_FALSE(SimDataFile::LoadText("table 1.3.6.1.9.1\ntable 1.3.6.1.9.1.4\n", "o.sim", other, error));
    EXPECT_NE(error.find("o.sim:2: table 1.3.6.1.9.1.4 overlaps"), std::string::npos) << error;
}

// Bytes the parser might use itself (it once marked ranges with 0x01 inside
// the OID): an OID holding them is no OID.
TEST(SimDataFile, ControlBytesInAnOidAreRefused)
{
    for (const std::string& line :
         {std::string("\x01 t t t"), std::string("1.3.6.[1]\x01 integer ro 1"),
          std::string("1.3.6.\x01.[1..2] integer ro 1"), std::string("\x01\x01 integer ro 1")}) {
        SimStore store(ent);
        std::string error;
        EXPECT_FALSE(SimDataFile::LoadText(line + "\n", "c.sim", store, error));
        EXPECT_NE(error.find("c.sim:1: "), std::string::npos) << error;
        EXPECT_NE(error.find("is not an object identifier"), std::string::npos) << error;
        EXPECT_TRUE(store.Objects().empty());
    }
}

// Ranges that stand for too many objects are refused before they are made:
// a cross product of 10^10 or a list of 200 long parts ends at once, not after
// gigabytes; so does a file whose lines together stand for too many.
TEST(SimDataFile, TooManyObjectsAreRefusedBeforeTheyAreMade)
{
    std::string parts = "0..100000";
    for (int i = 1; i < 200; ++i)
        parts += ",0..100000";
    const std::pair<std::string, std::string> cases[] = {
        {"1.3.[0..100000].[0..100000] integer ro 1\n", "t.sim:1: the ranges expand to too many objects"},
        {"1.3.6.[" + parts + "] integer ro 1\n", "t.sim:1: the ranges expand to too many objects"},
        {"1.3.6.[0..99999,100000..199999,7] integer ro 1\n", "t.sim:1: the ranges expand to too many objects"},
    };
    for (const auto& [text, message] : cases) {
        SimStore store(ent);
        std::string error;
        EXPECT_FALSE(SimDataFile::LoadText(text, "t.sim", store, error));
        EXPECT_EQ(error, message);
        EXPECT_TRUE(store.Objects().empty());
    }

    // The same limits, smaller: a line up to its limit loads, the file stops
    // at the line that would go beyond its own.
    const SimDataFile::Limits limits{50, 120};
    SimStore store(ent);
    std::string error;
    EXPECT_TRUE(SimDataFile::LoadText("1.3.6.1.[1..5].[1..10] integer ro $j\n", "t.sim", store, error, limits))
        << error;
    EXPECT_EQ(store.Objects().size(), 50u);
    EXPECT_FALSE(SimDataFile::LoadText("1.3.6.1.[1..5].[1..11] integer ro 1\n", "t.sim", store, error, limits));
    EXPECT_EQ(error, "t.sim:1: the ranges expand to too many objects");
    SimStore file(ent);
    EXPECT_FALSE(SimDataFile::LoadText("1.3.6.1.[1..50] integer ro 1\n1.3.6.2.[1..50] integer ro 1\n"
                                       "1.3.6.3 integer ro 1\n1.3.6.4.[1..20] integer ro 1\n",
                                       "t.sim", file, error, limits));
    EXPECT_EQ(error, "t.sim:4: the file stands for more than 120 objects");
    EXPECT_EQ(file.Objects().size(), 101u);
}

TEST(SimDataFile, MissingFileIsReportedWithItsPath)
{
    SimStore store(ent);
    std::string error;
    EXPECT_FALSE(SimDataFile::Load("/nonexistent/osprey.sim", store, error));
    EXPECT_NE(error.find("/nonexistent/osprey.sim: cannot open"), std::string::npos) << error;
}

TEST(SimDataFile, BundledSwitchLoads)
{
    SimStore store(ent);
    std::string error;
    ASSERT_TRUE(SimDataFile::Load(OSPREY_SIM_DATA, store, error)) << error;
    // 26 ports and the management VLAN in the interface table, the LED
    // string, the save variable.
    int ports = 0;
    for (const auto& o : store.Objects())
        if (simoid::IsPrefix(oidOf("1.3.6.1.2.1.2.2.1.1"), o.first) && o.first.back() <= 26)
            ++ports;
    EXPECT_EQ(ports, 26);
    EXPECT_NE(store.Find(oidOf("1.3.6.1.2.1.2.2.1.1.1001")), nullptr);
    EXPECT_NE(store.Find(oidOf("ENT.11.36.2.5.1.5.0")), nullptr);
    EXPECT_NE(store.Find(oidOf("ENT.11.48.1.1.2.1.2.7.0")), nullptr);
}

} // namespace

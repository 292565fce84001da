// Fault options, the command line and the front-panel LED string.

#include <gtest/gtest.h>

#include "sim/simdatafile.h"
#include "sim/simfaults.h"
#include "sim/simfrontpanel.h"
#include "sim/simoptions.h"

namespace {

constexpr unsigned ent = 32473;

SimOid oidOf(const char* text)
{
    SimOid o;
    EXPECT_TRUE(simoid::Parse(text, ent, o)) << text;
    return o;
}

TEST(SimFaults, DropEveryNthAndStopAfterN)
{
    SimFaults f;
    f.dropEvery = 3;
    f.stopAfter = 7;
    std::vector<SimFaults::Action> seen;
    for (int i = 0; i < 9; ++i)
        seen.push_back(f.Next({oidOf("1.3.6.1.2.1.1.1.0")}).action);
    using A = SimFaults::Action;
    EXPECT_EQ(seen, (std::vector<A>{A::Answer, A::Answer, A::Drop, A::Answer, A::Answer, A::Drop, A::Answer, A::Silent,
                                    A::Silent}));
}

TEST(SimFaults, ErrorRuleMatchesTheOidAndBelowAndNamesTheBinding)
{
    SimFaults f;
    SimFaults::ErrorRule rule;
    std::string error;
    ASSERT_TRUE(SimFaults::ParseErrorRule("ENT.12.2.1=noSuchName", ent, rule, error)) << error;
    EXPECT_EQ(rule.status, 2);
    f.errorRules.push_back(rule);
    SimFaults::Decision d = f.Next({oidOf("1.3.6.1.2.1.1.1.0"), oidOf("ENT.12.2.1.3.1.5.1")});
    EXPECT_EQ(d.action, SimFaults::Action::Error);
    EXPECT_EQ(d.errorStatus, 2);
    EXPECT_EQ(d.errorIndex, 2);
    EXPECT_EQ(f.Next({oidOf("ENT.12.2.10.0")}).action, SimFaults::Action::Answer);

    ASSERT_TRUE(SimFaults::ParseErrorRule("1.3.6.1.2.1.1.5.0=5", ent, rule, error));
    EXPECT_EQ(rule.status, 5);
    ASSERT_TRUE(SimFaults::ParseErrorRule("1.3.6.1.2.1.1.5.0=GENERR", ent, rule, error));
    EXPECT_EQ(rule.status, 5);
    EXPECT_FALSE(SimFaults::ParseErrorRule("1.3.6.1.2.1.1.5.0=19", ent, rule, error));
    EXPECT_FALSE(SimFaults::ParseErrorRule("1.3.6.1.2.1.1.5.0=oops", ent, rule, error));
    EXPECT_FALSE(SimFaults::ParseErrorRule("nonsense=genErr", ent, rule, error));
    EXPECT_FALSE(SimFaults::ParseErrorRule("1.3.6.1.2.1.1.5.0", ent, rule, error));
}

TEST(SimFaults, ValueRulesGiveAnotherTypeOrAnOutsizeString)
{
    SimFaults f;
    SimFaults::ValueRule rule;
    std::string error;
    ASSERT_TRUE(SimFaults::ParseWrongType("1.3.6.1.2.1.1.5", ent, rule, error)) << error;
    f.valueRules.push_back(rule);
    ASSERT_TRUE(SimFaults::ParseWrongType("ENT.12.2.1.1.0=oid", ent, rule, error)) << error;
    f.valueRules.push_back(rule);
    ASSERT_TRUE(SimFaults::ParseOversize("ENT.12.2.1.2=4000", ent, rule, error)) << error;
    f.valueRules.push_back(rule);

    SimType type = SimType::Integer;
    SimValue value;
    // No type given: an octet string becomes an INTEGER, anything else an OCTET STRING.
    ASSERT_TRUE(f.Substitute(oidOf("1.3.6.1.2.1.1.5.0"), SimType::String, type, value));
    EXPECT_EQ(type, SimType::Integer);
    EXPECT_EQ(value.integer, 7);
    ASSERT_TRUE(f.Substitute(oidOf("1.3.6.1.2.1.1.5.0"), SimType::Counter32, type, value));
    EXPECT_EQ(type, SimType::String);
    EXPECT_EQ(value.octets, "wrong type");
    ASSERT_TRUE(f.Substitute(oidOf("ENT.12.2.1.1.0"), SimType::Integer, type, value));
    EXPECT_EQ(type, SimType::ObjectId);
    EXPECT_EQ(value.objectId, (SimOid{1, 3, 6, 1, 4}));
    ASSERT_TRUE(f.Substitute(oidOf("ENT.12.2.1.2.0"), SimType::Integer, type, value));
    EXPECT_EQ(type, SimType::String);
    EXPECT_EQ(value.octets, std::string(4000, 'A'));
    EXPECT_FALSE(f.Substitute(oidOf("1.3.6.1.2.1.1.6.0"), SimType::String, type, value));

    for (const char* bad : {"nonsense", "1.3.6.1=strin", "1.3.6.1=", "x=integer"})
        EXPECT_FALSE(SimFaults::ParseWrongType(bad, ent, rule, error)) << bad;
    for (const char* bad : {"1.3.6.1", "1.3.6.1=-1", "1.3.6.1=65001", "1.3.6.1=12k"})
        EXPECT_FALSE(SimFaults::ParseOversize(bad, ent, rule, error)) << bad;
}

TEST(SimOptions, CommandLine)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(o.Parse({"--listen", "udp:127.0.0.1:0", "--data=x.sim", "--delay", "250", "--drop-every", "4",
                         "--stop-after", "0", "--error-oid", "1.3.6.1.2.1.1.5.0=genErr", "--strict-rowstatus",
                         "--wrong-type=1.3.6.1.2.1.1.5.0=ipaddress", "--oversize", "1.3.6.1.2.1.1.6.0=300"},
                        ent, error))
        << error;
    EXPECT_EQ(o.listen, "udp:127.0.0.1:0");
    EXPECT_EQ(o.dataFile, "x.sim");
    EXPECT_EQ(o.faults.delayMs, 250);
    EXPECT_EQ(o.faults.dropEvery, 4);
    EXPECT_EQ(o.faults.stopAfter, 0);
    ASSERT_EQ(o.faults.errorRules.size(), 1u);
    ASSERT_EQ(o.faults.valueRules.size(), 2u);
    EXPECT_EQ(o.faults.valueRules[0].type, SimType::IpAddress);
    EXPECT_EQ(o.faults.valueRules[1].size, 300);
    EXPECT_TRUE(o.strictRowStatus);

    SimOptions d;
    ASSERT_TRUE(d.Parse({}, ent, error));
    EXPECT_EQ(d.listen, "udp:127.0.0.1:1161"); // loopback unless told otherwise
    EXPECT_EQ(d.faults.stopAfter, -1);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--delay", "-1"},
                                                {"--drop-every", "0"},
                                                {"--log"},
                                                {"--bogus"},
                                                {"--check=yes"},
                                                {"--error-oid", "1.3.6=bad"},
                                                {"--wrong-type", "1.3.6=text"},
                                                {"--oversize", "1.3.6"}}) {
        SimOptions b;
        EXPECT_FALSE(b.Parse(bad, ent, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimFrontPanel, ThirtyOneLedsThatFollowThePortsAndChange)
{
    std::string error;
    SimStore clean(ent);
    ASSERT_TRUE(SimDataFile::LoadText("1.3.6.1.2.1.2.2.1.8.[1,3..26] integer ro 1\n"
                                      "1.3.6.1.2.1.2.2.1.8.2 integer ro 2\n"
                                      "ENT.11.36.2.6.2.1.2.[1..2,4..26] integer rw 3\n"
                                      "ENT.11.36.2.6.2.1.2.3 integer rw 2\n",
                                      "leds.sim", clean, error))
        << error;
    bool blinked = false, changed = false;
    const std::string first = SimFrontPanel::Compute(clean, 0);
    for (long t = 0; t < 60; t += 3) {
        const std::string s = SimFrontPanel::Compute(clean, t);
        ASSERT_EQ(s.size(), 31u);
        EXPECT_EQ(s[0] & 7, 2);      // power on
        EXPECT_EQ(s[4 + 2], 0);      // port 2 has no link: off, no blink
        EXPECT_EQ(s[4 + 3], 5);      // port 3 is disabled: red
        EXPECT_EQ(s[4 + 25] & 7, 4); // the gigabit uplink is blue
        for (unsigned char c : s)
            blinked = blinked || (c & 0x80);
        changed = changed || s != first;
    }
    EXPECT_TRUE(blinked);
    EXPECT_TRUE(changed);
    // Port 7 loses its link for 15 seconds every 30.
    EXPECT_NE(SimFrontPanel::Compute(clean, 0)[4 + 7] & 7, SimFrontPanel::Compute(clean, 15)[4 + 7] & 7);
}

} // namespace

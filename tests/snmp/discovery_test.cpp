// SNMPv3 engine discovery messages: the probe's encoding and the reading of
// an agent's report (bytes as snmpd sent them), including damaged input.
#include <gtest/gtest.h>

#include <vector>

#include "snmp/snmpdiscovery.h"

namespace {

// snmpd's answer to a discovery probe with msgID 0x168E8FE2: a report of
// usmStatsUnknownEngineIDs with engine ID 80001F8880AF1A042AC765186B00000000,
// boots 1, time 0.
const std::vector<uint8_t> kReport = {
    0x30, 0x79, 0x02, 0x01, 0x03, 0x30, 0x11, 0x02, 0x04, 0x16, 0x8e, 0x8f, 0xe2, 0x02, 0x03, 0x00, 0xff, 0xe3,
    0x04, 0x01, 0x00, 0x02, 0x01, 0x03, 0x04, 0x29, 0x30, 0x27, 0x04, 0x11, 0x80, 0x00, 0x1f, 0x88, 0x80, 0xaf,
    0x1a, 0x04, 0x2a, 0xc7, 0x65, 0x18, 0x6b, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x04,
    0x08, 0x61, 0x75, 0x74, 0x68, 0x75, 0x73, 0x65, 0x72, 0x04, 0x00, 0x04, 0x00, 0x30, 0x36, 0x04, 0x11, 0x80,
    0x00, 0x1f, 0x88, 0x80, 0xaf, 0x1a, 0x04, 0x2a, 0xc7, 0x65, 0x18, 0x6b, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00,
    0xa8, 0x1f, 0x02, 0x04, 0x1b, 0xea, 0xed, 0x1c, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x11, 0x30, 0x0f,
    0x06, 0x0a, 0x2b, 0x06, 0x01, 0x06, 0x03, 0x0f, 0x01, 0x01, 0x04, 0x00, 0x41, 0x01, 0x01};

constexpr uint32_t kMsgId = 0x168E8FE2;

} // namespace

TEST(Discovery, ProbeEncoding)
{
    const std::vector<uint8_t> expected = {0x30, 0x3e, 0x02, 0x01, 0x03,                   // version 3
                                           0x30, 0x11, 0x02, 0x04, 0x16, 0x8e, 0x8f, 0xe2, // msgID
                                           0x02, 0x03, 0x00, 0xff, 0xe3,                   // msgMaxSize 65507
                                           0x04, 0x01, 0x04, 0x02, 0x01, 0x03,             // reportable, USM
                                           0x04, 0x10, 0x30, 0x0e, 0x04, 0x00, 0x02, 0x01, 0x00, 0x02,
                                           0x01, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00, // no engine, user, keys
                                           0x30, 0x14, 0x04, 0x00, 0x04, 0x00,             // no context
                                           0xa0, 0x0e, 0x02, 0x04, 0x1b, 0xea, 0xed, 0x1c, 0x02, 0x01,
                                           0x00, 0x02, 0x01, 0x00, 0x30, 0x00}; // no bindings
    EXPECT_EQ(SnmpDiscovery::BuildProbe(kMsgId, 0x1BEAED1C), expected);
    // Small and high numbers keep their minimal non-negative forms.
    const auto probe = SnmpDiscovery::BuildProbe(0x80, 0);
    EXPECT_EQ(std::vector<uint8_t>(probe.begin() + 7, probe.begin() + 11),
              (std::vector<uint8_t>{0x02, 0x02, 0x00, 0x80}));
}

TEST(Discovery, ReadsTheAgentsReport)
{
    SnmpDiscovery::Engine engine;
    ASSERT_TRUE(SnmpDiscovery::ParseReport(kReport.data(), kReport.size(), kMsgId, engine));
    EXPECT_EQ(engine.engineId, std::string("\x80\x00\x1f\x88\x80\xaf\x1a\x04\x2a\xc7\x65\x18\x6b\x00\x00\x00\x00", 17));
    EXPECT_EQ(engine.boots, 1u);
    EXPECT_EQ(engine.time, 0u);
}

TEST(Discovery, RejectsOtherAndDamagedMessages)
{
    SnmpDiscovery::Engine engine;
    engine.boots = 77;
    EXPECT_FALSE(SnmpDiscovery::ParseReport(kReport.data(), kReport.size(), kMsgId + 1, engine));
    // Every truncation, and a length that claims more than there is.
    for (size_t n = 0; n < kReport.size(); ++n)
        EXPECT_FALSE(SnmpDiscovery::ParseReport(kReport.data(), n, kMsgId, engine)) << n;
    std::vector<uint8_t> damaged = kReport;
    damaged[29] = 0x7F; // engine ID length beyond the security parameters
    EXPECT_FALSE(SnmpDiscovery::ParseReport(damaged.data(), damaged.size(), kMsgId, engine));
    damaged = kReport;
    damaged[90] = 0xA2; // a response, not a report
    EXPECT_FALSE(SnmpDiscovery::ParseReport(damaged.data(), damaged.size(), kMsgId, engine));
    damaged = kReport;
    damaged[1] = 0x84; // a length of four octets that are not there
    EXPECT_FALSE(SnmpDiscovery::ParseReport(damaged.data(), damaged.size(), kMsgId, engine));
    EXPECT_FALSE(SnmpDiscovery::ParseReport(nullptr, 0, kMsgId, engine));
    EXPECT_EQ(engine.boots, 77u); // untouched
}

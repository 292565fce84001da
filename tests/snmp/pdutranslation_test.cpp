// Between the adapter's PDUs and Net-SNMP's: every value type both ways, the
// bindings and security a built PDU carries, and what is refused.
#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <string>
#include <vector>

#include "snmp/snmppdutranslation.h"
#include "snmp/snmpstatus.h"

namespace {

SnmpVb Vb(const std::string& oid)
{
    SnmpVb vb;
    vb.oid = oid;
    return vb;
}

SnmpTarget Community(int32_t version)
{
    SnmpTarget target;
    target.address = "127.0.0.1";
    target.version = version;
    target.readCommunity = "reader";
    target.writeCommunity = "writer";
    return target;
}

std::string CommunityOf(const snmp_pdu* p)
{
    return std::string(reinterpret_cast<const char*>(p->community), p->community_len);
}

// Builds `pdu` and expects the status; the built PDU is handed back (or null).
NetSnmpPdu Built(int command, const SnmpPdu& pdu, const SnmpTarget& target, int expected)
{
    NetSnmpPdu out;
    EXPECT_EQ(SnmpPduTranslation::Build(command, pdu, target, out), expected);
    EXPECT_EQ(out == nullptr, expected != snmpOk);
    return out;
}

} // namespace

TEST(PduTranslation, EveryValueTypeComesBackAsItWasBuilt)
{
    SnmpPdu pdu;
    pdu.vbs.push_back(Vb("1.3.6.1.2.1.1.1.0"));
    pdu.vbs.back().SetInteger(-5);
    pdu.vbs.push_back(Vb(".1.3.6.1.2.1.1.2.0")); // a leading dot is allowed
    pdu.vbs.back().SetInteger(2147483647);
    for (uint8_t tag : {tagCounter32, tagGauge32, tagTimeTicks, tagUInteger32}) {
        pdu.vbs.push_back(Vb("1.3.6.1.4.1.9." + std::to_string(tag)));
        pdu.vbs.back().SetUnsigned(tag, 4294967295u);
    }
    pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.100"));
    pdu.vbs.back().SetCounter64(0x123456789ABCDEF0ull);
    for (uint8_t tag : {tagOctets, tagIpAddress, tagOpaque}) {
        pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.2" + std::to_string(tag)));
        pdu.vbs.back().SetOctets(tag, {0x00, 0x7F, 0xFF, 0x0A});
    }
    pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.300"));
    pdu.vbs.back().SetOctets(tagOctets, {});
    pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.301"));
    pdu.vbs.back().SetObjectId({1, 3, 6, 1, 4294967295u});
    pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.302"));
    pdu.vbs.back().SetObjectId({});
    pdu.vbs.push_back(Vb("1.3.6.1.4.1.9.303"));
    pdu.vbs.back().SetNull();

    NetSnmpPdu built = Built(SNMP_MSG_SET, pdu, Community(1), snmpOk);
    ASSERT_TRUE(built);
    SnmpPdu back;
    back.errorStatus = 99;
    SnmpPduTranslation::Read(built.get(), back);
    EXPECT_EQ(back.errorStatus, built->errstat); // a request's is the library's default
    ASSERT_EQ(back.vbs.size(), pdu.vbs.size());
    for (size_t i = 0; i < pdu.vbs.size(); ++i) {
        const SnmpVb& sent = pdu.vbs[i];
        const SnmpVb& got = back.vbs[i];
        EXPECT_EQ(got.oid, sent.oid[0] == '.' ? sent.oid.substr(1) : sent.oid) << i;
        EXPECT_EQ(got.tag, sent.tag) << i;
        EXPECT_EQ(got.number, sent.number) << i;
        EXPECT_EQ(got.octets, sent.octets) << i;
        EXPECT_EQ(got.arcs, sent.arcs) << i;
    }
}

TEST(PduTranslation, CommunitiesAndTheSnmpV3Scope)
{
    SnmpPdu pdu;
    pdu.vbs.push_back(Vb("1.3.6.1.2.1.1.5.0"));
    NetSnmpPdu get = Built(SNMP_MSG_GET, pdu, Community(0), snmpOk);
    EXPECT_EQ(CommunityOf(get.get()), "reader");
    NetSnmpPdu set = Built(SNMP_MSG_SET, pdu, Community(1), snmpOk);
    EXPECT_EQ(CommunityOf(set.get()), "writer");
    SnmpTarget none = Community(1);
    none.readCommunity.clear();
    EXPECT_EQ(Built(SNMP_MSG_GET, pdu, none, snmpOk)->community_len, 0u);

    NetSnmpPdu bulk = Built(SNMP_MSG_GETBULK, pdu, Community(1), snmpOk);
    EXPECT_EQ(bulk->non_repeaters, 0);
    EXPECT_EQ(bulk->max_repetitions, 1); // at least one repetition
    pdu.maxRepetitions = 25;
    EXPECT_EQ(Built(SNMP_MSG_GETBULK, pdu, Community(1), snmpOk)->max_repetitions, 25);

    SnmpTarget user;
    user.address = "127.0.0.1";
    user.version = 3;
    user.securityName = "someone";
    pdu.securityLevel = 3;
    pdu.contextName = "bridge";
    pdu.contextEngineId = std::string("\x80\x00\x01\x02", 4);
    NetSnmpPdu v3 = Built(SNMP_MSG_GET, pdu, user, snmpOk);
    EXPECT_EQ(v3->securityLevel, 3);
    EXPECT_EQ(v3->securityModel, SNMP_SEC_MODEL_USM);
    EXPECT_EQ(std::string(v3->contextName, v3->contextNameLen), "bridge");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(v3->contextEngineID), v3->contextEngineIDLen),
              pdu.contextEngineId);
    EXPECT_EQ(v3->community_len, 0u);
    for (int32_t level : {0, 4, -1}) {
        pdu.securityLevel = level;
        Built(SNMP_MSG_GET, pdu, user, usmUnsupportedSecurityLevel);
    }
}

TEST(PduTranslation, WhatCannotTravelIsRefused)
{
    for (const char* oid : {"", ".", "1..3", "1.3.", "1.3.x", "1.3.4294967296", "-1.3", "1 .3"}) {
        SnmpPdu pdu;
        pdu.vbs.push_back(Vb("1.3.6.1.2.1.1.1.0"));
        pdu.vbs.push_back(Vb(oid));
        Built(SNMP_MSG_GET, pdu, Community(1), snmpClassInvalidOid);
    }
    SnmpPdu tooLong;
    tooLong.vbs.push_back(Vb("1.3.6.1.2.1.1.1.0"));
    tooLong.vbs.back().SetObjectId(std::vector<uint32_t>(MAX_OID_LEN + 1, 1));
    Built(SNMP_MSG_SET, tooLong, Community(1), snmpClassInvalidOid);
    std::string longName = "1";
    for (int i = 1; i < MAX_OID_LEN + 1; ++i)
        longName += ".1";
    SnmpPdu longOid;
    longOid.vbs.push_back(Vb(longName));
    Built(SNMP_MSG_GET, longOid, Community(1), snmpClassInvalidOid);

    for (uint8_t tag : {uint8_t(tagNoSuchObject), uint8_t(tagEndOfMibView), uint8_t(0x30)}) {
        SnmpPdu pdu;
        pdu.vbs.push_back(Vb("1.3.6.1.2.1.1.1.0"));
        pdu.vbs.back().tag = tag;
        Built(SNMP_MSG_SET, pdu, Community(1), snmpClassInvalidPdu);
    }
}

TEST(PduTranslation, ResponsesAndReports)
{
    NetSnmpPdu response(snmp_pdu_create(SNMP_MSG_RESPONSE));
    response->errstat = 2;
    response->errindex = 3;
    oid name[] = {1, 3, 6, 1, 2, 1, 1, 3, 0};
    snmp_pdu_add_variable(response.get(), name, OID_LENGTH(name), SNMP_NOSUCHINSTANCE, nullptr, 0);
    snmp_pdu_add_variable(response.get(), name, OID_LENGTH(name), SNMP_ENDOFMIBVIEW, nullptr, 0);
    SnmpPdu read;
    SnmpPduTranslation::Read(response.get(), read);
    EXPECT_EQ(read.errorStatus, 2);
    EXPECT_EQ(read.errorIndex, 3);
    ASSERT_EQ(read.vbs.size(), 2u);
    EXPECT_EQ(read.vbs[0].oid, "1.3.6.1.2.1.1.3.0");
    EXPECT_EQ(read.vbs[0].tag, tagNoSuchInstance);
    EXPECT_TRUE(read.vbs[1].IsException());

    // A report is no answer: no bindings, an error status, no error index.
    NetSnmpPdu report(snmp_pdu_create(SNMP_MSG_REPORT));
    report->errindex = 4;
    oid unknownUser[] = {1, 3, 6, 1, 6, 3, 15, 1, 1, 3, 0};
    snmp_pdu_add_variable(report.get(), unknownUser, OID_LENGTH(unknownUser), ASN_COUNTER, nullptr, 0);
    SnmpPdu fromReport;
    fromReport.vbs.push_back(Vb("1.3"));
    SnmpPduTranslation::Read(report.get(), fromReport);
    EXPECT_TRUE(fromReport.vbs.empty());
    EXPECT_EQ(fromReport.errorIndex, 0);
    EXPECT_EQ(fromReport.errorStatus, usmUnknownSecurityName);
}

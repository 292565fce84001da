// SET handling of the simulator: error statuses, RowStatus row creation and
// removal in one or several requests, tables without RowStatus, undo.

#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "sim/simdatafile.h"
#include "sim/simtransaction.h"

namespace {

constexpr unsigned ent = 32473;

const char switchText[] =
    "1.3.6.1.2.1.1.1.0 string ro \"Osprey\"\n"
    "1.3.6.1.2.1.1.3.0 timeticks ro @uptime\n"
    "1.3.6.1.2.1.1.5.0 string rw \"lab\" size=0..8\n"
    "1.3.6.1.2.1.1.9.0 ipaddress rw 10.0.0.1\n"
    "table 1.3.6.1.2.1.2.2.1\n"
    "1.3.6.1.2.1.2.2.1.7.[1..2] integer rw 1 enum=1,2,3\n"
    "1.3.6.1.2.1.17.2.2.0 integer rw 32768 range=0..61440\n"
    // trunk groups: RowStatus in column 5
    "table ENT.12.2.1.3.1\n"
    "column ENT.12.2.1.3.1.1 integer rc @index range=1..7\n"
    "column ENT.12.2.1.3.1.3 integer rc 0 range=0..26\n"
    "column ENT.12.2.1.3.1.4 hex rc 00000000 size=4\n"
    "column ENT.12.2.1.3.1.5 integer rc 1 rowstatus\n"
    "column ENT.12.2.1.3.1.6 integer ro 0\n"
    "ENT.12.2.1.3.1.1.1 integer rc 1 range=1..7\n"
    "ENT.12.2.1.3.1.3.1 integer rc 25 range=0..26\n"
    "ENT.12.2.1.3.1.4.1 hex rc 000000C0 size=4\n"
    "ENT.12.2.1.3.1.5.1 integer rc 1 rowstatus\n"
    "ENT.12.2.1.3.1.6.1 integer ro 25\n"
    // static unicast filter: created by any column, removed by status 2
    "table 1.3.6.1.2.1.17.7.1.3.1.1 create delete=4:2\n"
    "column 1.3.6.1.2.1.17.7.1.3.1.1.3 hex rc 00000000 size=4\n"
    "column 1.3.6.1.2.1.17.7.1.3.1.1.4 integer rc 3 enum=1,2,3,4,5\n";

class SimTransactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(SimDataFile::loadText(switchText, "switch.sim", store, error)) << error;
    }

    static SimOid oid(const std::string &text)
    {
        SimOid o;
        EXPECT_TRUE(simoid::parse(text, ent, o)) << text;
        return o;
    }
    static SimSetItem integer(const std::string &o, int64_t v, unsigned char asn = ASN_INTEGER)
    {
        SimSetItem item;
        item.oid = oid(o);
        item.asnType = asn;
        item.value.integer = v;
        return item;
    }
    static SimSetItem octets(const std::string &o, const std::string &v, unsigned char asn = ASN_OCTET_STR)
    {
        SimSetItem item;
        item.oid = oid(o);
        item.asnType = asn;
        item.value.octets = v;
        return item;
    }

    // Checks and applies one request; gives the error status (0: applied).
    int set(const std::vector<SimSetItem> &items, size_t *index = nullptr, bool strict = false)
    {
        SimTransaction tx(store, strict);
        const SimTransaction::Result r = tx.check(items);
        if (index)
            *index = r.index;
        if (r.status == 0)
            tx.commit();
        return r.status;
    }
    int64_t number(const std::string &o)
    {
        const SimObject *obj = store.find(oid(o));
        return obj ? obj->value.integer : -999;
    }
    bool exists(const std::string &o) { return store.find(oid(o)) != nullptr; }

    SimStore store{ent};
};

TEST_F(SimTransactionTest, ValuesAreKept)
{
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "core"), integer("1.3.6.1.2.1.2.2.1.7.2", 2)}), 0);
    EXPECT_EQ(store.find(oid("1.3.6.1.2.1.1.5.0"))->value.octets, "core");
    EXPECT_EQ(number("1.3.6.1.2.1.2.2.1.7.2"), 2);
}

TEST_F(SimTransactionTest, EachErrorStatusAndItsIndex)
{
    size_t index = 99;
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "ok"), integer("1.3.6.1.2.1.1.5.0", 3)}, &index), SNMP_ERR_WRONGTYPE);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.1.0", "x")}, &index), SNMP_ERR_NOTWRITABLE);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.1.3.0", 5, ASN_TIMETICKS)}), SNMP_ERR_NOTWRITABLE);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.2.2.1.7.1", 4)}), SNMP_ERR_WRONGVALUE);      // outside the enumeration
    EXPECT_EQ(set({integer("1.3.6.1.2.1.17.2.2.0", 61441)}), SNMP_ERR_WRONGVALUE);   // outside the range
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "too long!")}), SNMP_ERR_WRONGLENGTH); // size 0..8
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.9.0", std::string("\x0A\x00\x00", 3), ASN_IPADDRESS)}), SNMP_ERR_WRONGLENGTH);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.2.2.1.7.3", 1)}), SNMP_ERR_NOCREATION);      // port 3 is not there
    EXPECT_EQ(set({integer("1.3.6.1.2.1.1.5.1", 1)}), SNMP_ERR_NOCREATION);
    EXPECT_EQ(set({integer("1.3.6.1.9.9.9.0", 1)}), SNMP_ERR_NOCREATION);
    // A failed request changes nothing, not even its valid bindings.
    EXPECT_EQ(set({integer("1.3.6.1.2.1.2.2.1.7.2", 2), integer("1.3.6.1.2.1.2.2.1.7.1", 9)}, &index),
              SNMP_ERR_WRONGVALUE);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(number("1.3.6.1.2.1.2.2.1.7.2"), 1);
}

TEST_F(SimTransactionTest, CreateAndGoInOneRequest)
{
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.3", 7), octets("ENT.12.2.1.3.1.4.3", std::string("\x03\x00\x00\x00", 4)),
                   integer("ENT.12.2.1.3.1.5.3", 4)}),
              0);
    EXPECT_EQ(number("ENT.12.2.1.3.1.5.3"), 1); // active
    EXPECT_EQ(number("ENT.12.2.1.3.1.1.3"), 3); // the index column follows the index
    EXPECT_EQ(number("ENT.12.2.1.3.1.3.3"), 7);
    EXPECT_EQ(number("ENT.12.2.1.3.1.6.3"), 0); // default of the read-only column
}

TEST_F(SimTransactionTest, RowOverSeveralRequestsAsTheTrunkFormWritesIt)
{
    // First the index and the status, then the other columns without status.
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.1.4", 4), integer("ENT.12.2.1.3.1.5.4", 4)}), 0);
    EXPECT_EQ(number("ENT.12.2.1.3.1.5.4"), 1);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.1.4", 4), integer("ENT.12.2.1.3.1.3.4", 9),
                   octets("ENT.12.2.1.3.1.4.4", std::string("\x00\xC0\x00\x00", 4))}),
              0);
    EXPECT_EQ(number("ENT.12.2.1.3.1.3.4"), 9);
    // createAndGo again on the row (the VLAN form does so) keeps it active;
    // the strict mode refuses it.
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.4", 4)}), 0);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.4", 4)}, nullptr, true), SNMP_ERR_INCONSISTENTVALUE);
    // Destroy removes every cell of the row.
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.4", 6)}), 0);
    EXPECT_FALSE(exists("ENT.12.2.1.3.1.1.4"));
    EXPECT_FALSE(exists("ENT.12.2.1.3.1.3.4"));
}

TEST_F(SimTransactionTest, CreateAndWaitThenActivate)
{
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.5", 5)}), 0);
    EXPECT_EQ(number("ENT.12.2.1.3.1.5.5"), 2); // notInService
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.5", 5)}), SNMP_ERR_INCONSISTENTVALUE);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.5", 2), integer("ENT.12.2.1.3.1.5.5", 1)}), 0);
    EXPECT_EQ(number("ENT.12.2.1.3.1.5.5"), 1);
}

TEST_F(SimTransactionTest, RowStatusRulesForMissingRows)
{
    size_t index = 0;
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.6", 2)}), SNMP_ERR_NOCREATION); // no status: no row
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.6", 1)}), SNMP_ERR_INCONSISTENTVALUE);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.6", 3)}), SNMP_ERR_WRONGVALUE);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.6", 7)}), SNMP_ERR_WRONGVALUE);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.6", 6)}), 0); // destroying nothing does nothing
    EXPECT_FALSE(exists("ENT.12.2.1.3.1.5.6"));
    // The status may come after the other columns of the new row.
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.6", 2), integer("ENT.12.2.1.3.1.5.6", 4)}), 0);
    // The index column must agree with the index; the range of the index holds.
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.1.7", 6), integer("ENT.12.2.1.3.1.5.7", 4)}, &index),
              SNMP_ERR_INCONSISTENTVALUE);
    EXPECT_EQ(index, 0u);
    // A row whose index the index column would refuse is never created, by
    // createAndGo, createAndWait or alone in its request (trunk groups are 1-7).
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.8", 4)}), SNMP_ERR_NOCREATION);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.8", 2), integer("ENT.12.2.1.3.1.5.8", 5)}, &index),
              SNMP_ERR_NOCREATION);
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(exists("ENT.12.2.1.3.1.5.8"));
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.7", 4)}), 0);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.6.1", 3)}), SNMP_ERR_NOTWRITABLE);
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.5.1", 3)}), SNMP_ERR_WRONGVALUE); // notReady is never written
}

TEST_F(SimTransactionTest, TablesWithoutRowStatus)
{
    const std::string cell = "1.3.6.1.2.1.17.7.1.3.1.1.3.1.0.10.11.12.13.1.0";
    const std::string status = "1.3.6.1.2.1.17.7.1.3.1.1.4.1.0.10.11.12.13.1.0";
    EXPECT_EQ(set({octets(cell, std::string("\x20\x00\x00\x00", 4))}), 0);
    EXPECT_EQ(number(status), 3); // the column default
    EXPECT_EQ(set({integer(status, 5)}), 0);
    EXPECT_EQ(number(status), 5);
    EXPECT_EQ(set({integer(status, 2)}), 0); // invalid removes the entry
    EXPECT_FALSE(exists(cell));
    EXPECT_FALSE(exists(status));
}

TEST_F(SimTransactionTest, UndoRestoresTheOldState)
{
    const std::string before = SimDataFile::toText(store);
    SimTransaction tx(store, false);
    ASSERT_EQ(tx.check({integer("ENT.12.2.1.3.1.5.3", 4), integer("ENT.12.2.1.3.1.5.1", 6),
                        octets("1.3.6.1.2.1.1.5.0", "x")})
                  .status,
              0);
    tx.commit();
    EXPECT_NE(SimDataFile::toText(store), before);
    tx.undo();
    EXPECT_EQ(SimDataFile::toText(store), before);
}

} // namespace

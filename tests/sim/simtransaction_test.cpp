// SET handling of the simulator: error statuses, RowStatus row creation and
// removal in one or several requests, tables without RowStatus, undo, and
// the rules that tie tables together (a mirrored table, row counters, the
// allowed index range).

#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "sim/simdatafile.h"
#include "sim/simtransaction.h"

namespace {

constexpr unsigned ent = 32473;

const char switchText[] = "1.3.6.1.2.1.1.1.0 string ro \"Osprey\"\n"
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
        ASSERT_TRUE(SimDataFile::LoadText(switchText, "switch.sim", store, error)) << error;
    }

    static SimOid oid(const std::string& text)
    {
        SimOid o;
        EXPECT_TRUE(simoid::Parse(text, ent, o)) << text;
        return o;
    }
    static SimSetItem integer(const std::string& o, int64_t v, unsigned char asn = ASN_INTEGER)
    {
        SimSetItem item;
        item.oid = oid(o);
        item.asnType = asn;
        item.value.integer = v;
        return item;
    }
    static SimSetItem octets(const std::string& o, const std::string& v, unsigned char asn = ASN_OCTET_STR)
    {
        SimSetItem item;
        item.oid = oid(o);
        item.asnType = asn;
        item.value.octets = v;
        return item;
    }

    // Checks and applies one request; gives the error status (0: applied).
    int set(const std::vector<SimSetItem>& items, size_t* index = nullptr, bool strict = false)
    {
        SimTransaction tx(store, strict);
        const SimTransaction::Result r = tx.Check(items);
        if (index)
            *index = r.index;
        if (r.status == 0)
            tx.Commit();
        return r.status;
    }
    int64_t number(const std::string& o)
    {
        const SimObject* obj = store.Find(oid(o));
        return obj ? obj->value.integer : -999;
    }
    bool exists(const std::string& o) { return store.Find(oid(o)) != nullptr; }

    SimStore store{ent};
};

TEST_F(SimTransactionTest, ValuesAreKept)
{
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "core"), integer("1.3.6.1.2.1.2.2.1.7.2", 2)}), 0);
    EXPECT_EQ(store.Find(oid("1.3.6.1.2.1.1.5.0"))->value.octets, "core");
    EXPECT_EQ(number("1.3.6.1.2.1.2.2.1.7.2"), 2);
}

TEST_F(SimTransactionTest, EachErrorStatusAndItsIndex)
{
    size_t index = 99;
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "ok"), integer("1.3.6.1.2.1.1.5.0", 3)}, &index), SNMP_ERR_WRONGTYPE);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.1.0", "x")}, &index), SNMP_ERR_NOTWRITABLE);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.1.3.0", 5, ASN_TIMETICKS)}), SNMP_ERR_NOTWRITABLE);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.2.2.1.7.1", 4)}), SNMP_ERR_WRONGVALUE);       // outside the enumeration
    EXPECT_EQ(set({integer("1.3.6.1.2.1.17.2.2.0", 61441)}), SNMP_ERR_WRONGVALUE);    // outside the range
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.5.0", "too long!")}), SNMP_ERR_WRONGLENGTH); // size 0..8
    EXPECT_EQ(set({octets("1.3.6.1.2.1.1.9.0", std::string("\x0A\x00\x00", 3), ASN_IPADDRESS)}), SNMP_ERR_WRONGLENGTH);
    EXPECT_EQ(set({integer("1.3.6.1.2.1.2.2.1.7.3", 1)}), SNMP_ERR_NOCREATION); // port 3 is not there
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
    EXPECT_EQ(set({integer("ENT.12.2.1.3.1.3.8", 2), integer("ENT.12.2.1.3.1.5.8", 5)}, &index), SNMP_ERR_NOCREATION);
    EXPECT_EQ(index, 0u); // the first binding names a cell that can never exist
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
    const std::string before = SimDataFile::ToText(store);
    SimTransaction tx(store, false);
    ASSERT_EQ(
        tx.Check({integer("ENT.12.2.1.3.1.5.3", 4), integer("ENT.12.2.1.3.1.5.1", 6), octets("1.3.6.1.2.1.1.5.0", "x")})
            .status,
        0);
    tx.Commit();
    EXPECT_NE(SimDataFile::ToText(store), before);
    tx.Undo();
    EXPECT_EQ(SimDataFile::ToText(store), before);
}

// The VLAN tables: static rows (index 1..4094) mirrored into the current
// table at time mark 0, with counters of creations, deletions and rows.
const char vlanText[] = "1.3.6.1.2.1.1.3.0 timeticks ro @uptime\n"
                        "1.3.6.1.2.1.17.7.1.1.4.0 gauge32 ro 1\n"
                        "1.3.6.1.2.1.17.7.1.4.1.0 counter32 ro 0\n"
                        "table 1.3.6.1.2.1.17.7.1.4.2.1\n"
                        "column 1.3.6.1.2.1.17.7.1.4.2.1.3 gauge32 ro @index.2\n"
                        "column 1.3.6.1.2.1.17.7.1.4.2.1.4 hex ro 00000000\n"
                        "column 1.3.6.1.2.1.17.7.1.4.2.1.5 hex ro 00000000\n"
                        "column 1.3.6.1.2.1.17.7.1.4.2.1.7 timeticks ro @uptime\n"
                        "1.3.6.1.2.1.17.7.1.4.2.1.3.0.1 gauge32 ro 1\n"
                        "1.3.6.1.2.1.17.7.1.4.2.1.4.0.1 hex ro FFFFFFC0\n"
                        "1.3.6.1.2.1.17.7.1.4.2.1.5.0.1 hex ro FFFFFFC0\n"
                        "1.3.6.1.2.1.17.7.1.4.2.1.7.0.1 timeticks ro 0\n"
                        "table 1.3.6.1.2.1.17.7.1.4.3.1 index=1..4094\n"
                        "column 1.3.6.1.2.1.17.7.1.4.3.1.1 string rc \"\" size=0..32\n"
                        "column 1.3.6.1.2.1.17.7.1.4.3.1.2 hex rc 00000000 size=4\n"
                        "column 1.3.6.1.2.1.17.7.1.4.3.1.4 hex rc 00000000 size=4\n"
                        "column 1.3.6.1.2.1.17.7.1.4.3.1.5 integer rc 1 rowstatus\n"
                        "1.3.6.1.2.1.17.7.1.4.3.1.1.1 string rc \"default\" size=0..32\n"
                        "1.3.6.1.2.1.17.7.1.4.3.1.2.1 hex rc FFFFFFC0 size=4\n"
                        "1.3.6.1.2.1.17.7.1.4.3.1.4.1 hex rc FFFFFFC0 size=4\n"
                        "1.3.6.1.2.1.17.7.1.4.3.1.5.1 integer rc 1 rowstatus\n"
                        "1.3.6.1.2.1.17.7.1.4.4.0 integer ro 4096\n"
                        "mirror 1.3.6.1.2.1.17.7.1.4.3.1 1.3.6.1.2.1.17.7.1.4.2.1 prefix=0 copy=2:4,4:5\n"
                        "count 1.3.6.1.2.1.17.7.1.4.4.0 created 1.3.6.1.2.1.17.7.1.4.3.1\n"
                        "count 1.3.6.1.2.1.17.7.1.4.1.0 deleted 1.3.6.1.2.1.17.7.1.4.3.1\n"
                        "count 1.3.6.1.2.1.17.7.1.1.4.0 rows 1.3.6.1.2.1.17.7.1.4.3.1\n";

class SimRowRulesTest : public SimTransactionTest {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(SimDataFile::LoadText(vlanText, "vlans.sim", store, error)) << error;
    }
    static std::string staticCell(int column, int vlan)
    {
        return "1.3.6.1.2.1.17.7.1.4.3.1." + std::to_string(column) + "." + std::to_string(vlan);
    }
    static std::string currentCell(int column, int vlan)
    {
        return "1.3.6.1.2.1.17.7.1.4.2.1." + std::to_string(column) + ".0." + std::to_string(vlan);
    }
    std::string bytes(const std::string& o)
    {
        const SimObject* obj = store.Find(oid(o));
        return obj ? obj->value.octets : "(none)";
    }
};

TEST_F(SimRowRulesTest, AStaticVlanInThreeWritesShowsInTheCurrentTable)
{
    // The VLAN form's three writes: status only, then all but the untagged
    // ports (createAndGo again), then everything.
    EXPECT_EQ(set({integer(staticCell(5, 10), 4)}), 0);
    EXPECT_TRUE(exists(currentCell(3, 10)));
    EXPECT_EQ(number(currentCell(3, 10)), 10); // FDB id = VLAN
    EXPECT_EQ(bytes(currentCell(4, 10)), std::string(4, '\0'));
    EXPECT_EQ(set({octets(staticCell(1, 10), "sales"), octets(staticCell(2, 10), std::string("\xC0\0\0\0", 4)),
                   integer(staticCell(5, 10), 4)}),
              0);
    EXPECT_EQ(bytes(currentCell(4, 10)), std::string("\xC0\0\0\0", 4));
    EXPECT_EQ(set({octets(staticCell(4, 10), std::string("\x40\0\0\0", 4)), integer(staticCell(5, 10), 4)}), 0);
    EXPECT_EQ(bytes(currentCell(5, 10)), std::string("\x40\0\0\0", 4));
    EXPECT_EQ(number(staticCell(5, 10)), 1);
    // The next free local index advanced once; the number of VLANs grew.
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.4.4.0"), 4097);
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.1.4.0"), 2);
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.4.1.0"), 0);
    // The creation time is the clock at creation, kept.
    const SimObject* created = store.Find(oid(currentCell(7, 10)));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->special, SimSpecial::None);

    // Destroying the static row removes the current one and counts it.
    EXPECT_EQ(set({integer(staticCell(5, 10), 6)}), 0);
    EXPECT_FALSE(exists(currentCell(3, 10)));
    EXPECT_FALSE(exists(currentCell(4, 10)));
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.4.1.0"), 1);
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.1.4.0"), 1);
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.4.4.0"), 4097);
    // A write to an existing row keeps its mirror up to date.
    EXPECT_EQ(set({octets(staticCell(2, 1), std::string("\x80\0\0\0", 4))}), 0);
    EXPECT_EQ(bytes(currentCell(4, 1)), std::string("\x80\0\0\0", 4));
}

TEST_F(SimRowRulesTest, BadVlansAreRefusedWithTheStandardErrors)
{
    size_t index = 9;
    EXPECT_EQ(set({integer(staticCell(5, 0), 4)}), SNMP_ERR_NOCREATION);
    EXPECT_EQ(set({octets(staticCell(1, 4095), "x"), integer(staticCell(5, 4095), 4)}, &index), SNMP_ERR_NOCREATION);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(set({integer(staticCell(5, 4094), 4)}), 0);
    EXPECT_EQ(set({octets(staticCell(1, 4094), std::string(33, 'n'))}), SNMP_ERR_WRONGLENGTH);
    EXPECT_EQ(set({octets(staticCell(2, 4094), std::string(3, '\0'))}), SNMP_ERR_WRONGLENGTH);
    EXPECT_FALSE(exists(currentCell(3, 0)));
    EXPECT_FALSE(exists(currentCell(3, 4095)));
    EXPECT_EQ(number("1.3.6.1.2.1.17.7.1.4.4.0"), 4097); // only 4094 was made
}

TEST_F(SimRowRulesTest, UndoTakesTheMirrorAndCountersBack)
{
    const std::string before = SimDataFile::ToText(store);
    SimTransaction tx(store, false);
    ASSERT_EQ(tx.Check({integer(staticCell(5, 20), 4), integer(staticCell(5, 1), 6)}).status, 0);
    tx.Commit();
    EXPECT_TRUE(exists(currentCell(3, 20)));
    EXPECT_FALSE(exists(currentCell(3, 1)));
    tx.Undo();
    EXPECT_EQ(SimDataFile::ToText(store), before);
}

} // namespace

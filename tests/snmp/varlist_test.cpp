#include <gtest/gtest.h>

#include "common/kvoptionlist.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

const KvOptionDef kStatusNames[] = {
    {1, nullptr, "active"}, {4, nullptr, "createAndGo"}, {6, nullptr, "destroy"}, {0, nullptr, nullptr}};
const KvOptionList kStatus(KvOptionList::kIntegerValues, kStatusNames);

const VarDef kCommunityTable[] = {
    {"1.3.6.1.6.3.18.1.1.1.1", "Index", synDisplayString, accIdxImplied, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.18.1.1.1.2", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.18.1.1.1.8", "Status", synInteger, accRW, &kStatus, "$2", nullptr, "spare"},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const VarDef kEmpty[] = {
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const VarDef kTwo[] = {
    {"1.3.6.1.2.1.1.4", "Contact", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.5", "Name", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

} // namespace

TEST(VarList, ConstructionCopiesTheRowsWithEmptyValues)
{
    KvSNMPVarList list(kCommunityTable, kvListTableRows, 1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.kind, kvListTableRows);
    EXPECT_EQ(list.keyCount, 1);
    EXPECT_EQ(list.instance, "");
    EXPECT_EQ(list.name, "");
    EXPECT_EQ(list[2].oid, "1.3.6.1.6.3.18.1.1.1.8");
    EXPECT_EQ(list[2].label, "Status");
    EXPECT_EQ(list[2].options, &kStatus); // shared, not copied
    EXPECT_EQ(list[2].getExpression, "$2");
    EXPECT_EQ(list[2].spareText, "spare");
    EXPECT_EQ(list[1].getExpression, "");
    EXPECT_EQ(list[0].value, "");
    EXPECT_EQ(list[0].lastOid, "");
}

TEST(VarList, EmptyTableAndAppendOrder)
{
    KvSNMPVarList empty(kEmpty, kvListScalars, 0);
    EXPECT_EQ(empty.Count(), 0);

    KvSNMPVarList list(kTwo, kvListScalars, 0);
    list.Append(kEmpty);
    EXPECT_EQ(list.Count(), 2);
    list.Append(kCommunityTable);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list[0].label, "Contact");
    EXPECT_EQ(list[1].label, "Name");
    EXPECT_EQ(list[2].label, "Index");
    EXPECT_EQ(list[4].label, "Status");
}

TEST(VarList, CopyAndAssignmentAreDeepAndKeepTheTargetsInstance)
{
    KvSNMPVarList source(kCommunityTable, kvListTableRows, 1);
    source.name = " Community";
    source.instance = "7";
    source[1].value = "public";
    source[1].lastOid = "1.3.6.1.6.3.18.1.1.1.2.1.97";

    KvSNMPVarList target;
    target.instance = "42";
    target = source;
    EXPECT_EQ(target.instance, "42");
    EXPECT_EQ(target.kind, kvListTableRows);
    EXPECT_EQ(target.keyCount, 1);
    EXPECT_EQ(target.name, " Community");
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(target[1].value, "public");
    EXPECT_EQ(target[1].lastOid, "1.3.6.1.6.3.18.1.1.1.2.1.97");

    target[1].value = "changed";
    target[1].oid += ".9";
    EXPECT_EQ(source[1].value, "public");
    EXPECT_EQ(source[1].oid, "1.3.6.1.6.3.18.1.1.1.2");

    KvSNMPVarList copied(source);
    EXPECT_EQ(copied.instance, "");
    EXPECT_EQ(copied.Count(), 3);
}

TEST(VarList, AppendSuffixCompletesEveryOid)
{
    KvSNMPVarList list(kTwo, kvListRow, 0);
    list.AppendSuffix("6");
    EXPECT_EQ(list[0].oid, "1.3.6.1.2.1.1.4.6");
    EXPECT_EQ(list[1].oid, "1.3.6.1.2.1.1.5.6");
}

TEST(VarList, Predicates)
{
    const VarDef table[] = {
        {"1.1", "idx", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.2", "rw", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
        {"1.3", "skipRW", synInteger, accRW | accSkip, nullptr, nullptr, nullptr, nullptr},
        {"1.4", "wo", synInteger, accWrite, nullptr, nullptr, nullptr, nullptr},
        {"1.5", "hidden", synInteger, accRO | accHidden, nullptr, nullptr, nullptr, nullptr},
        {"1.6", "shown", synInteger, accShown, nullptr, nullptr, nullptr, nullptr},
        {"1.7", "skipId", synInteger, accIdx | accSkip, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    KvSNMPVarList table2(table, kvListTable, 1);
    KvSNMPVarList scalars(table, kvListScalars, 1);

    // The skip bit wins over everything.
    EXPECT_FALSE(table2.IsReadable(2));
    EXPECT_FALSE(table2.IsWritable(2));
    EXPECT_FALSE(table2.IsShown(2));
    EXPECT_TRUE(table2.IsUnshown(2));

    // An index column is writable in a table list only.
    EXPECT_TRUE(table2.IsWritable(0));
    EXPECT_FALSE(scalars.IsWritable(0));
    EXPECT_FALSE(table2.IsReadable(0));
    EXPECT_TRUE(table2.IsShown(0));
    // ... but not beyond the key count, and never when skipped.
    EXPECT_FALSE(table2.IsWritable(6));

    EXPECT_TRUE(table2.IsReadable(1));
    EXPECT_TRUE(table2.IsWritable(1));
    EXPECT_TRUE(table2.IsWritable(3));
    EXPECT_FALSE(table2.IsReadable(3));
    EXPECT_TRUE(table2.IsUnshown(3)); // exactly write
    EXPECT_FALSE(table2.IsShown(3));
    EXPECT_TRUE(table2.IsReadable(4));
    EXPECT_FALSE(table2.IsShown(4));
    EXPECT_TRUE(table2.IsUnshown(4));
    EXPECT_TRUE(table2.IsShown(5));
    EXPECT_FALSE(table2.IsUnshown(5));

    EXPECT_EQ(table2.ShownCount(), 3);   // idx, rw, shown
    EXPECT_EQ(table2.UnshownCount(), 4); // skipRW, wo, hidden, skipId

    KvSNMPVarList community(kCommunityTable, kvListTableRows, 1);
    EXPECT_TRUE(community.IsImplied(0));
    EXPECT_FALSE(community.IsImplied(1));
}

// The variable tables of the VLAN and bridge forms, checked as the page
// tables are: object identifiers well formed and unique within a request,
// keys first, value names where a row status or enumeration is shown, and
// titles the export can find (distinct, and hiding no generic page).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "forms/vlan/vlanformtables.h"
#include "shell/tables/pagecatalogue.h"

namespace {

bool WellFormedOid(const std::string& oid)
{
    if (oid.empty() || oid.front() == '.' || oid.back() == '.')
        return false;
    int arcs = 1;
    for (size_t i = 0; i < oid.size(); ++i) {
        if (oid[i] == '.') {
            if (oid[i + 1] == '.')
                return false;
            ++arcs;
        } else if (oid[i] < '0' || oid[i] > '9') {
            return false;
        }
    }
    return arcs >= 7;
}

TEST(VlanFormTables, EveryRequestIsWellFormed)
{
    for (const FormTableDef& table : kvforms::VlanFormTables()) {
        SCOPED_TRACE(table.title);
        ASSERT_NE(table.variables, nullptr);
        std::set<std::string> oids;
        int count = 0;
        for (const VarDef* row = table.variables; row->oid; ++row, ++count) {
            EXPECT_TRUE(WellFormedOid(row->oid)) << row->oid;
            EXPECT_TRUE(oids.insert(row->oid).second) << "twice: " << row->oid;
            EXPECT_NE(row->label, nullptr);
            EXPECT_TRUE(row->access == accRO || row->access == accRW || row->access == accIdx) << row->oid;
            // Keys come first; nothing after them is a key.
            if (row->access == accIdx) {
                EXPECT_LT(count, table.keyCount) << row->oid;
            }
            if (std::string(row->label) == "Status") {
                EXPECT_NE(row->options, nullptr) << "a status without value names";
            }
        }
        EXPECT_GT(count, table.keyCount);
        EXPECT_LE(table.kind, 3);
        EXPECT_EQ(table.kind < 2, table.keyCount == 0);
    }
}

TEST(VlanFormTables, TitlesAreDistinctAndHideNoGenericPage)
{
    std::set<std::string> generic;
    for (const PageCommand& page : kvtables::PageCatalogue())
        generic.insert(page.title);
    std::set<std::string> titles;
    std::set<std::string> forms;
    for (const FormTableDef& table : kvforms::VlanFormTables()) {
        EXPECT_TRUE(titles.insert(table.title).second) << table.title;
        EXPECT_EQ(generic.count(table.title), 0u) << table.title;
        forms.insert(table.formClass);
    }
    EXPECT_EQ(forms.size(), 13u);
    EXPECT_EQ(titles.count("VLAN Static Form"), 1u);
}

TEST(VlanFormTables, ValueNamesInTheOrderOfTheCombos)
{
    EXPECT_EQ(kvforms::optRowStatusCapitalised.Labels(),
              (std::vector<std::string>{"Active", "NotInService", "NotReady", "CreateAndGo", "CreateAndWait", "Destroy"}));
    EXPECT_EQ(kvforms::optRowStatusCapitalised.LabelToValue("CreateAndGo"), "4");
    EXPECT_EQ(kvforms::optFilterStatus.Labels(),
              (std::vector<std::string>{"other", "invalid", "permanent", "deleteOnReset", "deleteOnTimeout"}));
    EXPECT_EQ(kvforms::optVlanStatus.ValueToLabel("3"), "dynamicGvrp");
}

} // namespace

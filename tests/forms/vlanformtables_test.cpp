// The variable tables of the VLAN and bridge forms, checked as the page
// tables are: object identifiers well formed and unique within a request,
// keys first, value names where a row status or enumeration is shown, and
// titles the export can find (distinct, and hiding no generic page). The
// value names of both form folders come from the shared lists where one fits.
#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>

#include "forms/port/portformtables.h"
#include "forms/vlan/vlanformtables.h"
#include "tables/optionlists.h"
#include "tables/pagecatalogue.h"

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
    EXPECT_EQ(
        kvforms::optRowStatusCapitalised.Labels(),
        (std::vector<std::string>{"Active", "NotInService", "NotReady", "CreateAndGo", "CreateAndWait", "Destroy"}));
    EXPECT_EQ(kvforms::optRowStatusCapitalised.LabelToValue("CreateAndGo"), "4");
    EXPECT_EQ(kvforms::optFilterStatus.Labels(),
              (std::vector<std::string>{"other", "invalid", "permanent", "deleteOnReset", "deleteOnTimeout"}));
    EXPECT_EQ(kvforms::optVlanStatus.ValueToLabel("3"), "dynamicGvrp");
}

// The forms name the columns they write by the enums beside the tables; each
// names the column it stands for, and the last one is the table's last.
TEST(FormTables, ColumnNamesIndexTheirTables)
{
    const auto label = [](const VarDef* table, int column) { return std::string(table[column].label); };
    EXPECT_EQ(label(kvforms::varsVlanStatic, kvforms::kStaticVlanId), "VLAN ID");
    EXPECT_EQ(label(kvforms::varsVlanStatic, kvforms::kStaticUntagged), "Untagged Ports");
    EXPECT_EQ(label(kvforms::varsVlanStatic, kvforms::kStaticStatus), "Status");
    EXPECT_EQ(kvforms::varsVlanStatic[kvforms::kStaticStatus + 1].oid, nullptr);
    EXPECT_EQ(label(kvforms::varsPortBasedVlan, kvforms::kPortVlanMembers), "Vlan Port Members");
    EXPECT_EQ(label(kvforms::varsPortBasedVlan, kvforms::kPortVlanStatus), "Status");
    EXPECT_EQ(kvforms::varsPortBasedVlan[kvforms::kPortVlanStatus + 1].oid, nullptr);
    EXPECT_EQ(label(kvforms::varsPortTrunk, kvforms::kTrunkMember), "Member");
    EXPECT_EQ(label(kvforms::varsPortTrunk, kvforms::kTrunkState), "Trunk State");
    EXPECT_EQ(kvforms::varsPortTrunk[kvforms::kTrunkFloodingPort + 1].oid, nullptr);
}

bool SameNames(const KvOptionList& a, const KvOptionList& b)
{
    if (a.Kind() != b.Kind() || a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i)
        if (a.ValueText(i) != b.ValueText(i) || a.Label(i) != b.Label(i))
            return false;
    return true;
}

// A row of either form folder names its values through a shared list of the
// page tables or one of the forms' own lists; an own list is not a retyped
// shared one (the same values under the same names).
TEST(FormTables, ValueNamesComeFromSharedListsWhereOneFits)
{
    std::set<const KvOptionList*> shared;
    for (const kvtables::OptionListInfo& info : kvtables::OptionLists())
        shared.insert(info.list);
    const std::set<const KvOptionList*> own = {&kvforms::optRowStatusCapitalised, &kvforms::optVlanStatus,
                                               &kvforms::optFilterStatus};
    int named = 0;
    for (std::span<const FormTableDef> tables : {kvforms::PortFormTables(), kvforms::VlanFormTables()}) {
        for (const FormTableDef& table : tables) {
            for (const VarDef* row = table.variables; row->oid; ++row) {
                if (!row->options)
                    continue;
                ++named;
                EXPECT_TRUE(shared.count(row->options) + own.count(row->options) == 1)
                    << table.title << ": " << row->label;
            }
        }
    }
    EXPECT_GE(named, 10);
    for (const KvOptionList* list : own) {
        EXPECT_EQ(shared.count(list), 0u);
        for (const KvOptionList* other : shared)
            EXPECT_FALSE(SameNames(*list, *other)) << list->Label(0) << " retypes a shared list";
    }
}

} // namespace

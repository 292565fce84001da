// osprey-config without a switch: which variables make a snapshot, the file
// read back and refused, the differences, and the order of a restore's writes.
#include <gtest/gtest.h>

#include <sstream>

#include "common/kvoptionlist.h"
#include "config/kvconfigcatalogue.h"
#include "config/kvconfigdiff.h"
#include "config/kvconfigfile.h"
#include "config/kvconfigoptions.h"
#include "config/kvconfigplan.h"
#include "osprey_config.h"
#include "tables/pagecatalogue.h"

namespace {

const std::string kEnt = OSPREY_ENT_OID;
const std::string kVlanName = "1.3.6.1.2.1.17.7.1.4.3.1.1";
const std::string kPortAdmin = kEnt + ".11.36.2.6.2.1.2";
const std::string kSystemIp = kEnt + ".11.36.2.5.2.2";

const KvConfigCatalogue& Catalogue()
{
    static const KvConfigCatalogue catalogue = KvConfigCatalogue::All();
    return catalogue;
}

// The page and column that hold a variable, from the catalogue.
std::pair<const KvConfigCatalogue::Page*, const KvConfigCatalogue::Column*> Owner(const std::string& oid)
{
    for (const KvConfigCatalogue::Page& page : Catalogue().Pages())
        for (const KvConfigCatalogue::Column& column : page.columns)
            if (column.def->oid == oid)
                return {&page, &column};
    return {nullptr, nullptr};
}

KvConfigPage PageOf(const KvConfigCatalogue::Page& page)
{
    KvConfigPage result;
    result.title = page.command->title;
    result.name = page.command->name;
    result.table = page.Table();
    result.rowCreation = page.rowStatus >= 0;
    return result;
}

// A row of the page with `oid` set to `value` (the other settings left out).
KvConfigRow Row(const std::string& oid, const std::string& key, const std::string& value)
{
    const auto [page, column] = Owner(oid);
    const std::string full = page->Oid(*column, key);
    return {key, key, {{column->def->label, full, KvConfigCatalogue::SyntaxName(column->def->syntax), value}}};
}

void Put(KvConfigSnapshot& snapshot, const std::string& oid, const std::string& key, const std::string& value)
{
    const KvConfigCatalogue::Page* page = Owner(oid).first;
    for (KvConfigPage& existing : snapshot.pages)
        if (existing.name == page->command->name && existing.title == page->command->title) {
            existing.rows.push_back(Row(oid, key, value));
            return;
        }
    snapshot.pages.push_back(PageOf(*page));
    snapshot.pages.back().rows.push_back(Row(oid, key, value));
}

std::string Written(const KvConfigSnapshot& snapshot)
{
    std::ostringstream out;
    KvConfigFile::Write(snapshot, out);
    return out.str();
}

TEST(ConfigCatalogue, SettingsOnlyEachOnceWithRowCreationAndReachMarked)
{
    size_t columns = 0;
    std::set<std::string> seen;
    for (const KvConfigCatalogue::Page& page : Catalogue().Pages())
        for (const KvConfigCatalogue::Column& column : page.columns) {
            ++columns;
            EXPECT_TRUE(seen.insert(column.def->oid).second) << column.def->oid << " on two pages";
            EXPECT_NE(column.def->syntax, synCounter32) << column.def->oid;
            EXPECT_NE(column.def->syntax, synTimeTicks) << column.def->oid;
            EXPECT_NE(std::string(column.def->label), "Row Status");
        }
    EXPECT_GT(columns, 100u);
    // Actions, secrets and the lock are no settings.
    for (const std::string& oid : {kEnt + ".11.36.2.5.2.1", kEnt + ".12.1.2.6", std::string("1.3.6.1.6.3.12.1.1"),
                                   std::string("1.3.6.1.6.3.15.1.2.2.1.6"), std::string("1.3.6.1.6.3.18.1.1.1.2")})
        EXPECT_EQ(Owner(oid).first, nullptr) << oid;
    // The static VLANs are created and removed through their RowStatus, and
    // come before what refers to them.
    const KvConfigCatalogue::Page* vlans = Owner(kVlanName).first;
    ASSERT_NE(vlans, nullptr);
    EXPECT_GE(vlans->rowStatus, 0);
    EXPECT_EQ(vlans->rank, 0);
    ASSERT_NE(Owner(kSystemIp).second, nullptr);
    EXPECT_TRUE(Owner(kSystemIp).second->reach);
    EXPECT_FALSE(Owner(kPortAdmin).second->reach);
}

TEST(ConfigFile, WrittenSnapshotReadsBackAndDamagedFilesAreRefusedWithTheReason)
{
    KvConfigSnapshot snapshot;
    snapshot.model = kEnt + ".10.26";
    Put(snapshot, kVlanName, "10", "sales \"east\"\t\u00e9");
    Put(snapshot, kPortAdmin, "3", "disabled");
    snapshot.pages.push_back({"Trap Management ", "X", false, true, false, {}});
    const std::string text = Written(snapshot);

    KvConfigSnapshot back;
    std::string error;
    ASSERT_TRUE(KvConfigFile::Parse(text, back, error)) << error;
    EXPECT_EQ(Written(back), text);
    EXPECT_TRUE(back.pages.back().absent);
    EXPECT_TRUE(KvConfigDiff::Compare(snapshot, back).empty());

    struct Damaged {
        std::string text;
        std::string reason;
    };
    const Damaged damaged[] = {
        {text.substr(0, text.size() / 2), "not valid JSON"},
        {"[1, 2]", "no JSON object"},
        {"{\"format\": \"something else\", \"model\": \"\", \"pages\": []}", "not a snapshot of osprey-config"},
        {"{\"format\": \"osprey-config snapshot 1\", \"pages\": []}", "\"model\" is missing"},
        {"{\"format\": \"osprey-config snapshot 1\", \"model\": \"\", \"pages\": [{\"title\": \"T\", \"name\": \"N\", "
         "\"kind\": \"table\", \"rows\": [{\"key\": \"1\", \"index\": \"1\", \"settings\": []}, {\"key\": \"1\", "
         "\"index\": \"1\", \"settings\": []}]}]}",
         "row 2: the row key \"1\" is empty or given twice"},
        {"{\"format\": \"osprey-config snapshot 1\", \"model\": \"\", \"pages\": [{\"title\": \"T\", \"name\": \"N\", "
         "\"kind\": \"scalars\", \"settings\": [{\"label\": \"L\", \"oid\": 5}]}]}",
         "page 1 (\"T\"), setting 1: \"oid\" is missing or not a text"},
        // One variable twice (one request would set it to both values), an
        // object identifier that is none, a row key that is no instance.
        {"{\"format\": \"osprey-config snapshot 1\", \"model\": \"\", \"pages\": [{\"title\": \"T\", \"name\": \"N\", "
         "\"kind\": \"scalars\", \"settings\": [{\"label\": \"sysName\", \"oid\": \"1.3.6.1.2.1.1.5.0\", \"syntax\": "
         "\"DisplayString\", \"value\": \"a\"}, {\"label\": \"sysLocation\", \"oid\": \"1.3.6.1.2.1.1.5.0\", "
         "\"syntax\": "
         "\"DisplayString\", \"value\": \"b\"}]}]}",
         "setting 2 (\"sysLocation\"): 1.3.6.1.2.1.1.5.0 is given twice, also at page 1 (\"T\"), setting 1 "
         "(\"sysName\")"},
        {"{\"format\": \"osprey-config snapshot 1\", \"model\": \"\", \"pages\": [{\"title\": \"T\", \"name\": \"N\", "
         "\"kind\": \"scalars\", \"settings\": [{\"label\": \"L\", \"oid\": \"1.3.6..1.5.0\", \"syntax\": \"INTEGER\", "
         "\"value\": \"1\"}]}]}",
         "setting 1 (\"L\"): \"1.3.6..1.5.0\" is not an object identifier"},
        {"{\"format\": \"osprey-config snapshot 1\", \"model\": \"\", \"pages\": [{\"title\": \"T\", \"name\": \"N\", "
         "\"kind\": \"table\", \"rows\": [{\"key\": \"1.x\", \"index\": \"1\", \"settings\": []}]}]}",
         "row 1: the row key \"1.x\" is not an instance"},
    };
    for (const Damaged& entry : damaged) {
        EXPECT_FALSE(KvConfigFile::Parse(entry.text, back, error));
        EXPECT_NE(error.find(entry.reason), std::string::npos) << error;
    }
    // Well-formed, but not this program's: an unknown variable, a wrong syntax.
    KvConfigSnapshot other = snapshot;
    other.pages.pop_back();
    other.pages[0].rows[0].settings[0].oid = "1.3.6.1.2.1.17.7.1.4.3.1.9.10";
    EXPECT_FALSE(KvConfigPlan::Check(Catalogue(), other, error));
    EXPECT_NE(error.find("is no setting of this page"), std::string::npos) << error;
    other = snapshot;
    other.pages.pop_back();
    other.pages[0].rows[0].settings[0].syntax = "INTEGER";
    EXPECT_FALSE(KvConfigPlan::Check(Catalogue(), other, error));
    EXPECT_NE(error.find("has syntax DisplayString, the file says INTEGER"), std::string::npos) << error;
}

// A value is checked as the page's window reads what an operator types:
// nothing that would be sent as another value passes.
TEST(ConfigFile, ValuesTheSettingCannotTakeAreRefusedNamingSettingValueAndWhy)
{
    const std::string timeZone = kEnt + ".12.10.10.4";
    const std::string pollInterval = kEnt + ".12.10.11.5";
    const std::string server = kEnt + ".12.10.11.3";
    const std::string egress = "1.3.6.1.2.1.17.7.1.4.3.1.2";
    const std::string mac = kEnt + ".12.2.5.4.1.3";
    struct Case {
        std::string oid;
        std::string key;
        std::string value;
        std::string refusal; // empty: taken
    };
    const Case cases[] = {
        {timeZone, "", "-60", ""},
        {timeZone, "", "sixty",
         "System Time Zone [ -779..839] (" + timeZone +
             ".0) = \"sixty\": not a whole number from -2147483648 to 2147483647"},
        {timeZone, "", "99999999999", "= \"99999999999\": not a whole number"},
        {timeZone, "", "60 minutes", "not a whole number"},
        {kPortAdmin, "3", "disabled", ""},
        {kPortAdmin, "3", "maybe",
         ", row 3: Administration State (" + kPortAdmin + ".3) = \"maybe\": not one of its choices ("},
        {kPortAdmin, "3", "99999999999", "not one of its choices"},
        {server, "", "10.1.1.2", ""},
        {server, "", "999.1.2", "Server1 IPAddr (" + server + ".0) = \"999.1.2\": not an IPv4 address"},
        {server, "", "10.1.1.256", "not an IPv4 address"},
        {egress, "10", "0F000000", ""},
        {egress, "10", "0F00000", "Egress Ports (" + egress + ".10) = \"0F00000\": not hexadecimal octets"},
        {egress, "10", "0G000000", "not hexadecimal octets"},
        {mac, "3.1", "001122334455", ""},
        {mac, "3.1", "0011223344", "not a MAC address"},
        // The range of the page's editor, beyond what the syntax allows.
        {pollInterval, "", "3600", ""},
        {pollInterval, "", "10", "= \"10\": not a number from 30 to 99999"},
    };
    for (const Case& entry : cases) {
        KvConfigSnapshot snapshot;
        Put(snapshot, entry.oid, entry.key, entry.value);
        std::string error;
        const bool taken = KvConfigPlan::Check(Catalogue(), snapshot, error);
        EXPECT_EQ(taken, entry.refusal.empty()) << entry.value << ": " << error;
        if (!taken) {
            EXPECT_NE(error.find(entry.refusal), std::string::npos) << error;
        }
    }
}

TEST(ConfigDiff, OneLinePerChangedSettingAndAddedOrRemovedRow)
{
    KvConfigSnapshot a;
    Put(a, kVlanName, "1", "default");
    Put(a, kVlanName, "10", "sales");
    Put(a, kVlanName, "20", "engineering");
    KvConfigSnapshot b = a;
    EXPECT_TRUE(KvConfigDiff::Compare(a, b).empty());
    b.pages[0].rows[1].settings[0].value = "marketing";
    b.pages[0].rows.erase(b.pages[0].rows.begin() + 2);
    b.pages[0].rows.push_back(Row(kVlanName, "40", "lab"));
    const auto differences = KvConfigDiff::Compare(a, b);
    ASSERT_EQ(differences.size(), 3u);
    const std::string title = Owner(kVlanName).first->command->title;
    EXPECT_EQ(differences[0].Line(), title + ", row 10: VLAN Name: A \"sales\", B \"marketing\"");
    EXPECT_EQ(differences[1].Line(), title + ", row 20: removed row");
    EXPECT_EQ(differences[2].Line(), title + ", row 40: added row");
}

TEST(ConfigPlan, CreatesFirstChangesOnlyWhatDiffersRemovesOnlyWhenAskedAndMovesTheSwitchLast)
{
    KvConfigSnapshot live;
    Put(live, kSystemIp, "", "10.90.90.90");
    Put(live, kPortAdmin, "3", "enabled");
    Put(live, kPortAdmin, "4", "enabled");
    Put(live, kVlanName, "1", "default");
    Put(live, kVlanName, "30", "voice");
    KvConfigSnapshot wanted;
    Put(wanted, kSystemIp, "", "10.1.1.2");
    Put(wanted, kPortAdmin, "3", "disabled");
    Put(wanted, kPortAdmin, "4", "enabled");
    Put(wanted, kVlanName, "1", "default");
    Put(wanted, kVlanName, "40", "lab");

    const KvConfigPlan kept(Catalogue(), wanted, live, false);
    ASSERT_EQ(kept.Writes().size(), 3u);
    const KvConfigWrite& create = kept.Writes()[0];
    EXPECT_EQ(create.kind, KvConfigWrite::Kind::CreateRow);
    ASSERT_EQ(create.variables.size(), 2u);
    EXPECT_EQ(create.variables[0].oid, "1.3.6.1.2.1.17.7.1.4.3.1.5.40");
    EXPECT_EQ(create.variables[0].options->LabelToValue(create.variables[0].value), "4");
    EXPECT_EQ(create.variables[1].oid, kVlanName + ".40");
    const KvConfigWrite& port = kept.Writes()[1];
    EXPECT_EQ(port.kind, KvConfigWrite::Kind::Set);
    ASSERT_EQ(port.variables.size(), 1u);
    EXPECT_EQ(port.variables[0].oid, kPortAdmin + ".3");
    EXPECT_EQ(port.variables[0].before, "enabled");
    EXPECT_TRUE(kept.Writes()[2].reach);
    EXPECT_NE(KvConfigPlan::Describe(kept.Writes()[2], 3).find("[changes how the switch is reached"),
              std::string::npos);
    ASSERT_EQ(kept.Notes().size(), 1u);
    EXPECT_NE(kept.Notes()[0].find("row 30: not in the snapshot; kept (see --remove-rows)"), std::string::npos);

    const KvConfigPlan removing(Catalogue(), wanted, live, true);
    ASSERT_EQ(removing.Writes().size(), 4u);
    EXPECT_EQ(removing.Writes()[2].kind, KvConfigWrite::Kind::RemoveRow);
    EXPECT_EQ(removing.Writes()[2].variables[0].oid, "1.3.6.1.2.1.17.7.1.4.3.1.5.30");
    EXPECT_TRUE(removing.Writes()[3].reach);

    EXPECT_TRUE(KvConfigPlan(Catalogue(), live, live, true).Writes().empty());
}

TEST(ConfigOptions, SwitchesBeforeTheCommandFilesAfterIt)
{
    KvConfigOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"/I10.0.0.1", "/Rpublic", "restore", "/tmp/a.json", "--apply"}, error)) << error;
    EXPECT_EQ(options.command, KvConfigOptions::Command::Restore);
    EXPECT_EQ(options.switches, (std::vector<std::string>{"/I10.0.0.1", "/Rpublic"}));
    EXPECT_EQ(options.files, std::vector<std::string>{"/tmp/a.json"});
    EXPECT_TRUE(options.apply);
    ASSERT_TRUE(options.Parse({"/I10.0.0.1", "snapshot", "--pages", "VLAN Static Form, Layer2 Control"}, error));
    EXPECT_EQ(options.pages.size(), 2u);
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"/I1", "diff"}, "diff takes one snapshot"},
        {{"/I1", "diff", "a", "b", "c"}, "diff takes one snapshot"},
        {{"/I1", "snapshot", "--apply"}, "--apply belongs to the restore command"},
        {{"/I1", "backup"}, "unknown command 'backup'"},
        {{"/I1", "restore", "a", "--force"}, "unknown option '--force'"},
        {{"/I1"}, "nothing to do"},
    };
    for (const auto& [arguments, reason] : refused) {
        EXPECT_FALSE(options.Parse(arguments, error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

} // namespace

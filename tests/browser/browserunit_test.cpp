// The stand-in's parts without a window or an agent: the rates of counters,
// the page tables held to the rules the pages rely on and to the launcher's
// table of page names, and the start-up over the launcher's command lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include <QStringList>

#include "browser/kvbrowserstartup.h"
#include "common/kvoptionlist.h"
#include "browser/tables/browsercatalogue.h"
#include "browser/tables/kvcounterrates.h"
#include "shell/launcher.h"
#include "tables/menutree.h"
#include "snmp/kvsnmpvarlist.h"
#include "tempdir.h"

namespace {

using kvbrowser::BrowserTable;

// --- rates -----------------------------------------------------------------------------------

TEST(CounterRates, FirstReadingHasNoRateTheNextHas)
{
    KvCounterRates rates;
    EXPECT_FALSE(rates.Read("1", 2, synCounter32, "1000", 10.0));
    const auto rate = rates.Read("1", 2, synCounter32, "1500", 12.0);
    ASSERT_TRUE(rate);
    EXPECT_DOUBLE_EQ(*rate, 250.0);
    // Each reading counts from the one before.
    EXPECT_DOUBLE_EQ(*rates.Read("1", 2, synCounter32, "1500", 17.0), 0.0);
}

TEST(CounterRates, RowsAndColumnsAreCountedApart)
{
    KvCounterRates rates;
    rates.Read("1", 2, synCounter32, "100", 0.0);
    rates.Read("2", 2, synCounter32, "1000", 0.0);
    rates.Read("1", 3, synCounter32, "5", 0.0);
    EXPECT_DOUBLE_EQ(*rates.Read("1", 2, synCounter32, "200", 1.0), 100.0);
    EXPECT_DOUBLE_EQ(*rates.Read("2", 2, synCounter32, "1010", 1.0), 10.0);
    EXPECT_DOUBLE_EQ(*rates.Read("1", 3, synCounter32, "6", 2.0), 0.5);
    EXPECT_FALSE(rates.Read("3", 2, synCounter32, "7", 2.0)) << "a new row starts without a rate";
}

TEST(CounterRates, Counter32WrapsOnceButAResetGivesNoRate)
{
    KvCounterRates rates;
    rates.Read("", 0, synCounter32, "4294967000", 0.0);
    EXPECT_DOUBLE_EQ(*rates.Read("", 0, synCounter32, "704", 2.0), 500.0); // 296 + 704 over 2 s
    // Going back by more than half the range is a restarted agent, not a wrap.
    EXPECT_FALSE(rates.Read("", 0, synCounter32, "12", 3.0));
    EXPECT_DOUBLE_EQ(*rates.Read("", 0, synCounter32, "22", 4.0), 10.0) << "counts again from the reset";

    // A 64-bit counter does not wrap in practice: going back is a reset.
    rates.Read("", 1, synCounter64, "18446744073709551000", 0.0);
    EXPECT_FALSE(rates.Read("", 1, synCounter64, "100", 1.0));
    EXPECT_DOUBLE_EQ(*rates.Read("", 1, synCounter64, "18446744073709551100", 2.0), 18446744073709551000.0)
        << "full 64 bits";
}

TEST(CounterRates, NoValueOrNoTimeGivesNoRate)
{
    KvCounterRates rates;
    rates.Read("", 0, synCounter32, "10", 1.0);
    EXPECT_FALSE(rates.Read("", 0, synCounter32, "20", 1.0)) << "no time passed";
    EXPECT_DOUBLE_EQ(*rates.Read("", 0, synCounter32, "30", 2.0), 20.0) << "from the first of the two";
    for (const char* text : {"(NULL)", "(NOTDONE)", "", "-5", "12abc"}) {
        EXPECT_FALSE(rates.Read("", 0, synCounter32, text, 3.0)) << text;
        EXPECT_FALSE(rates.Read("", 0, synCounter32, "40", 4.0)) << "starts again after " << text;
        rates.Read("", 0, synCounter32, "40", 5.0);
    }
    rates.Clear();
    EXPECT_FALSE(rates.Read("", 0, synCounter32, "50", 9.0));
}

TEST(CounterRates, CountersAndTheirText)
{
    EXPECT_TRUE(KvCounterRates::IsCounter(synCounter32));
    EXPECT_TRUE(KvCounterRates::IsCounter(synCounter64));
    EXPECT_FALSE(KvCounterRates::IsCounter(synGauge32));
    EXPECT_FALSE(KvCounterRates::IsCounter(synTimeTicks));
    EXPECT_EQ(KvCounterRates::FormatRate(0.0), "0.0");
    EXPECT_EQ(KvCounterRates::FormatRate(252500.04), "252500.0");
    EXPECT_EQ(KvCounterRates::FormatRate(0.25), "0.2");
}

// --- the catalogue against the launcher -----------------------------------------------------

TEST(BrowserCatalogue, EveryBrowserItemOfTheMenuOpensAPageOfItsProgram)
{
    std::set<std::string> started;
    for (const MenuItemDef& item : kvtables::MainMenu()) {
        if (item.action != MenuAction::browser)
            continue;
        const std::string name = item.target;
        ASSERT_EQ(name.rfind("/T", 0), 0u) << name;
        const auto tables = kvbrowser::FindBrowserPage(name.substr(2));
        EXPECT_FALSE(tables.empty()) << item.caption << " " << name;
        // The page belongs to the program the launcher starts for it.
        EXPECT_EQ(std::string(tables.front().page).rfind(launcher::ModulePrefix(name) + "_", 0), 0u) << name;
        started.insert(name.substr(2));
    }
    EXPECT_EQ(started.size(), 24u);
    const auto names = kvbrowser::BrowserPageNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), started) << "and no page that nothing starts";
    EXPECT_EQ(names.size(), 24u);
    std::set<std::string> prefixes;
    for (const std::string& name : names)
        prefixes.insert(launcher::ModulePrefix("/T" + name));
    EXPECT_EQ(prefixes, (std::set<std::string>{"MIB", "IFMib", "EthernetLike", "Bridge", "VLan", "Rmon"}));
}

TEST(BrowserCatalogue, PagesAreFoundByTheirExactNameOnly)
{
    EXPECT_EQ(kvbrowser::FindBrowserPage("Rmon_AlarmEvent").size(), 2u);
    EXPECT_EQ(kvbrowser::FindBrowserPage("Rmon_History").size(), 2u);
    EXPECT_EQ(kvbrowser::FindBrowserPage("MIB_Info").size(), 1u);
    EXPECT_TRUE(kvbrowser::FindBrowserPage("mib_info").empty());
    EXPECT_TRUE(kvbrowser::FindBrowserPage("").empty());
    EXPECT_TRUE(kvbrowser::FindBrowserPage("/TMIB_Info").empty());

    EXPECT_EQ(kvbrowser::PageParameter({"/I10.1.1.1", "/R/Tx", "/TMIB_Info", "/TBridge_Port"}), "MIB_Info");
    EXPECT_EQ(kvbrowser::PageParameter({"/I10.1.1.1", "/t161"}), "") << "/t is the port";
    EXPECT_EQ(kvbrowser::PageParameter({}), "");
}

bool IsDottedOid(const std::string& oid)
{
    if (oid.empty() || oid.front() == '.' || oid.back() == '.' || oid.find("..") != std::string::npos)
        return false;
    return std::all_of(oid.begin(), oid.end(),
                       [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); });
}

TEST(BrowserCatalogue, TablesKeepTheRulesOfTheGenericPages)
{
    std::set<std::string> names, titles;
    for (const PageCommand& page : kvtables::PageCatalogue())
        titles.insert(page.title);
    for (const BrowserTable& table : kvbrowser::BrowserTables()) {
        const PageCommand& c = table.command;
        const std::string where = c.name;
        EXPECT_TRUE(names.insert(c.name).second) << where << ": name twice";
        EXPECT_TRUE(titles.insert(c.title).second) << where << ": title \"" << c.title << "\" taken";
        const bool scalars = c.kind == kvListScalars;
        EXPECT_EQ(scalars, c.builder == PageBuilder::SetEditorPageFromList) << where;
        if (!scalars) {
            EXPECT_EQ(c.builder, PageBuilder::SetListViewPageFromList) << where;
        }
        EXPECT_EQ(c.layout, nullptr) << where;

        const KvSNMPVarList vars(c.variables, c.kind, c.keyCount);
        ASSERT_GT(vars.Count(), c.keyCount) << where;
        std::set<std::string> oids, labels;
        int counters = 0;
        for (int i = 0; i < vars.Count(); ++i) {
            const KvSNMPVar& v = vars[i];
            EXPECT_TRUE(IsDottedOid(v.oid)) << where << " " << v.oid;
            EXPECT_TRUE(oids.insert(v.oid).second) << where << " " << v.oid << " twice";
            EXPECT_TRUE(labels.insert(v.label).second) << where << " " << v.label << " twice";
            // The labels are the MIB's object names.
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(v.label[0])) && v.label.find(' ') == std::string::npos)
                << where << " \"" << v.label << "\"";
            // The index columns come first, and only they are indexes.
            EXPECT_EQ(v.access == accIdx, i < c.keyCount) << where << " " << v.label;
            EXPECT_TRUE(v.access == accIdx || v.access == accRO || v.access == accRW) << where << " " << v.label;
            if (v.options) {
                EXPECT_EQ(v.syntax, synInteger) << where << " " << v.label;
            }
            counters += KvCounterRates::IsCounter(v.syntax) ? 1 : 0;
        }
        if (table.rates) {
            EXPECT_GT(counters, 0) << where << ": rates without counters";
        }
        // Row creation and deletion write an EntryStatus column.
        const PageRowOps& ops = c.rowOps;
        if (ops.createText) {
            EXPECT_EQ(c.kind, kvListTableRows) << where;
            ASSERT_LT(ops.createIndex, vars.Count()) << where;
            const KvSNMPVar& status = vars[ops.createIndex];
            ASSERT_NE(status.options, nullptr) << where;
            EXPECT_GE(status.options->IndexOfLabel(ops.createText), 0) << where;
            EXPECT_GE(status.options->IndexOfLabel(ops.deleteText), 0) << where;
            EXPECT_EQ(ops.deleteIndex, ops.createIndex) << where;
            EXPECT_NE(status.access & accWrite, 0u) << where;
        }
    }
}

TEST(BrowserCatalogue, OnlyTheColumnsAnOperatorSetsAreWritable)
{
    std::set<std::string> writable;
    for (const BrowserTable& table : kvbrowser::BrowserTables())
        for (const VarDef* v = table.command.variables; v->oid; ++v)
            if (v->access & accWrite)
                writable.insert(std::string(table.page) + " " + v->label);
    const std::set<std::string> expected = {
        "MIB_Info sysContact",
        "MIB_Info sysName",
        "MIB_Info sysLocation",
        "MIB_IFTable ifAdminStatus",
        "IFMib_ifXEntry ifLinkUpDownTrapEnable",
        "IFMib_ifXEntry ifAlias",
        "Rmon_AlarmEvent alarmInterval",
        "Rmon_AlarmEvent alarmVariable",
        "Rmon_AlarmEvent alarmSampleType",
        "Rmon_AlarmEvent alarmStartupAlarm",
        "Rmon_AlarmEvent alarmRisingThreshold",
        "Rmon_AlarmEvent alarmFallingThreshold",
        "Rmon_AlarmEvent alarmRisingEventIndex",
        "Rmon_AlarmEvent alarmFallingEventIndex",
        "Rmon_AlarmEvent alarmOwner",
        "Rmon_AlarmEvent alarmStatus",
        "Rmon_AlarmEvent eventDescription",
        "Rmon_AlarmEvent eventType",
        "Rmon_AlarmEvent eventCommunity",
        "Rmon_AlarmEvent eventOwner",
        "Rmon_AlarmEvent eventStatus",
    };
    EXPECT_EQ(writable, expected);
}

// --- start-up over the launcher's command lines ----------------------------------------------

class BrowserStartupTest : public ::testing::Test {
protected:
    BrowserStartupTest()
    {
        registry =
            dir.write("registry.ini", "[" + std::string(KvStartup::kHostMibKey) + "]\nPath=" + dir.path() + "/\n");
    }

    void Configure(const launcher::BrowserSettings& settings)
    {
        const QStringList words = QString::fromStdString(launcher::BrowserCommandLine("/TMIB_Info", settings))
                                      .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        std::vector<std::string> parameters;
        for (qsizetype i = 1; i < words.size(); ++i)
            parameters.push_back(words[i].toStdString());
        KvStartup startup(KvRegistry(registry), device, security, scope);
        ASSERT_EQ(KvBrowserStartup::Configure(startup, parameters), KvStartup::Result::Ready);
        texts = startup.Texts();
    }

    static launcher::BrowserSettings Settings()
    {
        launcher::BrowserSettings s;
        s.texts.AgentAddress = "10.1.1.1";
        s.texts.ReadCommunity = "ravine";
        s.texts.WriteCommunity = "lantern";
        s.device.port = 2161;
        return s;
    }

    TempDir dir;
    std::string registry;
    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
    KvStartupTexts texts;
};

TEST_F(BrowserStartupTest, Snmpv3SwitchesBeforeTheVersionCountAsTheMainWindowsDid)
{
    launcher::BrowserSettings s = Settings();
    s.security.version = kvVersion3;
    s.security.securityModel = 3;
    s.security.securityName = "sha-user";
    s.security.securityLevel = 3;
    s.security.authProtocol = kvAuthSha;
    s.security.authPassword = "auth-pass";
    s.security.privProtocol = kvPrivAes128;
    s.security.privPassword = "priv-pass";
    s.scope.contextName = "ctx";
    Configure(s);
    EXPECT_EQ(device.address, "10.1.1.1");
    EXPECT_EQ(device.port, 2161) << "/t comes before /v3 on the launcher's line";
    EXPECT_EQ(security.version, kvVersion3);
    EXPECT_EQ(security.securityModel, 3);
    EXPECT_EQ(security.securityName, "sha-user");
    EXPECT_EQ(security.securityLevel, 3);
    EXPECT_EQ(security.authProtocol, kvAuthSha);
    EXPECT_EQ(security.authPassword, "auth-pass");
    EXPECT_EQ(security.privProtocol, kvPrivAes128);
    EXPECT_EQ(security.privPassword, "priv-pass");
    EXPECT_EQ(scope.contextName, "ctx");
    EXPECT_EQ(security.readCommunity, "ravine");
    EXPECT_EQ(texts.AgentAddress, "10.1.1.1");
}

TEST_F(BrowserStartupTest, Snmpv2cLineLeavesThePortToTheIniFile)
{
    dir.write("10.1.1.1.cfg", "[Program Information]\nAgentPort=1161\nVersion=1\nContextName=\nContextEngineID=\n"
                              "SecurityModel=1\nSecurityLevel=0\nSecurityName=\nAuthProtocol=0\nPrivProtocol=0\n"
                              "AuthPassword=\nPrivPassword=\n");
    launcher::BrowserSettings s = Settings();
    s.security.version = kvVersion2c;
    s.texts.IniFileFound = true;
    s.texts.IniVersion = "1";
    Configure(s);
    EXPECT_EQ(device.port, 1161);
    EXPECT_EQ(security.version, kvVersion2c);
    EXPECT_EQ(security.writeCommunity, "lantern");
    EXPECT_TRUE(texts.IniFileFound);
}

TEST_F(BrowserStartupTest, IniFileWithVersion3WinsAsInTheMainWindow)
{
    dir.write("10.1.1.1.cfg", "[Program Information]\nAgentPort=3161\nVersion=3\nContextName=\nContextEngineID=\n"
                              "SecurityModel=3\nSecurityLevel=2\nSecurityName=ini-user\nAuthProtocol=1\n"
                              "PrivProtocol=1\nAuthPassword=ini-auth\nPrivPassword=ini-priv\n");
    launcher::BrowserSettings s = Settings();
    s.texts.IniFileFound = true;
    s.texts.IniVersion = "3";
    s.security.version = kvVersion3;
    s.security.securityName = "ini-user";
    s.device.port = 3161;
    Configure(s);
    EXPECT_EQ(device.port, 3161);
    EXPECT_EQ(security.securityLevel, 3);
    EXPECT_EQ(security.securityName, "ini-user");
    EXPECT_EQ(security.authProtocol, kvAuthMd5);
    EXPECT_EQ(security.authPassword, "ini-auth");
}

} // namespace

// The export's parts without a switch: command line, page look-up, output
// formats, status line and the choice of variables.
#include <gtest/gtest.h>

#include <sstream>

#include "common/kvdelimitedwriter.h"
#include "export/kvexportoptions.h"
#include "export/kvjsonwriter.h"
#include "export/kvpageexporter.h"
#include "export/kvpagelookup.h"
#include "common/kvstatusline.h"
#include "export/kvstatusline.h"
#include "common/kvutf8.h"
#include "tables/pagecatalogue.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

using Action = KvExportOptions::Action;
using Format = KvExportOptions::Format;

std::string ParseError(const std::vector<std::string>& arguments)
{
    KvExportOptions options;
    std::string error;
    EXPECT_FALSE(options.Parse(arguments, error)) << "accepted where it should not";
    return error;
}

// ---------------------------------------------------------------------------

TEST(ExportOptions, KeepsSwitchesInOrderAndReadsActionAndFormat)
{
    KvExportOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"/I10.1.1.1", "--page", "Port Control Table", "/Rpub lic", "--csv", "/v1"}, error))
        << error;
    EXPECT_EQ(options.action, Action::Page);
    EXPECT_EQ(options.page, "Port Control Table");
    EXPECT_EQ(options.format, Format::Csv);
    EXPECT_EQ(options.parameters, (std::vector<std::string>{"/I10.1.1.1", "/Rpub lic", "/v1"}));

    ASSERT_TRUE(options.Parse({"--page=Trap Management ", "--json", "--json"}, error)) << error;
    EXPECT_EQ(options.page, "Trap Management ");
    EXPECT_EQ(options.format, Format::Json);

    ASSERT_TRUE(options.Parse({"--all"}, error)) << error;
    EXPECT_EQ(options.action, Action::All);
    EXPECT_EQ(options.format, Format::Tsv);

    ASSERT_TRUE(options.Parse({"--list", "--help"}, error)) << error;
    EXPECT_EQ(options.action, Action::Help);
}

TEST(ExportOptions, UsageErrorsSayWhatIsWrong)
{
    EXPECT_NE(ParseError({}).find("nothing to do"), std::string::npos);
    EXPECT_NE(ParseError({"/I10.1.1.1"}).find("nothing to do"), std::string::npos);
    EXPECT_NE(ParseError({"--page"}).find("needs a page title"), std::string::npos);
    EXPECT_NE(ParseError({"--page", "  "}).find("needs a page title"), std::string::npos);
    EXPECT_NE(ParseError({"--list", "--all"}).find("only one of --page, --list and --all"), std::string::npos);
    EXPECT_NE(ParseError({"--page", "A", "--page", "B"}).find("--page only once"), std::string::npos);
    EXPECT_NE(ParseError({"--all", "--csv", "--json"}).find("only one of --tsv"), std::string::npos);
    EXPECT_NE(ParseError({"--all", "--xml"}).find("unknown option '--xml'"), std::string::npos);
    // An unquoted title leaves words behind that are no switches.
    EXPECT_NE(ParseError({"--page", "Port", "Control", "Table"}).find("unexpected parameter 'Control'"),
              std::string::npos);
}

// ---------------------------------------------------------------------------

TEST(ExportLookup, ExactTitleFirstThenTrimmedThenCaseThenName)
{
    // Two pages differ only by a trailing blank: each exact title finds its own.
    auto found = KvPageLookup::Find("Trap Management");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "TrapManagement1");
    EXPECT_EQ(found.match, KvPageLookup::Match::Exact);
    found = KvPageLookup::Find("Trap Management ");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "TrapManagement2");
    EXPECT_EQ(found.match, KvPageLookup::Match::Exact);

    // The catalogue's title ends in a blank the operator did not type.
    found = KvPageLookup::Find("Session Information");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->title, "Session Information ");
    EXPECT_EQ(found.match, KvPageLookup::Match::Trimmed);

    found = KvPageLookup::Find("  port CONTROL table ");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "PortControl1");
    EXPECT_EQ(found.match, KvPageLookup::Match::IgnoringCase);

    // A shared title gives the first in menu order; the component name the other.
    found = KvPageLookup::Find("Target Address Table");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "CommunityTargetAddressTable");
    found = KvPageLookup::Find("TargetAddressTable1");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "TargetAddressTable1");
    EXPECT_EQ(found.match, KvPageLookup::Match::Name);
}

TEST(ExportLookup, MibBrowserPagesByTitleOrPageName)
{
    auto found = KvPageLookup::Find("IF Counters");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "MIB_IFCounters");
    EXPECT_EQ(found.match, KvPageLookup::Match::Exact);
    // A page of two tables: each table by its own name.
    found = KvPageLookup::Find("Rmon_AlarmEvent.eventTable");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->title, "Event Table");
    EXPECT_EQ(found.match, KvPageLookup::Match::Name);
    // The main menu's pages keep their titles: "Statistics" is the USM page.
    found = KvPageLookup::Find("Statistics");
    ASSERT_TRUE(found.page);
    EXPECT_STREQ(found.page->name, "Statistics2");
    auto close = KvPageLookup::Suggest("rmon statistic");
    ASSERT_FALSE(close.empty());
    EXPECT_EQ(close.front(), "RMON Statistics");
}

TEST(ExportLookup, PortMenuPagesAndUnknownTitlesAreNotFound)
{
    EXPECT_FALSE(KvPageLookup::Find("Port Configuration").page);
    EXPECT_TRUE(KvPageLookup::IsPortPageTitle("port configuration"));
    // The same title is also a page of the main menu, which is found.
    EXPECT_TRUE(KvPageLookup::Find("Port Information Table").page);
    EXPECT_FALSE(KvPageLookup::IsPortPageTitle("Port Information Table"));
    EXPECT_FALSE(KvPageLookup::Find("").page);
    EXPECT_FALSE(KvPageLookup::Find("Vlan Table").page);
}

TEST(ExportLookup, SuggestsCloseTitles)
{
    auto close = KvPageLookup::Suggest("Port Contrl Table");
    ASSERT_FALSE(close.empty());
    EXPECT_EQ(close.front(), "Port Control Table");

    // Titles that contain the text come first, each title once.
    close = KvPageLookup::Suggest("igmp");
    ASSERT_GE(close.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(close[i].rfind("IGMP", 0), 0u) << close[i];

    close = KvPageLookup::Suggest("Target Address Table", 10);
    EXPECT_EQ(std::count(close.begin(), close.end(), "Target Address Table"), 1);

    EXPECT_TRUE(KvPageLookup::Suggest("qqqqqqqqqqqqqqqqqqqq").empty());
    EXPECT_LE(KvPageLookup::Suggest("Table", 3).size(), 3u);
}

// ---------------------------------------------------------------------------

TEST(ExportFormats, TabSeparatedEscapesSeparatorsAndKeepsBlanks)
{
    std::ostringstream out;
    KvDelimitedWriter writer(out, KvDelimitedWriter::Style::Tsv);
    writer.BeginDocument(true);
    writer.BeginPage({"Trap Management ", "TrapManagement2", true}, {"A", "B\tC"});
    writer.Row({"a\tb", "line1\nline2\r\\"});
    writer.EndPage("");
    writer.BeginPage({"Device Control", "DeviceControl1", false}, {});
    writer.Variable("System IP", " 10.1.1.1 ");
    writer.EndPage("");
    writer.EndDocument();
    EXPECT_EQ(out.str(), "# Trap Management \n"
                         "A\tB\\tC\n"
                         "a\\tb\tline1\\nline2\\r\\\\\n"
                         "\n"
                         "# Device Control\n"
                         "System IP\t 10.1.1.1 \n");
}

TEST(ExportFormats, CommaSeparatedQuotesOnlyWhereNeeded)
{
    std::ostringstream out;
    KvDelimitedWriter writer(out, KvDelimitedWriter::Style::Csv);
    writer.BeginDocument(false);
    writer.BeginPage({"T", "N", true}, {"Up Time", "Name"});
    writer.Row({"3 days, 04:12:55", "say \"hi\""});
    writer.Row({"two\nlines", "plain"});
    writer.EndPage("");
    writer.BeginPage({"One", "N", true}, {"Only"});
    writer.Row({""});
    writer.EndPage("");
    EXPECT_EQ(out.str(), "Up Time,Name\n"
                         "\"3 days, 04:12:55\",\"say \"\"hi\"\"\"\n"
                         "\"two\nlines\",plain\n"
                         "Only\n"
                         "\"\"\n");
}

TEST(ExportFormats, StrayBytesBecomeLatin1CharactersInEveryFormat)
{
    // 0x80 alone, an overlong form of '/', a cut sequence; valid "é" and "€" stay.
    const std::string raw = std::string("\x80") + "\xC0\xAF" + "\xC3\xA9" + "\xE2\x82\xAC" + "\xE2\x82";
    EXPECT_EQ(KvUtf8::Repair(raw), "\xC2\x80"
                                   "\xC3\x80\xC2\xAF"
                                   "\xC3\xA9"
                                   "\xE2\x82\xAC"
                                   "\xC3\xA2\xC2\x82");
    EXPECT_EQ(KvJsonWriter::Quote(raw), "\"\\u0080\\u00C0\\u00AF\xC3\xA9\xE2\x82\xAC\\u00E2\\u0082\"");
    // Surrogates and code points beyond U+10FFFF are no valid UTF-8 either.
    EXPECT_EQ(KvUtf8::SequenceLength("\xED\xA0\x80", 0), 0u);
    EXPECT_EQ(KvUtf8::SequenceLength("\xF4\x90\x80\x80", 0), 0u);
    EXPECT_EQ(KvUtf8::SequenceLength("\xF0\x9F\x98\x80", 0), 4u);
    EXPECT_EQ(KvJsonWriter::Quote(std::string("a\"\\\x01\x7F\t", 6)), "\"a\\\"\\\\\\u0001\\u007F\\t\"");
}

TEST(ExportFormats, JsonPageWithErrorIsStillOneCompleteObject)
{
    std::ostringstream out;
    KvJsonWriter writer(out);
    writer.BeginDocument(false);
    writer.BeginPage({"Port Control Table", "PortControl1", true}, {"Port Index", "State"});
    writer.Row({"1", "enabled"});
    writer.EndPage("Get: (VoDADI++) Time out! Request: Port Control Table. Receive at 01:02:03 PM.");
    writer.EndDocument();
    EXPECT_EQ(out.str(),
              "{\"title\": \"Port Control Table\", \"name\": \"PortControl1\", \"kind\": \"table\",\n"
              " \"columns\": [\"Port Index\", \"State\"],\n"
              " \"rows\": [\n"
              "  [\"1\", \"enabled\"]\n"
              " ],\n"
              " \"error\": \"Get: (VoDADI++) Time out! Request: Port Control Table. Receive at 01:02:03 PM.\"}\n");

    std::ostringstream none;
    KvJsonWriter empty(none);
    empty.BeginDocument(true);
    empty.EndDocument();
    EXPECT_EQ(none.str(), "[\n]\n");
}

// ---------------------------------------------------------------------------

TEST(ExportStatusLine, FillsTheGetTemplateOnce)
{
    const std::string pattern = "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].";
    const KvStatusTime afternoon{14, 5, 9};
    EXPECT_EQ(KvStatusLine::Fill(pattern, "(VoDADI++) Time out!", " Port Control Table", afternoon),
              "Get: (VoDADI++) Time out! Request: Port Control Table. Receive at 02:05:09 PM.");

    const KvStatusTime midnight{};
    EXPECT_EQ(KvStatusLine::Fill(pattern, "(VoDADI++) Ok!", "", midnight),
              "Get: (VoDADI++) Ok!. Receive at 12:00:00 AM.");
    // A message holding a field name is not filled in again.
    EXPECT_EQ(KvStatusLine::Fill(pattern, "[TIME] [VARLIST]", " X", midnight),
              "Get: [TIME] [VARLIST] Request: X. Receive at 12:00:00 AM.");
    EXPECT_EQ(KvExportStatusLine("m", " Page").rfind("Get: m Request: Page. Receive at ", 0), 0u);
}

// ---------------------------------------------------------------------------

TEST(ExportColumns, FollowTheListViewsVisibleColumns)
{
    const VarDef table[] = {
        {"1.3.6.1.4.1.9.1", "index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.2", "read-only", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.3", "write-only", synInteger, accWrite, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.4", "hidden", synInteger, accRW | accHidden, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.5", "skipped", synInteger, accRW | accSkip, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.6", "shown flag", synInteger, accShown, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.7", "no flags", synInteger, 0, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.9.8", "implied index", synDisplayString, accIdxImplied, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    const KvSNMPVarList list(table, kvListTableRows, 1);
    EXPECT_EQ(KvPageExporter::ShownVariables(list), (std::vector<int32_t>{0, 1, 5, 7}));
}

} // namespace

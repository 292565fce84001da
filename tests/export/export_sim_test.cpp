// osprey-export against the switch simulator, run as the operator runs it: the
// program's switches, a registry stand-in and the per-switch INI file that
// gives the simulator's port.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "brokenagent.h"
#include "exportrun.h"
#include "exportsetup.h"
#include "netsnmpwalk.h"
#include "osprey_config.h"
#include "snmpdfixture.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

const std::string kEnt = OSPREY_ENT_OID;

// Value names as the switch's documentation gives them (deliberately not the
// program's own tables).
const std::map<std::string, std::string> kState = {{"1", "other"}, {"2", "disabled"}, {"3", "enabled"}};
const std::map<std::string, std::string> kReboot = {
    {"1", "other"}, {"2", "reboot"}, {"3", "save-config-and-reboot"}, {"4", "reboot-and-load-factory-default-config"}};
const std::map<std::string, std::string> kNway = {{"1", "nway-auto"},
                                                  {"2", "nway-disabled-10Mbps-Half"},
                                                  {"3", "nway-disabled-10Mbps-Full"},
                                                  {"4", "nway-disabled-100Mbps-Half"},
                                                  {"5", "nway-disabled-100Mbps-Full"},
                                                  {"6", "nway-disabled-1Gigabps-Half"},
                                                  {"7", "nway-disabled-1Gigabps-Full"}};

std::string Named(const std::map<std::string, std::string>& names, const std::string& value)
{
    const auto found = names.find(value);
    return found == names.end() ? value : found->second;
}

// Runs python3 with the arguments (in `directory` when given); -1 without python3.
int RunPython(const std::string& arguments, std::string* output = nullptr, const std::string& directory = "")
{
    const std::string python = PYTHON3_EXECUTABLE;
    if (python.empty())
        return -1;
    const std::string log = std::filesystem::temp_directory_path() / ("kvexport-py-" + std::to_string(::getpid()));
    const std::string cd = directory.empty() ? "" : "cd '" + directory + "' && ";
    const int status = std::system((cd + "'" + python + "' " + arguments + " > '" + log + "' 2>&1").c_str());
    if (output) {
        std::ifstream in(log);
        output->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(log);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

size_t Count(const std::vector<std::string>& lines, const std::string& prefix)
{
    size_t n = 0;
    for (const std::string& line : lines)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

class ExportSim : public ::testing::Test {
protected:
    void StartSimulator(std::vector<std::string> extraArgs = {})
    {
        sim_ = std::make_unique<SimFixture>(SimFixture::Options{.extraArgs = std::move(extraArgs)});
        std::string error;
        ASSERT_TRUE(sim_->start(&error)) << error;
        setup_.WriteIniFile("127.0.0.1", sim_->port());
    }

    ExportResult Export(const std::vector<std::string>& options, int limitMs = 60000)
    {
        std::vector<std::string> arguments{"/I127.0.0.1", "/Rravine", "/Wlantern"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        return process.Run(arguments, limitMs);
    }

    std::vector<WalkEntry> Walk(const std::string& column, const std::vector<std::string>& extra = {})
    {
        return NetSnmpWalk({"-v2c", "-c", "ravine", "-t", "2", sim_->peer()}, column, extra);
    }

    // Titles of every page, from --list.
    std::vector<std::string> CatalogueTitles()
    {
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        const ExportResult list = process.Run({"--list"});
        std::vector<std::string> titles;
        const auto lines = list.OutLines();
        for (size_t i = 1; i < lines.size(); ++i)
            titles.push_back(SplitTabs(lines[i]).at(0));
        return titles;
    }

    std::string File(const std::string& name) const { return setup_.Directory() + "/" + name; }

    void Save(const std::string& name, const std::string& text) const { std::ofstream(File(name)) << text; }

    ExportSetup setup_;
    std::unique_ptr<SimFixture> sim_;
};

TEST_F(ExportSim, ScalarPageIsOneLinePerVariableWithValueNames)
{
    StartSimulator();
    const auto walk = Walk(kEnt + ".11.36.2.5.2");
    ASSERT_EQ(walk.size(), 7u);
    const std::vector<std::string> labels = {
        "System Reboot State",           "System IP",          "Subnet Mask", "Default Gateway", "Management VLan Id",
        "Spanning Tree Algorithm State", "IGMP Snooping State"};
    std::vector<std::string> expected;
    for (size_t i = 0; i < walk.size(); ++i) {
        ASSERT_EQ(walk[i].instance, std::to_string(i + 1) + ".0");
        const std::string value = i == 0   ? Named(kReboot, walk[i].value)
                                  : i >= 5 ? Named(kState, walk[i].value)
                                           : walk[i].value;
        expected.push_back(labels[i] + "\t" + value);
    }
    const ExportResult result = Export({"--page", "Device Control"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.OutLines(), expected);
    // The states are shown by name, not number.
    EXPECT_TRUE(expected[5] == labels[5] + "\tenabled" || expected[5] == labels[5] + "\tdisabled") << expected[5];
}

TEST_F(ExportSim, TablePageIsHeaderAndOneLinePerRow)
{
    StartSimulator();
    const std::string column = kEnt + ".11.36.2.6.2.1.";
    const auto admin = Walk(column + "2");
    const auto nway = Walk(column + "3");
    const auto flow = Walk(column + "4");
    ASSERT_GE(admin.size(), 24u);
    ASSERT_EQ(nway.size(), admin.size());
    ASSERT_EQ(flow.size(), admin.size());

    const ExportResult result = Export({"--page", "Port Control Table"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto lines = result.OutLines();
    ASSERT_EQ(lines.size(), admin.size() + 1);
    EXPECT_EQ(lines[0], "Port Index\tAdministration State\tNway State\tFlow Control State");
    for (size_t i = 0; i < admin.size(); ++i)
        EXPECT_EQ(lines[i + 1], admin[i].instance + "\t" + Named(kState, admin[i].value) + "\t" +
                                    Named(kNway, nway[i].value) + "\t" + Named(kState, flow[i].value));
}

TEST_F(ExportSim, MibBrowserTableWith64BitCounters)
{
    StartSimulator();
    const auto octets = Walk("1.3.6.1.2.1.31.1.1.1.6");
    ASSERT_EQ(octets.size(), 27u) << "26 ports and the VLAN interface";
    const ExportResult result = Export({"--page", "IFMib_ifXEntry"});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = result.OutLines();
    ASSERT_EQ(lines.size(), octets.size() + 1);
    const auto header = SplitTabs(lines[0]);
    ASSERT_GE(header.size(), 7u);
    EXPECT_EQ(header[0], "ifIndex");
    EXPECT_EQ(header[6], "ifHCInOctets");
    for (size_t i = 0; i < octets.size(); ++i) {
        const auto fields = SplitTabs(lines[i + 1]);
        EXPECT_EQ(fields[0], octets[i].instance);
        // Read later than snmpwalk's: a counter that moves only grows.
        EXPECT_GE(std::stoull(fields[6]), std::stoull(octets[i].value)) << lines[i + 1];
    }
    EXPECT_GT(std::stoull(SplitTabs(lines.back())[6]), 0xFFFFFFFFull) << "beyond 32 bits";
}

TEST_F(ExportSim, PortListsAreShownAsHexadecimal)
{
    StartSimulator();
    const auto portMaps = Walk(kEnt + ".12.2.3.7.1.4", {"-Ox"});
    ASSERT_FALSE(portMaps.empty());

    const ExportResult result = Export({"--page", "IGMP Information"});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = result.OutLines();
    ASSERT_EQ(lines.size(), portMaps.size() + 1);
    EXPECT_EQ(lines[0], "Vid\tGroup IP Address\tMAC Address\tPort Map\tIP Group Report Count");
    for (size_t i = 0; i < portMaps.size(); ++i) {
        // Instance: VLAN id, then the group address.
        std::string instance = portMaps[i].instance;
        const std::string vid = TakeArc(instance);
        const auto fields = SplitTabs(lines[i + 1]);
        ASSERT_EQ(fields.size(), 5u) << lines[i + 1];
        EXPECT_EQ(fields[0], vid);
        EXPECT_EQ(fields[1], instance);
        EXPECT_EQ(fields[3], portMaps[i].value);
    }
}

TEST_F(ExportSim, AllExportsEveryPageInMenuOrderWithoutError)
{
    StartSimulator();
    const std::vector<std::string> titles = CatalogueTitles();
    ASSERT_GT(titles.size(), 70u);

    const ExportResult result = Export({"--all"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    std::vector<std::string> headings;
    for (const std::string& line : result.OutLines())
        if (line.rfind("# ", 0) == 0)
            headings.push_back(line.substr(2));
    EXPECT_EQ(headings, titles);
}

TEST_F(ExportSim, TheThreeFormatsParseBackToTheSameValues)
{
    StartSimulator();
    // A fourth read after the others tells counters and clocks that moved.
    for (const std::string format : {"tsv", "csv", "json", "tsv"}) {
        const std::string suffix = std::filesystem::exists(File("all." + format)) ? format + ".again" : format;
        const ExportResult all = Export({"--all", "--" + format});
        ASSERT_EQ(all.status, 0) << format << ": " << all.err;
        Save("all." + suffix, all.out);
        // A scalar page whose values hold commas.
        const ExportResult one = Export({"--page", "Current Time", "--" + format});
        ASSERT_EQ(one.status, 0) << format << ": " << one.err;
        Save("one." + suffix, one.out);
    }
    const std::string script = std::string(EXPORT_TEST_SOURCE_DIR) + "/check_formats.py";
    for (const std::string files : {"'all.tsv' 'all.csv' 'all.json' 'all.tsv.again'",
                                    "--single 'one.tsv' 'one.csv' 'one.json' 'one.tsv.again'"}) {
        std::string output;
        const int status = RunPython("'" + script + "' " + files, &output, setup_.Directory());
        if (status == -1)
            GTEST_SKIP() << "python3 is not available";
        EXPECT_EQ(status, 0) << files << ": " << output;
    }
}

TEST_F(ExportSim, AnErrorAnswerFailsThePageAndNamesItInTheStatusLine)
{
    StartSimulator({"--error-oid", kEnt + ".11.36.2.5.2=genErr"});
    ExportResult result = Export({"--page", "Device Control"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    ASSERT_EQ(result.ErrLines().size(), 1u) << result.err;
    EXPECT_EQ(result.ErrLines()[0].rfind("Get: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(" Request: Device Control. Receive at "), std::string::npos) << result.err;

    // The other pages are still read; the exit status tells that one failed.
    result = Export({"--all"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.ErrLines().size(), 1u) << result.err;
    EXPECT_EQ(Count(result.OutLines(), "# "), CatalogueTitles().size());
}

TEST_F(ExportSim, NoAnswerStopsAllAfterTheFirstPageAndTheJsonStillParses)
{
    SilentPort silent;
    setup_.WriteIniFile("127.0.0.1", silent.Port());
    const ExportResult result = Export({"--all", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(result.timedOut);
    const auto err = result.ErrLines();
    ASSERT_EQ(err.size(), 2u) << result.err;
    EXPECT_EQ(err[0].rfind("Get: ", 0), 0u);
    EXPECT_NE(err[0].find(" Request: Device Information. "), std::string::npos) << err[0];
    EXPECT_NE(err[1].find("no answer from the switch"), std::string::npos) << err[1];

    Save("silent.json", result.out);
    std::string output;
    const int status = RunPython("-c \"import json,sys; pages=json.load(open(sys.argv[1])); "
                                 "assert len(pages)==1 and pages[0]['error'].startswith('Get: '), pages\" '" +
                                     File("silent.json") + "'",
                                 &output);
    if (status == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(status, 0) << output;
}

// The rows of a walk the agent stops answering are kept, and the error is
// the walk's: with GETNEXT (OSPREY_GETNEXT) every request brings one row;
// with GETBULK the first brings 25 rows.
void ExpectCutShortWalk(const ExportResult& result, const std::string& file, int rows)
{
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(" Request: Port Control Table. "), std::string::npos) << result.err;
    std::string output;
    const std::string last = std::to_string(rows);
    const int status = RunPython("-c \"import json,sys; page=json.load(open(sys.argv[1])); "
                                 "assert len(page['rows'])==" +
                                     last + " and page['rows'][-1][0]=='" + last +
                                     "', page; assert page['error'].startswith('Get: '), page\" '" + file + "'",
                                 &output);
    if (status == -1)
        GTEST_SKIP() << "python3 is not available";
    EXPECT_EQ(status, 0) << output;
}

TEST_F(ExportSim, AWalkCutShortKeepsTheRowsThatArrived)
{
    StartSimulator({"--stop-after", "4"});
    ::setenv("OSPREY_GETNEXT", "1", 1);
    const ExportResult result = Export({"--page", "Port Control Table", "--json"});
    ::unsetenv("OSPREY_GETNEXT");
    Save("cut.json", result.out);
    ExpectCutShortWalk(result, File("cut.json"), 4);
}

TEST_F(ExportSim, ABulkWalkCutShortKeepsTheRowsThatArrived)
{
    StartSimulator({"--stop-after", "1"});
    const ExportResult result = Export({"--page", "Port Control Table", "--json"});
    Save("cut.json", result.out);
    ExpectCutShortWalk(result, File("cut.json"), 25);
}

TEST_F(ExportSim, TableRowsAreWrittenAsTheyArrive)
{
    // Every answer comes late, so the whole walk takes seconds.
    StartSimulator({"--delay", "200"});
    ExportProcess process(setup_.Directory(), setup_.RegistryPath());
    std::vector<std::string> first;
    ASSERT_TRUE(
        process.StartAndReadLines({"/I127.0.0.1", "/Rravine", "--page", "Port Control Table"}, 2, 30000, first));
    EXPECT_EQ(first[1].rfind("1\t", 0), 0u) << first[1];
    EXPECT_TRUE(process.Running()) << "the first row came only with the end of the walk";
    const ExportResult rest = process.Finish();
    EXPECT_EQ(rest.status, 0) << rest.err;
    EXPECT_GE(rest.OutLines().size(), 20u);
}

TEST_F(ExportSim, AWalkThatComesBackToWhereItWasIsStoppedWithAnError)
{
    // "Power Table": three read-only columns; the agent answers row 1, row 2,
    // row 1, ... for ever. The walk ends where the answers go back, and the
    // page fails: the table written is short.
    const std::string entry = kEnt + ".12.11.1.6.1.";
    BrokenAgent agent({entry + "1", entry + "2", entry + "3"}, {{"1"}, {"2"}});
    ASSERT_NE(agent.Port(), 0);
    setup_.WriteIniFile("127.0.0.1", agent.Port());
    const ExportResult result = Export({"--page", "Power Table"}, 30000);
    EXPECT_FALSE(result.timedOut) << "the walk did not stop";
    EXPECT_EQ(result.status, 1) << result.err;
    ASSERT_EQ(result.ErrLines().size(), 1u) << result.err;
    const std::string expected = "Get: (SNMPClass) Agent answered out of order, table walk stopped! Request: Power "
                                 "Table. Receive at ";
    EXPECT_EQ(result.ErrLines()[0].substr(0, expected.size()), expected);
    // Rows 1 and 2 were real answers; the repeat of row 1 is not written.
    EXPECT_EQ(result.OutLines().size(), 3u) << result.out;
    EXPECT_EQ(agent.Answered(), 3);
}

// The figures of one --stats line ("stats: <title>: name=value ...").
std::map<std::string, long> StatsFigures(const std::string& line)
{
    std::map<std::string, long> figures;
    std::istringstream words(line.substr(line.rfind(": ") + 2));
    std::string word;
    while (words >> word) {
        const size_t equals = word.find('=');
        if (equals != std::string::npos)
            figures[word.substr(0, equals)] = std::stol(word.substr(equals + 1));
    }
    return figures;
}

TEST_F(ExportSim, StatsGiveOneLinePerPageAndAnAgentGivingFewBindingsTheSameRows)
{
    StartSimulator();
    const ExportResult plain = Export({"--page", "Port Control Table", "--stats"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(plain.ErrLines().size(), 1u) << plain.err;
    EXPECT_EQ(plain.ErrLines()[0].rfind("stats: Port Control Table: requests=", 0), 0u) << plain.err;
    auto figures = StatsFigures(plain.ErrLines()[0]);
    EXPECT_EQ(figures["requests"], 2); // 25 rows, then the rest and the end
    EXPECT_EQ(figures["retries"], 0);
    EXPECT_GE(figures["bindings"], 27 * 3);
    EXPECT_GT(figures["bytes"], figures["bindings"] * 10);
    EXPECT_GE(figures["time_ms"], figures["rtt_ms"]);
    // The second request asked for four times as many rows as the first and
    // came back whole: the next would ask for four times as many again.
    EXPECT_EQ(figures["size"], 1200);

    // At most 40 bindings an answer: still GETBULK, with the same rows.
    StartSimulator({"--bulk-max-bindings", "40"});
    const ExportResult capped = Export({"--page", "Port Control Table", "--stats"});
    EXPECT_EQ(capped.status, 0) << capped.err;
    EXPECT_EQ(capped.out, plain.out);
    ASSERT_EQ(capped.ErrLines().size(), 1u) << capped.err;
    figures = StatsFigures(capped.ErrLines()[0]);
    EXPECT_EQ(figures["size"], 39); // 13 rows of 3 columns
    EXPECT_EQ(figures["requests"], 3);

    // A page of scalars is one get and no walk.
    const ExportResult scalars = Export({"--page", "Device Control", "--stats"});
    ASSERT_EQ(scalars.ErrLines().size(), 1u) << scalars.err;
    EXPECT_EQ(StatsFigures(scalars.ErrLines()[0])["requests"], 0);
}

TEST_F(ExportSim, TitlesAreMatchedWithoutTheirTrailingBlanks)
{
    StartSimulator();
    const ExportResult trimmed = Export({"--page", "session information", "--json"});
    EXPECT_EQ(trimmed.status, 0) << trimmed.err;
    EXPECT_EQ(trimmed.out.rfind("{\"title\": \"Session Information \", \"name\": \"SessionInformation1\"", 0), 0u)
        << trimmed.out;
}

// ---------------------------------------------------------------------------
// Many switches in parallel: no window system, no file left behind but the
// boot counter, which goes where it is told.

// Every file below `directory`, relative to it.
std::vector<std::string> FilesBelow(const std::string& directory)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory))
        if (!entry.is_directory())
            files.push_back(std::filesystem::relative(entry.path(), directory).string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string BootsIn(const std::string& directory)
{
    std::ifstream in(directory + "/KvSNMP_PP_BootCounter");
    std::string encoded, boots;
    in >> encoded >> boots;
    return boots;
}

TEST_F(ExportSim, LeavesNoFileButTheBootCounterAndThatWhereItIsTold)
{
    StartSimulator();
    const std::string home = File("home");
    const std::string counters = File("counters");
    const std::string other = File("other");
    for (const std::string& d : {home, counters, other})
        std::filesystem::create_directory(d);
    const std::vector<std::string> before = FilesBelow(setup_.Directory());

    auto run = [&](const std::vector<std::string>& options, const std::string& variable) {
        std::vector<std::string> arguments{"/I127.0.0.1", "/Rravine", "/Wlantern", "--page", "Port Control Table"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        process.environment = {{"HOME", home},
                               {"DISPLAY", ""},
                               {"WAYLAND_DISPLAY", ""},
                               {"QT_QPA_PLATFORM", ""},
                               {"OSPREY_BOOT_COUNTER_DIR", variable}};
        return process.Run(arguments);
    };

    // The environment variable places it; nothing else appears anywhere.
    ExportResult result = run({}, counters);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines().size(), 27u);
    EXPECT_EQ(FilesBelow(setup_.Directory()), [&] {
        std::vector<std::string> files = before;
        files.push_back("counters/KvSNMP_PP_BootCounter");
        std::sort(files.begin(), files.end());
        return files;
    }());
    EXPECT_EQ(BootsIn(counters), "1");
    ASSERT_EQ(run({}, counters).status, 0);
    EXPECT_EQ(BootsIn(counters), "2");

    // The option wins over the variable.
    ASSERT_EQ(run({"--boot-counter-dir", other}, counters).status, 0);
    EXPECT_EQ(BootsIn(other), "1");
    EXPECT_EQ(BootsIn(counters), "2");
    ASSERT_EQ(run({"--boot-counter-dir=" + other}, "").status, 0);
    EXPECT_EQ(BootsIn(other), "2");

    // Neither: the working directory, as the program keeps it.
    ASSERT_EQ(run({}, "").status, 0);
    EXPECT_EQ(BootsIn(setup_.Directory()), "1");

    // A directory that is not there is named, and nothing is read.
    result = run({"--boot-counter-dir", File("missing")}, "");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("(VoDADI++) Error when saving SNMP engine boots counter!"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("the directory \"" + File("missing") + "\", which must exist and be writable"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(File("missing")));
}

// ---------------------------------------------------------------------------
// Usage errors: nothing is started, nothing is sent.

class ExportUsage : public ::testing::Test {
protected:
    ExportResult Run(const std::vector<std::string>& arguments)
    {
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        return process.Run(arguments);
    }
    bool EngineStarted() const { return std::filesystem::exists(setup_.Directory() + "/KvSNMP_PP_BootCounter"); }
    ExportSetup setup_;
};

TEST_F(ExportUsage, MistakesExitWithStatusTwoAndTheOptions)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"--page"},
                                               {"--all", "--list"},
                                               {"--all", "--csv", "--json"},
                                               {"--bogus"},
                                               {"/I127.0.0.1", "--page", "Port", "Control", "Table"},
                                               {"/I127.0.0.1", "--all", "--boot-counter-dir"},
                                               {"/I127.0.0.1", "--all", "--boot-counter-dir="}}) {
        const ExportResult result = Run(arguments);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("osprey-export: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find("Usage: "), std::string::npos) << result.err;
    }
    EXPECT_FALSE(EngineStarted());

    const ExportResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: ", 0), 0u);
}

TEST_F(ExportUsage, AnUnknownPageSaysSoAndSuggestsClosestTitles)
{
    ExportResult result = Run({"/I127.0.0.1", "--page", "Port Contrl Table"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no page \"Port Contrl Table\" in the page catalogue"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("did you mean \"Port Control Table\""), std::string::npos) << result.err;

    result = Run({"/I127.0.0.1", "--page", "Port Configuration"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("port menu"), std::string::npos) << result.err;
    EXPECT_FALSE(EngineStarted());
}

TEST_F(ExportUsage, SwitchesAreNeededAndTheirNumbersChecked)
{
    ExportResult result = Run({"--page", "Device Control"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("No parameter input"), std::string::npos) << result.err;

    result = Run({"/I127.0.0.1", "/vabc", "--page", "Device Control"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("'abc' is not a valid integer value"), std::string::npos) << result.err;
}

TEST_F(ExportUsage, ListNamesEveryPageWithKindAndVariableCount)
{
    const ExportResult result = Run({"--list"});
    EXPECT_EQ(result.status, 0);
    const auto lines = result.OutLines();
    ASSERT_GT(lines.size(), 70u);
    EXPECT_EQ(lines[0], "Title\tKind\tVariables\tName");
    bool sawUserTable = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto fields = SplitTabs(lines[i]);
        ASSERT_EQ(fields.size(), 4u) << lines[i];
        EXPECT_TRUE(fields[1] == "scalars" || fields[1] == "table") << lines[i];
        EXPECT_GT(std::stoi(fields[2]), 0) << lines[i];
        sawUserTable |= lines[i] == "User Table\ttable\t13\tUserTable1";
    }
    EXPECT_TRUE(sawUserTable);
    EXPECT_NE(result.out.find("Trap Management \tscalars\t5\tTrapManagement2"), std::string::npos);
    // Listing needs no switch and starts nothing.
    EXPECT_FALSE(EngineStarted());

    // An output that cannot be written (a full disk) is a failure, not a list.
    ChildProcess full;
    ASSERT_TRUE(full.start({ExportProcess::ProgramPath(), "--list"},
                           {.out = ChildProcess::Output::file("/dev/full"),
                            .err = ChildProcess::Output::file(setup_.Directory() + "/full.err")}));
    EXPECT_EQ(full.wait(30000), 1);
    std::ifstream err(setup_.Directory() + "/full.err");
    const std::string said((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("osprey-export: cannot write the output"), std::string::npos) << said;
}

} // namespace

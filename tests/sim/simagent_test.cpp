// The simulator as a running agent, checked with Net-SNMP's own tools:
// walks of every table in SNMPv1, v2c and v3, sets and their error
// statuses, row creation in one and in several requests, the request log,
// state across a restart, the fault options and bad data files.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "osprey_config.h"
#include "sim/simdatafile.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

constexpr unsigned ent = OSPREY_ENT_NUMBER;
const std::string E = "1.3.6.1.4.1." + std::to_string(ent);

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a program (found on PATH) without a shell; its Net-SNMP
// configuration and persistent files stay in `dir`.
ToolRun run(const std::string& dir, std::vector<std::string> args)
{
    const std::string outPath = dir + "/tool.out", errPath = dir + "/tool.err";
    ChildProcess tool;
    ToolRun r;
    if (tool.start(args,
                   {.environment = {"SNMPCONFPATH=" + dir, "SNMP_PERSISTENT_DIR=" + dir, "MIBDIRS=" + dir, "MIBS="},
                    .out = ChildProcess::Output::file(outPath),
                    .err = ChildProcess::Output::file(errPath)})) {
        const int status = tool.wait(120000);
        r.exitCode = tool.exitedNormally() ? status : -1;
        r.out = readFile(outPath);
        r.err = readFile(errPath);
    }
    return r;
}

std::set<std::string> oidsIn(const std::string& walkOutput)
{
    std::set<std::string> oids;
    std::istringstream in(walkOutput);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > 1 && line[0] == '.' && line[1] >= '0' && line[1] <= '9')
            oids.insert(line.substr(1, line.find(' ') - 1));
    }
    return oids;
}

SimStore bundledSwitch()
{
    SimStore store(ent);
    std::string error;
    EXPECT_TRUE(SimDataFile::Load(OSPREY_SIM_DATA, store, error)) << error;
    return store;
}

std::set<std::string> storeOidsUnder(const SimStore& store, const SimOid& prefix, bool withCounter64 = true)
{
    std::set<std::string> oids;
    for (const auto& o : store.Objects())
        if (simoid::IsPrefix(prefix, o.first) && (withCounter64 || o.second.type != SimType::Counter64))
            oids.insert(simoid::Format(o.first));
    return oids;
}

class SimAgentTest : public ::testing::Test {
protected:
    explicit SimAgentTest(SimFixture::Options options = {}) : sim(std::move(options)) {}
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
    }

    ToolRun tool(const std::string& program, const std::vector<std::string>& auth, std::vector<std::string> rest)
    {
        std::vector<std::string> args = {program};
        args.insert(args.end(), auth.begin(), auth.end());
        // One patient try rather than retries: a request sent again would
        // show twice in the agent's log.
        args.insert(args.end(), {"-On", "-Oq", "-t", "6", "-r", "0", sim.peer()});
        args.insert(args.end(), rest.begin(), rest.end());
        return run(sim.directory(), args);
    }
    ToolRun get(const std::vector<std::string>& oids, const std::vector<std::string>& auth = v2cRead)
    {
        return tool("snmpget", auth, oids);
    }
    ToolRun set(const std::vector<std::string>& bindings, const std::vector<std::string>& auth = v2cWrite)
    {
        return tool("snmpset", auth, bindings);
    }
    ToolRun walk(const std::string& oid, const std::vector<std::string>& auth = v2cRead)
    {
        return tool("snmpwalk", auth, {oid});
    }
    // The value part of "snmpget -Oq" for one OID.
    std::string value(const std::string& oid, const std::vector<std::string>& auth = v2cRead)
    {
        const ToolRun r = tool("snmpget", auth, {"-Ov", oid});
        std::string v = r.out;
        while (!v.empty() && (v.back() == '\n' || v.back() == ' '))
            v.pop_back();
        return v;
    }

    static inline const std::vector<std::string> v1Read = {"-v1", "-c", "ravine"};
    static inline const std::vector<std::string> v1Write = {"-v1", "-c", "lantern"};
    static inline const std::vector<std::string> v2cRead = {"-v2c", "-c", "ravine"};
    static inline const std::vector<std::string> v2cWrite = {"-v2c", "-c", "lantern"};
    static inline const std::vector<std::string> v3Sha = {"-v3",          "-l", "authPriv",      "-u", "sha-user", "-a",
                                                          "SHA",          "-A", "sha-auth-pass", "-x", "AES",      "-X",
                                                          "sha-priv-pass"};
    static inline const std::vector<std::string> v3Md5 = {"-v3",          "-l", "authPriv",      "-u", "md5-user", "-a",
                                                          "MD5",          "-A", "md5-auth-pass", "-x", "DES",      "-X",
                                                          "md5-priv-pass"};
    static inline const std::vector<std::string> v3None = {"-v3", "-l", "noAuthNoPriv", "-u", "noauth-user"};

    SimFixture sim;
};

// ------------------------------------------------------------------ walks

TEST_F(SimAgentTest, EveryTableWalksToTheRowsTheDataFileDescribes)
{
    const SimStore store = bundledSwitch();
    ASSERT_GE(store.Tables().size(), 60u);
    for (const SimTable& t : store.Tables()) {
        const std::string entry = simoid::Format(t.entry);
        const ToolRun r = walk(entry);
        ASSERT_EQ(r.exitCode, 0) << entry << ": " << r.err;
        EXPECT_EQ(oidsIn(r.out), storeOidsUnder(store, t.entry)) << entry;
    }
}

TEST_F(SimAgentTest, WholeSwitchWalksInEveryVersion)
{
    const SimStore store = bundledSwitch();
    const SimOid all = {1};
    const std::set<std::string> expected = storeOidsUnder(store, all);
    const std::set<std::string> expectedV1 = storeOidsUnder(store, all, false);

    // SNMPv1 has no Counter64 and ends the walk with noSuchName.
    ToolRun v1 = walk(".1", v1Read);
    ASSERT_EQ(v1.exitCode, 0) << v1.err;
    std::set<std::string> got = oidsIn(v1.out);
    for (const std::string& o : expectedV1)
        EXPECT_TRUE(got.count(o)) << "v1 walk misses " << o;
    for (const std::string& o : got)
        EXPECT_FALSE(expected.count(o) && !expectedV1.count(o)) << "v1 walk shows the Counter64 " << o;
    EXPECT_NE(v1.out.find("End of MIB"), std::string::npos);

    // SNMPv2c ends with endOfMibView.
    ToolRun v2 = walk(".1", v2cRead);
    ASSERT_EQ(v2.exitCode, 0) << v2.err;
    got = oidsIn(v2.out);
    for (const std::string& o : expected)
        EXPECT_TRUE(got.count(o)) << "v2c walk misses " << o;
    EXPECT_NE(v2.out.find("No more variables left in this MIB View"), std::string::npos);
    // The agent's own SNMPv3 tables are there too: USM users, VACM groups.
    EXPECT_NE(v2.out.find(".1.3.6.1.6.3.15.1.2.2.1.3."), std::string::npos);
    EXPECT_NE(v2.out.find(".1.3.6.1.6.3.16.1.2.1.3."), std::string::npos);

    for (const auto* auth : {&v3Sha, &v3Md5, &v3None}) {
        ToolRun v3 = walk(".1", *auth);
        ASSERT_EQ(v3.exitCode, 0) << (*auth)[4] << ": " << v3.err;
        EXPECT_EQ(oidsIn(v3.out), got) << (*auth)[4];
    }
}

TEST_F(SimAgentTest, ServesTheSwitchsValues)
{
    EXPECT_EQ(value("1.3.6.1.2.1.1.1.0"), "\"Korvan Osprey 24+2 Port Managed Ethernet Switch\"");
    EXPECT_EQ(value("1.3.6.1.2.1.1.2.0"), "." + E + ".10.26");
    EXPECT_EQ(value("1.3.6.1.2.1.2.1.0"), "27"); // 26 ports and the VLAN interface
    EXPECT_EQ(value("1.3.6.1.2.1.17.7.1.4.3.1.1.10"), "\"sales\"");
    EXPECT_EQ(value(E + ".11.48.1.1.2.1.2.7.0"), "1");
    // The LED string has 31 octets.
    std::string leds = value(E + ".11.36.2.5.1.5.0");
    std::erase(leds, '"');
    std::istringstream in(leds);
    std::string octet;
    int count = 0;
    while (in >> octet)
        ++count;
    EXPECT_EQ(count, 31) << leds;
    // An instance that is not there, and an object that is not there.
    const ToolRun missing = get({"1.3.6.1.2.1.2.2.1.2.27", "1.3.6.1.2.1.99.0"});
    EXPECT_NE(missing.out.find("No Such Instance"), std::string::npos) << missing.out;
    EXPECT_NE(missing.out.find("No Such Object"), std::string::npos) << missing.out;
}

TEST_F(SimAgentTest, CountersOfPortsWithLinkMoveBetweenReads)
{
    // Port 25 (link) moves in the interface table and in the 64-bit
    // counters; port 26 (no link) stays.
    const std::vector<std::string> oids = {"1.3.6.1.2.1.2.2.1.10.25", "1.3.6.1.2.1.31.1.1.1.6.25",
                                           "1.3.6.1.2.1.2.2.1.10.26"};
    std::vector<uint64_t> first, second;
    for (const std::string& o : oids)
        first.push_back(std::stoull(value(o)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    for (const std::string& o : oids)
        second.push_back(std::stoull(value(o)));
    EXPECT_GT(second[0], first[0]);
    EXPECT_GT(second[1], first[1]);
    EXPECT_GT(first[1], 0xFFFFFFFFull) << "a 64-bit counter beyond 32 bits";
    EXPECT_EQ(second[2], first[2]);
    // About 252500 octets a second; generous bounds for a busy machine.
    EXPECT_GE(second[0] - first[0], 252500u);
    EXPECT_LT(second[0] - first[0], 252500u * 10);
}

TEST_F(SimAgentTest, UsersAndCommunities)
{
    for (const auto* auth : {&v3Sha, &v3Md5, &v3None})
        EXPECT_EQ(value("1.3.6.1.2.1.1.5.0", *auth), "\"osprey-lab\"");
    std::vector<std::string> wrong = v3Sha;
    wrong[8] = "not-the-password";
    const ToolRun bad = get({"1.3.6.1.2.1.1.5.0"}, wrong);
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.err.find("Authentication failure"), std::string::npos) << bad.err;
    // The read community cannot write; the v3 users can.
    const ToolRun ro = set({"1.3.6.1.2.1.1.5.0", "s", "x"}, v2cRead);
    EXPECT_NE(ro.err.find("noAccess"), std::string::npos) << ro.err;
    EXPECT_EQ(set({"1.3.6.1.2.1.1.5.0", "s", "by-md5"}, v3Md5).exitCode, 0);
    EXPECT_EQ(value("1.3.6.1.2.1.1.5.0"), "\"by-md5\"");
}

// ------------------------------------------------------------------- sets

TEST_F(SimAgentTest, SetsKeepValuesAndAnswerWithTheRightErrors)
{
    ASSERT_EQ(set({"1.3.6.1.2.1.1.5.0", "s", "core-1", E + ".12.2.2.4.0", "i", "20"}).exitCode, 0);
    EXPECT_EQ(value("1.3.6.1.2.1.1.5.0"), "\"core-1\"");
    EXPECT_EQ(value(E + ".12.2.2.4.0"), "20");

    struct Case {
        std::vector<std::string> binding;
        const char* reason;
    };
    const Case cases[] = {
        {{"1.3.6.1.2.1.1.5.0", "i", "3"}, "wrongType"},
        {{"1.3.6.1.2.1.1.1.0", "s", "x"}, "notWritable"},
        {{"1.3.6.1.2.1.2.2.1.7.1", "i", "7"}, "wrongValue"},
        {{"1.3.6.1.2.1.17.2.2.0", "i", "70000"}, "wrongValue"},
        {{"1.3.6.1.2.1.17.7.1.4.3.1.2.10", "x", "FFFFFFFFFF"}, "wrongLength"},
        {{"1.3.6.1.2.1.2.2.1.7.99", "i", "1"}, "noCreation"},
        {{"1.3.6.1.2.1.17.7.1.4.3.1.5.10", "i", "5"}, "inconsistentValue"},
    };
    for (const Case& c : cases) {
        const ToolRun r = set(c.binding);
        EXPECT_NE(r.exitCode, 0) << c.binding[0];
        EXPECT_NE(r.err.find(std::string("Reason: ") + c.reason), std::string::npos) << c.binding[0] << ": " << r.err;
    }
    // SNMPv1 has the older statuses.
    EXPECT_NE(set({"1.3.6.1.2.1.2.2.1.7.1", "i", "7"}, v1Write).err.find("badValue"), std::string::npos);
    EXPECT_NE(set({"1.3.6.1.2.1.2.2.1.7.99", "i", "1"}, v1Write).err.find("noSuchName"), std::string::npos);
    // The failing request changed nothing.
    EXPECT_EQ(value("1.3.6.1.2.1.2.2.1.7.1"), "1");
}

TEST_F(SimAgentTest, RowCreatedAndDestroyedInOneRequest)
{
    const std::string t = E + ".12.2.1.3.1";
    ASSERT_EQ(
        set({t + ".1.3", "i", "3", t + ".3.3", "i", "7", t + ".4.3", "x", "03000000", t + ".5.3", "i", "4"}).exitCode,
        0);
    EXPECT_EQ(value(t + ".5.3"), "1");
    EXPECT_EQ(value(t + ".3.3"), "7");
    EXPECT_EQ(oidsIn(walk(t + ".5").out).size(), 3u);
    ASSERT_EQ(set({t + ".5.3", "i", "6"}).exitCode, 0);
    EXPECT_EQ(oidsIn(walk(t).out).count(t + ".3.3"), 0u);
    EXPECT_EQ(oidsIn(walk(t + ".5").out).size(), 2u);
}

TEST_F(SimAgentTest, RowsCreatedOverSeveralRequestsAsTheFormsDo)
{
    // Trunk: index and status first, then master port and members.
    const std::string t = E + ".12.2.1.3.1";
    ASSERT_EQ(set({t + ".1.5", "i", "5", t + ".5.5", "i", "4"}).exitCode, 0);
    ASSERT_EQ(set({t + ".1.5", "i", "5", t + ".3.5", "i", "9", t + ".4.5", "x", "00C00000"}).exitCode, 0);
    EXPECT_EQ(value(t + ".3.5"), "9");

    // Static VLAN: status alone, then all but the untagged ports, then all,
    // with createAndGo every time.
    const std::string v = "1.3.6.1.2.1.17.7.1.4.3.1";
    ASSERT_EQ(set({v + ".5.40", "i", "4"}).exitCode, 0);
    ASSERT_EQ(set({v + ".1.40", "s", "lab", v + ".2.40", "x", "C0000000", v + ".3.40", "x", "00000000", v + ".5.40",
                   "i", "4"})
                  .exitCode,
              0);
    ASSERT_EQ(set({v + ".1.40", "s", "lab", v + ".2.40", "x", "C0000000", v + ".3.40", "x", "00000000", v + ".4.40",
                   "x", "40000000", v + ".5.40", "i", "4"})
                  .exitCode,
              0);
    EXPECT_EQ(value(v + ".1.40"), "\"lab\"");
    EXPECT_EQ(value(v + ".5.40"), "1");

    // Ethernet mask: createAndWait, then the columns and active.
    const std::string m = E + ".11.5.1.1.1";
    ASSERT_EQ(set({m + ".1.7", "i", "7", m + ".9.7", "i", "5"}).exitCode, 0);
    EXPECT_EQ(value(m + ".9.7"), "2");
    ASSERT_EQ(set({m + ".4.7", "x", "FFFFFF000000", m + ".9.7", "i", "1"}).exitCode, 0);
    EXPECT_EQ(value(m + ".9.7"), "1");
    EXPECT_EQ(value(m + ".8.7"), "1"); // the column's default

    // A port-list write of the wrong size is refused.
    EXPECT_NE(set({v + ".2.40", "x", "C00000"}).err.find("wrongLength"), std::string::npos);
}

// ------------------------------------------------------------- the log

TEST_F(SimAgentTest, LogHasOneLinePerRequest)
{
    sim.clearLog();
    get({"1.3.6.1.2.1.1.5.0"});
    set({E + ".12.2.1.3.1.1.6", "i", "6", E + ".12.2.1.3.1.5.6", "i", "4"});
    get({"1.3.6.1.2.1.1.1.0"}, v3Sha);
    const std::vector<std::string> lines = sim.logLines();
    ASSERT_EQ(lines.size(), 3u) << readFile(sim.logPath());
    EXPECT_EQ(lines[0], "GET v2c read: 1.3.6.1.2.1.1.5.0 NULL");
    EXPECT_EQ(lines[1], "SET v2c write: " + E + ".12.2.1.3.1.1.6 INTEGER 6 | " + E + ".12.2.1.3.1.5.6 INTEGER 4");
    EXPECT_EQ(lines[2], "GET v3 sha-user authPriv: 1.3.6.1.2.1.1.1.0 NULL");
    set({"1.3.6.1.2.1.1.5.0", "s", "a\"b", "1.3.6.1.2.1.17.7.1.2.4.1.2.1", "x", "0C000000"});
    EXPECT_EQ(sim.logLines().back(),
              "SET v2c write: 1.3.6.1.2.1.1.5.0 STRING \"a\\\"b\" | 1.3.6.1.2.1.17.7.1.2.4.1.2.1 STRING 0x0C000000");
}

TEST_F(SimAgentTest, LogSaysWhichCommunityWasUsedNeverItsText)
{
    sim.clearLog();
    get({"1.3.6.1.2.1.1.5.0"});
    get({"1.3.6.1.2.1.1.5.0"}, v1Write);
    set({"1.3.6.1.2.1.1.5.0", "s", "x"});
    // Nothing answers an unknown community; the log still shows the request.
    run(sim.directory(), {"snmpget", "-v2c", "-c", "Not a community; $(S3cret)", "-t", "0.5", "-r", "0", sim.peer(),
                          "1.3.6.1.2.1.1.5.0"});
    const std::vector<std::string> lines = sim.logLines();
    ASSERT_EQ(lines.size(), 4u) << readFile(sim.logPath());
    EXPECT_EQ(lines[0].rfind("GET v2c read: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("GET v1 write: ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("SET v2c write: ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("GET v2c unknown: ", 0), 0u) << lines[3];
    const std::string whole = readFile(sim.logPath());
    for (const char* secret : {"ravine", "lantern", "S3cret"})
        EXPECT_EQ(whole.find(secret), std::string::npos) << secret;

    // An SNMPv3 request with a wrong password is logged as such, and not
    // answered.
    sim.clearLog();
    const ToolRun refused =
        run(sim.directory(), {"snmpget", "-v3", "-l", "authNoPriv", "-u", "auth-user", "-a", "SHA", "-A",
                              "not-the-pass", "-t", "0.5", "-r", "0", sim.peer(), "1.3.6.1.2.1.1.5.0"});
    EXPECT_NE(refused.exitCode, 0);
    ASSERT_EQ(sim.logLines().size(), 1u) << readFile(sim.logPath());
    EXPECT_EQ(sim.logLines()[0], "GET v3 auth-user authNoPriv (authentication failed): 1.3.6.1.2.1.1.5.0 NULL");
    EXPECT_EQ(
        value("1.3.6.1.2.1.1.5.0", {"-v3", "-l", "authNoPriv", "-u", "auth-user", "-a", "SHA", "-A", "auth-user-pass"}),
        "\"x\"")
        << "the authNoPriv user, with its password (the name was set above)";
}

// ---------------------------------------------------------------- state

class SimStateTest : public SimAgentTest {
protected:
    SimStateTest() : SimAgentTest(SimFixture::Options{.keepState = true}) {}
};

TEST_F(SimStateTest, ChangesSurviveARestart)
{
    const std::string v = "1.3.6.1.2.1.17.7.1.4.3.1";
    ASSERT_EQ(set({"1.3.6.1.2.1.1.5.0", "s", "kept"}).exitCode, 0);
    ASSERT_EQ(set({v + ".1.50", "s", "new", v + ".5.50", "i", "4"}).exitCode, 0);
    ASSERT_EQ(set({v + ".5.30", "i", "6"}).exitCode, 0);
    const unsigned short port = sim.port();
    sim.stop();
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    EXPECT_EQ(sim.port(), port);
    EXPECT_EQ(value("1.3.6.1.2.1.1.5.0"), "\"kept\"");
    EXPECT_EQ(value(v + ".1.50"), "\"new\"");
    EXPECT_EQ(oidsIn(walk(v + ".5").out).count(v + ".5.30"), 0u);
    // The agent's own SNMPv3 state goes on too: the engine booted twice.
    EXPECT_EQ(value("1.3.6.1.6.3.10.2.1.2.0", v3Sha), "2");
    EXPECT_TRUE(sim.stderrText().empty()) << sim.stderrText();
}

// --------------------------------------------------------------- faults

class SimDelayTest : public SimAgentTest {
protected:
    SimDelayTest() : SimAgentTest(SimFixture::Options{.extraArgs = {"--delay", "1500"}}) {}
};

TEST_F(SimDelayTest, AnswersLate)
{
    const ToolRun impatient = run(
        sim.directory(), {"snmpget", "-v2c", "-c", "ravine", "-t", "0.3", "-r", "0", sim.peer(), "1.3.6.1.2.1.1.5.0"});
    EXPECT_NE(impatient.err.find("Timeout"), std::string::npos) << impatient.err << impatient.out;
    const ToolRun patient = run(sim.directory(), {"snmpget", "-v2c", "-c", "ravine", "-t", "6", "-r", "0", sim.peer(),
                                                  "-Oqv", "1.3.6.1.2.1.1.5.0"});
    EXPECT_EQ(patient.out, "\"osprey-lab\"\n") << patient.err;
    EXPECT_EQ(value("1.3.6.1.2.1.1.1.0", v3Sha).substr(0, 7), "\"Korvan"); // SNMPv3 too
    EXPECT_NE(sim.logLines().front().find("(delayed 1500 ms)"), std::string::npos);
}

class SimDropTest : public SimAgentTest {
protected:
    SimDropTest() : SimAgentTest(SimFixture::Options{.extraArgs = {"--drop-every", "2"}}) {}
};

TEST_F(SimDropTest, EverySecondRequestGoesUnanswered)
{
    auto once = [&] {
        return run(sim.directory(),
                   {"snmpget", "-v2c", "-c", "ravine", "-t", "1", "-r", "0", sim.peer(), "1.3.6.1.2.1.1.5.0"})
            .exitCode;
    };
    EXPECT_EQ(once(), 0);
    EXPECT_NE(once(), 0);
    EXPECT_EQ(once(), 0);
    const std::vector<std::string> lines = sim.logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "GET v2c read (dropped): 1.3.6.1.2.1.1.5.0 NULL");
}

class SimStopTest : public SimAgentTest {
protected:
    SimStopTest() : SimAgentTest(SimFixture::Options{.extraArgs = {"--stop-after", "2"}}) {}
};

TEST_F(SimStopTest, GoesSilentAfterNRequests)
{
    auto once = [&] {
        return run(sim.directory(),
                   {"snmpget", "-v2c", "-c", "ravine", "-t", "1", "-r", "0", sim.peer(), "1.3.6.1.2.1.1.5.0"})
            .exitCode;
    };
    EXPECT_EQ(once(), 0);
    EXPECT_EQ(once(), 0);
    EXPECT_NE(once(), 0);
    EXPECT_NE(once(), 0);
}

class SimErrorOidTest : public SimAgentTest {
protected:
    SimErrorOidTest() : SimAgentTest(SimFixture::Options{.extraArgs = {"--error-oid", "ENT.12.2.2=genErr"}}) {}
};

TEST_F(SimErrorOidTest, RequestsNamingTheOidGetTheStatus)
{
    const ToolRun r = get({"1.3.6.1.2.1.1.5.0", E + ".12.2.2.4.0"});
    EXPECT_NE(r.err.find("Reason: (genError)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(E + ".12.2.2.4.0"), std::string::npos) << r.err; // the failing binding
    EXPECT_NE(set({E + ".12.2.2.4.0", "i", "3"}).err.find("genError"), std::string::npos);
    EXPECT_EQ(value("1.3.6.1.2.1.1.5.0"), "\"osprey-lab\"");
    EXPECT_EQ(value(E + ".12.2.1.1.0"), "7");
}

class SimValueFaultTest : public SimAgentTest {
protected:
    SimValueFaultTest()
        : SimAgentTest(
              SimFixture::Options{.extraArgs = {"--wrong-type", "1.3.6.1.2.1.1.5.0", "--wrong-type",
                                                "ENT.12.2.1.1.0=oid", "--oversize", "1.3.6.1.2.1.17.2.2.0=4000"}})
    {
    }
};

TEST_F(SimValueFaultTest, AnswersCarryTheWrongTypeOrAnOutsizeValue)
{
    EXPECT_EQ(value("1.3.6.1.2.1.1.5.0"), "7");
    EXPECT_EQ(value(E + ".12.2.1.1.0"), ".1.3.6.1.4");
    // Walks and SNMPv3 see them too; a value well beyond one Ethernet frame
    // still travels.
    const ToolRun w = tool("snmpwalk", v3Sha, {"-Ov", "1.3.6.1.2.1.17.2.2"});
    EXPECT_EQ(w.out, "\"" + std::string(4000, 'A') + "\"\n") << w.err;
    EXPECT_EQ(value("1.3.6.1.2.1.1.6.0"), "\"Building 2, rack C3\"") << "objects no rule names";
    // Sets are checked against the object's own type.
    EXPECT_EQ(set({"1.3.6.1.2.1.1.5.0", "s", "renamed"}).exitCode, 0);
}

// --------------------------------------------------------- data files

TEST(SimDataFiles, MalformedLineStopsTheStartWithFileAndLine)
{
    SimFixture holder; // for its temporary directory
    const std::string path = holder.directory() + "/bad.sim";
    std::ofstream(path) << "1.3.6.1.2.1.1.1.0 string ro \"ok\"\n"
                        << "# a comment\n"
                        << "1.3.6.1.2.1.1.5.0 strin rw \"x\"\n";
    const ToolRun check = run(holder.directory(), {SimFixture::simulatorPath(), "--data", path, "--check"});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.err, "osprey-sim: " + path +
                             ":3: unknown type \"strin\" (known: integer, string, hex, oid, "
                             "ipaddress, counter32, gauge32, timeticks, counter64, unsigned32)\n");

    SimFixture sim(SimFixture::Options{.dataFile = path});
    std::string error;
    EXPECT_FALSE(sim.start(&error));
    EXPECT_NE(error.find(path + ":3: unknown type"), std::string::npos) << error;
}

TEST(SimDataFiles, GeneratedTableIsServed)
{
    SimFixture holder;
    const std::string path = holder.directory() + "/big.sim";
    const ToolRun gen =
        run(holder.directory(), {"python3", OSPREY_SIM_GENERATOR, "--rows", "120", "--columns", "4", "-o", path});
    ASSERT_EQ(gen.exitCode, 0) << gen.err;
    SimFixture sim(SimFixture::Options{.dataFile = path});
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    const ToolRun w =
        run(sim.directory(), {"snmpbulkwalk", "-v2c", "-c", "ravine", "-On", "-Oq", sim.peer(), E + ".99.1.1"});
    EXPECT_EQ(oidsIn(w.out).size(), 480u) << w.err;
}

TEST(SimDataFiles, NothingUnexpectedOnTheConsole)
{
    SimFixture sim;
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    run(sim.directory(), {"snmpget", "-v2c", "-c", "ravine", sim.peer(), "1.3.6.1.2.1.1.5.0"});
    sim.stop();
    EXPECT_EQ(sim.stderrText(), "");
    EXPECT_EQ(readFile(sim.directory() + "/stdout.txt"), "");
}

} // namespace

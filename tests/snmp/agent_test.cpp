// The request engine against Net-SNMP's snmpd: SNMPv1, v2c and v3 users,
// walks compared with snmpwalk, errors and timeouts, writes, blocking and
// asynchronous forms.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "common/kverror.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "snmpdfixture.h"

namespace {

using Row = std::vector<std::string>;

const char* const kSysOrTable = "1.3.6.1.2.1.1.9.1";
const char* const kUsmUserTable = "1.3.6.1.6.3.15.1.2.2.1";

// sysORTable: index sysORIndex, columns sysORID, sysORDescr, sysORUpTime.
const VarDef kSysOr[] = {
    {"1.3.6.1.2.1.1.9.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.9.1.2", "ID", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.9.1.3", "Descr", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.9.1.4", "UpTime", synTimeTicks, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// usmUserTable: engine ID and user name index the rows.
const VarDef kUsmUsers[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1", "Engine ID", synOctets, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.2", "User Name", synDisplayString, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.3", "Security Name", synOctets, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.5", "Auth Protocol", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.8", "Priv Protocol", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.12", "Storage", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "Status", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const VarDef kSystem[] = {
    {"1.3.6.1.2.1.1.1", "Description", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.2", "Object ID", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.3", "Up Time", synTimeTicks, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.7", "Services", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const VarDef kWritable[] = {
    {"1.3.6.1.2.1.1.4", "Contact", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.5", "Name", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.6", "Location", synDisplayString, accRW, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

Row Snapshot(const KvSNMPVarList& list)
{
    Row row;
    for (int32_t i = 0; i < list.Count(); ++i)
        row.push_back(list[i].value);
    return row;
}

// A blocking walk: every row's values.
std::vector<Row> WalkBlocking(KvSNMPRequest& r)
{
    std::vector<Row> rows;
    for (bool more = r.Fetch(true); more; more = r.Fetch(false))
        rows.push_back(Snapshot(r.variables));
    return rows;
}

// The same walk through FetchAsync and completions, driven by the engine's
// own event processing.
struct AsyncWalk {
    KvSNMPRequest* request = nullptr;
    std::vector<Row> rows;
    KvSNMPError last;
    int completions = 0;
    bool done = false;
};

void OnWalkStep(void* context, KvSNMPError& error, KvSNMPVarList& list)
{
    auto* walk = static_cast<AsyncWalk*>(context);
    walk->last = error;
    ++walk->completions;
    const bool table = list.kind == kvListTable || list.kind == kvListTableRows;
    if (error.code != 0) {
        walk->done = true;
        return;
    }
    if (!table) {
        walk->rows.push_back(Snapshot(list));
        walk->done = true;
        return;
    }
    if (error.finished) {
        walk->done = true;
        return;
    }
    walk->rows.push_back(Snapshot(list));
    walk->request->FetchAsync(&OnWalkStep, walk, false);
}

void RunUntil(const std::function<bool()>& done, int maxMs = 20000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        KvSnmpSession()->WaitForEvents(50);
}

AsyncWalk WalkAsync(KvSNMPRequest& r)
{
    AsyncWalk walk;
    walk.request = &r;
    r.FetchAsync(&OnWalkStep, &walk, true);
    RunUntil([&] { return walk.done; });
    EXPECT_TRUE(walk.done);
    EXPECT_EQ(r.pending, 0);
    return walk;
}

// "OID value" lines of snmpwalk -On -Oq -Oe -Ox in walk order, OIDs without the
// leading dot, values without quotes and blanks.
struct Walked {
    std::vector<std::pair<std::string, std::string>> lines;
    std::map<std::string, std::string> byOid;
    bool empty() const { return lines.empty(); }
    size_t size() const { return lines.size(); }
    auto begin() const { return lines.begin(); }
    auto end() const { return lines.end(); }
    std::string operator[](const std::string& oid) const
    {
        auto found = byOid.find(oid);
        return found == byOid.end() ? "<absent>" : found->second;
    }
};

Walked ParseWalk(const std::string& output)
{
    Walked values;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        size_t space = line.find(' ');
        if (line.empty() || line[0] != '.' || space == std::string::npos)
            continue;
        std::string oid = line.substr(1, space - 1);
        std::string value;
        for (char c : line.substr(space + 1))
            if (c != '"' && c != ' ')
                value += c;
        if (!value.empty() && value[0] == '.')
            value = value.substr(1);
        values.lines.emplace_back(oid, value);
        values.byOid[oid] = value;
    }
    return values;
}

int CodeOf(const std::function<void()>& f, std::string* message = nullptr)
{
    try {
        f();
    } catch (const KvError& e) {
        if (message)
            *message = e.message();
        return e.code();
    }
    return 0;
}

class Agent : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The engine keeps its boot counter file here; the folder goes with the process.
        static struct EngineDir {
            std::string path;
            ~EngineDir()
            {
                std::error_code ec;
                if (!path.empty())
                    std::filesystem::remove_all(path, ec);
            }
        } engineDir;
        if (engineDir.path.empty()) {
            std::string pattern = (std::filesystem::temp_directory_path() / "kvengine-XXXXXX").string();
            std::vector<char> name(pattern.begin(), pattern.end());
            name.push_back('\0');
            if (::mkdtemp(name.data()) != nullptr)
                engineDir.path = name.data();
            StartSnmpEngine(engineDir.path);
        }
        agent_ = new SnmpdFixture();
        if (!agent_->Start())
            startError_ = agent_->Error();
    }

    static void TearDownTestSuite()
    {
        delete agent_;
        agent_ = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(startError_.empty()) << startError_; }

    // A request on the agent with the given list.
    static std::unique_ptr<KvSNMPRequest> Request(const VarDef* table, uint8_t kind, int32_t keys, int8_t version = 1,
                                                  const std::string& read = "public",
                                                  const std::string& write = "private")
    {
        auto r = std::make_unique<KvSNMPRequest>();
        r->variables = KvSNMPVarList(table, kind, keys);
        r->address = "127.0.0.1";
        r->port = agent_->Port();
        r->version = version;
        r->readCommunity = read;
        r->writeCommunity = write;
        return r;
    }

    static std::unique_ptr<KvSNMPRequest> UserRequest(const VarDef* table, uint8_t kind, int32_t keys,
                                                      const std::string& user, int auth,
                                                      const std::string& authPassword, int priv,
                                                      const std::string& privPassword, int level)
    {
        auto r = Request(table, kind, keys, 3);
        r->securityModel = 3;
        r->securityName = user;
        r->authProtocol = auth;
        r->authPassword = authPassword;
        r->privProtocol = priv;
        r->privPassword = privPassword;
        r->securityLevel = level;
        return r;
    }

    static std::string Walk(const std::vector<std::string>& options, const std::string& oid)
    {
        std::vector<std::string> arguments{"snmpwalk"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"-On", "-Oq", "-Oe", "-Ox", agent_->Endpoint(), oid});
        return SnmpdFixture::RunTool(arguments);
    }

    static SnmpdFixture* agent_;
    static std::string startError_;
};

SnmpdFixture* Agent::agent_ = nullptr;
std::string Agent::startError_;

} // namespace

TEST_F(Agent, V2cScalarsMatchSnmpget)
{
    auto r = Request(kSystem, kvListScalars, 0);
    EXPECT_FALSE(r->Fetch(true));
    auto expected = ParseWalk(Walk({"-v2c", "-c", "public"}, "1.3.6.1.2.1.1"));
    EXPECT_EQ(r->variables[1].value, expected["1.3.6.1.2.1.1.2.0"]);
    // An object the agent does not have is an absent value.
    const std::string services = expected["1.3.6.1.2.1.1.7.0"];
    EXPECT_EQ(r->variables[3].value, services == "<absent>" ? "(NULL)" : services);
    EXPECT_FALSE(r->variables[0].value.empty());
    EXPECT_NE(r->variables[2].value.find(':'), std::string::npos); // time-ticks text

    AsyncWalk async = WalkAsync(*r);
    EXPECT_EQ(async.last.code, 0);
    EXPECT_TRUE(async.last.finished);
    EXPECT_EQ(async.last.agentAddress, "127.0.0.1");
    EXPECT_EQ(async.last.agentPort, agent_->Port());
    ASSERT_EQ(async.rows.size(), 1u);
    EXPECT_EQ(async.rows[0][0], r->variables[0].value);
}

TEST_F(Agent, V2cWalkMatchesSnmpwalkBlockingAndAsynchronous)
{
    auto r = Request(kSysOr, kvListTable, 1);
    std::vector<Row> rows = WalkBlocking(*r);
    auto expected = ParseWalk(Walk({"-v2c", "-c", "public"}, "1.3.6.1.2.1.1.9.1.2"));
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(rows.size(), expected.size());
    size_t n = 0;
    for (const auto& [oid, value] : expected) {
        // Index from the instance, the OID column as received.
        EXPECT_EQ(oid, std::string("1.3.6.1.2.1.1.9.1.2.") + rows[n][0]);
        EXPECT_EQ(rows[n][1], value);
        ++n;
    }
    // After the last row every column has left its subtree.
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(r->variables[i].value, "(NOTDONE)");

    auto again = Request(kSysOr, kvListTable, 1);
    AsyncWalk async = WalkAsync(*again);
    EXPECT_EQ(async.last.code, 0);
    EXPECT_TRUE(async.last.finished);
    ASSERT_EQ(async.rows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(async.rows[i][0], rows[i][0]);
        EXPECT_EQ(async.rows[i][1], rows[i][1]);
        EXPECT_EQ(async.rows[i][2], rows[i][2]);
    }
}

TEST_F(Agent, V1WalkEndingWithNoSuchNameEndsWithoutError)
{
    // The community sees the system group only: the walk's last step runs off
    // the view and the SNMPv1 agent answers noSuchName with the request
    // unchanged.
    auto r = Request(kSysOr, kvListTable, 1, 0, "sysonly");
    std::vector<Row> rows;
    ASSERT_EQ(CodeOf([&] { rows = WalkBlocking(*r); }), 0);
    auto expected = ParseWalk(Walk({"-v2c", "-c", "public"}, "1.3.6.1.2.1.1.9.1.2"));
    EXPECT_EQ(rows.size(), expected.size());

    auto again = Request(kSysOr, kvListTable, 1, 0, "sysonly");
    AsyncWalk async = WalkAsync(*again);
    EXPECT_EQ(async.last.code, 0);
    EXPECT_EQ(async.last.message, "(VoDADI++) Ok!");
    EXPECT_TRUE(async.last.finished);
    EXPECT_EQ(async.rows.size(), rows.size());
}

TEST_F(Agent, V1NoSuchNameOnAGetIsAnError)
{
    const VarDef missing[] = {
        {"1.3.6.1.2.1.1.99", "Missing", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    auto r = Request(missing, kvListScalars, 0, 0);
    std::string message;
    EXPECT_EQ(CodeOf([&] { r->Fetch(true); }, &message), -102);
    EXPECT_EQ(message, "(SNMP) Variable does not exist!");
    AsyncWalk async = WalkAsync(*r);
    EXPECT_EQ(async.last.code, -102);
    EXPECT_EQ(async.last.errorIndex, 1);
    EXPECT_TRUE(async.last.finished);
}

TEST_F(Agent, WalkOfAnEmptyTable)
{
    const VarDef none[] = {
        {"1.3.6.1.4.1.32473.99.1.1", "Index", synInteger, accIdx, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.32473.99.1.2", "Value", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    auto r = Request(none, kvListTable, 1);
    EXPECT_FALSE(r->Fetch(true));
    EXPECT_EQ(r->variables[1].value, "(NOTDONE)");
    AsyncWalk async = WalkAsync(*r);
    EXPECT_EQ(async.last.code, 0);
    EXPECT_TRUE(async.last.finished);
    EXPECT_TRUE(async.rows.empty());
}

TEST_F(Agent, V3UserTableMatchesSnmpwalkForBothUsers)
{
    struct User {
        const char* name;
        int auth;
        const char* authPassword;
        int priv;
        const char* privPassword;
        std::vector<std::string> tool;
    };
    const User users[] = {
        {"md5user",
         2,
         "md5password",
         2,
         "md5privacy",
         {"-v3", "-l", "authPriv", "-u", "md5user", "-a", "MD5", "-A", "md5password", "-x", "DES", "-X", "md5privacy"}},
        {"shauser",
         3,
         "shapassword",
         4,
         "shaprivacy",
         {"-v3", "-l", "authPriv", "-u", "shauser", "-a", "SHA", "-A", "shapassword", "-x", "AES", "-X", "shaprivacy"}},
    };
    for (const User& user : users) {
        SCOPED_TRACE(user.name);
        auto r = UserRequest(kUsmUsers, kvListTable, 2, user.name, user.auth, user.authPassword, user.priv,
                             user.privPassword, 3);
        std::vector<Row> rows = WalkBlocking(*r);
        auto expected = ParseWalk(Walk(user.tool, kUsmUserTable));
        ASSERT_FALSE(expected.empty());

        std::vector<std::string> names;
        size_t n = 0;
        for (const auto& [oid, value] : expected) {
            const std::string column = "1.3.6.1.6.3.15.1.2.2.1.3.";
            if (oid.rfind(column, 0) != 0)
                continue;
            ASSERT_LT(n, rows.size());
            const Row& row = rows[n++];
            EXPECT_EQ(row[2], value); // security name, hex
            const std::string instance = oid.substr(column.size());
            EXPECT_EQ(row[3], expected["1.3.6.1.6.3.15.1.2.2.1.5." + instance]);
            EXPECT_EQ(row[4], expected["1.3.6.1.6.3.15.1.2.2.1.8." + instance]);
            EXPECT_EQ(row[5], expected["1.3.6.1.6.3.15.1.2.2.1.12." + instance]);
            EXPECT_EQ(row[6], expected["1.3.6.1.6.3.15.1.2.2.1.13." + instance]);
            names.push_back(row[1]);
        }
        EXPECT_EQ(n, rows.size());
        EXPECT_EQ(names, (std::vector<std::string>{"md5user", "shauser", "authuser", "sha1aes256", "sha224user",
                                                   "sha256auth", "sha256user", "sha384user", "sha512user"}));

        AsyncWalk async = WalkAsync(*r);
        EXPECT_EQ(async.last.code, 0);
        EXPECT_EQ(async.rows, rows);
    }
}

TEST_F(Agent, V3AuthenticationWithoutPrivacy)
{
    auto r = UserRequest(kSystem, kvListScalars, 0, "authuser", 3, "authpassword", 1, "", 2);
    EXPECT_FALSE(r->Fetch(true));
    EXPECT_FALSE(r->variables[0].value.empty());
    // A user that must use privacy is refused without it.
    auto refused = UserRequest(kSystem, kvListScalars, 0, "shauser", 3, "shapassword", 4, "shaprivacy", 2);
    EXPECT_EQ(CodeOf([&] { refused->Fetch(true); }), -116);
}

TEST_F(Agent, V3WrongPasswordAndUnknownUser)
{
    auto wrong = UserRequest(kSystem, kvListScalars, 0, "md5user", 2, "not-the-password", 2, "md5privacy", 3);
    std::string message;
    EXPECT_EQ(CodeOf([&] { wrong->Fetch(true); }, &message), -308);
    EXPECT_EQ(message, "(SNMPv3USM) Authentication failure!");
    AsyncWalk async = WalkAsync(*wrong);
    EXPECT_EQ(async.last.code, -308);
    EXPECT_TRUE(async.last.finished);

    auto unknown = UserRequest(kSystem, kvListScalars, 0, "nobody", 1, "", 1, "", 1);
    EXPECT_EQ(CodeOf([&] { unknown->Fetch(true); }, &message), -304);
    EXPECT_EQ(message, "(SNMPv3USM) Unknown SecurityName!");
    async = WalkAsync(*unknown);
    EXPECT_EQ(async.last.code, -304);
    EXPECT_TRUE(async.last.finished);
}

TEST_F(Agent, SilentPortTimesOut)
{
    SilentPort silent;
    for (int8_t version : {int8_t(1), int8_t(3)}) {
        SCOPED_TRACE(static_cast<int>(version));
        auto r = version == 3 ? UserRequest(kSystem, kvListScalars, 0, "md5user", 2, "md5password", 2, "md5privacy", 3)
                              : Request(kSystem, kvListScalars, 0);
        r->port = silent.Port();
        r->timeout = 20;
        std::string message;
        EXPECT_EQ(CodeOf([&] { r->Fetch(true); }, &message), -405);
        EXPECT_EQ(message, "(SNMPClass) SNMP request timed out!");
        // Sending does not wait for the agent, not even for the SNMPv3 engine
        // discovery: the request is out when FetchAsync returns.
        AsyncWalk async;
        async.request = r.get();
        r->FetchAsync(&OnWalkStep, &async, true);
        EXPECT_EQ(KvSnmpSession()->Outstanding(), 1);
        EXPECT_EQ(async.completions, 0);
        RunUntil([&] { return async.done; });
        EXPECT_EQ(r->pending, 0);
        EXPECT_EQ(async.completions, 1);
        EXPECT_EQ(async.last.code, -405);
        EXPECT_EQ(async.last.message, "(SNMPClass) SNMP request timed out!");
        EXPECT_TRUE(async.last.finished);
    }
}

TEST_F(Agent, StoreWritesOnlyTheSelectedColumnAndRestoresTheList)
{
    auto r = Request(kWritable, kvListScalars, 0);
    r->Fetch(true);
    const Row before = Snapshot(r->variables);

    r->variables[0].value = "contact-changed";
    r->variables[1].value = "name-changed";
    r->variables[2].value = "location-changed";
    const Row edited = Snapshot(r->variables);
    EXPECT_FALSE(r->Store(false, KvWriteSet{1}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r->variables[i].access, accRW) << i;
    EXPECT_EQ(Snapshot(r->variables), edited);

    auto check = Request(kWritable, kvListScalars, 0);
    check->Fetch(true);
    EXPECT_EQ(check->variables[0].value, before[0]);
    EXPECT_EQ(check->variables[1].value, "name-changed");
    EXPECT_EQ(check->variables[2].value, before[2]);

    // Asynchronously, with read-back, over SNMPv3.
    auto user = UserRequest(kWritable, kvListScalars, 0, "shauser", 3, "shapassword", 4, "shaprivacy", 3);
    user->variables[0].value = "contact-async";
    user->variables[1].value = "ignored";
    user->variables[2].value = "location-async";
    struct Result {
        KvSNMPError error;
        Row seen;
        bool done = false;
    } result;
    user->StoreAsync(
        [](void* context, KvSNMPError& error, KvSNMPVarList& list) {
            auto* res = static_cast<Result*>(context);
            res->error = error;
            res->seen = Snapshot(list);
            res->done = true;
        },
        &result, true, KvWriteSet{0, 2});
    EXPECT_EQ(user->pending, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(user->variables[i].access, accRW) << i;
    RunUntil([&] { return result.done; });
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.error.code, 0);
    EXPECT_TRUE(result.error.finished);
    check->Fetch(true);
    EXPECT_EQ(check->variables[0].value, "contact-async");
    EXPECT_EQ(check->variables[1].value, "name-changed");
    EXPECT_EQ(check->variables[2].value, "location-async");
}

TEST_F(Agent, SetErrorsAreMapped)
{
    const VarDef readOnly[] = {
        {"1.3.6.1.2.1.1.7", "Services", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    auto r = Request(readOnly, kvListScalars, 0);
    r->variables[0].value = "5";
    std::string message;
    EXPECT_EQ(CodeOf([&] { r->Store(false, KvWriteSet::All(r->variables)); }, &message), -117);
    EXPECT_EQ(message, "(SNMP) Cannot create/set variable, Not Writable!");

    // A wrong type.
    auto wrongType = Request(kWritable, kvListScalars, 0);
    wrongType->variables[0].syntax = synInteger;
    wrongType->variables[0].value = "5";
    wrongType->variables[1].access = accRO;
    wrongType->variables[2].access = accRO;
    EXPECT_EQ(CodeOf([&] { wrongType->Store(false, KvWriteSet::All(wrongType->variables)); }), -107);
}

TEST_F(Agent, DestructionWaitsForOutstandingRequests)
{
    int called = 0;
    {
        auto r = Request(kSystem, kvListScalars, 0);
        r->FetchAsync([](void* context, KvSNMPError&, KvSNMPVarList&) { ++*static_cast<int*>(context); }, &called,
                      true);
        EXPECT_EQ(r->pending, 1);
    }
    // The response arrived while the request was being destroyed; its owner was
    // not called back any more.
    EXPECT_EQ(called, 0);
    EXPECT_EQ(KvSnmpSession()->Outstanding(), 0);

    // A request destroyed with a request still outstanding (nobody answers
    // within the wait) leaves nothing behind that could call into it.
    SilentPort silent;
    {
        auto r = Request(kSystem, kvListScalars, 0);
        r->port = silent.Port();
        r->timeout = 400;
        r->FetchAsync([](void* context, KvSNMPError&, KvSNMPVarList&) { ++*static_cast<int*>(context); }, &called,
                      true);
    }
    EXPECT_EQ(KvSnmpSession()->Outstanding(), 1);
    RunUntil([] { return KvSnmpSession()->Outstanding() == 0; }, 20000);
    EXPECT_EQ(called, 0);
}

TEST_F(Agent, AbandonedCompletionsAreDroppedAndNotWaitedFor)
{
    SilentPort silent;
    int called = 0;
    {
        auto r = Request(kSystem, kvListScalars, 0);
        r->port = silent.Port();
        r->timeout = 100;
        r->FetchAsync([](void* context, KvSNMPError&, KvSNMPVarList&) { ++*static_cast<int*>(context); }, &called,
                      true);
        r->AbandonCompletions();
        EXPECT_EQ(r->pending, 0);
    }
    // Destruction did not wait: the request (two seconds at most) is still out.
    EXPECT_EQ(KvSnmpSession()->Outstanding(), 1);
    RunUntil([] { return KvSnmpSession()->Outstanding() == 0; }, 10000);
    EXPECT_EQ(KvSnmpSession()->Outstanding(), 0);
    EXPECT_EQ(called, 0);
}

TEST_F(Agent, InactiveRequestsSendNothing)
{
    auto r = Request(kSystem, kvListScalars, 0);
    r->active = false;
    int called = 0;
    r->FetchAsync([](void* context, KvSNMPError&, KvSNMPVarList&) { ++*static_cast<int*>(context); }, &called, true);
    EXPECT_EQ(r->pending, 0);
    EXPECT_FALSE(r->Fetch(true));
    EXPECT_EQ(r->variables[0].value, "");
}

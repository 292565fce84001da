// osprey-export against Net-SNMP's snmpd with an SNMPv3 user: the SNMPv3
// tables must list what Net-SNMP's own snmpwalk reads from the same agent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "exportrun.h"
#include "exportsetup.h"
#include "netsnmpwalk.h"
#include "snmpdfixture.h"

namespace {

const std::map<std::string, std::string> kAuthProtocols = {
    {"1.3.6.1.6.3.10.1.1.1", "None"},    {"1.3.6.1.6.3.10.1.1.2", "MD5"},     {"1.3.6.1.6.3.10.1.1.3", "SHA"},
    {"1.3.6.1.6.3.10.1.1.4", "SHA-224"}, {"1.3.6.1.6.3.10.1.1.5", "SHA-256"}, {"1.3.6.1.6.3.10.1.1.6", "SHA-384"},
    {"1.3.6.1.6.3.10.1.1.7", "SHA-512"}};
const std::map<std::string, std::string> kPrivProtocols = {{"1.3.6.1.6.3.10.1.2.1", "None"},
                                                           {"1.3.6.1.6.3.10.1.2.2", "DES"},
                                                           {"1.3.6.1.6.3.10.1.2.4", "AES"},
                                                           {"1.3.6.1.4.1.14832.1.3", "AES-192"},
                                                           {"1.3.6.1.4.1.14832.1.4", "AES-256"}};
const std::map<std::string, std::string> kStorageTypes = {
    {"1", "other"}, {"2", "volatile"}, {"3", "nonVolatile"}, {"4", "permanent"}, {"5", "readOnly"}};
const std::map<std::string, std::string> kRowStatus = {{"1", "active"},      {"2", "notInService"},  {"3", "notReady"},
                                                       {"4", "createAndGo"}, {"5", "createAndWait"}, {"6", "destroy"}};

std::string Named(const std::map<std::string, std::string>& names, std::string value)
{
    if (!value.empty() && value.front() == '.')
        value.erase(0, 1); // snmpwalk -On writes OID values with a leading dot
    const auto found = names.find(value);
    return found == names.end() ? value : found->second;
}

class ExportSnmpd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!agent_.Start())
            GTEST_SKIP() << agent_.Error();
    }

    // The SNMPv3 user on the program's switches: authPriv (level 3), SHA (3), AES-128 (4).
    ExportResult Export(const std::string& page, const std::string& authPassword = "shapassword")
    {
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        return process.Run({"/I127.0.0.1", "/v3", "/t" + std::to_string(agent_.Port()), "/m3", "/l3", "/nshauser",
                            "/a3", "/A" + authPassword, "/p4", "/Pshaprivacy", "--page", page},
                           30000);
    }

    std::vector<WalkEntry> Walk(const std::string& column)
    {
        return NetSnmpWalk({"-v3", "-l", "authPriv", "-u", "shauser", "-a", "SHA", "-A", "shapassword", "-x", "AES",
                            "-X", "shaprivacy", agent_.Endpoint()},
                           column);
    }

    // Rows of a TSV table export without the header.
    static std::vector<std::vector<std::string>> Rows(const ExportResult& result)
    {
        std::vector<std::vector<std::string>> rows;
        const auto lines = result.OutLines();
        for (size_t i = 1; i < lines.size(); ++i)
            rows.push_back(SplitTabs(lines[i]));
        return rows;
    }

    SnmpdFixture agent_;
    ExportSetup setup_;
};

TEST_F(ExportSnmpd, UserTableListsTheRowsSnmpwalkReads)
{
    const std::string entry = "1.3.6.1.6.3.15.1.2.2.1.";
    const auto securityNames = Walk(entry + "3");
    const auto cloneFrom = Walk(entry + "4");
    const auto auth = Walk(entry + "5");
    const auto priv = Walk(entry + "8");
    const auto storage = Walk(entry + "12");
    const auto status = Walk(entry + "13");
    ASSERT_GE(securityNames.size(), 2u);
    for (const auto* column : {&cloneFrom, &auth, &priv, &storage, &status})
        ASSERT_EQ(column->size(), securityNames.size());

    const ExportResult result = Export("User Table");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto rows = Rows(result);
    ASSERT_EQ(rows.size(), securityNames.size()) << result.out;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string instance = securityNames[i].instance;
        const std::string engineId = Hex(TakeOctets(instance));
        const std::string userName = TakeOctets(instance);
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 13u);
        EXPECT_EQ(row[0], engineId);
        EXPECT_EQ(row[1], userName);
        EXPECT_EQ(row[2], securityNames[i].value);
        EXPECT_EQ(row[3], Named({}, cloneFrom[i].value));
        EXPECT_EQ(row[4], Named(kAuthProtocols, auth[i].value));
        EXPECT_EQ(row[7], Named(kPrivProtocols, priv[i].value));
        EXPECT_EQ(row[11], Named(kStorageTypes, storage[i].value));
        EXPECT_EQ(row[12], Named(kRowStatus, status[i].value));
    }
}

TEST_F(ExportSnmpd, SecurityGroupTableListsTheRowsSnmpwalkReads)
{
    const std::string entry = "1.3.6.1.6.3.16.1.2.1.";
    const auto groups = Walk(entry + "3");
    const auto storage = Walk(entry + "4");
    const auto status = Walk(entry + "5");
    ASSERT_GE(groups.size(), 2u);
    ASSERT_EQ(storage.size(), groups.size());
    ASSERT_EQ(status.size(), groups.size());

    const ExportResult result = Export("Security Group Table");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines().at(0),
              "Security Model\tSecurity Name\tGroup Name\tSecurity Group Storage Type\tSecurity Group Status");
    const auto rows = Rows(result);
    ASSERT_EQ(rows.size(), groups.size()) << result.out;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string instance = groups[i].instance;
        const std::string model = TakeArc(instance);
        const std::string name = TakeOctets(instance);
        EXPECT_EQ(rows[i],
                  (std::vector<std::string>{model, name, groups[i].value, Named(kStorageTypes, storage[i].value),
                                            Named(kRowStatus, status[i].value)}));
    }
}

TEST_F(ExportSnmpd, AWrongPasswordEndsWithTheStatusLine)
{
    const ExportResult result = Export("User Table", "not-the-password");
    EXPECT_FALSE(result.timedOut) << "still waiting after 30 s";
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("Get: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(" Request: User Table. "), std::string::npos) << result.err;
}

// --- every SHA-2 hash, every AES key length ------------------------------------------------

struct UserCase {
    const char* user;
    int level; // 2 authNoPriv, 3 authPriv
    int auth;  // `/a`
    const char* authPassword;
    int priv; // `/p`
    const char* privPassword;
    const char* authName; // as the User Table page names the protocols
    const char* privName;
};

std::ostream& operator<<(std::ostream& out, const UserCase& c)
{
    return out << c.user;
}

class ExportSnmpdUser : public ExportSnmpd, public ::testing::WithParamInterface<UserCase> {
protected:
    // The user from the per-switch INI file, which counts the level and the
    // protocols from 0.
    ExportResult ExportFromIniFile(const UserCase& c)
    {
        const std::string ini = setup_.Directory() + "/Conf/127.0.0.1.cfg";
        std::ofstream(ini) << "[Program Information]\nAgentPort=" << agent_.Port()
                           << "\nVersion=3\nContextName=\nContextEngineID=\nSecurityModel=3\nSecurityLevel="
                           << c.level - 1 << "\nSecurityName=" << c.user << "\nAuthProtocol=" << c.auth - 1
                           << "\nPrivProtocol=" << c.priv - 1 << "\nAuthPassword=" << c.authPassword
                           << "\nPrivPassword=" << c.privPassword << "\n";
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        // The INI file is read for every switch after the address.
        ExportResult result = process.Run({"/I127.0.0.1", "/v3", "--page", "User Table"}, 30000);
        std::filesystem::remove(ini);
        return result;
    }

    ExportResult ExportAs(const UserCase& c, const std::string& authPassword)
    {
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        std::vector<std::string> args = {"/I127.0.0.1",
                                         "/v3",
                                         "/t" + std::to_string(agent_.Port()),
                                         "/m3",
                                         "/l" + std::to_string(c.level),
                                         std::string("/n") + c.user,
                                         "/a" + std::to_string(c.auth),
                                         "/A" + authPassword,
                                         "/p" + std::to_string(c.priv),
                                         std::string("/P") + c.privPassword,
                                         "--page",
                                         "User Table"};
        return process.Run(args, 30000);
    }
};

TEST_P(ExportSnmpdUser, ReadsThePageAndRefusesAWrongPassword)
{
    const UserCase& c = GetParam();
    const ExportResult result = ExportFromIniFile(c);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // The agent's own row names the user's protocols.
    bool found = false;
    for (const auto& row : Rows(result)) {
        if (row.size() < 8 || row[1] != c.user)
            continue;
        found = true;
        EXPECT_EQ(row[4], c.authName);
        EXPECT_EQ(row[7], c.privName);
    }
    EXPECT_TRUE(found) << result.out;

    const ExportResult wrong = ExportAs(c, "not-the-password");
    EXPECT_FALSE(wrong.timedOut) << "still waiting after 30 s";
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("(SNMPv3USM) Authentication failure!"), std::string::npos) << wrong.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sha2, ExportSnmpdUser, ::testing::Values(
    //        user          level auth password          priv password          auth name  priv name
    UserCase{"sha224user", 3,    4,   "sha224password", 4,   "sha224privacy", "SHA-224", "AES"},
    UserCase{"sha256user", 3,    5,   "sha256password", 21,  "sha256privacy", "SHA-256", "AES-256"},
    UserCase{"sha384user", 3,    6,   "sha384password", 20,  "sha384privacy", "SHA-384", "AES-192"},
    UserCase{"sha512user", 3,    7,   "sha512password", 4,   "sha512privacy", "SHA-512", "AES"},
    UserCase{"sha256auth", 2,    5,   "sha256authpass", 1,   "",              "SHA-256", "None"},
    // A hash shorter than the cipher's key: the privacy key is extended.
    UserCase{"sha1aes256", 3,    3,   "sha1aes256password", 21, "sha1aes256privacy", "SHA", "AES-256"}),
    [](const ::testing::TestParamInfo<UserCase>& info) { return std::string(info.param.user); });
// clang-format on

} // namespace

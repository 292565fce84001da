// osprey-export against Net-SNMP's snmpd with an SNMPv3 user: the SNMPv3
// tables must list what Net-SNMP's own snmpwalk reads from the same agent.
#include <gtest/gtest.h>

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
const std::map<std::string, std::string> kPrivProtocols = {
    {"1.3.6.1.6.3.10.1.2.1", "None"}, {"1.3.6.1.6.3.10.1.2.2", "DES"}, {"1.3.6.1.6.3.10.1.2.4", "AES"}};
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

} // namespace

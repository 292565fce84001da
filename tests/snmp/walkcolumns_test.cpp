// Table walks in which a column ends before the others: an agent that does
// not implement a column (Net-SNMP's own ipAddrTable has no
// ipAdEntReasmMaxSize) gives "(NOTDONE)" for it in every row, whatever the
// syntax of the index; a table without rows ends at once. Against the
// simulator with a data file of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "tests/support/simfixture.h"

namespace {

using Row = std::vector<std::string>;

// Rows by address: column 2 present, column 3 implemented by no row; the
// object after them makes column 3's get-next leave its subtree.
constexpr const char* kData = "table 1.3.6.1.4.1.32473.98.1.1\n"
                              "1.3.6.1.4.1.32473.98.1.1.2.10.0.0.1 integer ro 5\n"
                              "1.3.6.1.4.1.32473.98.1.1.2.10.0.0.2 integer ro 6\n"
                              "1.3.6.1.4.1.32473.99.1.0 integer ro 1\n";

const VarDef kByAddress[] = {
    {"1.3.6.1.4.1.32473.98.1.1.1", "Address", synIpAddress, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.98.1.1.2", "Value", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.98.1.1.3", "Missing", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// A table with no rows at all, indexed by an address.
const VarDef kEmpty[] = {
    {"1.3.6.1.4.1.32473.97.1.1.1", "Name", synIpAddress, accIdx, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.97.1.1.2", "Value", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

class WalkColumns : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvwalkcol-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        directory_ = name.data();
        StartSnmpEngine(directory_ + "/");
        std::ofstream(directory_ + "/walk.sim") << kData;
    }

    static void TearDownTestSuite()
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
    }

    std::vector<Row> Walk(const VarDef* table)
    {
        KvSNMPRequest request;
        request.variables = KvSNMPVarList(table, kvListTable, 1);
        request.address = sim.host();
        request.port = sim.port();
        request.version = kvVersion2c;
        request.readCommunity = SimFixture::readCommunity;
        std::vector<Row> rows;
        for (bool more = request.Fetch(true); more && rows.size() < 10; more = request.Fetch(false)) {
            Row row;
            for (int32_t i = 0; i < request.variables.Count(); ++i)
                row.push_back(request.variables[i].value);
            rows.push_back(row);
        }
        return rows;
    }

    static std::string directory_;
    SimFixture sim{{.dataFile = directory_ + "/walk.sim"}};
};

std::string WalkColumns::directory_;

} // namespace

TEST_F(WalkColumns, AColumnTheAgentLacksIsNotDoneInEveryRow)
{
    std::vector<Row> rows;
    ASSERT_NO_THROW(rows = Walk(kByAddress));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{"10.0.0.1", "5", "(NOTDONE)"}));
    EXPECT_EQ(rows[1], (Row{"10.0.0.2", "6", "(NOTDONE)"}));
}

TEST_F(WalkColumns, ATableWithoutRowsEndsAtOnce)
{
    std::vector<Row> rows;
    ASSERT_NO_THROW(rows = Walk(kEmpty));
    EXPECT_TRUE(rows.empty());
}

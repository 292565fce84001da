// osprey-export over the tables of the port and traffic windows, found by
// their window captions, against the switch simulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/export/exportrun.h"
#include "tests/export/exportsetup.h"
#include "tests/support/simfixture.h"

namespace {

class PortFormsExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim_.start(&error)) << error;
        setup_.WriteIniFile("127.0.0.1", sim_.port());
    }

    ExportResult Export(const std::vector<std::string>& options)
    {
        std::vector<std::string> arguments{"/I127.0.0.1", "/Rravine", "/Wlantern"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExportProcess process(setup_.Directory(), setup_.RegistryPath());
        return process.Run(arguments);
    }

    ExportSetup setup_;
    SimFixture sim_;
};

TEST_F(PortFormsExport, TrunkTableByItsCaption)
{
    const ExportResult result = Export({"--page", "Port Trunk Table"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{
                                     "Index\tMaster Port\tMember\tTrunk State\tFlooding Port",
                                     "1\t25\t000000C0\tactive\t25",
                                     "2\t3\t30000000\tactive\t3",
                                 }));
}

TEST_F(PortFormsExport, AggregatorPortTableHasEveryPortAndTheStateOctets)
{
    const ExportResult result = Export({"--page", "Aggregator Port Table"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = result.OutLines();
    ASSERT_EQ(lines.size(), 27u);
    const std::vector<std::string> header = SplitTabs(lines[0]);
    ASSERT_EQ(header.size(), 24u);
    EXPECT_EQ(header[0], "Port Index");
    EXPECT_EQ(header[19], "Actor Admin State");
    EXPECT_EQ(header[23], "Aggregate Or Individual");
    const std::vector<std::string> port25 = SplitTabs(lines[25]);
    ASSERT_EQ(port25.size(), 24u);
    EXPECT_EQ(port25[0], "25");
    EXPECT_EQ(port25[2], "000D884A1000");
    EXPECT_EQ(std::vector<std::string>(port25.begin() + 19, port25.begin() + 23),
              (std::vector<std::string>{"A0", "BC", "BC", "BC"}));
    EXPECT_EQ(port25[23], "true");
}

TEST_F(PortFormsExport, EveryWindowTableIsListedAndExported)
{
    const std::vector<std::string> titles = {
        "Basic Imformation",     "Diagnostics Information", "EAP Over Land  Frames Statistic Table",
        "Port Trunk Table",      "Port Mirror Table",       "Traffic Segmentation Table",
        "Aggregator Port Table",
    };
    ExportProcess process(setup_.Directory(), setup_.RegistryPath());
    const ExportResult list = process.Run({"--list"});
    ASSERT_EQ(list.status, 0) << list.err;
    std::vector<std::string> listed;
    for (const std::string& line : list.OutLines())
        listed.push_back(SplitTabs(line).at(0));
    for (const std::string& title : titles)
        EXPECT_NE(std::find(listed.begin(), listed.end(), title), listed.end()) << title;

    const ExportResult mirror = Export({"--page", "Port Mirror Table"});
    EXPECT_EQ(mirror.OutLines(), (std::vector<std::string>{
                                     "Max Entries\t1",
                                     "Rx  Port List\tC0000000",
                                     "Tx  Port List\t40000000",
                                     "Target Port\t24",
                                     "swPortMirrorState\tenabled",
                                 }));
    const ExportResult segments = Export({"--page", "traffic segmentation table"});
    ASSERT_EQ(segments.OutLines().size(), 27u) << segments.err;
    EXPECT_EQ(segments.OutLines()[26], "26\tFFFFFFC0000000");
    const ExportResult unit = Export({"--page", "Basic Imformation"});
    EXPECT_EQ(unit.OutLines(), (std::vector<std::string>{"Equipment Capacity\t80", "Stacking Version\t1",
                                                         "Max SupportedUnits\t8", "Num Of Unit\t1"}));
    const ExportResult diagnostics = Export({"--page", "Diagnostics Information"});
    ASSERT_EQ(diagnostics.OutLines().size(), 5u);
    EXPECT_EQ(SplitTabs(diagnostics.OutLines()[0]).size(), 19u);
}

} // namespace

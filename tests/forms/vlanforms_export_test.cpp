// osprey-export over the VLAN and bridge forms' tables, found by their
// window captions, against the switch simulator.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/export/exportrun.h"
#include "tests/export/exportsetup.h"
#include "tests/support/simfixture.h"

namespace {

class VlanFormsExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        setup.WriteIniFile("127.0.0.1", sim.port());
    }

    ExportResult Export(const std::vector<std::string>& options)
    {
        std::vector<std::string> arguments{"/I127.0.0.1", "/Rravine", "/Wlantern"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExportProcess process(setup.Directory(), setup.RegistryPath());
        return process.Run(arguments);
    }

    SimFixture sim;
    ExportSetup setup;
};

// A window's caption names every request of the window, in window order.
TEST_F(VlanFormsExport, StaticVlanWindowByItsCaption)
{
    const ExportResult result = Export({"--page", "VLAN Static Form"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{
                                     "# VLAN Static Form",
                                     "VLAN ID\tVLAN Name\tEgress Ports\tForbidden Egress Ports\tUntagged Ports\tStatus",
                                     "1\tdefault\t00000FC0\t00000000\t00000F00\tActive",
                                     "10\tsales\tFF0000C0\t00000000\tFF000000\tActive",
                                     "20\tengineering\t00FF00C0\t00000000\t00FF0000\tActive",
                                     "30\tvoice\t0000F0C0\t00000100\t0000F000\tActive",
                                     "",
                                     "# Next Free Local VLAN Index",
                                     "NextFreeLocalVLANIndex\t4096",
                                 }));
}

TEST_F(VlanFormsExport, WindowsOfSeveralRequestsByTheirCaptions)
{
    ExportResult result = Export({"--page", "802.1P Basic Configure"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{
                                     "# Device Capabilities",
                                     "DeviceCapabilities\tD6",
                                     "",
                                     "# Traffic Classes State",
                                     "TrafficClassesEnabled\ttrue",
                                     "",
                                     "# GMRP Status",
                                     "GmrpStatus\tdisabled",
                                 }));
    // The caption as an operator may type it; the sections in window order.
    result = Export({"--page", " vlan current table", "--json"});
    EXPECT_EQ(result.status, 0) << result.err;
    const size_t table = result.out.find("\"VLAN Current Table\"");
    const size_t deletes = result.out.find("\"VLAN Delete Numbers\"");
    EXPECT_NE(table, std::string::npos) << result.out;
    EXPECT_NE(deletes, std::string::npos) << result.out;
    EXPECT_LT(table, deletes);
}

TEST_F(VlanFormsExport, FilteringTablesWithMacKeysAndTheScalarsOfTheForms)
{
    ExportResult result = Export({"--page", "UnicastFilterInformationForm"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{
                                     "Index\tUnicastAddress\tReceivePort\tPortsUnicastAllowedToGoTo\tStatus",
                                     "1\t000A0B0C0D01\t0\t20000000\tpermanent",
                                     "10\t000A0B0C0D02\t0\t00400000\tdeleteOnReset",
                                 }));
    result = Export({"--page", "Next Free Local VLAN Index"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{"NextFreeLocalVLANIndex\t4096"}));

    // --list names every request of the forms.
    result = Export({"--list"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> found;
    for (const std::string& line : result.OutLines())
        for (const char* title : {"VLAN Static Form", "VLAN Current Table", "GARP Form", "Port Based VLAN Table",
                                  "Tp Group Destination Forwarded", "GMRP Status"})
            if (SplitTabs(line).at(0) == title)
                found.push_back(title);
    EXPECT_EQ(found.size(), 6u);
}

} // namespace

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "shell/kvconverterror.h"
#include "shell/kvhandedsecrets.h"
#include "shell/kvstartup.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A start-up over records of its own, holding the engine's defaults (the
// engine itself is not started here), with a registry and a configuration
// directory in a temporary folder.
class StartupTest : public ::testing::Test {
protected:
    StartupTest()
    {
        device.address = "127.0.0.1";
        device.port = 161;
        security.version = 0;
        security.readCommunity = "ravine";
        security.writeCommunity = "lantern";
        security.securityModel = 1;
        security.securityLevel = 1;
        security.authProtocol = 1;
        security.privProtocol = 1;
        configDirectory = dir.path() + "/Conf/";
        std::filesystem::create_directories(configDirectory);
        registryFile = dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]\n"
                                                 "Path=" +
                                                     configDirectory + "\n");
    }
    ~StartupTest() override { KvResetMessageSets(); }

    KvStartup::Result configure(const std::vector<std::string>& parameters)
    {
        startup = std::make_unique<KvStartup>(KvRegistry(registryFile), device, security, scope);
        return startup->Configure(parameters);
    }
    // The given keys, then every numeric key a host writes (the first
    // occurrence of a key counts, so the given keys win).
    void writeIni(const std::string& address, const std::string& keys)
    {
        writeRawIni(address, keys + "AgentPort=161\nVersion=0\nSecurityModel=1\n"
                                    "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
    }
    void writeRawIni(const std::string& address, const std::string& keys)
    {
        dir.write("Conf/" + address + ".cfg", "[Program Information]\n" + keys);
    }
    std::string convertErrorOf(const std::vector<std::string>& parameters)
    {
        try {
            configure(parameters);
        } catch (const KvConvertError& error) {
            return error.what();
        }
        return "no error";
    }
    const KvStartupTexts& texts() const { return startup->Texts(); }

    TempDir dir;
    std::string configDirectory;
    std::string registryFile;
    KvSNMPDeviceSettings device;
    KvSNMPSecuritySettings security;
    KvSNMPScopeSettings scope;
    std::unique_ptr<KvStartup> startup;
};

const std::string kFullIni = "AgentPort=1161\n"
                             "Version=3\n"
                             "ContextName=ctx\n"
                             "ContextEngineID=8000\n"
                             "SecurityModel=3\n"
                             "SecurityLevel=2\n"
                             "SecurityName=ini-user\n"
                             "AuthProtocol=1\n"
                             "PrivProtocol=3\n"
                             "AuthPassword=ini-auth\n"
                             "PrivPassword=ini-priv\n";

} // namespace

TEST_F(StartupTest, AddressAndCommunityWithoutIniFile)
{
    ASSERT_EQ(configure({"/I10.1.1.1", "/Rpublic"}), KvStartup::Result::Ready);
    EXPECT_EQ(device.address, "10.1.1.1");
    EXPECT_EQ(device.port, 161);
    EXPECT_EQ(security.readCommunity, "public");
    EXPECT_EQ(security.writeCommunity, "lantern");
    EXPECT_EQ(security.version, 0);
    EXPECT_EQ(texts().AgentAddress, "10.1.1.1");
    EXPECT_EQ(texts().ReadCommunity, "public");
    EXPECT_EQ(texts().WriteCommunity, "");
    EXPECT_EQ(texts().IniVersion, "");
    EXPECT_FALSE(texts().IniFileFound);
}

TEST_F(StartupTest, NoParameterAppliesNothing)
{
    writeIni("", "AgentPort=9\nVersion=3\n");
    EXPECT_EQ(configure({}), KvStartup::Result::NoParameter);
    EXPECT_EQ(device.port, 161);
    EXPECT_EQ(security.version, 0);
    EXPECT_FALSE(texts().IniFileFound);
}

TEST_F(StartupTest, ParameterBeforeTheAddressUsesTheIniFileOfTheEmptyAddress)
{
    writeIni("", "AgentPort=2000\nVersion=1\n");
    configure({"/Rearly", "/I10.1.1.1", "/Wlate"});
    // "/Rearly" read "<config>.cfg"; "/Wlate" looked for "<config>10.1.1.1.cfg", missing.
    EXPECT_EQ(device.port, 2000);
    EXPECT_EQ(security.version, 1);
    EXPECT_EQ(texts().IniVersion, "1");
    EXPECT_FALSE(texts().IniFileFound) << "found-flag is that of the last look";
    EXPECT_EQ(security.readCommunity, "early");
    EXPECT_EQ(security.writeCommunity, "late");
}

TEST_F(StartupTest, IniFileIsAppliedAgainForEveryParameter)
{
    writeIni("10.1.1.1", "AgentPort=161\nVersion=3\nSecurityModel=3\nSecurityName=ini-user\n");
    configure({"/I10.1.1.1", "/v1", "/Rpublic"});
    EXPECT_EQ(security.version, 3) << "the INI file read for /Rpublic overrides /v1";
    EXPECT_TRUE(texts().IniFileFound);
    EXPECT_EQ(texts().IniVersion, "3");

    // The last parameter's own switch wins over the INI file ...
    configure({"/I10.1.1.1", "/Rpublic", "/nuser"});
    EXPECT_EQ(security.securityName, "user");
    // ... and a later parameter's INI reading undoes an earlier switch.
    configure({"/I10.1.1.1", "/nuser", "/Rpublic"});
    EXPECT_EQ(security.securityName, "ini-user");
}

TEST_F(StartupTest, AllIniKeysWithTheirConditionsAndOffsets)
{
    writeIni("10.1.1.1", kFullIni);
    configure({"/I10.1.1.1", "/Rpublic"});
    EXPECT_EQ(device.port, 1161);
    EXPECT_EQ(security.version, 3);
    EXPECT_EQ(scope.contextName, "ctx");
    EXPECT_EQ(scope.contextEngineId, "8000");
    EXPECT_EQ(security.securityModel, 3);
    EXPECT_EQ(security.securityLevel, 3) << "INI levels count from 0";
    EXPECT_EQ(security.securityName, "ini-user");
    EXPECT_EQ(security.authProtocol, 2);
    EXPECT_EQ(security.privProtocol, 4);
    EXPECT_EQ(security.authPassword, "ini-auth");
    EXPECT_EQ(security.privPassword, "ini-priv");
}

// Secrets handed over in the environment come after the command line and the
// INI file, and only while there are parameters (a bare start stays bare).
TEST_F(StartupTest, HandedSecretsWinOverTheCommandLineAndTheIniFile)
{
    writeIni("10.1.1.1", kFullIni);
    setenv(KvHandedSecrets::kEnvironmentVariable, "write=w/Ix\nauth=handed-auth\n", 1);
    EXPECT_EQ(configure({}), KvStartup::Result::NoParameter);
    configure({"/I10.1.1.1", "/Wcommand-line", "/Rpublic"});
    EXPECT_EQ(getenv(KvHandedSecrets::kEnvironmentVariable), nullptr) << "taken once";
    EXPECT_EQ(security.writeCommunity, "w/Ix") << "a handed secret is never read as a switch";
    EXPECT_EQ(texts().WriteCommunity, "w/Ix");
    EXPECT_EQ(texts().AgentAddress, "10.1.1.1");
    EXPECT_EQ(security.readCommunity, "public");
    EXPECT_EQ(security.authPassword, "handed-auth");
    EXPECT_EQ(security.privPassword, "ini-priv");
}

TEST_F(StartupTest, EmptyAndZeroIniValuesKeepOrClearAsEachKeySays)
{
    scope.contextName = "kept";
    scope.contextEngineId = "cleared";
    security.securityName = "cleared";
    security.authPassword = "kept-auth";
    security.privPassword = "kept-priv";
    security.securityLevel = 7;
    security.authProtocol = 8;
    security.privProtocol = 9;
    writeRawIni("10.1.1.1", "AgentPort = 161 \n"
                            "Version=0\n"
                            "ContextName=\n"
                            "SecurityModel=1\n"
                            "SecurityLevel=0\n"
                            "SecurityName=\n"
                            "AuthProtocol=0\n"
                            "PrivProtocol=0\n"
                            "AuthPassword=\n");
    configure({"/I10.1.1.1", "/Rpublic"});
    EXPECT_EQ(device.port, 161);
    EXPECT_EQ(scope.contextName, "kept");
    EXPECT_EQ(scope.contextEngineId, "");
    EXPECT_EQ(security.securityName, "");
    EXPECT_EQ(security.authPassword, "kept-auth");
    EXPECT_EQ(security.privPassword, "kept-priv");
    EXPECT_EQ(security.securityLevel, 7);
    EXPECT_EQ(security.authProtocol, 8);
    EXPECT_EQ(security.privProtocol, 9);
    EXPECT_EQ(texts().IniVersion, "0");
}

TEST_F(StartupTest, Version3SwitchesNeedVersion3InForce)
{
    configure({"/I10.1.1.1", "/t2161", "/nuser", "/l2"});
    EXPECT_EQ(device.port, 161);
    EXPECT_EQ(security.securityName, "");
    EXPECT_EQ(security.securityLevel, 1);

    configure({"/I10.1.1.1", "/v3", "/t2161", "/c", "/dengine", "/m3", "/l2", "/nuser", "/Aauthpass", "/Pprivpass",
               "/a3", "/p4"});
    EXPECT_EQ(device.port, 2161);
    EXPECT_EQ(scope.contextName, "");
    EXPECT_EQ(scope.contextEngineId, "engine");
    EXPECT_EQ(security.securityModel, 3);
    EXPECT_EQ(security.securityLevel, 2) << "the command line counts from 1 already";
    EXPECT_EQ(security.securityName, "user");
    EXPECT_EQ(security.authPassword, "authpass");
    EXPECT_EQ(security.privPassword, "privpass");
    EXPECT_EQ(security.authProtocol, 3);
    EXPECT_EQ(security.privProtocol, 4);
}

TEST_F(StartupTest, IniVersion3AloneEnablesVersion3Switches)
{
    // The INI file says version 3, and the version is then set back to 1 by
    // the command line: IniVersion "3" still counts.
    writeIni("10.1.1.1", "AgentPort=161\nVersion=3\nSecurityModel=3\n");
    configure({"/I10.1.1.1", "/t2161"});
    EXPECT_EQ(device.port, 2161);
}

TEST_F(StartupTest, SwitchesAreFoundAnywhereAndTheFirstOccurrenceCounts)
{
    configure({"x/I10.1.1.1", "/Rpub/Ilic"});
    // A community holding the address switch is an address switch.
    EXPECT_EQ(device.address, "lic");
    EXPECT_EQ(security.readCommunity, "ravine");

    configure({"/R/Rtwice", "/W", "/Wx/Ry", "/rlower"});
    EXPECT_EQ(security.readCommunity, "y") << "/R is tested before /W";
    EXPECT_EQ(security.writeCommunity, "") << "an empty value is a value";
    EXPECT_EQ(texts().ReadCommunity, "y");

    configure({"/R/Rtwice"});
    EXPECT_EQ(security.readCommunity, "/Rtwice");

    // "/v" and "/t" are different switches; "/V" is none.
    configure({"/v3", "/Vx", "/tx/v1"});
    EXPECT_EQ(security.version, 1);
}

TEST_F(StartupTest, VersionAndPortKeepTheirWidths)
{
    configure({"/v259", "/t70000"});
    EXPECT_EQ(security.version, 3) << "version is kept to 8 bits";
    EXPECT_EQ(device.port, 70000 % 65536);

    writeIni("10.1.1.1", "AgentPort=-1\nVersion=255\nSecurityModel=0\nSecurityLevel=2147483647\n");
    configure({"/I10.1.1.1", "/Rx"});
    EXPECT_EQ(device.port, 65535);
    EXPECT_EQ(security.version, -1);
    EXPECT_EQ(texts().IniVersion, "-1");
    EXPECT_EQ(security.securityLevel, INT32_MIN) << "the +1 wraps instead of overflowing";
}

TEST_F(StartupTest, BadNumbersEndStartUpWithTheOffendingText)
{
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/vabc"}), "'abc' is not a valid integer value");
    EXPECT_EQ(convertErrorOf({"/v3", "/t"}), "'' is not a valid integer value");
    EXPECT_EQ(convertErrorOf({"/v3", "/l 2"}), "' 2' is not a valid integer value");
    EXPECT_EQ(convertErrorOf({"/v3", "/a0x10"}), "'0x10' is not a valid integer value");
    // Version-3 switches are not converted when they are not looked at.
    security.version = 0;
    EXPECT_EQ(convertErrorOf({"/tabc", "/mabc"}), "no error");

    security.version = 0;
    writeIni("10.1.1.1", "AgentPort=abc\nVersion=3\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "'abc' is not a valid integer value");
    EXPECT_EQ(security.version, 0) << "keys after the bad one are not applied";
    // The address switch alone never reads the INI file.
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1"}), "no error");

    // Every numeric key is required (the levels and protocols unless "0").
    writeRawIni("10.1.1.1", "Version=3\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "'' is not a valid integer value");
    writeRawIni("10.1.1.1", "AgentPort=161\nVersion=3\nSecurityModel=3\nSecurityLevel=0\nAuthProtocol=0\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "'' is not a valid integer value");
    writeRawIni("10.1.1.1", "AgentPort=161\nVersion=3\nSecurityModel=3\nSecurityLevel=0\nAuthProtocol=0\n"
                            "PrivProtocol=0\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "no error");
    writeIni("10.1.1.1", "AgentPort=161\nVersion=3\nSecurityModel=\"3\"\nSecurityLevel=1.5\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "'1.5' is not a valid integer value");
    writeIni("10.1.1.1", "AgentPort=161\nVersion=99999999999\n");
    EXPECT_EQ(convertErrorOf({"/I10.1.1.1", "/Rx"}), "'99999999999' is not a valid integer value");
}

TEST(KvStrToInt, AcceptsOnlySignedDecimalIn32Bits)
{
    EXPECT_EQ(KvStrToInt("0"), 0);
    EXPECT_EQ(KvStrToInt("+17"), 17);
    EXPECT_EQ(KvStrToInt("-0"), 0);
    EXPECT_EQ(KvStrToInt("007"), 7);
    EXPECT_EQ(KvStrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(KvStrToInt("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "+", "-", "2147483648", "-2147483649", "1 ", " 1", "1e3", "$10", "0x1", "--1", "1-"})
        EXPECT_THROW(KvStrToInt(bad), KvConvertError) << bad;
}

TEST_F(StartupTest, DirectoriesComeFromTheRegistry)
{
    const std::string moduleDir = dir.path() + "/module/";
    const std::string exe = dir.path() + "/host/bin/";
    std::filesystem::create_directories(exe);
    std::filesystem::create_directories(dir.path() + "/host/Conf/MBF");
    dir.write("host/Conf/MBF/10.9.9.9.cfg", "[Program Information]\nAgentPort=3161\nVersion=1\nSecurityModel=1\n"
                                            "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
    const std::string helpValue = KvStartup::ModuleValueName();
    EXPECT_EQ(helpValue, "1.3.6.1.4.1.32473.10.48.1");

    registryFile = dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n" + helpValue + "=" + moduleDir +
                                                 "osprey-panel\n"
                                                 "[\\SOFTWARE\\Korvan\\Halyard5.1\\ExePath]\n"
                                                 "Path=" +
                                                 exe + "\n");
    configure({"/I10.9.9.9", "/Rx"});
    EXPECT_EQ(startup->ModuleDirectory(), moduleDir);
    EXPECT_EQ(startup->ConfigDirectory(), exe + "..\\Conf\\MBF\\");
    EXPECT_EQ(device.port, 3161) << "the INI path with backslashes is found";

    // MibFile replaces the directory unchanged.
    registryFile = dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Halyard5.1\\ExePath]\nPath=" + exe +
                                                 "\n[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]\nPath=/mib\n");
    configure({"/I10.9.9.9"});
    EXPECT_EQ(startup->ConfigDirectory(), "/mib");
    EXPECT_EQ(startup->IniFileName(), "/mib10.9.9.9.cfg");

    // A program path of 12 characters or fewer leaves no directory; the
    // module's key is created when missing.
    registryFile =
        dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n" + helpValue + "=osprey-panel\n");
    configure({"/I10.9.9.9"});
    EXPECT_EQ(startup->ModuleDirectory(), "");
    registryFile =
        dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n" + helpValue + "=/osprey-panel\n");
    configure({"/I10.9.9.9"});
    EXPECT_EQ(startup->ModuleDirectory(), "/");
    registryFile = dir.write("registry.ini", "");
    configure({"/I10.9.9.9"});
    EXPECT_EQ(startup->ModuleDirectory(), "");
    EXPECT_EQ(startup->ConfigDirectory(), "");
    EXPECT_TRUE(KvRegistry(registryFile).KeyExists(KvStartup::kModuleKey));

    // No registry at all.
    registryFile = dir.file("none.ini");
    configure({"/I10.9.9.9"});
    EXPECT_EQ(startup->ModuleDirectory(), "");
    EXPECT_EQ(startup->IniFileName(), "10.9.9.9.cfg");
}

TEST_F(StartupTest, MessageFilesAreLoadedFromTheModuleDirectory)
{
    const std::string moduleDir = dir.path() + "/module/";
    dir.write("module/errmsg/kvsnmp.err", "line 0\nline 1\nline 2\nline 3\nline 4\nline 5\n(Test) no session\n");
    dir.write("module/errmsg/common.err", "\n   \n");
    registryFile = dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n" +
                                                 KvStartup::ModuleValueName() + "=" + moduleDir + "osprey-panel\n");
    configure({"/I10.1.1.1"});
    EXPECT_EQ(KvErrorText(-506), "(Test) no session");
    // Blank or missing files keep the built-in texts.
    EXPECT_EQ(KvErrorText(-1), "(KvCommon) Bad logic operand!");
    EXPECT_EQ(KvErrorText(-101), "(SNMP) Response PDU Too Big!");
}

TEST(KvStartupBootCounter, TheEnvironmentCanPlaceTheBootCounterElsewhere)
{
    ::setenv(KvStartup::kBootCounterDirVariable, "/var/tmp/osprey-state", 1);
    EXPECT_EQ(KvStartup().bootCounterDirectory, "/var/tmp/osprey-state");
    ::setenv(KvStartup::kBootCounterDirVariable, "", 1);
    EXPECT_EQ(KvStartup().bootCounterDirectory, "");
    ::unsetenv(KvStartup::kBootCounterDirVariable);
    EXPECT_EQ(KvStartup().bootCounterDirectory, ""); // the working directory
}

TEST(KvStartupFailure, BootCounterFailuresSayWhatToDo)
{
    const std::string saving =
        KvStartup::DescribeFailure(KvError(-508, "(VoDADI++) Error when saving SNMP engine boots counter!"));
    EXPECT_EQ(saving.rfind("(VoDADI++) Error when saving SNMP engine boots counter!", 0), 0u);
    EXPECT_NE(saving.find("\"KvSNMP_PP_BootCounter\""), std::string::npos);
    EXPECT_NE(saving.find(std::filesystem::current_path().string()), std::string::npos);
    EXPECT_NE(saving.find("writ"), std::string::npos);

    const std::string loading =
        KvStartup::DescribeFailure(KvError(-507, "(VoDADI++) Error when loading SNMP engine boots counter!"));
    EXPECT_NE(loading.find("KvSNMP_PP_BootCounter"), std::string::npos);

    EXPECT_EQ(KvStartup::DescribeFailure(KvConvertError("abc")), "'abc' is not a valid integer value");
    EXPECT_EQ(KvStartup::DescribeFailure(KvError(-506, "(VoDADI++) Cannot create the global VoDADI++ session!")),
              "(VoDADI++) Cannot create the global VoDADI++ session!");
}

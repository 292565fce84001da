// The boot counter file and the engine start-up.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/kverror.h"
#include "snmp/bootcounter.h"
#include "snmp/kvsnmpsession.h"

namespace {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvboot-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path_ = ::mkdtemp(name.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(File(name));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(File(name)) << text; }

private:
    std::string path_;
};

} // namespace

TEST(BootCounter, EncodesTheEngineIdTwoCharactersPerOctet)
{
    EXPECT_EQ(EncodeBootCounterEngineId("AB"), "DADB");
    EXPECT_EQ(EncodeBootCounterEngineId(std::string("\x00\xff", 2)), "@@OO");
}

TEST(BootCounter, MissingFileThenSaveAndReadBack)
{
    TempDir dir;
    uint32_t boots = 99;
    EXPECT_EQ(getBootCounter(dir.File("counter"), "engine", boots), bootCounterCannotOpen);
    EXPECT_EQ(boots, 0u);
    ASSERT_EQ(saveBootCounter(dir.File("counter"), "engine", 7), bootCounterOk);
    EXPECT_EQ(dir.Read("counter"), EncodeBootCounterEngineId("engine") + " 7\n");
    EXPECT_EQ(getBootCounter(dir.File("counter"), "engine", boots), bootCounterOk);
    EXPECT_EQ(boots, 7u);
    EXPECT_EQ(getBootCounter(dir.File("counter"), "other", boots), bootCounterNoEntry);
    EXPECT_EQ(boots, 0u);
}

TEST(BootCounter, SavingKeepsOtherEnginesAndComments)
{
    TempDir dir;
    const std::string ours = EncodeBootCounterEngineId("ours");
    const std::string theirs = EncodeBootCounterEngineId("theirs");
    dir.Write("counter", "# kept comment\n" + theirs + " 12\n" + ours + " 3\n");
    ASSERT_EQ(saveBootCounter(dir.File("counter"), "ours", 4), bootCounterOk);
    EXPECT_EQ(dir.Read("counter"), "# kept comment\n" + theirs + " 12\n" + ours + " 4\n");
    ASSERT_EQ(saveBootCounter(dir.File("counter"), "new", 1), bootCounterOk);
    uint32_t boots = 0;
    EXPECT_EQ(getBootCounter(dir.File("counter"), "theirs", boots), bootCounterOk);
    EXPECT_EQ(boots, 12u);
    EXPECT_EQ(getBootCounter(dir.File("counter"), "new", boots), bootCounterOk);
    EXPECT_EQ(boots, 1u);
    // No temporary files are left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(BootCounter, Failures)
{
    TempDir dir;
    uint32_t boots = 0;
    const std::string tooLong(33, 'x');
    EXPECT_EQ(getBootCounter(dir.File("counter"), tooLong, boots), bootCounterIdTooLong);
    EXPECT_EQ(saveBootCounter(dir.File("counter"), tooLong, 1), bootCounterIdTooLong);
    dir.Write("bad", "DADB seven\n");
    EXPECT_EQ(getBootCounter(dir.File("bad"), "AB", boots), bootCounterMalformed);
    dir.Write("bad2", "DAD 7\n");
    EXPECT_EQ(getBootCounter(dir.File("bad2"), "AB", boots), bootCounterMalformed);
    dir.Write("bad3", "DAZZ 7\n");
    EXPECT_EQ(getBootCounter(dir.File("bad3"), "AB", boots), bootCounterMalformed);
    EXPECT_EQ(saveBootCounter(dir.File("missing/counter"), "AB", 1), bootCounterCannotCreate);
}

TEST(BootCounter, BackslashesInTheNameAreDirectorySeparators)
{
    TempDir dir;
    ASSERT_EQ(saveBootCounter(dir.Path() + "\\counter", "AB", 2), bootCounterOk);
    EXPECT_TRUE(std::filesystem::exists(dir.File("counter")));
}

TEST(EngineStart, JoinPath)
{
    EXPECT_EQ(JoinPath("", "KvSNMP_PP_BootCounter"), "KvSNMP_PP_BootCounter");
    EXPECT_EQ(JoinPath("C:\\dir", "file"), "C:\\dir\\file");
    EXPECT_EQ(JoinPath("C:\\dir\\", "file"), "C:\\dir\\file");
}

TEST(EngineStart, AdvancesTheBootCounterAndSetsTheDefaults)
{
    TempDir dir;
    KvSNMPDevice = {};
    KvSNMPSecurity = {};
    KvSNMPScope = {};
    StartSnmpEngine(dir.Path());
    const std::string line = EncodeBootCounterEngineId("KvSNMP_PP_Application");
    EXPECT_EQ(dir.Read("KvSNMP_PP_BootCounter"), line + " 1\n");
    EXPECT_NE(KvSnmpSession(), nullptr);
    EXPECT_EQ(KvSNMPDevice.address, "127.0.0.1");
    EXPECT_EQ(KvSNMPDevice.port, 161);
    EXPECT_EQ(KvSNMPScope.contextEngineId, "");
    EXPECT_EQ(KvSNMPScope.contextName, "");
    EXPECT_EQ(KvSNMPSecurity.version, 0);
    EXPECT_EQ(KvSNMPSecurity.readCommunity, "ravine");
    EXPECT_EQ(KvSNMPSecurity.writeCommunity, "lantern");
    EXPECT_EQ(KvSNMPSecurity.securityModel, 1);
    EXPECT_EQ(KvSNMPSecurity.securityLevel, 1);
    EXPECT_EQ(KvSNMPSecurity.securityName, "");
    EXPECT_EQ(KvSNMPSecurity.authProtocol, 1);
    EXPECT_EQ(KvSNMPSecurity.privProtocol, 1);
    EXPECT_EQ(defaultTimeout, 100);

    StartSnmpEngine(dir.Path() + "\\");
    EXPECT_EQ(dir.Read("KvSNMP_PP_BootCounter"), line + " 2\n");
}

TEST(EngineStart, UnwritableDirectoryGives508AndLeavesTheSettings)
{
    TempDir dir;
    KvSNMPDevice.address = "10.9.9.9";
    const std::string missing = dir.Path() + "/no-such-directory";
    try {
        StartSnmpEngine(missing);
        FAIL() << "no error";
    } catch (const KvError& e) {
        EXPECT_EQ(e.code(), -508);
        const std::string message = e.message();
        EXPECT_EQ(message.rfind("(VoDADI++) Error when saving SNMP engine boots counter!", 0), 0u) << message;
        EXPECT_NE(message.find(missing + "/KvSNMP_PP_BootCounter"), std::string::npos) << message;
    }
    EXPECT_EQ(KvSNMPDevice.address, "10.9.9.9");

    if (::geteuid() != 0) {
        // A directory without write permission (root writes anyway).
        ::chmod(dir.Path().c_str(), 0555);
        int code = 0;
        try {
            StartSnmpEngine(dir.Path());
        } catch (const KvError& e) {
            code = e.code();
        }
        ::chmod(dir.Path().c_str(), 0755);
        EXPECT_EQ(code, -508);
    }
}

TEST(EngineStart, MalformedCounterFileGives507)
{
    TempDir dir;
    dir.Write("KvSNMP_PP_BootCounter", "not a counter line\n");
    int code = 0;
    try {
        StartSnmpEngine(dir.Path());
    } catch (const KvError& e) {
        code = e.code();
        EXPECT_EQ(e.message().rfind("(VoDADI++) Error when loading SNMP engine boots counter!", 0), 0u);
    }
    EXPECT_EQ(code, -507);
}

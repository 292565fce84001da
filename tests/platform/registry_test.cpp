#include "platform/kvregistry.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

const char* const kHelpPathKey = "\\SOFTWARE\\Korvan\\Modules\\HelpPath";

} // namespace

TEST(KvRegistry, ReadsValuesOfTheOpenKey)
{
    TempDir dir;
    const std::string file = dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Modules\\HelpPath]\n"
                                                       "1.3.6.1.4.1.32473.10.48.1=/opt/osprey/osprey-panel\n"
                                                       "[\\SOFTWARE\\Korvan\\Halyard5.1\\ExePath]\n"
                                                       "Path=C:\\Halyard\\bin\\\n");
    KvRegistry registry(file);
    EXPECT_EQ(registry.ReadString("Path"), "") << "no key is open yet";
    ASSERT_TRUE(registry.OpenKey(kHelpPathKey, false));
    EXPECT_EQ(registry.ReadString("1.3.6.1.4.1.32473.10.48.1"), "/opt/osprey/osprey-panel");
    EXPECT_EQ(registry.ReadString("Path"), "") << "values belong to their own key";
    EXPECT_FALSE(registry.ValueExists("Path"));
    // Key paths ignore case and the leading backslash.
    ASSERT_TRUE(registry.OpenKey("software\\korvan\\HALYARD5.1\\ExePath", false));
    EXPECT_EQ(registry.ReadString("path"), "C:\\Halyard\\bin\\");
    EXPECT_TRUE(registry.ValueExists("PATH"));
    registry.CloseKey();
    EXPECT_EQ(registry.ReadString("Path"), "");
    EXPECT_FALSE(registry.OpenKey("\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile", false));
    EXPECT_EQ(registry.ReadString("Path"), "") << "a failed open leaves no key open";
}

TEST(KvRegistry, OpenWithCreationAddsAnEmptyKeyOnce)
{
    TempDir dir;
    const std::string file = dir.write("registry.ini", "; machine registry\n");
    KvRegistry registry(file);
    ASSERT_TRUE(registry.OpenKey(kHelpPathKey, true));
    EXPECT_EQ(registry.ReadString("1.3.6.1.4.1.32473.10.48.1"), "");
    EXPECT_TRUE(registry.KeyExists(kHelpPathKey));
    ASSERT_TRUE(registry.OpenKey(kHelpPathKey, true));
    ASSERT_TRUE(KvRegistry(file).OpenKey(kHelpPathKey, false));
    const std::string text = ReadWholeFile(file);
    EXPECT_EQ(text.find("HelpPath"), text.rfind("HelpPath")) << text;
    EXPECT_EQ(text.rfind("; machine registry", 0), 0u) << "existing content is kept";
}

TEST(KvRegistry, MissingOrUnusableFileNeverFails)
{
    TempDir dir;
    KvRegistry missing(dir.file("none.ini"));
    EXPECT_FALSE(missing.OpenKey(kHelpPathKey, false));
    // Creation does not make a registry file where there is none.
    EXPECT_FALSE(missing.OpenKey(kHelpPathKey, true));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
    EXPECT_EQ(missing.ReadString("x"), "");

    KvRegistry inMissingDirectory(dir.file("no/such/dir/registry.ini"));
    EXPECT_FALSE(inMissingDirectory.OpenKey(kHelpPathKey, true));

    KvRegistry directory(dir.path());
    EXPECT_FALSE(directory.OpenKey(kHelpPathKey, true));

    KvRegistry unwritable("/proc/version");
    EXPECT_FALSE(unwritable.OpenKey(kHelpPathKey, true));

    // Key names that would break the file's structure are not keys.
    const std::string file = dir.write("registry.ini", "");
    KvRegistry registry(file);
    EXPECT_FALSE(registry.OpenKey("\\A]\n[B", true));
    EXPECT_FALSE(registry.OpenKey("", true));
    EXPECT_EQ(ReadWholeFile(file), "");
}

TEST(KvRegistry, MachineFileComesFromTheEnvironment)
{
    const char* saved = std::getenv(KvRegistry::kEnvironmentVariable);
    const std::string restore = saved ? saved : "";
    setenv(KvRegistry::kEnvironmentVariable, "/tmp/some/registry.ini", 1);
    EXPECT_EQ(KvRegistry().filePath(), "/tmp/some/registry.ini");
    unsetenv(KvRegistry::kEnvironmentVariable);
    EXPECT_EQ(KvRegistry().filePath(), KvRegistry::kDefaultFilePath);
    setenv(KvRegistry::kEnvironmentVariable, "", 1);
    EXPECT_EQ(KvRegistry().filePath(), KvRegistry::kDefaultFilePath);
    if (saved)
        setenv(KvRegistry::kEnvironmentVariable, restore.c_str(), 1);
    else
        unsetenv(KvRegistry::kEnvironmentVariable);
}

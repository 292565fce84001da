#include "platform/kvini.h"
#include "platform/kvinifile.h"
#include "platform/kvpath.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(KvNativePath, TurnsEveryBackslashIntoSlash)
{
    EXPECT_EQ(KvNativePath("errmsg\\common.err"), "errmsg/common.err");
    EXPECT_EQ(KvNativePath("/opt/h/bin/..\\Conf\\MBF\\10.1.1.1.cfg"), "/opt/h/bin/../Conf/MBF/10.1.1.1.cfg");
    EXPECT_EQ(KvNativePath("plain/name"), "plain/name");
    EXPECT_EQ(KvNativePath(""), "");
}

TEST(KvNativePath, AbsoluteAgainstTheWorkingDirectoryForMessages)
{
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(KvAbsoluteNativePath("BootCount\\engine.dat"), cwd + "/BootCount/engine.dat");
    EXPECT_EQ(KvAbsoluteNativePath("..\\Conf\\"), cwd + "/../Conf/");
    EXPECT_EQ(KvAbsoluteNativePath("/var\\lib/x"), "/var/lib/x") << "an absolute path stays as it is";
}

TEST(KvIniFile, NamesAreCaseInsensitiveAndBlanksAroundThemIgnored)
{
    const auto ini = KvIniFile::fromText("[ Program Information ]\n  agentport  =  161  \n");
    EXPECT_EQ(ini.value("program information", "AGENTPORT"), "161");
    EXPECT_TRUE(ini.hasSection("PROGRAM INFORMATION"));
    EXPECT_FALSE(ini.value("Program Information", "AgentPor").has_value());
    EXPECT_FALSE(ini.value("Program", "AgentPort").has_value());
}

TEST(KvIniFile, FirstMatchingKeyWinsAcrossRepeatedSections)
{
    const auto ini = KvIniFile::fromText("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nother=5\n");
    EXPECT_EQ(ini.value("a", "k"), "1");
    EXPECT_EQ(ini.value("B", "K"), "3");
    // A key only in the repeated section is still found.
    EXPECT_EQ(ini.value("A", "other"), "5");
}

TEST(KvIniFile, ValueQuotesAndEqualsSigns)
{
    const auto ini = KvIniFile::fromText("[S]\n"
                                         "q=\"quoted value\"\n"
                                         "s=' single '\n"
                                         "twice=\"\"x\"\"\n"
                                         "mixed=\"x'\n"
                                         "lone=\"\n"
                                         "eq=a=b\n"
                                         "empty=\n");
    EXPECT_EQ(ini.value("S", "q"), "quoted value");
    EXPECT_EQ(ini.value("S", "s"), " single ");
    EXPECT_EQ(ini.value("S", "twice"), "\"x\"");
    EXPECT_EQ(ini.value("S", "mixed"), "\"x'");
    EXPECT_EQ(ini.value("S", "lone"), "\"");
    EXPECT_EQ(ini.value("S", "eq"), "a=b");
    EXPECT_EQ(ini.value("S", "empty"), "");
}

TEST(KvIniFile, CommentsStrayLinesAndLineEnds)
{
    const auto ini = KvIniFile::fromText("\xEF\xBB\xBF"
                                         "orphan=1\r\n"
                                         "[S]\r\n"
                                         "; k=comment\r\n"
                                         "   ;k=indented comment\r\n"
                                         "no equals sign\r\n"
                                         "k=value\r\n"
                                         "[unterminated\r\n"
                                         "u=2");
    EXPECT_EQ(ini.value("S", "k"), "value");
    EXPECT_FALSE(ini.value("S", "orphan").has_value());
    EXPECT_FALSE(ini.value("", "orphan").has_value());
    EXPECT_EQ(ini.value("unterminated", "u"), "2");
}

TEST(KvIniFile, MissingFileOrDirectoryHasNothing)
{
    TempDir dir;
    const KvIniFile missing(dir.file("none.ini"));
    EXPECT_FALSE(missing.exists());
    EXPECT_FALSE(missing.value("S", "k").has_value());
    const KvIniFile directory(dir.path());
    EXPECT_FALSE(directory.exists());
}

TEST(KvIni, ReadStringTrimsAndFallsBackToDefault)
{
    TempDir dir;
    dir.write("sw.cfg", "[Program Information]\n"
                        "AgentPort=   161   \n"
                        "Tabbed=\t\tx\t\n"
                        "Quoted=\"  padded  \"\n"
                        "Blank=\"   \"\n"
                        "Empty=\n");
    const KvIni ini(dir.file("sw.cfg"));
    EXPECT_EQ(ini.ReadString("Program Information", "AgentPort", ""), "161");
    EXPECT_EQ(ini.ReadString("Program Information", "Tabbed", ""), "x");
    // Quotes come off first; the blanks they protected are then trimmed too.
    EXPECT_EQ(ini.ReadString("Program Information", "Quoted", ""), "padded");
    // Quoted blanks are a non-empty value, and trim to nothing.
    EXPECT_EQ(ini.ReadString("Program Information", "Blank", "dflt"), "");
    EXPECT_EQ(ini.ReadString("Program Information", "Empty", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Program Information", "Missing", ""), "");
    // The default of a missing key goes through the same trimming.
    EXPECT_EQ(ini.ReadString("Program Information", "Missing", "  d  "), "d");
    EXPECT_EQ(KvIni(dir.file("missing.cfg")).ReadString("Program Information", "AgentPort", "7"), "7");
}

TEST(KvIni, FileNameWithBackslashesIsOpenedAsHostPath)
{
    TempDir dir;
    dir.write("Conf/MBF/10.1.1.1.cfg", "[Program Information]\nVersion=3\n");
    const KvIni ini(dir.path() + "\\Conf\\MBF\\10.1.1.1.cfg");
    EXPECT_EQ(ini.fileName, dir.path() + "\\Conf\\MBF\\10.1.1.1.cfg");
    EXPECT_EQ(ini.ReadString("Program Information", "Version", ""), "3");
}

TEST(KvIni, LongValueIsCutToTheBuffer)
{
    TempDir dir;
    dir.write("long.cfg", "[S]\nk=" + std::string(5000, 'a') + "\n");
    EXPECT_EQ(KvIni(dir.file("long.cfg")).ReadString("S", "k", "").size(), KvIni::kBufferSize - 1);
}

// A NUL byte in the file ends the value as it ends a zero-terminated text, so
// that start-up converts and reports the text it holds ("'1' ..." rather
// than a message cut short inside its quotes).
TEST(KvIni, NulByteEndsTheValue)
{
    TempDir dir;
    dir.write("nul.cfg", std::string("[S]\nAgentPort=1\0"
                                     "61\nName=\0x\n",
                                     27));
    const KvIni ini(dir.file("nul.cfg"));
    EXPECT_EQ(ini.ReadString("S", "AgentPort", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "Name", "dflt"), "dflt");
}

#include "platform/kvlauncher.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// A program that writes each argument on a line of `out` beside it.
std::string writeRecorder(const TempDir& dir, const std::string& subdir, const std::string& name)
{
    const std::string path =
        dir.write(subdir + "/" + name, "#!/bin/sh\n"
                                       "out=\"$(dirname \"$0\")/out.tmp\"\n"
                                       "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out\"; done\n"
                                       "mv \"$out\" \"$(dirname \"$0\")/out\"\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

std::string waitForFile(const std::string& path)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadWholeFile(path);
}

} // namespace

TEST(KvLauncher, SplitsAtBlanksOnly)
{
    EXPECT_EQ(KvLauncher::splitCommandLine("MIB /I10.1.1.1 /R /W /TMIB_Info"),
              (QStringList{"MIB", "/I10.1.1.1", "/R", "/W", "/TMIB_Info"}));
    EXPECT_EQ(KvLauncher::splitCommandLine("  a   b\t"), (QStringList{"a", "b\t"}));
    EXPECT_TRUE(KvLauncher::splitCommandLine("   ").isEmpty());
}

TEST(KvLauncher, LooksInModuleDirectoryThenCurrentDirectoryThenPath)
{
    TempDir dir;
    const std::string inModule = writeRecorder(dir, "module", "Bridge");
    const std::string inCurrent = writeRecorder(dir, "current", "Bridge");
    writeRecorder(dir, "current", "Rmon");
    writeRecorder(dir, "path", "Rmon");
    const std::string onPath = writeRecorder(dir, "path", "VLan");
    dir.write("module/NotExecutable", "#!/bin/sh\n");

    const QString savedCurrent = QDir::currentPath();
    const QByteArray savedPath = qgetenv("PATH");
    QDir::setCurrent(QString::fromStdString(dir.file("current")));
    qputenv("PATH", QByteArray::fromStdString("/nonexistent:" + dir.file("path")));
    const QString module = QString::fromStdString(dir.file("module"));

    EXPECT_EQ(KvLauncher::findProgram("Bridge", module).toStdString(), inModule);
    EXPECT_EQ(KvLauncher::findProgram("Rmon", module).toStdString(), dir.file("current") + "/Rmon");
    EXPECT_EQ(KvLauncher::findProgram("VLan", module).toStdString(), onPath);
    EXPECT_EQ(KvLauncher::findProgram("NotExecutable", module), QString());
    EXPECT_EQ(KvLauncher::findProgram("Missing", module), QString());
    EXPECT_EQ(KvLauncher::findProgram("Bridge", QString()).toStdString(), inCurrent);
    EXPECT_FALSE(KvLauncher::startCommandLine("Missing /I1.2.3.4", module));
    EXPECT_FALSE(KvLauncher::startCommandLine("", module));

    QDir::setCurrent(savedCurrent);
    qputenv("PATH", savedPath);
}

TEST(KvLauncher, ArgumentsReachTheProgramUnchangedWithoutAShell)
{
    TempDir dir;
    writeRecorder(dir, "module", "MIB");
    const QString module = QString::fromStdString(dir.file("module"));
    const QString marker = QString::fromStdString(dir.file("injected"));
    ASSERT_TRUE(KvLauncher::startCommandLine(
        "MIB /I10.1.1.1 /Rpub;touch$IFS" + marker + " /W$(touch\t" + marker + ") /P'\"*\" /TMIB_Info", module));
    const std::string out = waitForFile(dir.file("module/out"));
    EXPECT_EQ(out, "/I10.1.1.1\n"
                   "/Rpub;touch$IFS" +
                       marker.toStdString() +
                       "\n"
                       "/W$(touch\t" +
                       marker.toStdString() +
                       ")\n"
                       "/P'\"*\"\n"
                       "/TMIB_Info\n");
    EXPECT_FALSE(QFile::exists(marker));
}

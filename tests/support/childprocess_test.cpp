// The child-process launcher: exit statuses, arguments that a shell would
// have taken apart, programs that are missing or hang, output and
// environment as asked, and no process left behind.
//
// The child is this test program itself, started with a "--child" mode.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tempdir.h"
#include "tests/support/childprocess.h"

extern char** environ;

namespace {

std::string Self()
{
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

std::vector<std::string> Child(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {Self(), "--child"});
    return arguments;
}

// What the child wrote on standard output (after a wait).
std::string Output(ChildProcess& child)
{
    std::string out, err;
    EXPECT_TRUE(child.readOutput(out, err, 10000));
    return out;
}

// The pid is neither running nor a zombie of ours.
bool Gone(pid_t pid)
{
    errno = 0;
    const bool reaped = ::waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD;
    return reaped && !std::filesystem::exists("/proc/" + std::to_string(pid));
}

const ChildProcess::Options kPiped{.out = ChildProcess::Output::pipe()};

TEST(ChildProcess, ExitStatusIsPassedThrough)
{
    for (int code : {0, 1, 3, 42, 255}) {
        ChildProcess child;
        ASSERT_TRUE(child.start(Child({"exit", std::to_string(code)})));
        EXPECT_GT(child.pid(), 0);
        EXPECT_EQ(child.wait(10000), code);
        EXPECT_TRUE(child.exitedNormally());
        EXPECT_FALSE(child.running());
        EXPECT_EQ(child.wait(10), code) << "a second wait gives the same status";
    }
    ChildProcess killed;
    ASSERT_TRUE(killed.start(Child({"raise", std::to_string(SIGTERM)})));
    EXPECT_EQ(killed.wait(10000), 128 + SIGTERM);
    EXPECT_FALSE(killed.exitedNormally());
}

TEST(ChildProcess, ArgumentsArriveUnchanged)
{
    TempDir dir;
    const std::string marker = dir.file("touched");
    const std::vector<std::string> arguments = {
        "two words",
        "  blanks around  ",
        "",
        "\"double\"",
        "'single'",
        "a;b",
        "x && y",
        "$(touch " + marker + ")",
        "`touch " + marker + "`",
        "$HOME",
        "*",
        "back\\slash",
        "line\nbreak",
        "|",
        "> " + marker,
    };
    std::vector<std::string> argv = {"print-args"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess child;
    ASSERT_TRUE(child.start(Child(argv), kPiped));
    const std::string out = Output(child);
    EXPECT_EQ(child.wait(10000), 0);
    std::string expected;
    for (const std::string& a : arguments)
        expected += a + '\0';
    EXPECT_EQ(out, expected);
    EXPECT_FALSE(std::filesystem::exists(marker)) << "no shell ran the arguments";
}

TEST(ChildProcess, AMissingProgramIsReported)
{
    for (const std::string program : {"/nonexistent/osprey-no-such-program", "osprey-no-such-program"}) {
        ChildProcess child;
        std::string error;
        EXPECT_FALSE(child.start({program, "x"}, kPiped, &error));
        EXPECT_NE(error.find(program), std::string::npos) << error;
        EXPECT_EQ(child.pid(), -1);
        EXPECT_FALSE(child.running());
        EXPECT_EQ(child.outFd(), -1) << "the pipe is not left open";
        EXPECT_EQ(child.wait(10), -1);
        child.kill();
        child.signal(SIGTERM);
    }
    ChildProcess nothing;
    std::string error;
    EXPECT_FALSE(nothing.start({}, {}, &error));
    EXPECT_FALSE(error.empty());
    ChildProcess badFile;
    EXPECT_FALSE(badFile.start(Child({"exit", "0"}), {.directory = "/nonexistent/osprey-dir"}, &error));
}

TEST(ChildProcess, TheDeadlineKillsAProgramThatHangs)
{
    ChildProcess child;
    ASSERT_TRUE(child.start(Child({"hang"})));
    const pid_t pid = child.pid();
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(child.wait(300), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
    EXPECT_FALSE(child.running());
    EXPECT_FALSE(child.exitedNormally());
    EXPECT_TRUE(Gone(pid));
}

TEST(ChildProcess, LeftRunningAtTheDeadlineItCanBeStopped)
{
    ChildProcess child;
    ASSERT_TRUE(child.start(Child({"hang"})));
    EXPECT_EQ(child.wait(200, ChildProcess::AtDeadline::LeaveRunning), -1);
    EXPECT_TRUE(child.running());
    const pid_t pid = child.pid();
    EXPECT_EQ(child.stop(5000), 128 + SIGTERM);
    EXPECT_TRUE(Gone(pid));

    ChildProcess stubborn;
    ASSERT_TRUE(stubborn.start(Child({"ignore-term"}), kPiped));
    EXPECT_EQ(Output(stubborn).substr(0, 5), "ready") << "the handler is in place";
    EXPECT_EQ(stubborn.stop(300), 128 + SIGKILL) << "killed once the time is up";
}

TEST(ChildProcess, TheDestructorReaps)
{
    pid_t hanging = -1, ended = -1;
    {
        ChildProcess child;
        ASSERT_TRUE(child.start(Child({"hang"})));
        hanging = child.pid();
        ChildProcess quick;
        ASSERT_TRUE(quick.start(Child({"exit", "0"})));
        ended = quick.pid();
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // a zombie by now, never waited for
    }
    EXPECT_TRUE(Gone(hanging));
    EXPECT_TRUE(Gone(ended));
}

TEST(ChildProcess, OutputGoesWhereAsked)
{
    TempDir dir;
    {
        ChildProcess child;
        ASSERT_TRUE(
            child.start(Child({"write", "to out", "to err"}), {.out = ChildProcess::Output::file(dir.file("out")),
                                                               .err = ChildProcess::Output::file(dir.file("err"))}));
        EXPECT_EQ(child.wait(10000), 0);
        EXPECT_EQ(ReadWholeFile(dir.file("out")), "to out");
        EXPECT_EQ(ReadWholeFile(dir.file("err")), "to err");
    }
    {
        ChildProcess child; // appended, and standard error into the same file
        ASSERT_TRUE(
            child.start(Child({"write", "+out", "+err"}), {.out = ChildProcess::Output::appendTo(dir.file("out")),
                                                           .err = ChildProcess::Output::sameAsOut()}));
        EXPECT_EQ(child.wait(10000), 0);
        EXPECT_EQ(ReadWholeFile(dir.file("out")), "to out+out+err");
    }
    {
        ChildProcess child; // both piped, read apart
        ASSERT_TRUE(child.start(Child({"write", std::string(100000, 'o'), "e"}),
                                {.out = ChildProcess::Output::pipe(), .err = ChildProcess::Output::pipe()}));
        std::string out, err;
        EXPECT_TRUE(child.readOutput(out, err, 10000));
        EXPECT_EQ(child.wait(10000), 0);
        EXPECT_EQ(out, std::string(100000, 'o'));
        EXPECT_EQ(err, "e");
    }
    {
        ChildProcess child; // a pipe that stays open past the limit
        ASSERT_TRUE(child.start(Child({"hang"}), kPiped));
        std::string out, err;
        EXPECT_FALSE(child.readOutput(out, err, 200));
    }
    {
        ChildProcess child; // discarded by default: nothing reaches a file or the test's output
        ASSERT_TRUE(child.start(Child({"write", "dropped", "dropped"})));
        EXPECT_EQ(child.wait(10000), 0);
    }
}

TEST(ChildProcess, DirectoryAndEnvironmentAsAsked)
{
    TempDir dir;
    ::setenv("OSPREY_CHILD_KEPT", "kept", 1);
    ::setenv("OSPREY_CHILD_REPLACED", "old", 1);
    ::setenv("OSPREY_CHILD_REMOVED", "there", 1);
    ChildProcess child;
    ASSERT_TRUE(
        child.start(Child({"print-env", "OSPREY_CHILD_KEPT", "OSPREY_CHILD_REPLACED", "OSPREY_CHILD_REMOVED",
                           "OSPREY_CHILD_EMPTY", "OSPREY_CHILD_NEW"}),
                    {.directory = dir.path(),
                     .environment = {"OSPREY_CHILD_REPLACED=new", "OSPREY_CHILD_EMPTY=", "OSPREY_CHILD_NEW=a=b c"},
                     .unset = {"OSPREY_CHILD_REMOVED"},
                     .out = ChildProcess::Output::pipe()}));
    const std::string out = Output(child);
    EXPECT_EQ(child.wait(10000), 0);
    const std::string cwd = std::filesystem::canonical(dir.path()).string();
    EXPECT_EQ(out, cwd + "\n"
                         "OSPREY_CHILD_KEPT=kept\n"
                         "OSPREY_CHILD_REPLACED=new\n"
                         "OSPREY_CHILD_REMOVED unset\n"
                         "OSPREY_CHILD_EMPTY=\n"
                         "OSPREY_CHILD_NEW=a=b c\n"
                         "OSPREY_CHILD_REPLACED 1\n");
}

// --- the child's side ------------------------------------------------------------------------

int Count(char** environment, const std::string& name)
{
    int n = 0;
    for (char** e = environment; *e; ++e)
        n += std::strncmp(*e, (name + "=").c_str(), name.size() + 1) == 0;
    return n;
}

int RunChild(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode == "exit")
        return std::atoi(argv[3]);
    if (mode == "raise") {
        ::raise(std::atoi(argv[3]));
        return 0;
    }
    if (mode == "hang" || mode == "ignore-term") {
        if (mode == "ignore-term") {
            ::signal(SIGTERM, SIG_IGN);
            std::fputs("ready", stdout);
            std::fclose(stdout);
        }
        while (true)
            ::pause();
    }
    if (mode == "print-args") {
        for (int i = 3; i < argc; ++i)
            std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, stdout);
        return 0;
    }
    if (mode == "write") {
        std::fputs(argv[3], stdout);
        std::fflush(stdout);
        std::fputs(argv[4], stderr);
        return 0;
    }
    if (mode == "print-env") {
        std::printf("%s\n", std::filesystem::current_path().c_str());
        for (int i = 3; i < argc; ++i) {
            const char* value = std::getenv(argv[i]);
            if (value)
                std::printf("%s=%s\n", argv[i], value);
            else
                std::printf("%s unset\n", argv[i]);
        }
        std::printf("OSPREY_CHILD_REPLACED %d\n", Count(environ, "OSPREY_CHILD_REPLACED"));
        return 0;
    }
    return 99;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

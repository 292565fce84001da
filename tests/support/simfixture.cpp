#include "tests/support/simfixture.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char **environ;

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

SimFixture::SimFixture()
    : SimFixture(Options{})
{
}

SimFixture::SimFixture(Options options)
    : options_(std::move(options))
{
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/osprey-simfixture.XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()))
        dir_ = buf.data();
}

SimFixture::~SimFixture()
{
    stop();
    if (!dir_.empty() && !std::getenv("OSPREY_KEEP_SIM_DIR")) {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
}

std::string SimFixture::simulatorPath()
{
    return OSPREY_SIM_PATH;
}

std::string SimFixture::peer() const
{
    return "udp:127.0.0.1:" + std::to_string(port_);
}

std::string SimFixture::logPath() const
{
    return dir_ + "/requests.log";
}

std::string SimFixture::statePath() const
{
    return dir_ + "/state.sim";
}

std::vector<std::string> SimFixture::logLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(readFile(logPath()));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void SimFixture::clearLog() const
{
    // The simulator appends; truncating in place keeps its descriptor valid.
    if (FILE *f = std::fopen(logPath().c_str(), "r+")) {
        if (ftruncate(fileno(f), 0) != 0) {
            // nothing more to do: the next lines still append
        }
        std::fclose(f);
    }
}

std::string SimFixture::stderrText() const
{
    return readFile(dir_ + "/stderr.txt");
}

bool SimFixture::start(std::string *error)
{
    auto fail = [error](const std::string &message) {
        if (error)
            *error = message;
        return false;
    };
    if (running())
        return true;
    if (dir_.empty())
        return fail("cannot create a temporary directory");
    const std::string ready = dir_ + "/ready";
    std::remove(ready.c_str());

    std::vector<std::string> args = {simulatorPath(),
                                     "--listen", "udp:127.0.0.1:" + std::to_string(port_),
                                     "--ready-file", ready,
                                     "--log", logPath(),
                                     "--exit-with-parent"};
    if (!options_.dataFile.empty()) {
        args.push_back("--data");
        args.push_back(options_.dataFile);
    }
    if (options_.keepState) {
        args.push_back("--state");
        args.push_back(statePath());
    }
    args.insert(args.end(), options_.extraArgs.begin(), options_.extraArgs.end());
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string errPath = dir_ + "/stderr.txt";
    const std::string outPath = dir_ + "/stdout.txt";
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    // The simulator's private files go into the fixture's directory, so that
    // one that was killed leaves nothing behind either.
    std::vector<std::string> environment;
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "TMPDIR=", 7) != 0)
            environment.emplace_back(*e);
    environment.push_back("TMPDIR=" + dir_);
    std::vector<char *> envp;
    for (std::string &e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return fail(std::string("cannot start ") + argv[0] + ": " + std::strerror(rc));
    pid_ = pid;

    // Generous: under the sanitizers on a busy machine loading the standard
    // groups takes seconds; a simulator that ends is reported at once.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return fail("the simulator ended at start: " + stderrText());
        }
        const std::string text = readFile(ready);
        const size_t colon = text.rfind(':');
        if (!text.empty() && text.back() == '\n' && colon != std::string::npos) {
            port_ = static_cast<unsigned short>(std::atoi(text.c_str() + colon + 1));
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    return fail("the simulator did not get ready within 30 seconds: " + stderrText());
}

void SimFixture::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

void SimFixture::stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

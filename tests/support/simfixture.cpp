#include "tests/support/simfixture.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

SimFixture::SimFixture() : SimFixture(Options{}) {}

SimFixture::SimFixture(Options options) : options_(std::move(options))
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/osprey-simfixture.XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()))
        dir_ = buf.data();
}

SimFixture::~SimFixture()
{
    stop();
    keepSessionLog();
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

void SimFixture::keepSessionLog() const
{
    // A whole session's requests, across fixtures and cleared logs, for
    // comparing what reached the agent before and after a change
    // (scripts/sim-session-log.sh).
    const char* session = std::getenv("OSPREY_SIM_SESSION_LOG");
    if (!session || !*session || dir_.empty())
        return;
    std::ofstream out(session, std::ios::app);
    out << readFile(logPath());
}

void SimFixture::clearLog() const
{
    keepSessionLog();
    // The simulator appends; truncating in place keeps its descriptor valid.
    if (FILE* f = std::fopen(logPath().c_str(), "r+")) {
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

bool SimFixture::start(std::string* error)
{
    auto fail = [error](const std::string& message) {
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

    std::vector<std::string> args = {options_.program.empty() ? simulatorPath() : options_.program,
                                     "--listen",
                                     "udp:127.0.0.1:" + std::to_string(port_),
                                     "--ready-file",
                                     ready,
                                     "--exit-with-parent"};
    if (options_.requestLog) {
        args.push_back("--log");
        args.push_back(logPath());
    }
    if (!options_.dataFile.empty()) {
        args.push_back("--data");
        args.push_back(options_.dataFile);
    }
    if (options_.keepState) {
        args.push_back("--state");
        args.push_back(statePath());
    }
    args.insert(args.end(), options_.extraArgs.begin(), options_.extraArgs.end());
    // The simulator's private files go into the fixture's directory, so that
    // one that was killed leaves nothing behind either.
    const ChildProcess::Options spawn{.environment = {"TMPDIR=" + dir_},
                                      .out = ChildProcess::Output::appendTo(dir_ + "/stdout.txt"),
                                      .err = ChildProcess::Output::appendTo(dir_ + "/stderr.txt")};
    std::string why;
    if (!process_.start(args, spawn, &why))
        return fail(why);

    // Generous: under the sanitizers on a busy machine loading the standard
    // groups takes seconds; a simulator that ends is reported at once.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!process_.running())
            return fail("the simulator ended at start: " + stderrText());
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
    process_.kill();
}

void SimFixture::stop()
{
    process_.stop(5000);
}

#include "tests/support/childprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

std::string NameOf(const std::string& entry)
{
    return entry.substr(0, entry.find('='));
}

// The caller's environment less `unset` and the names `environment` sets,
// followed by `environment`.
std::vector<std::string> Environment(const ChildProcess::Options& options)
{
    std::vector<std::string> names = options.unset;
    for (const std::string& e : options.environment)
        names.push_back(NameOf(e));
    std::vector<std::string> result;
    for (char** e = environ; *e; ++e) {
        const std::string name = NameOf(*e);
        bool dropped = false;
        for (const std::string& n : names)
            dropped = dropped || n == name;
        if (!dropped)
            result.emplace_back(*e);
    }
    result.insert(result.end(), options.environment.begin(), options.environment.end());
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Adds the file action for descriptor `fd`; a pipe's reading end goes to `readEnd`.
bool Redirect(posix_spawn_file_actions_t& actions, int fd, const ChildProcess::Output& output, int& readEnd,
              int& writeEnd, std::string& why)
{
    using Kind = ChildProcess::Output::Kind;
    switch (output.kind) {
    case Kind::Discard:
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_WRONLY, 0);
        return true;
    case Kind::Inherit:
        return true;
    case Kind::Truncate:
        posix_spawn_file_actions_addopen(&actions, fd, output.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        return true;
    case Kind::Append:
        posix_spawn_file_actions_addopen(&actions, fd, output.path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        return true;
    case Kind::Pipe: {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            why = std::string("cannot make a pipe: ") + std::strerror(errno);
            return false;
        }
        readEnd = ends[0];
        writeEnd = ends[1];
        posix_spawn_file_actions_adddup2(&actions, writeEnd, fd);
        return true;
    }
    case Kind::SameAsOut:
        posix_spawn_file_actions_adddup2(&actions, 1, fd);
        return true;
    }
    return true;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Reads what is there; false at end of file.
bool Drain(int fd, std::string& into)
{
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    into.append(buffer, static_cast<size_t>(n));
    return true;
}

} // namespace

ChildProcess::~ChildProcess()
{
    kill();
    closePipes();
}

bool ChildProcess::start(const std::vector<std::string>& argv, const Options& options, std::string* error)
{
    auto fail = [error](const std::string& message) {
        if (error)
            *error = message;
        return false;
    };
    if (argv.empty())
        return fail("no program given");
    kill();
    closePipes();
    status_ = -1;
    exitedNormally_ = false;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.directory.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    int outWrite = -1, errWrite = -1;
    std::string why;
    const bool redirected = Redirect(actions, 1, options.out, outFd_, outWrite, why) &&
                            Redirect(actions, 2, options.err, errFd_, errWrite, why);
    int rc = 0;
    if (redirected) {
        std::vector<std::string> args = argv;
        std::vector<std::string> env = Environment(options);
        std::vector<char*> argp = Pointers(args), envp = Pointers(env);
        rc = posix_spawnp(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data());
    }
    posix_spawn_file_actions_destroy(&actions);
    CloseFd(outWrite);
    CloseFd(errWrite);
    if (!redirected || rc != 0) {
        pid_ = -1;
        closePipes();
        return fail(redirected ? "cannot start " + argv[0] + ": " + std::strerror(rc) : why);
    }
    return true;
}

int ChildProcess::reap(int flags)
{
    int status = 0;
    pid_t got = ::waitpid(pid_, &status, flags);
    while (got < 0 && errno == EINTR)
        got = ::waitpid(pid_, &status, flags);
    if (got == 0)
        return -1;
    pid_ = -1;
    if (got < 0) // reaped elsewhere: nothing is known of its end
        return status_ = -1;
    exitedNormally_ = WIFEXITED(status);
    return status_ = exitedNormally_ ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool ChildProcess::running()
{
    if (pid_ > 0)
        reap(WNOHANG);
    return pid_ > 0;
}

int ChildProcess::wait(int ms, AtDeadline atDeadline)
{
    if (pid_ <= 0)
        return status_;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (true) {
        if (reap(WNOHANG) >= 0 || pid_ <= 0)
            return status_;
        if (MsLeft(deadline) == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(10, MsLeft(deadline))));
    }
    if (atDeadline == AtDeadline::Kill) {
        kill();
        status_ = -1;
        exitedNormally_ = false;
    }
    return -1;
}

void ChildProcess::signal(int number)
{
    if (pid_ > 0)
        ::kill(pid_, number);
}

int ChildProcess::stop(int ms)
{
    if (pid_ <= 0)
        return status_;
    signal(SIGTERM);
    wait(ms, AtDeadline::LeaveRunning);
    kill(); // nothing left to do when it ended
    return status_;
}

void ChildProcess::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    reap(0);
}

bool ChildProcess::readOutput(std::string& out, std::string& err, int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (outFd_ >= 0 || errFd_ >= 0) {
        std::vector<pollfd> fds;
        if (outFd_ >= 0)
            fds.push_back({outFd_, POLLIN, 0});
        if (errFd_ >= 0)
            fds.push_back({errFd_, POLLIN, 0});
        const int left = MsLeft(deadline);
        if (left == 0 || ::poll(fds.data(), fds.size(), left) == 0)
            return false;
        for (const pollfd& p : fds) {
            if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            int& fd = p.fd == outFd_ ? outFd_ : errFd_;
            if (!Drain(fd, p.fd == outFd_ ? out : err))
                CloseFd(fd);
        }
    }
    return true;
}

bool ChildProcess::readSomeOutput(std::string& out, int ms)
{
    if (outFd_ < 0)
        return false;
    pollfd p{outFd_, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0 && Drain(outFd_, out);
}

void ChildProcess::closePipes()
{
    CloseFd(outFd_);
    CloseFd(errFd_);
}

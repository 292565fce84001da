#include "exportrun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
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

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t from = 0;
    while (true) {
        const size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos)
            return fields;
        from = tab + 1;
    }
}

std::vector<std::string> ExportResult::OutLines() const
{
    return SplitLines(out);
}

std::vector<std::string> ExportResult::ErrLines() const
{
    return SplitLines(err);
}

std::string ExportProcess::ProgramPath()
{
    return OSPREY_EXPORT_PATH;
}

std::string ExportProcess::BuildDirectory()
{
    return std::filesystem::path(ProgramPath()).parent_path().string();
}

ExportProcess::ExportProcess(std::string directory, std::string registry)
    : directory_(std::move(directory)), registry_(std::move(registry))
{
}

ExportProcess::~ExportProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0)
        ::close(outFd_);
    if (errFd_ >= 0)
        ::close(errFd_);
}

bool ExportProcess::Start(const std::vector<std::string>& arguments)
{
    int out[2], err[2];
    if (::pipe(out) != 0)
        return false;
    if (::pipe(err) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    const std::string program = ProgramPath();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(out[1]);
        ::close(err[0]);
        ::close(err[1]);
        if (::chdir(directory_.c_str()) != 0)
            ::_exit(126);
        if (registry_.empty())
            ::unsetenv("KORVAN_REGISTRY");
        else
            ::setenv("KORVAN_REGISTRY", registry_.c_str(), 1);
        for (const auto& [name, value] : environment) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    pid_ = pid;
    outFd_ = out[0];
    errFd_ = err[0];
    pendingOut_.clear();
    return true;
}

void ExportProcess::Collect(ExportResult& result, int limitMs)
{
    result.out = pendingOut_;
    pendingOut_.clear();
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (outFd_ >= 0 || errFd_ >= 0) {
        std::vector<pollfd> fds;
        if (outFd_ >= 0)
            fds.push_back({outFd_, POLLIN, 0});
        if (errFd_ >= 0)
            fds.push_back({errFd_, POLLIN, 0});
        const int left = MsLeft(deadline);
        if (left == 0 || ::poll(fds.data(), fds.size(), left) == 0) {
            result.timedOut = true;
            ::kill(pid_, SIGKILL);
            break;
        }
        for (const pollfd& p : fds) {
            if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            int& fd = p.fd == outFd_ ? outFd_ : errFd_;
            if (!Drain(fd, p.fd == outFd_ ? result.out : result.err)) {
                ::close(fd);
                fd = -1;
            }
        }
    }
    if (outFd_ >= 0)
        ::close(outFd_);
    if (errFd_ >= 0)
        ::close(errFd_);
    outFd_ = errFd_ = -1;
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ExportResult ExportProcess::Run(const std::vector<std::string>& arguments, int limitMs)
{
    ExportResult result;
    if (!Start(arguments))
        return result;
    Collect(result, limitMs);
    return result;
}

bool ExportProcess::StartAndReadLines(const std::vector<std::string>& arguments, size_t lines,
                                      int limitMs, std::vector<std::string>& received)
{
    received.clear();
    if (!Start(arguments))
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (true) {
        const std::vector<std::string> complete =
            SplitLines(pendingOut_.substr(0, pendingOut_.rfind('\n') == std::string::npos
                                                 ? 0
                                                 : pendingOut_.rfind('\n') + 1));
        if (complete.size() >= lines) {
            received.assign(complete.begin(), complete.begin() + static_cast<long>(lines));
            return true;
        }
        pollfd p{outFd_, POLLIN, 0};
        const int left = MsLeft(deadline);
        if (left == 0 || ::poll(&p, 1, left) <= 0 || !Drain(outFd_, pendingOut_))
            return false;
    }
}

bool ExportProcess::Running()
{
    if (pid_ <= 0)
        return false;
    // Looks without reaping, so that Finish still gets the exit status.
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

ExportResult ExportProcess::Finish(int limitMs)
{
    ExportResult result;
    if (pid_ > 0)
        Collect(result, limitMs);
    return result;
}

#include "exportrun.h"

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

ExportProcess::~ExportProcess() = default;

bool ExportProcess::Start(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {program.empty() ? ProgramPath() : program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess::Options options{
        .directory = directory_, .out = ChildProcess::Output::pipe(), .err = ChildProcess::Output::pipe()};
    if (registry_.empty())
        options.unset.push_back("KORVAN_REGISTRY");
    else
        options.environment.push_back("KORVAN_REGISTRY=" + registry_);
    for (const auto& [name, value] : environment) {
        if (value.empty())
            options.unset.push_back(name);
        else
            options.environment.push_back(name + "=" + value);
    }
    pendingOut_.clear();
    started_ = process_.start(argv, options);
    return started_;
}

void ExportProcess::Collect(ExportResult& result, int limitMs)
{
    started_ = false;
    result.out = pendingOut_;
    pendingOut_.clear();
    if (!process_.readOutput(result.out, result.err, limitMs)) {
        result.timedOut = true;
        process_.kill();
    }
    process_.closePipes();
    const int status = process_.wait(60000);
    result.status = process_.exitedNormally() ? status : -1;
}

ExportResult ExportProcess::Run(const std::vector<std::string>& arguments, int limitMs)
{
    ExportResult result;
    if (!Start(arguments))
        return result;
    Collect(result, limitMs);
    return result;
}

bool ExportProcess::StartAndReadLines(const std::vector<std::string>& arguments, size_t lines, int limitMs,
                                      std::vector<std::string>& received)
{
    received.clear();
    if (!Start(arguments))
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (true) {
        const std::vector<std::string> complete = SplitLines(
            pendingOut_.substr(0, pendingOut_.rfind('\n') == std::string::npos ? 0 : pendingOut_.rfind('\n') + 1));
        if (complete.size() >= lines) {
            received.assign(complete.begin(), complete.begin() + static_cast<long>(lines));
            return true;
        }
        const int left = MsLeft(deadline);
        if (left == 0 || !process_.readSomeOutput(pendingOut_, left))
            return false;
    }
}

bool ExportProcess::Running()
{
    return process_.running();
}

ExportResult ExportProcess::Finish(int limitMs)
{
    ExportResult result;
    if (started_)
        Collect(result, limitMs);
    return result;
}

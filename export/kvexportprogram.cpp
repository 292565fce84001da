#include "export/kvexportprogram.h"

#include "export/kvexportcatalogue.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include "common/kverror.h"
#include "export/kvexportoptions.h"
#include "export/kvexportformats.h"
#include "export/kvpageexporter.h"
#include "export/kvpagelookup.h"
#include "shell/kvconverterror.h"
#include "shell/kvstartup.h"
#include "snmp/kvsnmpwalkcursor.h"
#include "tables/pagecatalogue.h"

namespace {

// The program's own text for an empty command line.
constexpr const char* kNoParameter = "No parameter input";

std::string Quoted(const std::string& title)
{
    return "\"" + title + "\"";
}

} // namespace

std::string KvExportProgram::StatsLine(const std::string& title, const KvWalkStats& before, const KvWalkStats& after,
                                       int64_t pageMs)
{
    const int64_t answers = after.answers - before.answers;
    const int64_t requests = after.requests - before.requests;
    const int64_t roundTrip = answers > 0 ? (after.roundTripMs - before.roundTripMs) / answers : 0;
    return "stats: " + KvPageLookup::Trim(title) + ": requests=" + std::to_string(requests) +
           " retries=" + std::to_string(after.retries - before.retries) +
           " bindings=" + std::to_string(after.bindings - before.bindings) +
           " bytes=" + std::to_string(after.bytes - before.bytes) + " rtt_ms=" + std::to_string(roundTrip) +
           " time_ms=" + std::to_string(pageMs) + " size=" + std::to_string(requests > 0 ? after.settled : 0);
}

int KvExportProgram::UsageError(const std::string& message)
{
    err_ << programName_ << ": " << message << "\n\n" << KvExportOptions::Usage(programName_);
    err_.flush();
    return kUsage;
}

int KvExportProgram::StartSession(const std::vector<std::string>& switches, const std::string& bootCounterDirectory,
                                  std::string& message)
{
    if (switches.empty()) {
        message = std::string(kNoParameter) + " (give the switch's address, e.g. /I10.90.90.90)";
        return kUsage;
    }
    try {
        KvStartup startup;
        if (!bootCounterDirectory.empty())
            startup.bootCounterDirectory = bootCounterDirectory;
        startup.Run(switches);
    } catch (const KvConvertError& failure) {
        message = failure.what();
        return kUsage;
    } catch (const std::exception& failure) {
        message = KvStartup::DescribeFailure(failure);
        return kFailed;
    }
    return kOk;
}

int KvExportProgram::Run(const std::vector<std::string>& arguments)
{
    return CheckOutput(out_, err_, programName_, RunActions(arguments));
}

int KvExportProgram::CheckOutput(std::ostream& out, std::ostream& err, const std::string& programName, int status)
{
    // A full disk or a closed output must not pass for a written file.
    errno = 0;
    if (out.flush())
        return status;
    const int error = errno;
    err << programName << ": cannot write the output" << (error ? std::string(": ") + std::strerror(error) : "")
        << "\n";
    err.flush();
    return status == kOk ? kFailed : status;
}

int KvExportProgram::RunActions(const std::vector<std::string>& arguments)
{
    KvExportOptions options;
    std::string error;
    if (!options.Parse(arguments, error))
        return UsageError(error);
    if (options.action == KvExportOptions::Action::Help) {
        out_ << KvExportOptions::Usage(programName_);
        out_.flush();
        return kOk;
    }

    std::unique_ptr<KvExportWriter> writer = KvCreateExportWriter(options.format, out_);
    if (options.action == KvExportOptions::Action::List) {
        std::vector<KvExportListEntry> entries;
        for (const PageCommand& page : kvexportcatalogue::Pages())
            entries.push_back({page.title, KvPageExporter::IsTable(page) ? "table" : "scalars",
                               kvtables::CountRows(page.variables), page.name});
        writer->List(entries);
        return kOk;
    }

    // The pages, before anything is started.
    std::vector<const PageCommand*> pages;
    if (options.action == KvExportOptions::Action::Page) {
        // A hand-made window's caption names all of its requests.
        pages = KvPageLookup::FindWindow(options.page);
        const KvPageLookup::Found found = KvPageLookup::Find(options.page);
        if (!found.page && pages.empty()) {
            std::string message = "no page " + Quoted(options.page) + " in the page catalogue";
            if (KvPageLookup::IsPortPageTitle(options.page))
                message += " (it is a page of the front panel's port menu, which needs a port)";
            const std::vector<std::string> close = KvPageLookup::Suggest(options.page);
            if (!close.empty()) {
                message += "; did you mean";
                for (size_t i = 0; i < close.size(); ++i)
                    message += (i ? ", " : " ") + Quoted(close[i]);
                message += "?";
            }
            message += " (--list shows every page)";
            err_ << programName_ << ": " << message << "\n";
            err_.flush();
            return kUsage;
        }
        if (pages.empty())
            pages.push_back(found.page);
    } else {
        for (const PageCommand& page : kvexportcatalogue::Pages())
            pages.push_back(&page);
    }

    // The program's start-up, as the main window runs it.
    const int started = StartSession(options.parameters, options.bootCounterDirectory, error);
    if (started == kUsage)
        return UsageError(error);
    if (started != kOk) {
        err_ << programName_ << ": " << error << "\n";
        err_.flush();
        return started;
    }

    KvPageExporter exporter(*writer);
    writer->BeginDocument(options.action == KvExportOptions::Action::All || pages.size() > 1);
    int status = kOk;
    for (size_t i = 0; i < pages.size(); ++i) {
        const KvWalkStats before = KvSNMPWalkCursor::Totals();
        const auto started = std::chrono::steady_clock::now();
        const KvPageExporter::Result result = exporter.Export(*pages[i]);
        if (!out_.flush())
            return kFailed; // no use reading pages that cannot be written: Run says why
        if (options.stats) {
            const auto took = std::chrono::steady_clock::now() - started;
            err_ << StatsLine(pages[i]->title, before, KvSNMPWalkCursor::Totals(),
                              std::chrono::duration_cast<std::chrono::milliseconds>(took).count())
                 << "\n";
            err_.flush();
        }
        if (result.ok)
            continue;
        status = kFailed;
        err_ << result.statusLine << "\n";
        err_.flush();
        // Without an answer every further page would wait out its time-out too.
        if (result.NoAnswer() && i + 1 < pages.size()) {
            err_ << programName_ << ": no answer from the switch; the remaining " << pages.size() - i - 1
                 << " pages were not read\n";
            err_.flush();
            break;
        }
    }
    writer->EndDocument();
    return status;
}

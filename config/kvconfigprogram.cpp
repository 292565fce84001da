#include "config/kvconfigprogram.h"

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "config/kvconfigdiff.h"
#include "config/kvconfigfile.h"
#include "config/kvconfigoptions.h"
#include "config/kvconfigplan.h"
#include "config/kvconfigreader.h"
#include "config/kvconfigsender.h"
#include "export/kvexportcatalogue.h"
#include "export/kvexportprogram.h"
#include "export/kvpagelookup.h"
#include "journal/kvjournal.h"
#include "journal/kvjournalundo.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/kvsnmprequest.h"
#include "tables/pagecatalogue.h"

namespace {

// The columns of a row as every page of the catalogue (the forms' tables
// included) defines them, for the journal of a row's deletion.
std::vector<KvWriteRowColumn> RowColumns(const std::string& statusOid)
{
    std::vector<KvWriteRowColumn> columns;
    kvtables::AddRowColumns(kvexportcatalogue::Pages(), statusOid, columns);
    kvtables::AddRowColumns(kvtables::PortPages(), statusOid, columns);
    return columns;
}

} // namespace

KvConfigProgram::KvConfigProgram(std::ostream& out, std::ostream& err, bool progress, std::string programName)
    : out_(out), err_(err), progress_(progress), programName_(std::move(programName))
{
}

int KvConfigProgram::Message(int status, const std::string& message)
{
    err_ << programName_ << ": " << message << "\n";
    err_.flush();
    return status;
}

int KvConfigProgram::UsageError(const std::string& message)
{
    err_ << programName_ << ": " << message << "\n\n" << KvConfigOptions::Usage(programName_);
    err_.flush();
    return kUsage;
}

int KvConfigProgram::Run(const std::vector<std::string>& arguments)
{
    KvConfigOptions options;
    std::string error;
    if (!options.Parse(arguments, error))
        return UsageError(error);
    switches_ = options.switches;
    bootCounterDirectory_ = options.bootCounterDirectory;
    // Every write of this run (restore, undo) is journaled.
    KvJournal journal;
    journal.SetRowColumns(&RowColumns);
    const KvJournalInstallation installed(&journal);
    switch (options.command) {
    case KvConfigOptions::Command::Snapshot:
        return Snapshot(options.pages);
    case KvConfigOptions::Command::Diff:
        return Diff(options.files);
    case KvConfigOptions::Command::Restore:
        return Restore(options.files.front(), options.apply, options.removeRows);
    case KvConfigOptions::Command::Journal:
        return Journal();
    case KvConfigOptions::Command::Undo:
        return Undo(options.files.empty() ? std::string() : options.files.front());
    default:
        out_ << KvConfigOptions::Usage(programName_);
        out_.flush();
        return kOk;
    }
}

int KvConfigProgram::Start(int failure)
{
    std::string message;
    const int started = KvExportProgram::StartSession(switches_, bootCounterDirectory_, message);
    if (started == KvExportProgram::kUsage)
        return UsageError(message);
    if (started != KvExportProgram::kOk)
        return Message(failure, message);
    return kOk;
}

bool KvConfigProgram::Read(const KvConfigCatalogue& catalogue, KvConfigSnapshot& snapshot)
{
    KvConfigReader reader;
    KvConfigReader::Progress progress;
    if (progress_)
        progress = [this](size_t done, size_t total) {
            err_ << "\rreading the switch: " << done << " of " << total << " pages" << (done == total ? "\n" : "");
            err_.flush();
        };
    try {
        snapshot = reader.Read(catalogue, progress);
    } catch (const KvConfigReadError& failure) {
        if (progress_)
            err_ << "\n";
        err_ << failure.what() << "\n";
        if (failure.NoAnswer())
            err_ << programName_ << ": no answer from the switch; nothing was read\n";
        err_.flush();
        return false;
    }
    return true;
}

bool KvConfigProgram::CatalogueOf(const KvConfigSnapshot& snapshot, std::vector<const PageCommand*>& pages,
                                  std::string& error)
{
    // In catalogue order, so that every variable belongs to the page it
    // belongs to in a full snapshot.
    for (const KvConfigPage& page : snapshot.pages) {
        bool known = false;
        for (const PageCommand& command : kvexportcatalogue::Pages())
            known = known || (command.name && page.name == command.name && page.title == command.title);
        if (!known) {
            error = "page \"" + KvPageLookup::Trim(page.title) + "\" (" + page.name +
                    ") is not a page of this program (a snapshot of another version?)";
            return false;
        }
    }
    for (const PageCommand& command : kvexportcatalogue::Pages())
        if (command.name && snapshot.Page(command.name, command.title))
            pages.push_back(&command);
    return true;
}

int KvConfigProgram::Snapshot(const std::vector<std::string>& titles)
{
    std::vector<const PageCommand*> pages;
    if (titles.empty()) {
        for (const PageCommand& page : kvexportcatalogue::Pages())
            pages.push_back(&page);
    } else {
        std::vector<const PageCommand*> wanted;
        for (const std::string& title : titles) {
            const KvPageLookup::Found found = KvPageLookup::Find(title);
            if (!found.page) {
                std::string message = "no page \"" + title + "\" in the page catalogue";
                const std::vector<std::string> close = KvPageLookup::Suggest(title);
                for (size_t i = 0; i < close.size(); ++i)
                    message +=
                        (i ? ", \"" : "; did you mean \"") + close[i] + "\"" + (i + 1 == close.size() ? "?" : "");
                return Message(kUsage, message + " (osprey-export --list shows every page)");
            }
            wanted.push_back(found.page);
        }
        for (const PageCommand& page : kvexportcatalogue::Pages())
            for (const PageCommand* chosen : wanted)
                if (chosen == &page) {
                    pages.push_back(&page);
                    break;
                }
    }
    const KvConfigCatalogue catalogue(pages);
    if (catalogue.Pages().empty())
        return Message(kUsage, "the pages named hold no writable settings");
    if (!titles.empty())
        for (const PageCommand* page : pages)
            if (!catalogue.Find(page->name ? page->name : "", page->title))
                Message(kOk, "page \"" + KvPageLookup::Trim(page->title) +
                                 "\" holds no writable settings of its own; it is left out");
    if (const int started = Start(kFailed))
        return started;
    KvConfigSnapshot snapshot;
    if (!Read(catalogue, snapshot))
        return kFailed;
    KvConfigFile::Write(snapshot, out_);
    return kOk;
}

int KvConfigProgram::Diff(const std::vector<std::string>& files)
{
    KvConfigSnapshot a;
    KvConfigSnapshot b;
    std::string error;
    if (!KvConfigFile::Load(files[0], a, error))
        return Message(kUsage, error);
    if (files.size() > 1) {
        if (!KvConfigFile::Load(files[1], b, error))
            return Message(kUsage, error);
    } else {
        std::vector<const PageCommand*> pages;
        if (!CatalogueOf(a, pages, error))
            return Message(kUsage, files[0] + ": " + error);
        if (const int started = Start(kUsage))
            return started;
        if (!Read(KvConfigCatalogue(pages), b))
            return kUsage;
    }
    const std::vector<KvConfigDiff::Difference> differences = KvConfigDiff::Compare(a, b);
    for (const KvConfigDiff::Difference& difference : differences)
        out_ << difference.Line() << "\n";
    out_.flush();
    return differences.empty() ? kOk : kDifferent;
}

int KvConfigProgram::Restore(const std::string& file, bool apply, bool removeRows)
{
    KvConfigSnapshot wanted;
    std::string error;
    if (!KvConfigFile::Load(file, wanted, error))
        return Message(kUsage, "refused: " + error);
    std::vector<const PageCommand*> pages;
    if (!CatalogueOf(wanted, pages, error))
        return Message(kUsage, "refused: " + file + ": " + error);
    const KvConfigCatalogue catalogue(pages);
    if (!KvConfigPlan::Check(catalogue, wanted, error))
        return Message(kUsage, "refused: " + file + ": " + error);
    if (const int started = Start(kFailed))
        return started;

    KvConfigSnapshot live;
    try {
        live.model = KvConfigReader().Model();
    } catch (const KvConfigReadError& failure) {
        err_ << failure.what() << "\n";
        return Message(kFailed, "no snapshot of the switch could be taken; nothing was sent");
    }
    if (live.model != wanted.model)
        return Message(kUsage, "refused: " + file + " is a snapshot of another switch model (" +
                                   (wanted.model.empty() ? "unknown" : wanted.model) + "; this switch is " +
                                   (live.model.empty() ? "unknown" : live.model) + "); nothing was sent");
    if (!Read(catalogue, live))
        return Message(kFailed, "nothing was sent");

    const KvConfigPlan plan(catalogue, wanted, live, removeRows);
    for (const std::string& note : plan.Notes())
        out_ << "note: " << note << "\n";
    const std::vector<KvConfigWrite>& writes = plan.Writes();
    if (writes.empty()) {
        out_ << "nothing to write: the switch holds the snapshot's settings\n";
        out_.flush();
        return kOk;
    }
    for (size_t i = 0; i < writes.size(); ++i)
        out_ << KvConfigPlan::Describe(writes[i], i + 1);
    if (!apply) {
        out_ << writes.size() << " write requests planned; nothing was sent (--apply sends them)\n";
        out_.flush();
        return kOk;
    }
    out_.flush();

    KvConfigSender direct;
    KvConfigSender& sender = sender_ ? *sender_ : direct;
    for (size_t i = 0; i < writes.size(); ++i) {
        try {
            sender.Send(writes[i]);
        } catch (const KvError& failure) {
            const KvConfigWrite& write = writes[i];
            std::string where = "request " + std::to_string(i + 1) + " of " + std::to_string(writes.size()) + " (\"" +
                                write.page + "\"" + (write.row.empty() ? "" : ", row " + write.row);
            if (const auto* refused = dynamic_cast<const KvSNMPResponseError*>(&failure);
                refused && refused->errorVariable() >= 0 &&
                static_cast<size_t>(refused->errorVariable()) < write.variables.size())
                where += ", " + write.variables[static_cast<size_t>(refused->errorVariable())].label;
            where += ")";
            std::string message = "restore stopped at " + where + ": " + failure.message() + "\n  ";
            // A journal that cannot keep the record says itself that the
            // write was not sent.
            const auto* unsent = dynamic_cast<const KvSNMPNotSentError*>(&failure);
            if (unsent && unsent->step() == KvSNMPNotSentError::Step::ReadBefore)
                message += "the read of what it overwrites (for the change journal) failed: this request was not "
                           "sent\n  ";
            else if (!unsent && failure.code() == kvErrTimeout)
                message += std::string("the request was sent but not answered: the switch may have applied it") +
                           (write.reach ? " (expected when the switch's address changed)" : "") + "\n  ";
            message += i == 0 ? std::string("nothing was applied before it")
                              : "requests 1 to " + std::to_string(i) + " were applied";
            if (i + 1 < writes.size())
                message +=
                    "; requests " + std::to_string(i + 2) + " to " + std::to_string(writes.size()) + " were not sent";
            return Message(kFailed, message);
        }
        if (progress_) {
            err_ << "\rwriting: " << i + 1 << " of " << writes.size() << " requests"
                 << (i + 1 == writes.size() ? "\n" : "");
            err_.flush();
        }
    }
    out_ << writes.size() << " write requests applied\n";
    out_.flush();
    return kOk;
}

int KvConfigProgram::ReadJournal(KvJournalLog& log)
{
    if (const int started = Start(kFailed))
        return started;
    log = KvJournal().Read(KvSNMPDevice.address, KvSNMPDevice.port);
    if (!log.error.empty())
        return Message(kFailed, "the change journal cannot be read: " + log.error);
    for (const std::string& warning : log.warnings)
        Message(kOk, "warning: " + warning);
    return kOk;
}

int KvConfigProgram::Journal()
{
    KvJournalLog log;
    if (const int status = ReadJournal(log))
        return status;
    const KvJournal journal;
    if (log.entries.empty())
        return Message(kOk, "no entries in " + journal.FileOf(KvSNMPDevice.address, KvSNMPDevice.port));
    for (const KvJournalEntry& entry : log.entries)
        out_ << entry.Summary() << "\n";
    out_.flush();
    return kOk;
}

int KvConfigProgram::Undo(const std::string& id)
{
    KvJournalLog log;
    if (const int status = ReadJournal(log))
        return status;
    std::string which = id;
    if (which.empty()) {
        const KvJournalEntry* latest = log.LatestUndoable();
        if (!latest)
            return Message(kFailed, "nothing to undo: no write in the journal of this switch is left to undo");
        which = latest->id;
    }
    const KvUndoPlan plan = KvJournalUndo::Plan(log, which);
    if (!plan.allowed) {
        err_ << plan.Describe();
        err_.flush();
        return kFailed;
    }
    out_ << plan.Describe();
    out_.flush();
    const KvUndoResult result = KvJournalUndo::Apply(plan);
    if (!result.ok)
        return Message(kFailed, result.message);
    out_ << result.message << "\n";
    out_.flush();
    return kOk;
}

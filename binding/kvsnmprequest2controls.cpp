#include "binding/kvsnmprequest2controls.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTime>

#include "common/kvmessages.h"
#include "common/kvstatusline.h"
#include "platform/kvdayperiods.h"
#include "platform/kvmessagebox.h"

namespace {

// The message every successful flow reports.
std::string OkText()
{
    return KvErrorText(0);
}

// Clears a flag when the scope is left, whichever way.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

// The outcome of a walk stopped before its end.
KvSNMPError WalkStopped(const KvSNMPError& step)
{
    KvSNMPError stopped = step;
    stopped.code = kvErrWalkStopped;
    stopped.message = KvErrorText(kvErrWalkStopped);
    stopped.finished = true;
    return stopped;
}

} // namespace

KvSNMPRequest2Controls::KvSNMPRequest2Controls(QWidget* owner) : owner_(owner) {}

KvSNMPRequest2Controls::~KvSNMPRequest2Controls()
{
    busy = false;
    // No further request from this binding; the request's own destructor then
    // waits for those outstanding and drops their completions.
    request.active = false;
}

bool KvSNMPRequest2Controls::IsTable() const
{
    return request.variables.kind == kvListTable || request.variables.kind == kvListTableRows;
}

// ---------------------------------------------------------------------------
// Status target

void KvSNMPRequest2Controls::SetStatusTarget(QPlainTextEdit* memo)
{
    statusTarget_ = memo;
    targetKind_ = memo ? TargetKind::Memo : TargetKind::None;
}

void KvSNMPRequest2Controls::SetStatusTarget(QStatusBar* statusBar)
{
    statusTarget_ = statusBar;
    targetKind_ = statusBar ? TargetKind::StatusBar : TargetKind::None;
}

void KvSNMPRequest2Controls::SetStatusTarget(QLabel* statusPanel)
{
    statusTarget_ = statusPanel;
    targetKind_ = statusPanel ? TargetKind::Panel : TargetKind::None;
}

KvStatusTime KvSNMPRequest2Controls::StatusTime(const QTime& time)
{
    const KvDayPeriods words = KvLocaleDayPeriods();
    return {time.hour(), time.minute(), time.second(), words.am, words.pm};
}

std::string KvSNMPRequest2Controls::FormatStatusTime(const QTime& time)
{
    return KvStatusLine::TimeText(StatusTime(time));
}

std::string KvSNMPRequest2Controls::StatusLine(const std::string& message, const QTime& time) const
{
    return KvStatusLine::Build(lastOperation == kLastSet, message, request.variables.name, StatusTime(time));
}

void KvSNMPRequest2Controls::ReportStatus(const std::string& message)
{
    if (!statusTarget_)
        return;
    WriteStatusLine(StatusLine(message, QTime::currentTime()));
}

void KvSNMPRequest2Controls::WriteStatusLine(const std::string& line)
{
    const QString text = QString::fromStdString(line);
    switch (targetKind_) {
    case TargetKind::Memo:
        static_cast<QPlainTextEdit*>(statusTarget_.data())->appendPlainText(text);
        break;
    case TargetKind::StatusBar:
        static_cast<QStatusBar*>(statusTarget_.data())->showMessage(text);
        break;
    case TargetKind::Panel:
        static_cast<QLabel*>(statusTarget_.data())->setText(text);
        break;
    case TargetKind::None:
        break;
    }
}

void KvSNMPRequest2Controls::ShowMessage(const std::string& text)
{
    KvMessageBox::message(owner_, QString::fromStdString(text));
}

void KvSNMPRequest2Controls::MarkFailedVariable(int, const std::string&) {}

void KvSNMPRequest2Controls::ClearFailedVariables() {}

void KvSNMPRequest2Controls::MarkFailure(const std::exception& failure)
{
    const auto* response = dynamic_cast<const KvSNMPResponseError*>(&failure);
    if (response && response->errorVariable() >= 0 && response->errorVariable() < request.variables.Count())
        MarkFailedVariable(response->errorVariable(), response->message());
}

void KvSNMPRequest2Controls::MarkFailure(const KvSNMPError& error)
{
    if (error.errorVariable >= 0 && error.errorVariable < request.variables.Count())
        MarkFailedVariable(error.errorVariable, error.message);
}

void KvSNMPRequest2Controls::ReportGetError(const KvSNMPError& error)
{
    lastOperation = kLastGet;
    if (statusTarget_)
        ReportStatus(error.message);
    else
        ShowMessage(error.message);
}

void KvSNMPRequest2Controls::ReportSetError(const KvSNMPError& error)
{
    lastOperation = kLastSet;
    if (statusTarget_)
        ReportStatus(error.message);
    else
        ShowMessage(error.message);
}

// ---------------------------------------------------------------------------
// Refresh

void KvSNMPRequest2Controls::ShowIfAccepted()
{
    // The row filter is always empty; the request's own row condition follows.
    if (request.CheckCondition(std::string()) && request.CheckRowCondition()) {
        ShowRow();
        ++rowsShown;
    }
}

void KvSNMPRequest2Controls::Refresh(FlowRun run)
{
    lastOperation = kLastGet;
    BeforeRefresh();
    rowsShown = 0;

    if (run == FlowRun::Blocking) {
        {
            FlagGuard running(busy);
            try {
                if (IsTable()) {
                    bool first = true;
                    while (request.Fetch(first)) {
                        first = false;
                        ShowIfAccepted();
                    }
                } else {
                    request.Fetch(true);
                    ShowIfAccepted();
                }
            } catch (const std::exception& e) {
                FlushRows(); // the rows received before the failure stay
                lastOperation = kLastGet;
                MarkFailure(e);
                throw;
            }
            FlushRows();
            AfterRefresh();
            ClearFailedVariables();
        }
        // A walk ends early only when its request was stopped.
        const bool stopped = IsTable() && !request.active;
        if (statusTarget_)
            ReportStatus(stopped ? KvErrorText(kvErrWalkStopped) : OkText());
        return;
    }

    if (!request.active)
        return;
    busy = true;
    try {
        request.FetchAsync(&KvSNMPRequest2Controls::OnFetchComplete, this, true);
    } catch (...) {
        busy = false;
        throw;
    }
}

void KvSNMPRequest2Controls::OnFetchComplete(void* context, KvSNMPError& error, KvSNMPVarList&)
{
    auto* self = static_cast<KvSNMPRequest2Controls*>(context);
    const std::weak_ptr<char> alive = self->alive_;
    try {
        self->FetchCompleted(error);
    } catch (const std::exception& e) {
        // A page's handler failed; nothing above the SNMP engine may see it.
        if (!alive.expired())
            self->ShowMessage(e.what());
    }
}

void KvSNMPRequest2Controls::FetchCompleted(const KvSNMPError& error)
{
    const std::weak_ptr<char> alive = alive_;
    if (error.code != 0) {
        EndFlow(error,
                {.operation = kLastGet, .failed = true, .flushRows = true, .markVariable = true, .reportHook = true});
        return;
    }

    try {
        if (!IsTable()) {
            ShowIfAccepted();
            if (alive.expired())
                return;
        } else if (!error.finished) {
            ShowIfAccepted();
            if (alive.expired())
                return;
            if (request.active) {
                request.FetchAsync(&KvSNMPRequest2Controls::OnFetchComplete, this, false);
                return;
            }
            // Stopped before the table's end: the rows that came stay, and the
            // status line says that more may have followed.
            FlushRows();
            AfterRefresh();
            if (alive.expired())
                return;
            EndFlow(WalkStopped(error), {.operation = kLastGet, .failed = true});
            return;
        }
        FlushRows();
        AfterRefresh();
        if (alive.expired())
            return;
        EndFlow(error, {.operation = kLastGet});
    } catch (const std::exception& e) {
        if (alive.expired())
            return;
        // A row that cannot be shown (or a next step that cannot be sent)
        // ends the refresh with its message, and the page learns that the
        // flow has ended, as after an error response.
        KvSNMPError failure = error;
        if (const auto* kv = dynamic_cast<const KvError*>(&e))
            failure.code = kv->code();
        else
            failure.code = kvErrUnknownCode;
        failure.message = e.what();
        failure.finished = true;
        EndFlow(failure, {.operation = kLastGet, .failed = true, .flushRows = true});
    }
}

bool KvSNMPRequest2Controls::EndFlow(const KvSNMPError& result, const FlowEnd& end)
{
    const std::weak_ptr<char> alive = alive_;
    busy = false;
    if (end.flushRows)
        FlushRows();
    lastOperation = end.operation;
    if (!end.failed) {
        ClearFailedVariables();
        if (statusTarget_)
            ReportStatus(OkText());
    } else {
        if (end.markVariable)
            MarkFailure(result);
        if (alive.expired())
            return false;
        if (!end.reportHook) {
            if (statusTarget_)
                ReportStatus(result.message);
            else
                ShowMessage(result.message);
        } else if (end.operation == kLastGet) {
            ReportGetError(result);
        } else {
            ReportSetError(result);
        }
    }
    if (alive.expired())
        return false;
    const CompletionHandler& hook = end.operation == kLastGet ? OnGetComplete : OnSetComplete;
    if (end.completionHook && hook)
        hook(*this, result);
    return !alive.expired();
}

// ---------------------------------------------------------------------------
// Store

void KvSNMPRequest2Controls::StoreAll(const StoreOptions& options)
{
    Store(KvWriteSet::All(request.variables), options);
}

void KvSNMPRequest2Controls::Store(const KvWriteSet& write, const StoreOptions& options)
{
    // An empty set would be refused and reported as a failure beside the
    // real results of the writes around it.
    if (options.skipEmpty && !write.CarriesValue(request.variables))
        return;
    lastOperation = kLastSet;
    refreshAfterSet = options.refreshAfter ? 1 : 0;
    // The journal names the write by the window the operator sees.
    if (owner_ && !owner_->window()->windowTitle().isEmpty())
        request.journalCaption = owner_->window()->windowTitle().toStdString();
    BeforeStore();
    if (options.collect)
        CollectValues(write);

    if (options.run == FlowRun::Blocking) {
        {
            FlagGuard running(busy);
            try {
                request.Store(false, write);
            } catch (const std::exception& e) {
                lastOperation = kLastSet;
                MarkFailure(e);
                throw;
            }
            AfterStore();
            ClearFailedVariables();
        }
        if (statusTarget_)
            ReportStatus(OkText());
        if (IsTable() && refreshAfterSet != 0)
            Refresh(options.run);
        return;
    }

    if (!request.active) {
        busy = false;
        return;
    }
    busy = true;
    try {
        request.StoreAsync(&KvSNMPRequest2Controls::OnStoreComplete, this, false, write);
    } catch (...) {
        busy = false;
        throw;
    }
}

void KvSNMPRequest2Controls::OnStoreComplete(void* context, KvSNMPError& error, KvSNMPVarList&)
{
    auto* self = static_cast<KvSNMPRequest2Controls*>(context);
    const std::weak_ptr<char> alive = self->alive_;
    try {
        self->StoreCompleted(error);
    } catch (const std::exception& e) {
        if (!alive.expired())
            self->ShowMessage(e.what());
    }
}

void KvSNMPRequest2Controls::StoreCompleted(const KvSNMPError& error)
{
    const std::weak_ptr<char> alive = alive_;
    if (error.code != 0) {
        EndFlow(error, {.operation = kLastSet, .failed = true, .markVariable = true, .reportHook = true});
        return;
    }

    bool refreshing = false;
    try {
        AfterStore();
        if (alive.expired())
            return;
        if (!EndFlow(error, {.operation = kLastSet}))
            return;
        if (IsTable() && refreshAfterSet != 0) {
            refreshing = true;
            Refresh();
        }
    } catch (const std::exception& e) {
        if (alive.expired())
            return;
        // Nothing above a completion could catch it: report it in the status
        // line of the step that failed.
        KvSNMPError failure = error;
        failure.message = e.what();
        EndFlow(failure, {.operation = refreshing ? kLastGet : kLastSet, .failed = true, .completionHook = false});
    }
}

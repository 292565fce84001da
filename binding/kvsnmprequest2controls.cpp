#include "binding/kvsnmprequest2controls.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTime>

#include <cstdio>

#include "common/kvmessages.h"
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

std::string KvSNMPRequest2Controls::FormatStatusTime(const QTime& time)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d:%02d:%02d ", hour, time.minute(), time.second());
    const QLocale locale;
    const QString ampm = time.hour() < 12 ? locale.amText() : locale.pmText();
    return std::string(digits) + ampm.toStdString();
}

std::string KvSNMPRequest2Controls::StatusLine(const std::string& message, const QTime& time) const
{
    std::string line = KvStatusTemplate(lastOperation == kLastSet);
    const std::string& name = request.variables.name;
    static const std::string kError = "[ERROR]";
    static const std::string kVarList = "[VARLIST]";
    static const std::string kTime = "[TIME]";

    // A list without a name drops " Request:[VARLIST]": the text from just
    // after the error field to the end of the list field.
    if (name.empty()) {
        const size_t error = line.find(kError);
        const size_t list = line.find(kVarList);
        if (error != std::string::npos && list != std::string::npos && error < list)
            line.erase(error + kError.size(), list + kVarList.size() - (error + kError.size()));
    }

    // One pass over the template, so that a message or a name that happens to
    // hold a field name is not filled in again.
    const std::string timeText = FormatStatusTime(time);
    std::string out;
    size_t pos = 0;
    while (pos < line.size()) {
        if (line.compare(pos, kError.size(), kError) == 0) {
            out += message;
            pos += kError.size();
        } else if (line.compare(pos, kVarList.size(), kVarList) == 0) {
            out += name;
            pos += kVarList.size();
        } else if (line.compare(pos, kTime.size(), kTime) == 0) {
            out += timeText;
            pos += kTime.size();
        } else {
            out.push_back(line[pos++]);
        }
    }
    return out;
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

void KvSNMPRequest2Controls::Refresh()
{
    lastOperation = kLastGet;
    BeforeRefresh();
    rowsShown = 0;

    if (mode == kModeBlocking) {
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
        if (statusTarget_)
            ReportStatus(OkText());
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
        busy = false;
        FlushRows();
        lastOperation = kLastGet;
        MarkFailure(error);
        if (alive.expired())
            return;
        ReportGetError(error);
        if (alive.expired())
            return;
        if (OnGetComplete)
            OnGetComplete(*this, error);
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
        }
        FinishRefresh(error);
    } catch (const std::exception& e) {
        if (alive.expired())
            return;
        // A row that cannot be shown (or a next step that cannot be sent)
        // ends the refresh with its message.
        KvSNMPError failure = error;
        if (const auto* kv = dynamic_cast<const KvError*>(&e))
            failure.code = kv->code();
        else
            failure.code = kvErrUnknownCode;
        failure.message = e.what();
        failure.finished = true;
        busy = false;
        FlushRows();
        lastOperation = kLastGet;
        if (statusTarget_)
            ReportStatus(failure.message);
        else
            ShowMessage(failure.message);
        if (alive.expired())
            return;
        // The page learns that the flow has ended, as after an error response.
        if (OnGetComplete)
            OnGetComplete(*this, failure);
    }
}

void KvSNMPRequest2Controls::FinishRefresh(const KvSNMPError& error)
{
    const std::weak_ptr<char> alive = alive_;
    FlushRows();
    AfterRefresh();
    if (alive.expired())
        return;
    busy = false;
    lastOperation = kLastGet;
    ClearFailedVariables();
    if (statusTarget_)
        ReportStatus(OkText());
    if (OnGetComplete)
        OnGetComplete(*this, error);
}

// ---------------------------------------------------------------------------
// Apply

void KvSNMPRequest2Controls::Apply(bool refreshAfterSetFlag, bool collectFirst, const std::string& columns)
{
    lastOperation = kLastSet;
    refreshAfterSet = refreshAfterSetFlag ? 1 : 0;
    BeforeApply();
    if (collectFirst)
        CollectValues();

    if (mode == kModeBlocking) {
        {
            FlagGuard running(busy);
            try {
                request.Store(false, columns);
            } catch (const std::exception& e) {
                lastOperation = kLastSet;
                MarkFailure(e);
                throw;
            }
            AfterApply();
            ClearFailedVariables();
        }
        if (statusTarget_)
            ReportStatus(OkText());
        if (IsTable() && refreshAfterSet != 0)
            Refresh();
        return;
    }

    if (!request.active) {
        busy = false;
        return;
    }
    busy = true;
    try {
        request.StoreAsync(&KvSNMPRequest2Controls::OnStoreComplete, this, false, columns);
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
        busy = false;
        lastOperation = kLastSet;
        MarkFailure(error);
        if (alive.expired())
            return;
        ReportSetError(error);
        if (alive.expired())
            return;
        if (OnSetComplete)
            OnSetComplete(*this, error);
        return;
    }

    bool refreshing = false;
    try {
        AfterApply();
        if (alive.expired())
            return;
        busy = false;
        lastOperation = kLastSet;
        ClearFailedVariables();
        if (statusTarget_)
            ReportStatus(OkText());
        if (OnSetComplete) {
            OnSetComplete(*this, error);
            if (alive.expired())
                return;
        }
        if (IsTable() && refreshAfterSet != 0) {
            refreshing = true;
            Refresh();
        }
    } catch (const std::exception& e) {
        if (alive.expired())
            return;
        // Nothing above a completion could catch it: report it in the status
        // line of the step that failed.
        busy = false;
        lastOperation = refreshing ? kLastGet : kLastSet;
        if (statusTarget_)
            ReportStatus(e.what());
        else
            ShowMessage(e.what());
    }
}

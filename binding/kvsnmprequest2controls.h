#pragma once
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "snmp/kvsnmprequest.h"
#include "snmp/kvwriteset.h"

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTime;
struct KvStatusTime;

// How one flow of a binding runs, chosen by each call: asynchronously (the
// request's completions arrive on the window thread through the SNMP event
// pump) or blocking (the flow is over when the call returns; its errors are
// raised to the caller).
enum class KvFlowRun { Async, Blocking };

// How a binding's write runs.
struct KvStoreOptions {
    bool collect = true;      // collect the controls of the variables written first
    bool refreshAfter = true; // read a table again after a successful write
    KvFlowRun run = KvFlowRun::Async;
    // A write that carries no value (KvWriteSet::CarriesValue) sends nothing
    // and reports nothing. Off: it is tried, and refused as the request
    // refuses it (a failed write with its status line).
    bool skipEmpty = true;
};

// The common base of every object that ties one request to window controls.
//
// It owns the request and runs the two flows every page offers:
//   - Refresh: fetch the variables (one get for a scalar list, a walk row by
//     row for a table) and hand each row to ShowRow;
//   - Store: collect the controls of the variables a write carries (a
//     KvWriteSet) into their values (CollectValues) and write them; a table
//     is refreshed after a successful write.
// Each call runs its flow blocking (KvFlowRun::Blocking: errors are raised to
// the caller as KvError) or asynchronously (the default: the request's
// completions arrive on the window thread through the SNMP event pump and the
// outcome is reported with ReportGetError / ReportSetError and the
// OnGetComplete / OnSetComplete handlers). The binding keeps no mode: a
// window whose flows all block says so at each call.
//
// The outcome of a flow is written as one status line into the status target:
// a read-only memo (appended as a new line), a status bar (its single text)
// or one panel of a status bar (a QLabel, its text). Without a status target
// errors of asynchronous flows are shown in a message box captioned with the
// program file's name (KvMessageBox; tests answer it with
// KvMessageBox::Answerer).
//
// Subclasses fill in the hooks: ShowRow (required) and the Before/After
// steps. Window thread only.
class KvSNMPRequest2Controls {
public:
    // Called with (this binding, the completion record) after an asynchronous
    // flow; may be empty.
    using CompletionHandler = std::function<void(KvSNMPRequest2Controls&, const KvSNMPError&)>;

    static constexpr int kLastGet = 0;
    static constexpr int kLastSet = 1;

    // `owner`: parent of message boxes and owner of controls subclasses create.
    // Not busy, no handlers, no status target, last operation get, refresh
    // after set on.
    explicit KvSNMPRequest2Controls(QWidget* owner);
    virtual ~KvSNMPRequest2Controls();
    KvSNMPRequest2Controls(const KvSNMPRequest2Controls&) = delete;
    KvSNMPRequest2Controls& operator=(const KvSNMPRequest2Controls&) = delete;

    // --- status target (the last one set wins; null clears it) -------------
    void SetStatusTarget(QPlainTextEdit* memo);
    void SetStatusTarget(QStatusBar* statusBar);
    void SetStatusTarget(QLabel* statusPanel);
    QWidget* StatusTarget() const { return statusTarget_; }
    bool HasStatusTarget() const { return statusTarget_ != nullptr; }

    // --- the two flows -------------------------------------------------------
    using FlowRun = KvFlowRun;
    // Fetch and show. Blocking: raises the request's errors. Asynchronous:
    // returns after sending the first request (raises only when it cannot be
    // sent); does nothing when the request is not active.
    void Refresh(FlowRun run = FlowRun::Async);

    using StoreOptions = KvStoreOptions;
    // The one write of the binding: the variables of `write` (those of them
    // the list lets it write) with the values collected from the controls.
    // Blocking: a failed write is raised and nothing else happens. A write
    // with no value in it does nothing at all (see KvStoreOptions::skipEmpty).
    void Store(const KvWriteSet& write, const StoreOptions& options = {});
    // The same for every variable of the list.
    void StoreAll(const StoreOptions& options = {});

    // Writes one status line with `message` for the last operation into the
    // status target (nothing without one).
    void ReportStatus(const std::string& message);

    // The status line for `message` as ReportStatus writes it, at `time`.
    std::string StatusLine(const std::string& message, const QTime& time) const;
    // "hh:nn:ss ampm": 12-hour clock, two-digit fields, a blank and the
    // locale's AM or PM word.
    static std::string FormatStatusTime(const QTime& time);
    // `time` with the locale's AM and PM words.
    static KvStatusTime StatusTime(const QTime& time);

    // --- hooks, in the order a flow calls them -------------------------------
    virtual void BeforeRefresh() {}
    virtual void BeforeStore() {}
    // Once per accepted row (table) or once for the values (scalar list).
    virtual void ShowRow() = 0;
    // The controls of the variables `write` carries into their values.
    virtual void CollectValues(const KvWriteSet& write) { (void)write; }
    // A refresh / an asynchronous apply completed with an error: sets the last
    // operation, then writes the status line with the record's message, or,
    // without a status target, shows it in a message box.
    virtual void ReportGetError(const KvSNMPError& error);
    virtual void ReportSetError(const KvSNMPError& error);
    virtual void AfterRefresh() {}
    virtual void AfterStore() {}
    // Rows that ShowRow held back for display go out now; called when a
    // refresh ends, whichever way it ends.
    virtual void FlushRows() {}
    // The agent's answer named the variable that failed (its error index):
    // shows the operator which one (base: nothing). Called with the last
    // operation set to the failed flow, before its status line is written;
    // `variableIndex` is an element of the variable list.
    virtual void MarkFailedVariable(int variableIndex, const std::string& message);
    // A flow succeeded: the marks its earlier failures left go (base:
    // nothing). Called with the last operation set to that flow.
    virtual void ClearFailedVariables();

    // --- state -----------------------------------------------------------------
    KvSNMPRequest& Request() { return request; }
    const KvSNMPRequest& Request() const { return request; }
    KvSNMPVarList& Variables() { return request.variables; }
    const KvSNMPVarList& Variables() const { return request.variables; }
    QWidget* Owner() const { return owner_; }
    // True for kinds 2 and 3 (walked row by row).
    bool IsTable() const;

    KvSNMPRequest request;           // owned; a page copies its list into request.variables
    CompletionHandler OnGetComplete; // after an asynchronous refresh
    CompletionHandler OnSetComplete; // after an asynchronous apply
    bool busy = false;               // true while a flow runs
    int rowsShown = 0;               // rows (or value sets) the last refresh showed
    int lastOperation = kLastGet;    // selects the status template
    int refreshAfterSet = 1;         // table refresh after a successful write

protected:
    // Shows a message box over the owner (program file name as caption, OK).
    virtual void ShowMessage(const std::string& text);

private:
    enum class TargetKind { None, Memo, StatusBar, Panel };

    static void OnFetchComplete(void* context, KvSNMPError& error, KvSNMPVarList& variables);
    static void OnStoreComplete(void* context, KvSNMPError& error, KvSNMPVarList& variables);
    void FetchCompleted(const KvSNMPError& error);
    void StoreCompleted(const KvSNMPError& error);
    // Passes the current values through the row conditions and ShowRow.
    void ShowIfAccepted();
    // How a flow ends (see EndFlow).
    struct FlowEnd {
        int operation = kLastGet;   // the flow that ended: selects the status template and the hook
        bool failed = false;        // report the result's message, else the success text
        bool flushRows = false;     // rows held back for display go out first
        bool markVariable = false;  // mark the variable the agent's error index names
        bool reportHook = false;    // report the failure through ReportGetError / ReportSetError
        bool completionHook = true; // then call OnGetComplete / OnSetComplete
    };
    // Ends an asynchronous flow: busy off, the rows held back, the last
    // operation, the failing variable marked (or earlier marks cleared), the
    // status line (or a message box), then the completion hook. False when
    // the binding went away on the way (a hook may close its window).
    bool EndFlow(const KvSNMPError& result, const FlowEnd& end);
    void WriteStatusLine(const std::string& line);
    // The failure of a blocking flow names a variable: mark it.
    void MarkFailure(const std::exception& failure);
    void MarkFailure(const KvSNMPError& error);

    QPointer<QWidget> owner_;
    QPointer<QWidget> statusTarget_;
    TargetKind targetKind_ = TargetKind::None;
    // Expires with the object: completions check it after every hook, since a
    // hook may process window events (and so close the page).
    std::shared_ptr<char> alive_ = std::make_shared<char>(0);
};

#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "forms/common/tformdialog.h"

class KvSNMPRequest2Edits;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QStatusBar;
struct VarDef;

// The common ground of the hand-made port and traffic windows: a form window
// that owns one binding on itself, reports
// what its handlers raise in the binding's status line, and closes cleanly
// while a walk is under way.
//
// Closing (the close box, Esc, accept or reject, or destruction) clears the
// request's active flag, so that a walk ends at its next step, and then lets
// the SNMP completions in until the binding is no longer busy, for at most
// the time the outstanding requests may take with all their retries. A close
// that happens while the binding is showing a row (the binding lets window
// events through between rows) does not wait: the walk ends as soon as the
// row is shown. The binding is freed with the window; a window destroyed
// without being closed first drops the completions still to come.
class TBindingForm : public TFormDialog {
public:
    ~TBindingForm() override;

    KvSNMPRequest2Edits* Binding() const { return binding_.get(); }
    bool Closed() const { return closed_; }

    void FormClose();

protected:
    // `width` by `height` is the client size the window opens with; its
    // layout may make it larger, never smaller than its contents need.
    TBindingForm(QWidget* owner, const KvFormHost& host, const QString& caption, int width, int height);

    // Creates the window's binding on it over a copy of `table`.
    KvSNMPRequest2Edits& CreateBinding(const VarDef* table, uint8_t kind, int32_t keyCount);

    // Runs `step`; whatever it raises is written as the binding's status line
    // (or, before there is a binding, into the status panel or memo). True
    // when it ran through.
    bool Guarded(const std::function<void()>& step);
    // The same with the binding; does nothing (false) when creating the
    // binding failed.
    bool WithBinding(const std::function<void(KvSNMPRequest2Edits&)>& step);
    // Writes `message` as a status line of the last operation.
    void ReportError(const std::string& message);

    // Lets SNMP completions in until the binding is idle, at most for the
    // time its outstanding requests may take; false when it is still busy.
    bool WaitUntilIdle();
    // Stops a walk in progress and waits for its last step: afterwards a new
    // flow can start on the request.
    void StopAndWait();

    // A status bar whose single panel is the returned label, as wide as the
    // bar and never widening the window.
    QLabel* CreateStatusPanel(QStatusBar* bar);

    // Lays the window out: its client column (see portformlayout) on the
    // left, its button column on the right.
    void LayOut(QLayout* client, QWidget* buttonColumn);
    // The same above a status bar "StatusBar1"; its panel is returned.
    QLabel* LayOutAboveStatusBar(QLayout* client, QWidget* buttonColumn);

    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

    // Where ReportError writes while there is no binding; may stay null.
    QLabel* statusPanel_ = nullptr;
    QPlainTextEdit* statusMemo_ = nullptr;

private:
    class FormBinding;

    std::unique_ptr<KvSNMPRequest2Edits> binding_;
    FormBinding* formBinding_ = nullptr;
    bool closed_ = false;
};

#pragma once
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

#include "pages/tlayoutadapter.h"
#include "pages/tsnmprowdialog.h"
#include "pages/uientry.h"
#include "snmp/kvwriteset.h"

class KvSNMPRequest2Edits;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class TCtrlBtnPanel;
class TSNMPPanel;

// Connects a page's generated editors to its binding and carries the page's
// button actions: refresh, write the checked variables, edit, add or delete a
// table row in a row dialog, stop a walk, check or clear all write check boxes.
//
// Two flags keep the operator from starting a second operation while one is
// outstanding: `getComplete` (clear until the first fetch has finished, and
// while a fetch runs) and `setComplete` (clear while a write runs). Refresh and
// Set Check report "Get data not complete" or "Modify data not complete" in a
// message box instead. Errors of the binding are written to the binding's
// status target and reset the flags, so the buttons work again.
//
// Writes select their columns by setting the skip flag on the variables to
// leave out; the saved access flags are put back on every path.
//
// Set Check reads the page again once the write has succeeded (and then
// closes a row dialog whose row status says the delete text). A write that
// failed leaves the editors as the operator left them, with the failure in
// the status line and the field the agent named marked: nothing typed is
// overwritten by a read that raced the write.
class TSNMPLayoutAdapter : public TLayoutAdapter {
public:
    static constexpr const char* kGetNotComplete = "Get data not complete";
    static constexpr const char* kModifyNotComplete = "Modify data not complete";

    // Registers the table's editors with the binding by kind: edit fields with
    // their format text (BindEdits), combo boxes (BindComboBox), a memo as the
    // status target, a list view as the table view (disabled until a row is
    // selected).
    TSNMPLayoutAdapter(UIEntry* table, KvSNMPRequest2Edits* binding, QObject* parent);
    ~TSNMPLayoutAdapter() override;

    // --- actions of the buttons -----------------------------------------------
    void DoRefresh();
    void DoSetSelected(); // Set Check
    void DoEditRow();     // Set, captioned "Edit" on list-view pages
    void DoAddRow();
    void DoDeleteRow();
    void DoStop();
    void DoCheckAll();
    void DoClearChecks();
    void DoCloseDialog();

    // --- binding callbacks ----------------------------------------------------
    void OnGetComplete(); // sets getComplete, then ReselectRow
    // Sets setComplete; after a Set Check write that succeeded, reads the
    // page again (`written`: the write succeeded).
    void OnSetComplete(bool written = true);

    // After a fetch: selects the first list row whose index cells equal the
    // texts of the index editors.
    void ReselectRow();
    // The click rule of Edit and Delete: each is enabled when it is hidden or
    // a row is selected.
    void UpdateEditDeleteEnabled();

    // The page window closes: the binding is about to be destroyed; every
    // action does nothing from now on.
    void DetachBinding();

    // Connects the bar's buttons to the actions (Refresh, Set, Set Check, Add,
    // Delete, Check All, Clear Checks, Stop) and remembers them.
    void BindButtons(TCtrlBtnPanel* bar);

    UIEntry* Table() const { return table_; }
    KvSNMPRequest2Edits* Binding() const { return binding_; }
    int EntryCount() const;
    // The row dialog while it is open, and its panel.
    QDialog* Dialog() const;
    TSNMPPanel* DialogPanel() const;

    // Row creation and deletion (list-view pages).
    int32_t deleteIndex = -1;
    std::string deleteText;
    int32_t createIndex = -1;
    std::string createText;
    int32_t createMode = 0;

    QPointer<QPlainTextEdit> pageMemo; // the page's status target
    bool getComplete = false;
    bool setComplete = true;
    bool editDeleteEnabled = false; // initial state of Edit and Delete
    QString dialogTitle;            // the row dialogs' caption; empty: the page window's

    // List-view pages.
    QPointer<QScrollArea> editorBox;
    QPointer<QTreeWidget> listView;
    // Puts the editor box back under the list view after a row dialog (set by
    // the list-view container).
    std::function<void()> takeBackEditorBox;
    int extentBottom = 0;
    int extentRight = 0;
    int32_t indexCount = 0;

    QPointer<QPushButton> RefreshBtn;
    QPointer<QPushButton> SetBtn;
    QPointer<QPushButton> SetCheckBtn;
    QPointer<QPushButton> AddBtn;
    QPointer<QPushButton> DeleteBtn;
    QPointer<QPushButton> CheckAllBtn;
    QPointer<QPushButton> ClearChecksBtn;
    QPointer<QPushButton> CloseBtn;
    QPointer<QPushButton> StopBtn;

private:
    void Report(const std::string& message);
    void ShowMessage(const char* text);
    // Starts a refresh with getComplete cleared; a refresh that is over when
    // the call returns (nothing was sent) sets it again.
    void StartRefresh();
    // Marks the request active; false (with the message when a refresh is
    // still running) when there is nothing to do.
    bool BeginRequest();
    // What a Set Check writes: every variable but those whose entry has a
    // check box that is not ticked.
    KvWriteSet CheckedEntries() const;
    void WriteSelected();
    // After a successful Set Check write: the refresh, and the row dialog
    // closed when its row status says the delete text.
    void AfterWriteSelected();
    void CreateRowInTwoSteps();
    bool IsCreateRowRequest() const;
    // Row dialog: steps shared by Edit and Add. OpenDialog connects the
    // dialog's buttons and makes its memo the status target; RunDialog runs
    // it and gives everything back.
    TSNMPRowDialog* OpenDialog(TSNMPRowDialog::Kind kind, QSize size);
    void RunDialog();
    QWidget* PageWindow() const;

    UIEntry* table_;
    KvSNMPRequest2Edits* binding_;
    QPointer<TSNMPRowDialog> dialog_;
    bool addingRow_ = false;      // the new-row dialog is open (Check All sets every box)
    bool readAfterWrite_ = false; // an asynchronous Set Check write is outstanding
};

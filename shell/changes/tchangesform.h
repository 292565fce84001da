#pragma once
#include <QWidget>

#include <string>
#include <vector>

#include "journal/kvjournal.h"

class KvJournal;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

// "Changes": the change journal of the session's switch, newest entry first
// (time, page, kind, variables, before, written, result), with the entry
// selected shown variable by variable below. "Undo" writes the selected
// entry's "before" values back once the switch is checked to hold what the
// entry wrote and the operator has confirmed exactly what will be written;
// "Refresh" reads the file again, as does every change of the file while the
// window is open. Lines of the file that cannot be read are named under the
// list and skipped.
//
// Plan and undo block for the switch's answers: meanwhile the window keeps
// a wait cursor, takes no second undo or refresh, and is not closed (a close
// asked for then happens once the undo is over).
class TChangesForm : public QWidget {
    // Found by type: one window per owner.
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Changes";
    static constexpr const char* kUndoCaption = "Undo";
    // The question under the undo's description.
    static constexpr const char* kConfirmText = "Write these values to the switch?";

    // Columns of the list and of the detail list.
    enum Column {
        ColumnId,
        ColumnTime,
        ColumnPage,
        ColumnKind,
        ColumnVariables,
        ColumnBefore,
        ColumnWritten,
        ColumnResult,
        ColumnCount
    };
    enum DetailColumn { DetailOid, DetailVariable, DetailBefore, DetailWritten, DetailCount };

    // `journal` (may be null: the window then says there is none) outlives
    // the window; the switch is the session's (KvSNMPDevice).
    TChangesForm(const KvJournal* journal, QWidget* owner);

    // Opens the window of `owner` (one at most), or brings it forward; it
    // reads the journal again either way.
    static TChangesForm* ShowFor(QWidget* owner);

    // Reads the journal file again, keeping the entry selected.
    void Reload();
    // Undo of the entry selected (the "Undo" button's work).
    void UndoSelected();

    // The ID of the entry selected (empty when none).
    std::string SelectedId() const;
    void Select(const std::string& id);

    const KvJournalLog& Log() const { return log_; }
    QTreeWidget* List() const { return list_; }
    QTreeWidget* Details() const { return details_; }
    QLabel* StatusLine() const { return statusLine_; }
    QPushButton* UndoButton() const { return undo_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* CloseButton() const { return close_; }
    bool Busy() const { return busy_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDetails();
    void UpdateButtons();
    // Watches the journal's folder and file, those that exist.
    void Watch();

    const KvJournal* journal_;
    KvJournalLog log_;
    QTreeWidget* list_ = nullptr;
    QTreeWidget* details_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* close_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* reloadSoon_ = nullptr;
    bool busy_ = false;
    bool closeWanted_ = false;
    // The columns' widths as their texts want them (spread over the width).
    std::vector<int> listWidths_;
    std::vector<int> detailWidths_;
};

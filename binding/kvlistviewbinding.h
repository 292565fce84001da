#pragma once
#include <QElapsedTimer>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <vector>

class KvListViewActions;
class KvSNMPVarList;

// The report list view of an editable page's binding (KvSNMPRequest2Edits):
// one column per variable of the binding's list, one row per table row of a
// refresh, and the selected row's cells back into the variables' values.
//
// Attach takes the list view over: read-only, whole-row selection, grid lines,
// sorting by a header click, copying and saving the rows (KvListViewActions);
// it builds the columns (hidden variables first with width 0, then the shown
// ones fitted to their captions) unless the list view already has enough.
//
// A walk's rows go in in batches: the first row at once, then every
// kRowBatchMs the rows received meanwhile, inserted with updates suspended,
// in arrival order; the window handles its events after each batch.
// FlushRows ends the walk: the last rows go in, and when the operator has
// chosen a sort column the rows are sorted once.
class KvListViewBinding {
public:
    static constexpr int kRowBatchMs = 40;
    // Widest a column grows to fit its values.
    static constexpr int kMaxColumnWidth = 360;

    // `variables` is the binding's list (it outlives this object);
    // `selectionChanged` is called whenever the list view's selection changes.
    KvListViewBinding(KvSNMPVarList& variables, std::function<void()> selectionChanged);
    ~KvListViewBinding();
    KvListViewBinding(const KvListViewBinding&) = delete;
    KvListViewBinding& operator=(const KvListViewBinding&) = delete;

    // Takes over `listView` (null detaches the one before).
    void Attach(QTreeWidget* listView);
    QTreeWidget* ListView() const { return listView_; }
    // Variable index of every column, in column order.
    const std::vector<int>& ColumnVariables() const { return columnVariables_; }
    // Builds the columns unless they are there (see Attach).
    void EnsureColumns();
    // Copies the selected row back into the values in column order (nothing
    // when no row is selected or no list view is attached).
    void CopySelectedRow();

    // --- the rows of a refresh ---------------------------------------------
    // Before a refresh: the rows held back go, the list view empties.
    void BeginRows();
    // The variables' values as the next row (held back until its batch).
    void AddRow();
    // The last rows go in, sorted once when a sort column is chosen.
    void FlushRows();
    // The row AddRow made last, for a subclass that adds to it; it may not be
    // in the list view yet. Null when there is none.
    QTreeWidgetItem* NewestRow() const;
    // Shown columns grow to fit their captions and values (never shrink).
    void SettleColumnWidths();

private:
    bool HasOwnColumns() const;
    // One batch of held-back rows into the list view.
    void InsertPendingRows();
    void DiscardPendingRows();

    KvSNMPVarList& variables_;
    std::function<void()> selectionChanged_;
    QPointer<QTreeWidget> listView_;
    QPointer<KvListViewActions> listActions_;   // sorting, copying, saving; owned by the list view
    bool rowsUnsorted_ = false;                 // rows went in since the last sort
    std::vector<QTreeWidgetItem*> pendingRows_; // owned until inserted
    QElapsedTimer batchClock_;                  // since the last batch went in
    QTimer flushTimer_;                         // puts held-back rows in when no further row comes
    bool widthsSettled_ = false;                // after the first batch of a refresh
    QMetaObject::Connection selectionConnection_;
    std::vector<int> columnVariables_; // variable of every column
};

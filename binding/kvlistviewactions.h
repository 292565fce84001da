#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

// What a report list view offers around its rows. The binding installs it on
// every list view it takes over (AttachListView), generic page or hand-made
// form alike:
//
//   - A click on a column header sorts the rows by that column (in the order
//     KvListRow finds for the column), a second click on it reverses them.
//     The selected row stays selected and in view. The rows of a refresh go
//     in in arrival order; when a sort is chosen, the binding sorts them once
//     when the refresh is over (Resort).
//   - Several rows can be selected (Shift and Ctrl clicks, Ctrl+A). Ctrl+C
//     copies the selected rows in the order shown: a line of column
//     captions, then one line per row, tab-separated as osprey-export
//     writes them.
//   - Whatever works on one row (the binding's values, row dialogs, Delete,
//     a window's editors) takes SelectedRow(): the row last clicked. When
//     the keyboard moves the current row without changing the selection
//     (Ctrl+arrow keys), the list view's itemSelectionChanged is sent again
//     so that every handler of it sees the row that is now meant.
//   - A context menu offers "Copy" (the same) and "Save as CSV...": the whole
//     list, in the order shown, in the file osprey-export --csv writes for
//     the same rows of a table page.
//
// Columns without width (the hidden columns) are neither copied nor saved.
class KvListViewActions : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kCopyText = "Copy";
    static constexpr const char* kSaveCsvText = "Save as CSV...";
    static constexpr const char* kSaveCsvCaption = "Save as CSV";

    // The actions of `view`, made on first call; the view owns them.
    static KvListViewActions* Install(QTreeWidget* view);
    // The actions installed on `view`, or null.
    static KvListViewActions* Of(const QTreeWidget* view);

    // --- the operator's row ----------------------------------------------------
    // The one row of the selection that single-row work acts on: the current
    // row while it is selected, else the only selected row, else none.
    static QTreeWidgetItem* SelectedRow(const QTreeWidget* view);
    // Makes `row` the current and only selected row, in view (null: none),
    // whichever keys the operator holds down meanwhile.
    static void SelectOnly(QTreeWidget* view, QTreeWidgetItem* row);

    // --- sorting -------------------------------------------------------------
    bool Sorted() const;
    int SortColumn() const;
    Qt::SortOrder SortOrder() const;
    // Sorts by `column` (what a header click does; the header shows it).
    void SortBy(int column, Qt::SortOrder order);
    // Sorts again by the chosen column; nothing when none is chosen.
    void Resort();

    // --- copying and saving ----------------------------------------------------
    // The columns that are copied and saved, in column order.
    std::vector<int> ShownColumns() const;
    // The selected rows as Ctrl+C copies them (empty when none is selected).
    QString SelectedRowsText() const;
    void CopySelectedRows() const;
    // Every row as CSV into `out`.
    void WriteCsv(std::ostream& out) const;
    // Every row as CSV into the file; false, after the common message set's
    // write failure in a message box, when it cannot be written.
    bool SaveCsv(const QString& fileName) const;
    // Asks for the file name (askFileName, else a file dialog), then SaveCsv.
    void SaveCsvAs();
    // Replaces the file dialog; gets the suggested name, gives the chosen one
    // (empty: cancelled).
    std::function<QString(const QString& suggested)> askFileName;
    // The list view's window caption as a file name ending in ".csv".
    QString SuggestedFileName() const;

    // --- context menu ----------------------------------------------------------
    // Opens the menu at a point of the list view's viewport.
    void ShowContextMenu(const QPoint& viewportPosition);
    QMenu* ContextMenu() const { return menu_; }
    QAction* CopyAction() const { return copy_; }
    QAction* SaveCsvAction() const { return saveCsv_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KvListViewActions(QTreeWidget* view);
    // A header click: that column ascending, or the other way round when it
    // is the sort column already.
    void SectionClicked(int column);
    // Sends itemSelectionChanged again when the current row has moved
    // without the selection changing and SelectedRow() is another row now.
    void AnnounceMovedRow();
    // Writes every row, or the selected ones, as osprey-export writes a table
    // page in that style (KvDelimitedWriter).
    void WriteRows(std::ostream& out, bool csv, bool selectedOnly) const;

    QTreeWidget* view_; // the parent
    QMenu* menu_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* saveCsv_ = nullptr;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    // SelectedRow() as itemSelectionChanged last told it; compared, never
    // dereferenced (the row may be gone).
    const QTreeWidgetItem* announcedRow_ = nullptr;
};

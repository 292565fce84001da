#pragma once
#include <QPointer>
#include <QString>

#include "pages/tpanelcontainer.h"

class QLabel;
class QScrollArea;
class QSplitter;
class QTreeWidget;

// The content of a list-view page: the list view over the table (one column
// per variable, one row per table row, in the order of the walk), and below a
// splitter the editor box, a hidden scroll box that holds the generated
// editors between visits to the row dialogs.
//
// The list view's events: a click applies the Edit/Delete enabling rule, a
// double click on a selected row opens the row dialog, every change of the
// rows updates the row counter, and the mouse pointer over a row sets the
// list view's hint to that row's cells (RowHintText; the tooltip shows the
// same lines as a table).
class TPanelListViewContainer : public TPanelContainer {
public:
    TPanelListViewContainer(QWidget* owner, KvSNMPRequest2Edits* binding, UIEntry* table);
    ~TPanelListViewContainer() override;

    QScrollArea* EditorBox() const { return editorBox_; }
    // The widget inside the editor box that the editors are moved into.
    QWidget* EditorContent() const { return editorContent_; }
    QTreeWidget* ListView() const { return listView_; }
    QSplitter* Splitter() const { return splitter_; }

    // The static text that shows the number of rows.
    void SetRowCounter(QLabel* counter);
    void UpdateRowCounter();
    // Puts the editor box back under the list view after a row dialog.
    void TakeBackEditorBox();
    // Sizes the editor box's content to the layout extent plus 20 pixels in
    // each direction.
    void SizeEditorBox(int extentRight, int extentBottom);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetRowHint(const QPoint& position);

    QSplitter* splitter_ = nullptr;
    QTreeWidget* listView_ = nullptr;
    QScrollArea* editorBox_ = nullptr;
    QWidget* editorContent_ = nullptr;
    QPointer<QLabel> rowCounter_;
    QString hintTable_; // the hint as the tooltip shows it
};

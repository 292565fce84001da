#pragma once
#include <QDialog>
#include <QSize>

#include <string>

#include "pages/uientry.h"

class QScrollArea;
class TSNMPPanel;

// The modal dialog in which a list-view page edits a table row or adds one.
// It borrows the page's editor box: the box moves into the dialog's panel
// above the message panel, and whoever opened the dialog puts it back before
// the dialog goes. The button bar keeps Set Check, Check All, Clear Checks
// and Close; the opener connects them.
class TSNMPRowDialog : public QDialog {
public:
    enum class Kind { Edit, Add };

    static constexpr int kMaxEditWidth = 800;
    static constexpr int kMaxEditHeight = 550;

    // A dialog over `page` (modal, with the page's font) of `size`, showing
    // `editorBox`.
    TSNMPRowDialog(QWidget* page, Kind kind, const QString& title, QSize size, QScrollArea* editorBox);
    ~TSNMPRowDialog() override;

    Kind RowKind() const { return kind_; }
    TSNMPPanel* Panel() const { return panel_; }

    // Size of the Edit dialog: the editors' width beside the button bar, the
    // layout's height above the message panel, at most kMaxEditWidth by
    // kMaxEditHeight. Size of the Add dialog: the layout's extent, unbounded.
    static QSize EditSize(const UIEntry* table, int count, int extentBottom);
    static QSize AddSize(int extentRight, int extentBottom);

    // Edit: every entry's check box ticked unless it is read-only (and shown
    // unless the generator hid it), every editor enabled; without a selected
    // row the edit fields are emptied, with one the key entries (the first
    // `indexCount`) are locked. The check buttons follow the number of
    // writable entries.
    void PrepareEdit(UIEntry* table, int count, int indexCount, bool rowSelected);
    // Add: every check box ticked, every editor empty and enabled (a combo box
    // of a read-only variable stays disabled), the entry `createIndex` set to
    // the item whose text is `createText`.
    void PrepareAdd(UIEntry* table, int count, int createIndex, const std::string& createText);

private:
    Kind kind_;
    TSNMPPanel* panel_ = nullptr; // child
};

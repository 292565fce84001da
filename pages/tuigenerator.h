#pragma once
#include <QList>

#include "pages/uientry.h"

class QWidget;

// Creates the controls of a page layout table: for each entry up to the end
// entry a write check box, a label and an editor (edit field or combo box), or
// a memo or list view alone. The entries receive references to their
// controls; the control list holds every created control in creation order
// (check box, label, editor, check box, ...), which is how the layout manager
// reads it.
//
// Entries whose variable is an index column or read-only (access exactly 1 or
// 2) get a read-only look: an edit field is read-only in the button-face
// colour without tab stop and its check box is disabled and hidden; a combo box
// and its check box are disabled (the check box stays visible).
class TUIGenerator {
public:
    static constexpr int kCheckBoxWidth = 20;
    static constexpr int kEditorHeight = 21;

    // Creates the controls at once, with `owner` as their first parent.
    TUIGenerator(UIEntry* table, QWidget* owner);

    QList<QWidget*>& Controls() { return controls_; }
    const QList<QWidget*>& Controls() const { return controls_; }
    UIEntry* Table() const { return table_; }
    int CheckBoxWidth() const { return checkBoxWidth_; }

    // Makes `parent` the parent of every created control (keeps their
    // visibility).
    void SetParent(QWidget* parent);

    // The looks of an editor: read-only (button-face colour, no tab stop) or
    // writable (window colour, tab stop).
    static void SetReadOnlyLook(QWidget* editor, bool readOnly);

private:
    UIEntry* table_;
    QWidget* owner_;
    int checkBoxWidth_ = kCheckBoxWidth;
    QList<QWidget*> controls_;
};

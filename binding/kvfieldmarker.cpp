#include "binding/kvfieldmarker.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <algorithm>

#include "binding/kvgridlinedelegate.h"

namespace {

const QColor kMarkColour(0xD0, 0x10, 0x10);

KvGridLineDelegate* GridDelegateOf(QTreeWidget* view)
{
    return dynamic_cast<KvGridLineDelegate*>(view->itemDelegate());
}

} // namespace

KvFieldMarker::~KvFieldMarker()
{
    ClearAll();
}

QString KvFieldMarker::FrameStyle(const QWidget* control)
{
    // A selector of the control's own class, so that the frame does not
    // reach the widgets inside it (the list of a combo box).
    return QStringLiteral("%1 { border: 2px solid %2; }")
        .arg(QString::fromLatin1(control->metaObject()->className()), kMarkColour.name());
}

void KvFieldMarker::Mark(QWidget* control, const QString& tip, Operation operation)
{
    if (!control)
        return;
    auto found = std::find_if(controls_.begin(), controls_.end(),
                              [control](const ControlMark& m) { return m.control == control; });
    if (found == controls_.end()) {
        ControlMark mark;
        mark.control = control;
        mark.savedStyle = control->styleSheet();
        mark.savedTip = control->toolTip();
        // Whatever the operator changes in the control ends its mark.
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            mark.changed = connect(edit, &QLineEdit::textEdited, this, [this, control] { Unmark(control); });
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            mark.changed = connect(combo, &QComboBox::activated, this, [this, control] { Unmark(control); });
        controls_.push_back(mark);
        found = controls_.end() - 1;
        control->setStyleSheet(mark.savedStyle + FrameStyle(control));
    }
    found->operation = operation;
    found->tip = tip;
    control->setToolTip(tip);
}

void KvFieldMarker::MarkColumn(QTreeWidget* view, int column, const QString& tip, Operation operation)
{
    if (!view || column < 0 || column >= view->columnCount())
        return;
    auto found = std::find_if(columns_.begin(), columns_.end(),
                              [view, column](const ColumnMark& m) { return m.view == view && m.column == column; });
    QTreeWidgetItem* header = view->headerItem();
    if (found == columns_.end()) {
        ColumnMark mark{
            view, column, operation, tip, header->toolTip(column), header->data(column, Qt::ForegroundRole)};
        columns_.push_back(mark);
        found = columns_.end() - 1;
    }
    found->operation = operation;
    found->tip = tip;
    header->setForeground(column, kMarkColour);
    header->setToolTip(column, tip);
    if (KvGridLineDelegate* grid = GridDelegateOf(view))
        grid->SetColumnMarked(column, true);
    view->viewport()->update();
}

void KvFieldMarker::Restore(ControlMark& mark)
{
    QObject::disconnect(mark.changed);
    if (mark.control) {
        mark.control->setStyleSheet(mark.savedStyle);
        mark.control->setToolTip(mark.savedTip);
    }
}

void KvFieldMarker::Restore(ColumnMark& mark)
{
    if (!mark.view || mark.column >= mark.view->columnCount())
        return;
    QTreeWidgetItem* header = mark.view->headerItem();
    header->setData(mark.column, Qt::ForegroundRole, mark.savedForeground);
    header->setToolTip(mark.column, mark.savedTip);
    if (KvGridLineDelegate* grid = GridDelegateOf(mark.view))
        grid->SetColumnMarked(mark.column, false);
    mark.view->viewport()->update();
}

void KvFieldMarker::Unmark(QWidget* control)
{
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (it->control == control) {
            Restore(*it);
            controls_.erase(it);
            return;
        }
    }
}

void KvFieldMarker::Remove(bool all, Operation operation)
{
    for (auto it = controls_.begin(); it != controls_.end();) {
        if (all || it->operation == operation) {
            Restore(*it);
            it = controls_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = columns_.begin(); it != columns_.end();) {
        if (all || it->operation == operation) {
            Restore(*it);
            it = columns_.erase(it);
        } else {
            ++it;
        }
    }
}

void KvFieldMarker::Clear(Operation operation)
{
    Remove(false, operation);
}

void KvFieldMarker::ClearAll()
{
    Remove(true, Read);
}

bool KvFieldMarker::IsMarked(const QWidget* control) const
{
    return std::any_of(controls_.begin(), controls_.end(),
                       [control](const ControlMark& m) { return m.control == control; });
}

bool KvFieldMarker::IsColumnMarked(const QTreeWidget* view, int column) const
{
    return std::any_of(columns_.begin(), columns_.end(),
                       [view, column](const ColumnMark& m) { return m.view == view && m.column == column; });
}

QString KvFieldMarker::Tip(const QWidget* control) const
{
    for (const ControlMark& m : controls_)
        if (m.control == control)
            return m.tip;
    return {};
}

QString KvFieldMarker::ColumnTip(const QTreeWidget* view, int column) const
{
    for (const ColumnMark& m : columns_)
        if (m.view == view && m.column == column)
            return m.tip;
    return {};
}

#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <vector>

class QTreeWidget;
class QWidget;

// Marks the controls and list-view columns whose value failed: a red frame
// and a tooltip that names the field and the failure. A mark belongs to the
// operation that set it (read or write) and goes away when that operation
// next succeeds, when every mark is cleared (a new write begins), or when the
// operator changes the marked control. The control's own style sheet and
// tooltip come back with the mark's end. Window thread only.
class KvFieldMarker : public QObject {
public:
    enum Operation { Read = 0, Write = 1 };

    KvFieldMarker() = default;
    ~KvFieldMarker() override;

    // Marks one control (again: the tooltip is replaced).
    void Mark(QWidget* control, const QString& tip, Operation operation);
    // Marks one column of a list view: its header turns red with the tip, and
    // its cells get a red frame when the list view draws its grid lines.
    void MarkColumn(QTreeWidget* view, int column, const QString& tip, Operation operation);
    // Ends the mark of one control (nothing when it has none).
    void Unmark(QWidget* control);
    // Ends the marks of one operation, or all of them.
    void Clear(Operation operation);
    void ClearAll();

    bool IsMarked(const QWidget* control) const;
    bool IsColumnMarked(const QTreeWidget* view, int column) const;
    // The tooltip of a marked control or column (empty when not marked).
    QString Tip(const QWidget* control) const;
    QString ColumnTip(const QTreeWidget* view, int column) const;

    // The frame of a marked control.
    static QString FrameStyle(const QWidget* control);

private:
    struct ControlMark {
        QPointer<QWidget> control;
        Operation operation = Read;
        QString tip;
        QString savedStyle;
        QString savedTip;
        QMetaObject::Connection changed;
    };
    struct ColumnMark {
        QPointer<QTreeWidget> view;
        int column = 0;
        Operation operation = Read;
        QString tip;
        QString savedTip;
        QVariant savedForeground;
    };

    void Restore(ControlMark& mark);
    void Restore(ColumnMark& mark);
    void Remove(bool all, Operation operation);

    std::vector<ControlMark> controls_;
    std::vector<ColumnMark> columns_;
};

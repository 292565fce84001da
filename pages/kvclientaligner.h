#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps a child widget covering the whole of its parent, as a control aligned
// to the client area does, without putting the parent under a layout (its
// other children keep their absolute positions).
class KvClientAligner : public QObject {
public:
    // Sizes `child` to its parent now and whenever the parent is resized. The
    // aligner belongs to the child.
    static void Attach(QWidget* child);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KvClientAligner(QWidget* child);
    void Fit();

    QPointer<QWidget> child_;
    QPointer<QWidget> parent_;
};

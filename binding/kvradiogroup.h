#pragma once
#include <QList>
#include <QString>

class KvOptionList;
class QGroupBox;
class QRadioButton;

// A group box used as a radio group: its direct QRadioButton children are
// its items, in order. A view; the group box owns the buttons.
class KvRadioGroup {
public:
    explicit KvRadioGroup(QGroupBox* group) : group_(group) {}

    QList<QRadioButton*> Items() const;
    // One item per label of `options`; the items the group had are destroyed.
    void Fill(const KvOptionList& options);
    // Checks item `index` alone; none is checked when no item has the index.
    void Select(int index);
    // The checked item, or -1.
    int Selected() const;
    // The checked item's text, or an empty text.
    QString SelectedText() const;

private:
    QGroupBox* group_;
};

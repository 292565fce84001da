#include "binding/kvradiogroup.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/kvoptionlist.h"

QList<QRadioButton*> KvRadioGroup::Items() const
{
    return group_->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

void KvRadioGroup::Fill(const KvOptionList& options)
{
    // Clearing the items means destroying the buttons the group had.
    for (QRadioButton* item : Items())
        delete item;
    QLayout* layout = group_->layout();
    if (!layout)
        layout = new QVBoxLayout(group_);
    for (const std::string& label : options.Labels()) {
        auto* item = new QRadioButton(QString::fromStdString(label), group_);
        layout->addWidget(item);
    }
}

void KvRadioGroup::Select(int index)
{
    const QList<QRadioButton*> items = Items();
    for (int i = 0; i < items.size(); ++i) {
        // Exclusive buttons cannot all be cleared; leave none checked when no
        // item matches.
        items[i]->setAutoExclusive(false);
        items[i]->setChecked(i == index);
        items[i]->setAutoExclusive(true);
    }
}

int KvRadioGroup::Selected() const
{
    const QList<QRadioButton*> items = Items();
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

QString KvRadioGroup::SelectedText() const
{
    const QList<QRadioButton*> items = Items();
    const int index = Selected();
    return index < 0 ? QString() : items[index]->text();
}

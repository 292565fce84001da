#include "pages/kvclientaligner.h"

#include <QEvent>
#include <QWidget>

void KvClientAligner::Attach(QWidget* child)
{
    if (!child || !child->parentWidget())
        return;
    for (QObject* o : child->children()) {
        if (auto* old = dynamic_cast<KvClientAligner*>(o))
            delete old;
    }
    new KvClientAligner(child);
}

KvClientAligner::KvClientAligner(QWidget* child) : QObject(child), child_(child), parent_(child->parentWidget())
{
    parent_->installEventFilter(this);
    Fit();
}

bool KvClientAligner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent_ && event->type() == QEvent::Resize)
        Fit();
    return false;
}

void KvClientAligner::Fit()
{
    if (child_ && parent_ && child_->parentWidget() == parent_)
        child_->setGeometry(parent_->rect());
}

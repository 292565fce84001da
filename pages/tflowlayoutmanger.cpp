#include "pages/tflowlayoutmanger.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <vector>

#include "pages/kvclientaligner.h"

namespace {

KvFlowRect RectOf(const QWidget* w)
{
    KvFlowRect r;
    r.left = w->x();
    r.top = w->y();
    r.width = w->width();
    r.height = w->height();
    r.visible = !w->isHidden();
    return r;
}

void Apply(QWidget* w, const KvFlowRect& r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

bool FillsItsContainer(const QWidget* w)
{
    return qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

} // namespace

TFlowLayoutManger::TFlowLayoutManger(QWidget* owner, QWidget* container, QList<QWidget*>* controls)
    : container_(container), controls_(controls)
{
    for (QWidget* control : *controls_) {
        const bool hidden = control->isHidden();
        control->setParent(owner);
        control->setHidden(hidden);
    }
}

void TFlowLayoutManger::Layout(int mode)
{
    if (mode != kRowMode)
        return;
    for (QWidget* control : *controls_) {
        const bool hidden = control->isHidden();
        control->setParent(container_);
        control->setHidden(hidden);
    }
    if (controls_->size() == 1 && FillsItsContainer(controls_->front())) {
        KvClientAligner::Attach(controls_->front());
        return;
    }
    LayoutRows();
}

void TFlowLayoutManger::LayoutRows()
{
    std::vector<KvFlowEntry> entries;
    const qsizetype complete = controls_->size() / 3 * 3;
    for (qsizetype i = 0; i < complete; i += 3) {
        KvFlowEntry e;
        e.checkBox = RectOf((*controls_)[i]);
        e.label = RectOf((*controls_)[i + 1]);
        e.editor = RectOf((*controls_)[i + 2]);
        if (auto* label = qobject_cast<QLabel*>((*controls_)[i + 1]))
            e.labelChars = static_cast<int>(label->text().size());
        entries.push_back(e);
    }
    core_.Place(entries);
    for (size_t n = 0; n < entries.size(); ++n) {
        const qsizetype i = static_cast<qsizetype>(n) * 3;
        Apply((*controls_)[i], entries[n].checkBox);
        Apply((*controls_)[i + 1], entries[n].label);
        Apply((*controls_)[i + 2], entries[n].editor);
    }
}

#include "browser/tautorefreshcontrol.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "binding/kvsnmprequest2edits.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tsnmplayoutadapter.h"

namespace {

constexpr int kGapAbove = 15; // below the last button

} // namespace

const QList<int>& TAutoRefreshControl::Intervals()
{
    static const QList<int> intervals = {0, 2, 5, 10};
    return intervals;
}

TAutoRefreshControl::TAutoRefreshControl(TCtrlBtnPanel* bar, TSNMPLayoutAdapter* adapter)
    : QWidget(bar), bar_(bar), adapter_(adapter)
{
    setObjectName(QStringLiteral("AutoRefresh"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    label_ = new QLabel(QString::fromLatin1(kLabelText), this);
    label_->setAlignment(Qt::AlignCenter);
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("AutoRefreshChoice"));
    for (int seconds : Intervals())
        choice_->addItem(seconds == 0 ? QStringLiteral("Off") : QStringLiteral("%1 s").arg(seconds), seconds);
    layout->addWidget(label_);
    layout->addWidget(choice_);
    setFixedWidth(TCtrlBtnPanel::kButtonWidth);
    adjustSize();

    connect(choice_, &QComboBox::currentIndexChanged, this, [this] { SetInterval(choice_->currentData().toInt()); });
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    Place();
}

int TAutoRefreshControl::Interval() const
{
    return timer_.isActive() ? timer_.interval() / 1000 : 0;
}

void TAutoRefreshControl::SetInterval(int seconds)
{
    const int index = choice_->findData(seconds);
    if (index < 0)
        return;
    if (choice_->currentIndex() != index)
        choice_->setCurrentIndex(index); // comes back here
    if (seconds == 0)
        timer_.stop();
    else
        timer_.start(seconds * 1000);
}

bool TAutoRefreshControl::Tick()
{
    TSNMPLayoutAdapter* adapter = adapter_;
    if (!adapter || !adapter->Binding() || adapter->Dialog())
        return false;
    if (!adapter->getComplete || !adapter->setComplete || adapter->Binding()->busy)
        return false;
    adapter->DoRefresh();
    return true;
}

void TAutoRefreshControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Place();
}

void TAutoRefreshControl::Place()
{
    int bottom = TCtrlBtnPanel::kMargin;
    for (QWidget* control : bar_->Controls())
        if (!control->isHidden())
            bottom = std::max(bottom, control->y() + control->height());
    move(TCtrlBtnPanel::kMargin, bottom + kGapAbove);
}

#include "shell/panel/twaitingform.h"

#include <QProgressBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

TWaitingForm::TWaitingForm(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("WaitingForm"));
    // No border icons: a title bar only, single fixed border.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Refreshing panel"));
    setFixedSize(kClientWidth, kClientHeight);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, kProgressMaximum);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ProgressBar1);

    // Centred on the window that opened it.
    if (owner) {
        const QWidget* window = owner->window();
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(window->frameGeometry().center());
        move(frame.topLeft());
    }
    FormCreate();
}

void TWaitingForm::FormCreate()
{
    refreshed_ = false;
}

void TWaitingForm::Advance()
{
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
}

void TWaitingForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!refreshed_) {
        // Once the window is on the screen.
        QMetaObject::invokeMethod(this, &TWaitingForm::FormActivate, Qt::QueuedConnection);
    }
}

void TWaitingForm::FormActivate()
{
    if (refreshed_)
        return;
    refreshed_ = true;
    try {
        if (refreshSteps)
            refreshSteps();
    } catch (...) {
        // Nothing is reported: the window just closes.
    }
    QMetaObject::invokeMethod(this, &QDialog::close, Qt::QueuedConnection);
}

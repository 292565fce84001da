#include "forms/port/portformlayout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/tctrlbtnpanel.h"

namespace portformlayout {

namespace {

// Adds `control` at the column's foot, above the stretch that keeps the
// controls at the top.
void Stack(QWidget* column, QWidget* control)
{
    auto* layout = static_cast<QVBoxLayout*>(column->layout());
    layout->insertWidget(layout->count() - 1, control);
}

} // namespace

QWidget* ButtonColumn(QWidget* parent)
{
    auto* column = new QWidget(parent);
    column->setObjectName("ButtonColumn");
    column->setFixedWidth(TCtrlBtnPanel::kWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(TCtrlBtnPanel::kMargin, TCtrlBtnPanel::kMargin,
                               TCtrlBtnPanel::kMargin, TCtrlBtnPanel::kMargin);
    layout->setSpacing(TCtrlBtnPanel::kGap);
    layout->addStretch(1);
    return column;
}

QPushButton* AddButton(QWidget* column, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), column);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFixedSize(TCtrlBtnPanel::kButtonWidth, TCtrlBtnPanel::kButtonHeight);
    Stack(column, button);
    return button;
}

QLabel* AddRowCounter(QWidget* column, const char* name)
{
    auto* counter = new QLabel(QStringLiteral("0"), column);
    counter->setObjectName(name);
    counter->setAlignment(Qt::AlignCenter);
    counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    counter->setFixedSize(TCtrlBtnPanel::kButtonWidth, TCtrlBtnPanel::kCounterHeight);
    Stack(column, counter);
    return counter;
}

QLabel* AddCaption(QWidget* column, const char* name, const char* caption)
{
    auto* label = new QLabel(QString::fromLatin1(caption), column);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(TCtrlBtnPanel::kButtonWidth);
    Stack(column, label);
    return label;
}

QPlainTextEdit* StatusMemo(QWidget* parent, const char* name, int height)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::ClickFocus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFixedHeight(height);
    return memo;
}

} // namespace portformlayout

#include "forms/common/formwidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "pages/tctrlbtnpanel.h"

namespace formwidgets {

namespace {

constexpr int kFieldMinWidth = 120;

} // namespace

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* NewRowCounter(QWidget* parent, const char* name)
{
    auto* counter = new QLabel(QStringLiteral("0"), parent);
    counter->setObjectName(name);
    counter->setAlignment(Qt::AlignCenter);
    counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    counter->setFixedWidth(TCtrlBtnPanel::kButtonWidth);
    return counter;
}

QLabel* NewButtonCaption(QWidget* parent, const char* name, const char* caption)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    if (name)
        label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(TCtrlBtnPanel::kButtonWidth);
    return label;
}

QPlainTextEdit* NewStatusMemo(QWidget* parent, const char* name, int height, Qt::FocusPolicy focus)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setFocusPolicy(focus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFixedHeight(height);
    return memo;
}

QTreeWidget* NewList(QWidget* parent, const char* name)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    return list;
}

QLineEdit* NewEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(kFieldMinWidth);
    return edit;
}

QComboBox* NewCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setMinimumWidth(kFieldMinWidth);
    return combo;
}

void SelectValueName(QComboBox* combo, const char* valueName)
{
    combo->setCurrentIndex(combo->findText(QString::fromLatin1(valueName), Qt::MatchFixedString));
}

QLabel* NewStaticText(QWidget* parent, const char* name)
{
    auto* text = new QLabel(parent);
    text->setObjectName(name);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setMinimumWidth(kFieldMinWidth);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
}

void ShowCount(QLabel* counter, const QTreeWidget* list)
{
    if (counter && list)
        counter->setText(QString::number(list->topLevelItemCount()));
}

} // namespace formwidgets

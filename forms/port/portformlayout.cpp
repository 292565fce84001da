#include "forms/port/portformlayout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/common/formwidgets.h"
#include "pages/tctrlbtnpanel.h"

namespace portformlayout {

namespace {

// Adds `control` at the column's foot, above the stretch that keeps the
// controls at the top.
template <class Control>
Control* Stack(QWidget* column, Control* control)
{
    auto* layout = static_cast<QVBoxLayout*>(column->layout());
    layout->insertWidget(layout->count() - 1, control);
    return control;
}

} // namespace

QWidget* ButtonColumn(QWidget* parent)
{
    auto* column = new QWidget(parent);
    column->setObjectName("ButtonColumn");
    column->setFixedWidth(TCtrlBtnPanel::kWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(TCtrlBtnPanel::kMargin, TCtrlBtnPanel::kMargin, TCtrlBtnPanel::kMargin,
                               TCtrlBtnPanel::kMargin);
    layout->setSpacing(TCtrlBtnPanel::kGap);
    layout->addStretch(1);
    return column;
}

QPushButton* AddButton(QWidget* column, const char* name, const char* caption)
{
    QPushButton* button = formwidgets::NewButton(column, name, caption);
    button->setFixedSize(TCtrlBtnPanel::kButtonWidth, TCtrlBtnPanel::kButtonHeight);
    return Stack(column, button);
}

QLabel* AddRowCounter(QWidget* column, const char* name)
{
    QLabel* counter = formwidgets::NewRowCounter(column, name);
    counter->setFixedHeight(TCtrlBtnPanel::kCounterHeight);
    return Stack(column, counter);
}

QLabel* AddCaption(QWidget* column, const char* name, const char* caption)
{
    return Stack(column, formwidgets::NewButtonCaption(column, name, caption));
}

QVBoxLayout* ClientColumn()
{
    auto* client = new QVBoxLayout;
    client->setContentsMargins(0, 0, 0, 0);
    return client;
}

} // namespace portformlayout

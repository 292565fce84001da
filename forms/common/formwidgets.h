#pragma once
#include <QAbstractItemModel>
#include <QTreeWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The controls the hand-made windows are built from, named as their
// handlers and tests find them. Each is created on `parent`; laying it out
// is the caller's.
namespace formwidgets {

// A push button that Enter does not press.
QPushButton* NewButton(QWidget* parent, const char* name, const char* caption);
// The sunken, centred "0" of a row counter, as wide as a button.
QLabel* NewRowCounter(QWidget* parent, const char* name);
// A centred caption as wide as a button ("Samples" over a row counter);
// `name` may be null.
QLabel* NewButtonCaption(QWidget* parent, const char* name, const char* caption);
// The read-only memo of status lines, `height` high, lines not wrapped.
QPlainTextEdit* NewStatusMemo(QWidget* parent, const char* name, int height, Qt::FocusPolicy focus = Qt::ClickFocus);
// A list view as Qt makes it.
QTreeWidget* NewList(QWidget* parent, const char* name);
// A line edit and a combo box at least 120 wide.
QLineEdit* NewEdit(QWidget* parent, const char* name);
QComboBox* NewCombo(QWidget* parent, const char* name);
// Selects the item of `combo` that names a value (`valueName`, any case:
// "createAndGo" is also the "CreateAndGo" of a capitalised list); none when
// the combo has no such item.
void SelectValueName(QComboBox* combo, const char* valueName);
// A sunken label whose text can be selected, at least 120 wide.
QLabel* NewStaticText(QWidget* parent, const char* name);

// The number of list rows into a counter (nothing when either is missing).
void ShowCount(QLabel* counter, const QTreeWidget* list);

// `handler` runs whenever rows come into or go out of the list (also while
// an asynchronous walk brings them in).
template <class Receiver>
void ConnectRowChanges(QTreeWidget* list, Receiver* receiver, void (Receiver::*handler)())
{
    QAbstractItemModel* rows = list->model();
    QObject::connect(rows, &QAbstractItemModel::rowsInserted, receiver, handler);
    QObject::connect(rows, &QAbstractItemModel::rowsRemoved, receiver, handler);
    QObject::connect(rows, &QAbstractItemModel::modelReset, receiver, handler);
}

} // namespace formwidgets

#pragma once

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The pieces the port and traffic windows are laid out from, in the measures
// of the generic pages' button bar and message panel.
namespace portformlayout {

// The button column on a window's right: 116 wide, its controls 96 wide,
// stacked from the top with 5 pixels between them.
QWidget* ButtonColumn(QWidget* parent);
// A 96 by 25 push button added below the column's last control.
QPushButton* AddButton(QWidget* column, const char* name, const char* caption);
// A sunken, centred "0" (a row counter) added below the column's last control.
QLabel* AddRowCounter(QWidget* column, const char* name);
// A plain centred label added below the column's last control.
QLabel* AddCaption(QWidget* column, const char* name, const char* caption);
// The column left of the button column, without margins, for the window's
// contents (TBindingForm::LayOut).
QVBoxLayout* ClientColumn();

} // namespace portformlayout

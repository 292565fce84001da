#pragma once

class QDialog;
class QWidget;

// Centres `window` on `centreOn` (kept on that window's screen) and shows it
// modally; returns the dialog's result. Without `centreOn` the window stays
// where it is.
int ShowCentredModal(QDialog& window, const QWidget* centreOn);

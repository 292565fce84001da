#pragma once
#include "forms/port/tbindingform.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Basic Imformation": the switch as a stacking unit, read only. Edit1 shows
// the equipment capacity bits in hexadecimal, Edit2 the maximum number of
// supported units, Edit3 the current number of units and Edit4 the stacking
// version. Fetched when the window is created and on Refresh; the status
// lines go to Memo1.
class TEquipmentBasicInfoForm : public TBindingForm {
public:
    static constexpr int kWidth = 404;
    static constexpr int kHeight = 189;

    TEquipmentBasicInfoForm(QWidget* owner, const KvFormHost& host);

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "Refresh"
    QPlainTextEdit* Memo1 = nullptr;

    void FormCreate();
    void BitBtn1Click();

private:
    void BuildWindow();
};

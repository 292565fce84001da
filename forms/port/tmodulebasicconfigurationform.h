#pragma once
#include "forms/common/tformdialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Moudle Basic Configuration" (a hidden menu item): panel-refresh settings
// and "&Set", which closes the main window's unit windows and resets its port
// buttons; the window stays open. The check boxes and the minutes field are
// offered but read by nothing.
class TModuleBasicConfigurationForm : public TFormDialog {
public:
    static constexpr int kWidth = 358;
    static constexpr int kHeight = 73;

    TModuleBasicConfigurationForm(QWidget* owner, const KvFormHost& host);

    QCheckBox* CheckBox1 = nullptr; // "Refresh Panel every"
    QLineEdit* Edit1 = nullptr;     // minutes
    QCheckBox* CheckBox2 = nullptr; // "Refresh Panel Now"
    QPushButton* BitBtn1 = nullptr; // "&Set"
    QPushButton* BitBtn2 = nullptr; // "&Close"

    void BitBtn1Click();
    void BitBtn2Click();
};

#pragma once
#include <QList>

#include "forms/port/tbindingform.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// "Aggregator Port Table": the 802.3ad aggregation ports, read only, walked
// asynchronously into ListView1. The four LACP state octets of the selected
// row are shown bit by bit on four tabs of eight check boxes (bit 0, the
// octet's most significant bit, is "lacpActivity"). The boxes only show the
// bits: a click does not change them, and nothing is written.
class TAggregatorPortTableForm : public TBindingForm {
public:
    static constexpr int kWidth = 613;
    static constexpr int kHeight = 480;
    static constexpr int kListHeight = 272;
    static constexpr int kMemoHeight = 44;
    static constexpr int kStateCount = 4;
    static constexpr int kStateBits = 8;

    TAggregatorPortTableForm(QWidget* owner, const KvFormHost& host);

    QLabel* StaticText1 = nullptr; // row counter
    QLabel* Label1 = nullptr;      // "Samples"
    QPushButton* GetBtn = nullptr; // "Refresh"
    QTreeWidget* ListView1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    // CheckBox1 to CheckBox32: eight per state octet, in bit order.
    QList<QCheckBox*> CheckBoxes;

    void FormCreate();
    void GetBtnClick();
    void ListView1Change();

private:
    void BuildWindow();
};

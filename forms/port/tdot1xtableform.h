#pragma once
#include "forms/port/tbindingform.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The layout and behaviour the two 802.1X statistics windows share: one
// read-only table walked (blocking) into ListView1, one row per port and one
// column per counter, the status lines in Memo1 below it and Refresh on the
// right. Counters are shown as the switch reports them.
class TDot1xTableForm : public TBindingForm {
public:
    static constexpr int kMemoHeight = 52;

    QTreeWidget* ListView1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr; // "Refresh"

    void Button1Click();

protected:
    TDot1xTableForm(QWidget* owner, const KvFormHost& host, const QString& caption, int width, int height);
    // Binds the table and runs the first walk (the subclass's FormCreate).
    void CreateTable(const VarDef* table);

private:
    void BuildWindow();
};

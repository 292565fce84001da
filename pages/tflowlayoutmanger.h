#pragma once
#include <QList>

#include "pages/kvflowrowlayout.h"
#include "pages/tlayoutmanger.h"

class QWidget;

// Places the controls of a TUIGenerator in rows inside a container and reports
// the extent the page needs (the arithmetic is KvFlowRowLayout's). The control
// list is read in threes: check box, label, editor. A list holding only a
// list view or a memo makes that control fill the container instead.
class TFlowLayoutManger : public TLayoutManger {
public:
    // Layout modes: column mode is not used by any page and places nothing.
    static constexpr int kColumnMode = 1;
    static constexpr int kRowMode = 2;

    // Makes `owner` the parent of every control in the list.
    TFlowLayoutManger(QWidget* owner, QWidget* container, QList<QWidget*>* controls);

    // Lays the controls out in `container`; updates the extents and the label
    // character total.
    void Layout(int mode);

    int ExtentRight() const { return core_.extentRight; }
    int ExtentBottom() const { return core_.extentBottom; }
    int LabelChars() const { return core_.labelChars; }
    KvFlowRowLayout& Core() { return core_; }

private:
    void LayoutRows();

    QWidget* container_;
    QList<QWidget*>* controls_;
    KvFlowRowLayout core_;
};

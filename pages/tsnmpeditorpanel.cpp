#include "pages/tsnmpeditorpanel.h"

#include "pages/tctrlbtnpanel.h"
#include "pages/tflowlayoutmanger.h"
#include "pages/tmsgpanel.h"
#include "pages/tpanelcontainer.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

constexpr int kContentMargin = 20; // room right of and below the last control

} // namespace

TSNMPEditorPanel::TSNMPEditorPanel(QWidget* owner) : TSNMPPanel(owner) {}

void TSNMPEditorPanel::BuildPage(UIEntry* table, KvSNMPRequest2Edits* binding)
{
    container_ = new TPanelContainer(this, binding, table);
    TFlowLayoutManger* layout = container_->LayoutManager();
    layout->Layout(TFlowLayoutManger::kRowMode);
    container_->setMinimumSize(layout->ExtentRight() + kContentMargin, layout->ExtentBottom() + kContentMargin);
    SetContent(container_, true);

    BtnPanel->HideControl(TCtrlBtnPanel::Stop);
    // Only a variable with the write flag is ever sent: an index column or a
    // read-only one is not, so a page of those has nothing to write.
    int writable = 0;
    for (UIEntry* e = table; e && e->variable; ++e) {
        if ((e->variable->access & accWrite) != 0)
            ++writable;
    }
    BtnPanel->SetCheckButtons(writable == 0  ? TCtrlBtnPanel::CheckButtons::None
                              : writable > 1 ? TCtrlBtnPanel::CheckButtons::All
                                             : TCtrlBtnPanel::CheckButtons::SetCheckOnly);

    SetContentSize(layout->ExtentRight() + TCtrlBtnPanel::kWidth + 40,
                   layout->ExtentBottom() + TMsgPanel::kHeight + 60);
}

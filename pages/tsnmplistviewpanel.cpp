#include "pages/tsnmplistviewpanel.h"

#include <QLabel>
#include <QScrollArea>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "pages/rangehint.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tflowlayoutmanger.h"
#include "pages/tmsgpanel.h"
#include "pages/tpanellistviewcontainer.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tuigenerator.h"

TSNMPListViewPanel::TSNMPListViewPanel(QWidget* owner) : TSNMPPanel(owner) {}

void TSNMPListViewPanel::MoveEditorsIntoBox()
{
    TFlowLayoutManger* layout = container_->LayoutManager();
    TSNMPLayoutAdapter* adapter = container_->Adapter();
    adapter->extentBottom = layout->ExtentBottom();
    adapter->extentRight = layout->ExtentRight();
    container_->Generator()->SetParent(container_->EditorContent());
    container_->SizeEditorBox(layout->ExtentRight(), layout->ExtentBottom());
    container_->EditorBox()->hide();
}

void TSNMPListViewPanel::BuildPage(UIEntry* table, KvSNMPRequest2Edits* binding)
{
    container_ = new TPanelListViewContainer(this, binding, table);
    listView_ = container_->ListView();
    container_->SetRowCounter(BtnPanel->ST_Count);

    TFlowLayoutManger* layout = container_->LayoutManager();
    layout->Layout(TFlowLayoutManger::kRowMode);
    MoveEditorsIntoBox();
    SetContent(container_, false);

    for (TCtrlBtnPanel::Control c :
         {TCtrlBtnPanel::SetCheck, TCtrlBtnPanel::CheckAll, TCtrlBtnPanel::ClearChecks, TCtrlBtnPanel::Stop})
        BtnPanel->HideControl(c);

    SetContentSize(kPixelsPerLabelChar * layout->LabelChars() + TCtrlBtnPanel::kWidth + 40,
                   layout->ExtentBottom() + TMsgPanel::kHeight + 60);

    // The labels show the value ranges of their editors.
    for (UIEntry* e = table; e && e->variable; ++e) {
        try {
            if (!e->label)
                continue;
            const std::string hint = RangeHint(e->format);
            e->label->setText(e->label->text() + QString::fromStdString(hint));
            e->label->adjustSize();
        } catch (const std::exception&) {
            // This entry keeps its label.
        }
    }
    // The layout takes the controls back out of the editor box.
    layout->Layout(TFlowLayoutManger::kRowMode);
    MoveEditorsIntoBox();

    bool editable = false;
    if (binding) {
        const KvSNMPVarList& list = binding->Variables();
        for (int i = 0; i < list.Count() && !editable; ++i) {
            if (list.IsWritable(i) && (i >= list.keyCount || list.kind == kvListTableRows))
                editable = true;
        }
    }
    if (!editable)
        BtnPanel->HideControl(TCtrlBtnPanel::Set);
}

#include "forms/vlan/tvlanportinfomationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/vlan/vlanformtables.h"
#include "pages/tuigenerator.h"

TVLanPortInfomationForm::TVLanPortInfomationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "VLanPortInfomationForm", "VLAN Port Information Form")
{
    BuildWindow();
    FormCreate();
}

void TVLanPortInfomationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    LV_dot1qPortVlanEntry = NewListView(splitter, "LV_dot1qPortVlanEntry");
    QGridLayout* fields = AddDetailGrid(splitter);
    PortVLanID = AddEditField(fields, 0, 0, "Port VLAN ID", "PortVLanID");
    // Shown only: Set writes the two switches, so the editor takes no typing
    // (a typed VLAN ID would be answered Ok without having been written). It
    // looks like the window's other read-only texts.
    TUIGenerator::SetReadOnlyLook(PortVLanID, true);
    IngressFiltering = AddComboField(fields, 0, 1, "Ingress Filtering", "IngressFiltering");
    GvrpStatus = AddComboField(fields, 1, 0, "GVRP Status", "GvrpStatus");
    AcceptableFrameTypes = formwidgets::NewCombo(fields->parentWidget(), "AcceptableFrameTypes");
    AcceptableFrameTypesLabel = AddField(fields, 1, 1, "Acceptable Frame Types", AcceptableFrameTypes);
    AcceptableFrameTypesLabel->hide();
    AcceptableFrameTypes->hide();
    fields->setRowStretch(2, 1);
    SetSplit(splitter, 260, 70);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVLanPortInfomationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TVLanPortInfomationForm::SetBtnClick);
    formwidgets::ConnectRowChanges(LV_dot1qPortVlanEntry, this, &TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange);
    EnableWhileSelected(LV_dot1qPortVlanEntry, {SetBtn});
    resize(600, 480);
}

void TVLanPortInfomationForm::FormCreate()
{
    binding_ = &NewBinding(kvforms::varsPortVlan, kvListTable, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qPortVlanEntry, true);
        binding_->BindEdits(kvforms::kVlanPortPvid, "%i{}", PortVLanID);
        binding_->BindComboBox(kvforms::kVlanPortIngressFiltering, IngressFiltering);
        binding_->BindComboBox(kvforms::kVlanPortGvrpStatus, GvrpStatus);
        IngressFiltering->setCurrentIndex(-1);
        GvrpStatus->setCurrentIndex(-1);
        binding_->Refresh();
        PortVLanID->clear();
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] {
        binding_->Refresh();
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::SetBtnClick()
{
    const QString caption = SelectedCaption(LV_dot1qPortVlanEntry);
    WriteWhenIdle(*binding_, [&] {
        binding_->CollectValues();
        binding_->StoreAll();
        SelectRowByCaption(LV_dot1qPortVlanEntry, caption, [this] { PortVLanID->clear(); });
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange()
{
    formwidgets::ShowCount(ST_Count, LV_dot1qPortVlanEntry);
}

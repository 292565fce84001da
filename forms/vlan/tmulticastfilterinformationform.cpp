#include "forms/vlan/tmulticastfilterinformationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

enum MulticastColumn { kVid, kAddress, kReceivePort, kEgress, kForbidden, kStatus };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

TMulticastFilterInformationForm::TMulticastFilterInformationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "MulticastFilterInformationForm", "MulticastFilterInformationForm")
{
    BuildWindow();
    FormCreate();
}

void TMulticastFilterInformationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    LV_dot1qStaticMulticastEntry = NewListView(splitter, "LV_dot1qStaticMulticastEntry");
    auto* detail = new QWidget(splitter);
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 4, 0, 0);
    auto* fields = new QGridLayout;
    ED_MulticastVID = NewEdit(detail, "ED_MulticastVID");
    ED_MACAddress = NewEdit(detail, "ED_MACAddress");
    Status = NewCombo(detail, "Status");
    AddField(fields, 0, 0, "VID", ED_MulticastVID);
    AddField(fields, 0, 1, "MAC Address", ED_MACAddress);
    AddField(fields, 1, 0, "Status", Status);
    column->addLayout(fields);
    PageControl1 = new QTabWidget(detail);
    PageControl1->setObjectName("PageControl1");
    column->addWidget(PageControl1, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({180, 220});
    ClientLayout()->addWidget(splitter);

    connect(RefreshBtn, &QPushButton::clicked, this, &TMulticastFilterInformationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TMulticastFilterInformationForm::SetBtnClick);
    ConnectRowChanges(LV_dot1qStaticMulticastEntry,
                      &TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntryChange);
    resize(700, 540);
}

void TMulticastFilterInformationForm::FormCreate()
{
    try {
        EgressGrid = AddGridTab(PageControl1, "Egress Ports", "ScrollBox1", kGridBoxes, kGridPerRow);
        ForbiddenGrid = AddGridTab(PageControl1, "Forbidden Ports", "ScrollBox2", kGridBoxes, kGridPerRow);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    binding_ = &NewBinding(kvforms::varsStaticMulticast, kvListTableRows, 3);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qStaticMulticastEntry, true);
        binding_->BindEdits(kVid, "%i{n1x4094}", ED_MulticastVID);
        binding_->BindEdits(kAddress, "%h", ED_MACAddress);
        const std::string bits = TStackingPortUitForm::BitIndexText(kGridBoxes);
        if (EgressGrid)
            binding_->BindControlList(kEgress, bits, EgressGrid->CheckBoxes());
        if (ForbiddenGrid)
            binding_->BindControlList(kForbidden, bits, ForbiddenGrid->CheckBoxes());
        binding_->BindComboBox(kStatus, Status);
        Status->setCurrentIndex(-1);
        binding_->Refresh();
        LV_dot1qStaticMulticastEntryChange();
    });
}

void TMulticastFilterInformationForm::ClearEditors()
{
    ClearPorts(EgressGrid);
    ClearPorts(ForbiddenGrid);
    ED_MulticastVID->clear();
    ED_MACAddress->clear();
    Status->setCurrentIndex(-1);
}

void TMulticastFilterInformationForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] {
        binding_->Refresh();
        ClearEditors();
    });
}

void TMulticastFilterInformationForm::SetBtnClick()
{
    if (binding_->busy)
        return;
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*binding_, [this] { binding_->Apply(true, true); });
}

void TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntryChange()
{
    ShowCount(ST_Count, LV_dot1qStaticMulticastEntry);
}

#include "forms/vlan/tunicastfilterinformationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

enum UnicastColumn { kVid, kAddress, kReceivePort, kAllowed, kStatus };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

TUnicastFilterInformationForm::TUnicastFilterInformationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "UnicastFilterInformationForm", "UnicastFilterInformationForm")
{
    BuildWindow();
    FormCreate();
}

void TUnicastFilterInformationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    DeleteBtn = NewButton("DeleteBtn", "Delete");
    DeleteBtn->hide();
    FinishButtons();

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    LV_dot1qStaticUnicastEntry = NewListView(splitter, "LV_dot1qStaticUnicastEntry");
    auto* detail = new QWidget(splitter);
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 4, 0, 0);
    auto* fields = new QGridLayout;
    ED_UnicastVID = NewEdit(detail, "ED_UnicastVID");
    UnicastAddress = NewEdit(detail, "UnicastAddress");
    UStatus = NewCombo(detail, "UStatus");
    AddField(fields, 0, 0, "VID", ED_UnicastVID);
    AddField(fields, 0, 1, "MAC  Address", UnicastAddress);
    AddField(fields, 1, 0, "Status", UStatus);
    column->addLayout(fields);
    GroupBox1 = new QGroupBox("Allow To Go To Port", detail);
    GroupBox1->setObjectName("GroupBox1");
    column->addWidget(GroupBox1, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({180, 200});
    ClientLayout()->addWidget(splitter);

    connect(RefreshBtn, &QPushButton::clicked, this, &TUnicastFilterInformationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TUnicastFilterInformationForm::SetBtnClick);
    ConnectRowChanges(LV_dot1qStaticUnicastEntry, &TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntryChange);
    resize(700, 520);
}

void TUnicastFilterInformationForm::FormCreate()
{
    try {
        AllowedGrid = NewGrid(GroupBox1, kGridBoxes, kGridPerRow);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    binding_ = &NewBinding(kvforms::varsStaticUnicast, kvListTableRows, 3);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qStaticUnicastEntry, true);
        binding_->BindEdits(kVid, "%i{n1x4094}", ED_UnicastVID);
        binding_->BindEdits(kAddress, "%h", UnicastAddress);
        if (AllowedGrid)
            binding_->BindControlList(kAllowed, TStackingPortUitForm::BitIndexText(kGridBoxes),
                                      AllowedGrid->CheckBoxes());
        binding_->BindComboBox(kStatus, UStatus);
        UStatus->setCurrentIndex(-1);
        binding_->Refresh();
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] {
        binding_->Refresh();
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::SetBtnClick()
{
    if (binding_->busy)
        return;
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*binding_, [this] {
        binding_->Apply(true, true);
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntryChange()
{
    ShowCount(ST_Count, LV_dot1qStaticUnicastEntry);
}

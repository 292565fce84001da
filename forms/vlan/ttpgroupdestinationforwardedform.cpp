#include "forms/vlan/ttpgroupdestinationforwardedform.h"

#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

TTpGroupDestinationForwardedForm::TTpGroupDestinationForwardedForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "TpGroupDestinationForwardedForm", "Tp Group Destination Forwarded")
{
    BuildWindow();
    FormCreate();
}

void TTpGroupDestinationForwardedForm::BuildWindow()
{
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    LV_dot1qTpGroupEntry = NewListView(splitter, "LV_dot1qTpGroupEntry");
    PageControl1 = NewPageControl(splitter);
    SetSplit(splitter, 200, 120);

    connect(RefreshBtn, &QPushButton::clicked, this, &TTpGroupDestinationForwardedForm::RefreshBtnClick);
    resize(680, 480);
}

void TTpGroupDestinationForwardedForm::FormCreate()
{
    AddGridTabs(PageControl1, {{"Egress Ports", &EgressGrid}, {"GMRP Learn Port", &LearntGrid}});

    binding_ = &NewBinding(kvforms::varsTpGroup, kvListTableRows, 2);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qTpGroupEntry, true);
        BindGrid(*binding_, kvforms::kGroupEgress, EgressGrid);
        BindGrid(*binding_, kvforms::kGroupLearnt, LearntGrid);
        binding_->Refresh();
    });
}

void TTpGroupDestinationForwardedForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] { binding_->Refresh(); });
}

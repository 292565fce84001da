#include "forms/vlan/ttpgroupdestinationforwardedform.h"

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

enum GroupColumn { kVlan, kGroupAddress, kEgress, kLearnt };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

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

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    LV_dot1qTpGroupEntry = NewListView(splitter, "LV_dot1qTpGroupEntry");
    PageControl1 = new QTabWidget(splitter);
    PageControl1->setObjectName("PageControl1");
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({200, 120});
    ClientLayout()->addWidget(splitter);

    connect(RefreshBtn, &QPushButton::clicked, this, &TTpGroupDestinationForwardedForm::RefreshBtnClick);
    resize(680, 480);
}

void TTpGroupDestinationForwardedForm::FormCreate()
{
    try {
        EgressGrid = AddGridTab(PageControl1, "Egress Ports", "ScrollBox1", kGridBoxes, kGridPerRow);
        LearntGrid = AddGridTab(PageControl1, "GMRP Learn Port", "ScrollBox2", kGridBoxes, kGridPerRow);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    binding_ = &NewBinding(kvforms::varsTpGroup, kvListTableRows, 2);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qTpGroupEntry, true);
        const std::string bits = TStackingPortUitForm::BitIndexText(kGridBoxes);
        if (EgressGrid)
            binding_->BindControlList(kEgress, bits, EgressGrid->CheckBoxes());
        if (LearntGrid)
            binding_->BindControlList(kLearnt, bits, LearntGrid->CheckBoxes());
        binding_->Refresh();
    });
}

void TTpGroupDestinationForwardedForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] { binding_->Refresh(); });
}

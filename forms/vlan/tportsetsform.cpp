#include "forms/vlan/tportsetsform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"

TPortSetsForm::TPortSetsForm(QWidget* owner, const KvFormHost& host, const Shape& shape)
    : TBridgeForm(owner, host, shape.objectName, shape.caption), shape_(shape)
{
    BuildWindow();
    FormCreate();
}

void TPortSetsForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    LV_dot1qForwardUnregisteredEntry = NewListView(splitter, "LV_dot1qForwardUnregisteredEntry");
    PageControl1 = new QTabWidget(splitter);
    PageControl1->setObjectName("PageControl1");
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({200, 120});
    ClientLayout()->addWidget(splitter);

    // Virtual handlers: the window's own Refresh and Set.
    connect(RefreshBtn, &QPushButton::clicked, this, [this] { RefreshBtnClick(); });
    connect(SetBtn, &QPushButton::clicked, this, [this] { SetBtnClick(); });
    ConnectRowChanges(LV_dot1qForwardUnregisteredEntry, &TPortSetsForm::ShowRowCount);
    resize(700, 480);
}

void TPortSetsForm::FormCreate()
{
    static const char* const scrollBoxes[] = {"ScrollBox1", "ScrollBox2", "ScrollBox3"};
    try {
        for (size_t i = 0; i < Grids.size(); ++i)
            Grids[i] = AddGridTab(PageControl1, shape_.tabs[i], scrollBoxes[i], shape_.boxes, shape_.perRow);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    binding_ = &NewBinding(shape_.variables, kvListTable, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qForwardUnregisteredEntry, true);
        const std::string bits = TStackingPortUitForm::BitIndexText(shape_.boundPorts);
        for (size_t i = 0; i < Grids.size(); ++i)
            if (Grids[i])
                binding_->BindControlList(static_cast<int>(i) + 1, bits,
                                          Grids[i]->CheckBoxes().mid(0, shape_.boundPorts));
        binding_->Refresh();
        ShowRowCount();
    });
}

void TPortSetsForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] {
        binding_->Refresh();
        ShowRowCount();
    });
}

void TPortSetsForm::SetBtnClick()
{
    if (binding_->busy)
        return;
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*binding_, [this] {
        binding_->Apply(true, true);
        ShowRowCount();
    });
}

void TPortSetsForm::ShowRowCount()
{
    ShowCount(ST_Count, LV_dot1qForwardUnregisteredEntry);
}

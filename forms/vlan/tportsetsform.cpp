#include "forms/vlan/tportsetsform.h"

#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

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

    QSplitter* splitter = AddSplitter();
    LV_dot1qForwardUnregisteredEntry = NewListView(splitter, "LV_dot1qForwardUnregisteredEntry");
    PageControl1 = NewPageControl(splitter);
    SetSplit(splitter, 200, 120);

    // Virtual handlers: the window's own Refresh and Set.
    connect(RefreshBtn, &QPushButton::clicked, this, [this] { RefreshBtnClick(); });
    connect(SetBtn, &QPushButton::clicked, this, [this] { SetBtnClick(); });
    formwidgets::ConnectRowChanges(LV_dot1qForwardUnregisteredEntry, this, &TPortSetsForm::ShowRowCount);
    EnableWhileSelected(LV_dot1qForwardUnregisteredEntry, {SetBtn});
    resize(700, 480);
}

void TPortSetsForm::FormCreate()
{
    AddGridTabs(PageControl1, {{shape_.tabs[0], &Grids[0]}, {shape_.tabs[1], &Grids[1]}, {shape_.tabs[2], &Grids[2]}},
                shape_.boxes, shape_.perRow);

    binding_ = &NewBinding(shape_.variables, kvListTable, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qForwardUnregisteredEntry, true);
        constexpr std::array<kvforms::PortSetsColumn, 3> kLists = {kvforms::kPortSetsAll, kvforms::kPortSetsStatic,
                                                                   kvforms::kPortSetsForbidden};
        for (size_t i = 0; i < Grids.size(); ++i)
            BindGrid(*binding_, kLists[i], Grids[i], shape_.boundPorts);
        binding_->Refresh();
        ShowRowCount();
    });
}

void TPortSetsForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] {
        binding_->Refresh();
        ShowRowCount();
    });
}

void TPortSetsForm::SetBtnClick()
{
    WriteWhenIdle(*binding_, [this] {
        binding_->StoreAll();
        ShowRowCount();
    });
}

void TPortSetsForm::ShowRowCount()
{
    formwidgets::ShowCount(ST_Count, LV_dot1qForwardUnregisteredEntry);
}

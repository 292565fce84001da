#include "forms/port/tporttrunkform.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/portformlayout.h"
#include "forms/port/portformtables.h"
#include "forms/port/tstackingportuitform.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

constexpr int kPortPanelHeight = 165;

// Every flow of this window blocks: each write has been answered when the
// next step runs.
constexpr KvFlowRun kRun = KvFlowRun::Blocking;
constexpr KvStoreOptions kRowWrite = {.refreshAfter = false, .run = kRun};

} // namespace

TPortTrunkForm::TPortTrunkForm(QWidget* owner, const KvFormHost& host)
    : TBindingForm(owner, host, QStringLiteral("Port Trunk Table"), kWidth, kHeight)
{
    setObjectName("PortTrunkForm");
    BuildWindow();
    FormCreate();
}

void TPortTrunkForm::BuildWindow()
{
    LV_PortTrunk = formwidgets::NewList(this, "LV_PortTrunk");

    auto* lower = new QWidget(this);
    lower->setObjectName("LowerPanel");
    auto* fields = new QHBoxLayout;
    const auto edit = [&](const char* caption, const char* name, int width) {
        auto* label = new QLabel(QString::fromLatin1(caption), lower);
        auto* e = new QLineEdit(lower);
        e->setObjectName(name);
        e->setFixedWidth(width);
        fields->addWidget(label);
        fields->addWidget(e);
        fields->addSpacing(12);
        return std::make_pair(label, e);
    };
    ED_Index = edit("Index(1-7)", "ED_Index", 60).second;
    ED_MasterPort = edit("Master Port", "ED_MasterPort", 60).second;
    fields->addWidget(new QLabel(QStringLiteral("Status"), lower));
    Combo_State = formwidgets::NewCombo(lower, "Combo_State");
    fields->addWidget(Combo_State);
    fields->addSpacing(12);
    std::tie(NameLabel, ED_Name) = edit("Name", "ED_Name", 100);
    NameLabel->hide();
    ED_Name->hide();
    fields->addStretch(1);

    StackingPortPanel = new QWidget(lower);
    StackingPortPanel->setObjectName("StackingPortPanel");
    StackingPortPanel->setFixedHeight(kPortPanelHeight);

    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(6, 6, 0, 0);
    lowerLayout->addLayout(fields);
    lowerLayout->addWidget(StackingPortPanel);

    QVBoxLayout* client = portformlayout::ClientColumn();
    client->addWidget(LV_PortTrunk, 1);
    client->addWidget(lower);

    QWidget* right = portformlayout::ButtonColumn(this);
    BT_Get = portformlayout::AddButton(right, "BT_Get", "Refresh");
    SetBtn = portformlayout::AddButton(right, "SetBtn", "Set");
    BT_Set = portformlayout::AddButton(right, "BT_Set", "Add");
    BT_Delete = portformlayout::AddButton(right, "BT_Delete", "Delete");
    StatusPanel0 = LayOutAboveStatusBar(client, right);

    connect(BT_Get, &QPushButton::clicked, this, &TPortTrunkForm::BT_GetClick);
    connect(SetBtn, &QPushButton::clicked, this, &TPortTrunkForm::SetBtnClick);
    connect(BT_Set, &QPushButton::clicked, this, &TPortTrunkForm::BT_SetClick);
    connect(BT_Delete, &QPushButton::clicked, this, &TPortTrunkForm::BT_DeleteClick);
}

void TPortTrunkForm::FormCreate()
{
    Guarded([this] {
        PortGrid = TStackingPortUitForm::BuildIn(StackingPortPanel, std::string(), kGridBoxes, kGridPerRow);
    });
    setWindowTitle(QString::fromStdString("Port Trunk Table :" + host_.agentAddress));
    numberList_ = TStackingPortUitForm::BitIndexText(kGridBoxes);

    Guarded([this] {
        KvSNMPRequest2Edits& binding = CreateBinding(kvforms::varsPortTrunk, kvListTableRows, 1);
        binding.SetStatusTarget(StatusPanel0);
        binding.AttachListView(LV_PortTrunk, true);
        binding.BindEdits(kvforms::kTrunkIndex, "%i{n1x7}", ED_Index);
        binding.BindEdits(kvforms::kTrunkMasterPort, "%s{n1x208l3}", ED_MasterPort);
        binding.BindControlList(kvforms::kTrunkMember, numberList_, TStackingPortUitForm::CheckBoxesOf(PortGrid));
        binding.BindComboBox(kvforms::kTrunkState, Combo_State);
    });
    // After the binding's own selection handler, which fills the editors.
    connect(LV_PortTrunk, &QTreeWidget::itemSelectionChanged, this, &TPortTrunkForm::LV_PortTrunkClick);
    BT_GetClick();
}

void TPortTrunkForm::SetIndexEditable(bool editable)
{
    QPalette palette = ED_Index->palette();
    palette.setColor(QPalette::Base, editable ? QColor(Qt::white) : palette.color(QPalette::Button));
    ED_Index->setPalette(palette);
    ED_Index->setEnabled(editable);
}

void TPortTrunkForm::ResetIndex()
{
    SetIndexEditable(true);
    ED_Index->clear();
    ED_Name->clear();
}

void TPortTrunkForm::BT_GetClick()
{
    WithBinding([this](KvSNMPRequest2Edits& binding) {
        binding.Refresh(kRun);
        ResetIndex();
        if (PortGrid)
            PortGrid->Clear();
    });
}

void TPortTrunkForm::LV_PortTrunkClick()
{
    if (KvListViewActions::SelectedRow(LV_PortTrunk))
        SetIndexEditable(false);
    else if (PortGrid)
        PortGrid->Clear();
}

void TPortTrunkForm::SetBtnClick()
{
    WithBinding([this](KvSNMPRequest2Edits& binding) {
        binding.StoreAll({.run = kRun});
        ResetIndex();
    });
}

void TPortTrunkForm::BT_SetClick()
{
    WithBinding([this](KvSNMPRequest2Edits& binding) {
        // The new row alone, with its status.
        formwidgets::SelectValueName(Combo_State, "createAndGo");
        binding.Store({kvforms::kTrunkIndex, kvforms::kTrunkState}, kRowWrite);
        // Then its master port and members, without the status.
        binding.Store({kvforms::kTrunkIndex, kvforms::kTrunkMasterPort, kvforms::kTrunkMember}, kRowWrite);
        binding.Refresh(kRun);
    });
}

void TPortTrunkForm::BT_DeleteClick()
{
    bool deleted = false;
    WithBinding([&](KvSNMPRequest2Edits& binding) {
        // The status alone; the row is the one ED_Index names.
        formwidgets::SelectValueName(Combo_State, "destroy");
        binding.Store({kvforms::kTrunkIndex, kvforms::kTrunkState}, kRowWrite);
        deleted = true;
    });
    if (deleted)
        BT_GetClick();
}

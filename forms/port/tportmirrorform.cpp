#include "forms/port/tportmirrorform.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/portformlayout.h"
#include "forms/port/portformtables.h"
#include "forms/port/tstackingportuitform.h"
#include "platform/kvmessagebox.h"
#include "tables/optionlists.h"
#include "snmp/kvsnmpvarlist.h"

TPortMirrorForm::TPortMirrorForm(QWidget* owner, const KvFormHost& host)
    : TBindingForm(owner, host, QStringLiteral("Port Mirror Table"), kWidth, kHeight)
{
    setObjectName("PortMirrorForm");
    BuildWindow();
    FormCreate();
}

void TPortMirrorForm::BuildWindow()
{
    auto* upper = new QHBoxLayout;
    upper->setContentsMargins(8, 8, 8, 4);
    upper->addWidget(new QLabel(QStringLiteral("Max Entries"), this));
    StaticText1 = new QLabel(this);
    StaticText1->setObjectName("StaticText1");
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setFixedSize(60, 21);
    upper->addSpacing(4);
    upper->addWidget(StaticText1);
    upper->addSpacing(24);
    upper->addWidget(new QLabel(QStringLiteral("Target Port "), this));
    ET_TargetPort = new QLineEdit(this);
    ET_TargetPort->setObjectName("ET_TargetPort");
    ET_TargetPort->setFixedWidth(60);
    upper->addWidget(ET_TargetPort);
    upper->addSpacing(24);
    CK_Status = new QCheckBox(QStringLiteral("Mirroring Status"), this);
    CK_Status->setObjectName("CK_Status");
    upper->addWidget(CK_Status);
    upper->addStretch(1);

    auto* ports = new QGroupBox(this);
    ports->setObjectName("GroupBox1");
    IngressPortGB = new QGroupBox(QStringLiteral("Rx Port List"), ports);
    IngressPortGB->setObjectName("IngressPortGB");
    EgressPortGB = new QGroupBox(QStringLiteral("Tx Port List"), ports);
    EgressPortGB->setObjectName("EgressPortGB");
    EgressPortGB->setFixedHeight(kEgressHeight);
    auto* portsLayout = new QVBoxLayout(ports);
    portsLayout->setContentsMargins(4, 4, 4, 4);
    portsLayout->addWidget(IngressPortGB, 1);
    portsLayout->addWidget(EgressPortGB);

    QVBoxLayout* client = portformlayout::ClientColumn();
    client->addLayout(upper);
    client->addWidget(ports, 1);

    QWidget* right = portformlayout::ButtonColumn(this);
    BT_Refresh = portformlayout::AddButton(right, "BT_Refresh", "Refresh");
    BT_Set = portformlayout::AddButton(right, "BT_Set", "Set");
    StatusPanel0 = LayOutAboveStatusBar(client, right);

    connect(BT_Refresh, &QPushButton::clicked, this, &TPortMirrorForm::BT_RefreshClick);
    connect(BT_Set, &QPushButton::clicked, this, &TPortMirrorForm::BT_SetClick);
}

void TPortMirrorForm::FormCreate()
{
    setWindowTitle(QString::fromStdString("Port Mirror Table:" + host_.agentAddress));
    Guarded([this] {
        IngressGrid = TStackingPortUitForm::BuildIn(IngressPortGB, std::string(), kGridBoxes, kGridPerRow);
        EgressGrid = TStackingPortUitForm::BuildIn(EgressPortGB, std::string(), kGridBoxes, kGridPerRow);
    });
    numberList_ = TStackingPortUitForm::BitIndexText(kGridBoxes);

    Guarded([this] {
        KvSNMPRequest2Edits& binding = CreateBinding(kvforms::varsPortMirror, kvListScalars, 0);
        binding.SetStatusTarget(StatusPanel0);
        binding.BindControl(kvforms::kMirrorMaxEntries, StaticText1);
        binding.BindEdits(kvforms::kMirrorTargetPort, "%i{n1x208l3}", ET_TargetPort);
        binding.BindControlList(kvforms::kMirrorRxPorts, numberList_, TStackingPortUitForm::CheckBoxesOf(IngressGrid));
        binding.BindControlList(kvforms::kMirrorTxPorts, numberList_, TStackingPortUitForm::CheckBoxesOf(EgressGrid));
        // Ticked is "enabled", clear is "disabled": the box's own two values,
        // not the first two of the state's three names ("other" would be
        // clear and "disabled" ticked).
        binding.BindControl(kvforms::kMirrorState, CK_Status, 0, 0, &kvtables::optDisabledEnabled);
        binding.Refresh(KvFlowRun::Blocking);
    });
}

void TPortMirrorForm::BT_RefreshClick()
{
    WithBinding([](KvSNMPRequest2Edits& binding) { binding.Refresh(KvFlowRun::Blocking); });
}

void TPortMirrorForm::BT_SetClick()
{
    const bool noIngress = !IngressGrid || IngressGrid->CheckedCount() == 0;
    const bool noEgress = !EgressGrid || EgressGrid->CheckedCount() == 0;
    if (noIngress && noEgress) {
        KvMessageBox::show(this, QString::fromLatin1(kBothEmpty), QStringLiteral("Confirm"), QMessageBox::Ok);
        return;
    }
    WithBinding([](KvSNMPRequest2Edits& binding) { binding.StoreAll({.run = KvFlowRun::Blocking}); });
}

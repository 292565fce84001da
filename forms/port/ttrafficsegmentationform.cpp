#include "forms/port/ttrafficsegmentationform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "common/kvvaluetext.h"
#include "forms/common/formwidgets.h"
#include "forms/port/portformlayout.h"
#include "forms/port/portformtables.h"
#include "forms/port/tstackingportuitform.h"
#include "pages/tuigenerator.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpvarlist.h"

TTrafficSegmentationForm::TTrafficSegmentationForm(QWidget* owner, const KvFormHost& host)
    : TBindingForm(owner, host, QStringLiteral("Traffic Segmentation Table"), kWidth, kHeight)
{
    setObjectName("TrafficSegmentationForm");
    BuildWindow();
    FormCreate();
}

std::pair<QString, QString> TTrafficSegmentationForm::UnitAndPort(int portIndex)
{
    const int unit = portIndex / kPortsPerUnit;
    const int port = portIndex % kPortsPerUnit;
    QString unitText = QString::number(port != 0 ? unit : unit - 1);
    const QString portText = QString::number(port != 0 ? port : kPortsPerUnit);
    if (unitText == QLatin1String("0"))
        unitText = QStringLiteral("15");
    return {unitText, portText};
}

void TTrafficSegmentationForm::BuildWindow()
{
    LV_TrafficForward = formwidgets::NewList(this, "LV_TrafficForward");
    LV_TrafficForward->setFixedHeight(kListHeight);

    auto* lower = new QWidget(this);
    lower->setObjectName("LowerPanel");
    auto* group = new QGroupBox(lower);
    group->setObjectName("GroupBox1");
    const auto readOnly = [group](const char* name) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(name);
        TUIGenerator::SetReadOnlyLook(edit, true); // shown only, like the other read-only texts
        edit->setFixedWidth(60);
        return edit;
    };
    Combo_Unit = readOnly("Combo_Unit");
    Combo_Port = readOnly("Combo_Port");
    auto* fields = new QHBoxLayout(group);
    fields->setContentsMargins(8, 4, 8, 4);
    fields->addWidget(new QLabel(QStringLiteral("Unit : "), group));
    fields->addWidget(Combo_Unit);
    fields->addSpacing(24);
    fields->addWidget(new QLabel(QStringLiteral("Port : "), group));
    fields->addWidget(Combo_Port);
    fields->addStretch(1);
    ST_Port = new QLabel(lower);
    ST_Port->setObjectName("ST_Port");
    ST_Port->hide();

    Panel4 = new QWidget(lower);
    Panel4->setObjectName("Panel4");
    Panel4->setFixedHeight(kGridPanelHeight);

    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(6, 6, 0, 0);
    lowerLayout->addWidget(group);
    lowerLayout->addStretch(1);
    lowerLayout->addWidget(Panel4);

    QVBoxLayout* client = portformlayout::ClientColumn();
    client->addWidget(LV_TrafficForward);
    client->addWidget(lower, 1);

    QWidget* right = portformlayout::ButtonColumn(this);
    StaticText1 = portformlayout::AddRowCounter(right, "StaticText1");
    BT_Get = portformlayout::AddButton(right, "BT_Get", "Refresh");
    BT_Set = portformlayout::AddButton(right, "BT_Set", "Set");
    StopBtn = portformlayout::AddButton(right, "StopBtn", "Stop");
    StatusPanel0 = LayOutAboveStatusBar(client, right);

    connect(BT_Get, &QPushButton::clicked, this, &TTrafficSegmentationForm::BT_GetClick);
    connect(BT_Set, &QPushButton::clicked, this, &TTrafficSegmentationForm::BT_SetClick);
    connect(StopBtn, &QPushButton::clicked, this, &TTrafficSegmentationForm::StopBtnClick);
    formwidgets::ConnectRowChanges(LV_TrafficForward, this, &TTrafficSegmentationForm::LV_TrafficForwardChange);
}

void TTrafficSegmentationForm::SetComplete(bool complete)
{
    GetComplete = complete;
    RequestComplete = complete;
}

void TTrafficSegmentationForm::FormCreate()
{
    setWindowTitle(QString::fromStdString("Traffic Segmentation Table:" + host_.agentAddress));
    Guarded([this] { PortGrid = TStackingPortUitForm::BuildIn(Panel4, "Unit1", kGridBoxes, kGridPerRow); });
    // The whole list covers 13 units; the grid shows the first unit's bits.
    numberList_ = TStackingPortUitForm::BitIndexText(kListBits);

    const bool created = Guarded([this] {
        KvSNMPRequest2Edits& binding = CreateBinding(kvforms::varsTrafficSegmentation, kvListTableRows, 1);
        binding.SetStatusTarget(StatusPanel0);
        binding.AttachListView(LV_TrafficForward, true);
        binding.BindControl(kvforms::kSegmentationPort, ST_Port);
        const QList<QWidget*> boxes = TStackingPortUitForm::CheckBoxesOf(PortGrid);
        const int shown = std::min(kListBits, static_cast<int>(boxes.size()));
        binding.BindControlList(kvforms::kSegmentationForwardPorts, TStackingPortUitForm::BitIndexText(shown), boxes);
        binding.OnGetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError&) { SetComplete(true); };
        // A write that fails is not followed by a walk: it ends the request.
        binding.OnSetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError& e) {
            if (e.code != 0)
                SetComplete(true);
        };
    });
    // After the binding's own selection handler, which fills ST_Port.
    connect(LV_TrafficForward, &QTreeWidget::itemSelectionChanged, this,
            &TTrafficSegmentationForm::LV_TrafficForwardClick);
    if (!created) {
        SetComplete(true);
        return;
    }
    WithBinding([this](KvSNMPRequest2Edits& binding) { binding.Refresh(); });
    if (!Binding()->busy)
        SetComplete(true); // nothing went out: nothing will complete
}

bool TTrafficSegmentationForm::StartFlow(const std::function<void(KvSNMPRequest2Edits&)>& start)
{
    if (!GetComplete) {
        KvMessageBox::message(this, QString::fromLatin1(kNotComplete));
        return false;
    }
    // A walk that Stop ended may still have its last step out.
    StopAndWait();
    const bool started = WithBinding([&](KvSNMPRequest2Edits& binding) {
        binding.Request().active = true;
        SetComplete(false);
        start(binding);
    });
    if (!started || !Binding()->busy)
        SetComplete(true);
    return started;
}

void TTrafficSegmentationForm::BT_GetClick()
{
    StartFlow([](KvSNMPRequest2Edits& binding) { binding.Refresh(); });
}

void TTrafficSegmentationForm::BT_SetClick()
{
    // The write and the walk after it are outstanding until the walk ends.
    StartFlow([](KvSNMPRequest2Edits& binding) { binding.StoreAll(); });
}

void TTrafficSegmentationForm::StopBtnClick()
{
    SetComplete(true);
    if (Binding())
        Binding()->Request().active = false;
}

void TTrafficSegmentationForm::LV_TrafficForwardClick()
{
    if (!KvListViewActions::SelectedRow(LV_TrafficForward)) {
        Combo_Unit->clear();
        Combo_Port->clear();
        return;
    }
    const int portIndex = static_cast<int>(ReadLeadingDecimal(ST_Port->text().toStdString()));
    const auto [unit, port] = UnitAndPort(portIndex);
    Combo_Unit->setText(unit);
    Combo_Port->setText(port);
}

void TTrafficSegmentationForm::LV_TrafficForwardChange()
{
    formwidgets::ShowCount(StaticText1, LV_TrafficForward);
}

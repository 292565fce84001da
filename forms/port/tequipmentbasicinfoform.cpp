#include "forms/port/tequipmentbasicinfoform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/portformlayout.h"
#include "forms/port/portformtables.h"
#include "pages/tuigenerator.h"
#include "snmp/kvsnmpvarlist.h"

TEquipmentBasicInfoForm::TEquipmentBasicInfoForm(QWidget* owner, const KvFormHost& host)
    : TBindingForm(owner, host, QStringLiteral("Equiment Basic Information"), kWidth, kHeight)
{
    setObjectName("EquipmentBasicInfoForm");
    BuildWindow();
    FormCreate();
}

void TEquipmentBasicInfoForm::BuildWindow()
{
    auto* top = new QWidget;
    auto* fields = new QGridLayout;
    const auto field = [&](int row, const char* caption, const char* name) {
        auto* edit = new QLineEdit(top);
        edit->setObjectName(name);
        TUIGenerator::SetReadOnlyLook(edit, true); // shown only, like the other read-only texts
        fields->addWidget(new QLabel(QString::fromLatin1(caption), top), row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    Edit1 = field(0, "Equipment Capacity", "Edit1");
    Edit2 = field(1, "Max Supported Units", "Edit2");
    Edit3 = field(2, "Number Of Unit", "Edit3");
    Edit4 = field(3, "Stacking Version", "Edit4");
    fields->setRowStretch(4, 1);

    auto* right = portformlayout::ButtonColumn(top);
    BitBtn1 = portformlayout::AddButton(right, "BitBtn1", "Refresh");

    auto* row = new QHBoxLayout(top);
    row->addLayout(fields, 1);
    row->addWidget(right);

    Memo1 = formwidgets::NewStatusMemo(this, "Memo1", 50);
    Memo1->setMinimumHeight(0);
    Memo1->setMaximumHeight(QWIDGETSIZE_MAX);
    statusMemo_ = Memo1;
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(top);
    splitter->addWidget(Memo1);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({kHeight - 50, 50});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(BitBtn1, &QPushButton::clicked, this, &TEquipmentBasicInfoForm::BitBtn1Click);
}

void TEquipmentBasicInfoForm::FormCreate()
{
    Guarded([this] {
        KvSNMPRequest2Edits& binding = CreateBinding(kvforms::varsEquipmentBasicInfo, kvListScalars, 0);
        binding.BindEdits(kvforms::kEquipmentMaxSupportedUnits, "%i", Edit2);
        binding.BindEdits(kvforms::kEquipmentNumOfUnit, "%i", Edit3);
        binding.BindEdits(kvforms::kEquipmentStackingVersion, "%i", Edit4);
        // The capacity bits, in the hexadecimal form of every bit string.
        binding.BindControl(kvforms::kEquipmentCapacity, Edit1);
        binding.SetStatusTarget(Memo1);
        binding.Refresh();
    });
}

void TEquipmentBasicInfoForm::BitBtn1Click()
{
    WithBinding([](KvSNMPRequest2Edits& binding) { binding.Refresh(); });
}

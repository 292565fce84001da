#include "forms/vlan/tgarpform.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/vlan/vlanformtables.h"

namespace {

constexpr const char* kTimeConstraint = "%i{n0x2147483647l10}";

} // namespace

TGARPForm::TGARPForm(QWidget* owner, const KvFormHost& host) : TBridgeForm(owner, host, "GARPForm", "GARP Form")
{
    BuildWindow();
    FormCreate();
}

void TGARPForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    LV_dot1dPortGarpEntry = NewListView(splitter, "LV_dot1dPortGarpEntry");
    QGridLayout* fields = AddDetailGrid(splitter);
    QWidget* editors = fields->parentWidget();
    GarpJoinTime = formwidgets::NewEdit(editors, "GarpJoinTime");
    GarpLeaveTime = formwidgets::NewEdit(editors, "GarpLeaveTime");
    GarpLeaveAllTime = formwidgets::NewEdit(editors, "GarpLeaveAllTime");
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"GARP Join Time           (0....2147483647)", GarpJoinTime},
        {"GARP Leave Time       (0....2147483647)", GarpLeaveTime},
        {"GARP Leave All Time   (0....2147483647)", GarpLeaveAllTime},
    };
    int row = 0;
    for (const auto& [label, edit] : rows) {
        AddField(fields, row, 0, label, edit);
        fields->addWidget(new QLabel("Centiseconds", editors), row, 2);
        ++row;
    }
    fields->setRowStretch(row, 1);
    SetSplit(splitter, 220, 100);

    connect(RefreshBtn, &QPushButton::clicked, this, &TGARPForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TGARPForm::SetBtnClick);
    formwidgets::ConnectRowChanges(LV_dot1dPortGarpEntry, this, &TGARPForm::LV_dot1dPortGarpEntryChange);
    EnableWhileSelected(LV_dot1dPortGarpEntry, {SetBtn});
    resize(620, 480);
}

void TGARPForm::FormCreate()
{
    binding_ = &NewBinding(kvforms::varsGarp, kvListTable, 1);
    GuardGet(*binding_, [this] {
        binding_->AttachListView(LV_dot1dPortGarpEntry, true);
        binding_->BindEdits(kvforms::kGarpJoinTime, kTimeConstraint, GarpJoinTime);
        binding_->BindEdits(kvforms::kGarpLeaveTime, kTimeConstraint, GarpLeaveTime);
        binding_->BindEdits(kvforms::kGarpLeaveAllTime, kTimeConstraint, GarpLeaveAllTime);
        binding_->OnGetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError&) { RequestComplete(); };
        // A write that fails brings no refresh after it: its completion sets
        // the flags again, or Refresh and Set would stay without effect.
        binding_->OnSetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError& result) {
            if (result.code != 0)
                RequestComplete();
        };
        binding_->Refresh();
        LV_dot1dPortGarpEntryChange();
    });
}

void TGARPForm::RefreshBtnClick()
{
    if (!GetReady() || !SetReady()) {
        ReportNotComplete(*binding_, KvSNMPRequest2Controls::kLastGet);
        return;
    }
    GuardGet(*binding_, [this] {
        binding_->Refresh();
        LV_dot1dPortGarpEntryChange();
    });
}

void TGARPForm::SetBtnClick()
{
    if (!GetReady() || !SetReady()) {
        ReportNotComplete(*binding_, KvSNMPRequest2Controls::kLastSet);
        return;
    }
    GetReady() = false;
    SetReady() = false;
    const QString caption = SelectedCaption(LV_dot1dPortGarpEntry);
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    const bool started = Guard(*binding_, [&] {
        binding_->CollectValues();
        binding_->StoreAll();
        SelectRowByCaption(LV_dot1dPortGarpEntry, caption, [this] {
            GarpJoinTime->clear();
            GarpLeaveTime->clear();
            GarpLeaveAllTime->clear();
        });
        LV_dot1dPortGarpEntryChange();
    });
    if (!started) {
        GetReady() = true;
        SetReady() = true;
    }
}

void TGARPForm::LV_dot1dPortGarpEntryChange()
{
    formwidgets::ShowCount(ST_Count, LV_dot1dPortGarpEntry);
}

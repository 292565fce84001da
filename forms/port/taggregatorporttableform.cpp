#include "forms/port/taggregatorporttableform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/portformlayout.h"
#include "forms/port/portformtables.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

const char* const kStateSheets[] = {
    "Actor Admin State",
    "Actor Oper State",
    "Partner Admin State",
    "Partner Oper State",
};

// The bits of a state octet, most significant first.
const char* const kStateBitNames[] = {
    "lacpActivity", "lacpTimeout",  "aggregation", "synchronisation",
    "collecting",   "distributing", "defaulted",   "expired",
};

constexpr const char* kBitIndices = "0,1,2,3,4,5,6,7";

} // namespace

TAggregatorPortTableForm::TAggregatorPortTableForm(QWidget* owner, const KvFormHost& host)
    : TBindingForm(owner, host, QStringLiteral("Aggregator Port Table"), kWidth, kHeight)
{
    setObjectName("AggregatorPortTableForm");
    BuildWindow();
    FormCreate();
}

void TAggregatorPortTableForm::BuildWindow()
{
    ListView1 = formwidgets::NewList(this, "ListView1");
    ListView1->setFixedHeight(kListHeight);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    // Every sheet's tab in sight: the window widens rather than scroll them.
    PageControl1->setUsesScrollButtons(false);
    for (int sheet = 0; sheet < kStateCount; ++sheet) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(sheet + 1));
        auto* grid = new QGridLayout(page);
        grid->setContentsMargins(12, 6, 12, 6);
        grid->setVerticalSpacing(2);
        for (int bit = 0; bit < kStateBits; ++bit) {
            auto* box = new QCheckBox(QString::fromLatin1(kStateBitNames[bit]), page);
            box->setObjectName(QStringLiteral("CheckBox%1").arg(sheet * kStateBits + bit + 1));
            // They show the bits; a click must not suggest a setting.
            box->setAttribute(Qt::WA_TransparentForMouseEvents);
            box->setFocusPolicy(Qt::NoFocus);
            grid->addWidget(box, bit % 4, bit / 4);
            CheckBoxes.append(box);
        }
        grid->setColumnStretch(2, 1);
        PageControl1->addTab(page, QString::fromLatin1(kStateSheets[sheet]));
    }

    Memo1 = formwidgets::NewStatusMemo(this, "Memo1", kMemoHeight);
    statusMemo_ = Memo1;

    QVBoxLayout* client = portformlayout::ClientColumn();
    client->addWidget(ListView1);
    client->addWidget(PageControl1, 1);
    client->addWidget(Memo1);

    QWidget* right = portformlayout::ButtonColumn(this);
    StaticText1 = portformlayout::AddRowCounter(right, "StaticText1");
    Label1 = portformlayout::AddCaption(right, "Label1", "Samples");
    GetBtn = portformlayout::AddButton(right, "GetBtn", "Refresh");
    LayOut(client, right);

    connect(GetBtn, &QPushButton::clicked, this, &TAggregatorPortTableForm::GetBtnClick);
    formwidgets::ConnectRowChanges(ListView1, this, &TAggregatorPortTableForm::ListView1Change);
}

void TAggregatorPortTableForm::FormCreate()
{
    Guarded([this] {
        KvSNMPRequest2Edits& binding = CreateBinding(kvforms::varsAggregatorPort, kvListTable, 1);
        binding.AttachListView(ListView1, true);
        for (int state = 0; state < kStateCount; ++state) {
            QList<QWidget*> boxes;
            for (int bit = 0; bit < kStateBits; ++bit)
                boxes.push_back(CheckBoxes[state * kStateBits + bit]);
            binding.BindControlList(kvforms::kAggregatorActorAdminState + state, kBitIndices, boxes);
        }
        binding.SetStatusTarget(Memo1);
        binding.OnGetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError&) {
            for (QCheckBox* box : CheckBoxes)
                box->setEnabled(true);
        };
        binding.Refresh();
    });
}

void TAggregatorPortTableForm::GetBtnClick()
{
    // A walk still under way is ended first: one walk at a time.
    StopAndWait();
    WithBinding([](KvSNMPRequest2Edits& binding) {
        binding.Request().active = true;
        binding.Refresh();
    });
    for (QCheckBox* box : CheckBoxes)
        box->setChecked(false);
}

void TAggregatorPortTableForm::ListView1Change()
{
    formwidgets::ShowCount(StaticText1, ListView1);
}

#include "forms/port/tdot1xtableform.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/portformlayout.h"
#include "snmp/kvsnmpvarlist.h"

TDot1xTableForm::TDot1xTableForm(QWidget* owner, const KvFormHost& host, const QString& caption, int width, int height)
    : TBindingForm(owner, host, caption, width, height)
{
    BuildWindow();
}

void TDot1xTableForm::BuildWindow()
{
    ListView1 = formwidgets::NewList(this, "ListView1");
    Memo1 = formwidgets::NewStatusMemo(this, "Memo1", kMemoHeight);
    statusMemo_ = Memo1;

    QVBoxLayout* client = portformlayout::ClientColumn();
    client->addWidget(ListView1, 1);
    client->addWidget(Memo1);

    QWidget* right = portformlayout::ButtonColumn(this);
    Button1 = portformlayout::AddButton(right, "Button1", "Refresh");
    LayOut(client, right);

    connect(Button1, &QPushButton::clicked, this, &TDot1xTableForm::Button1Click);
}

void TDot1xTableForm::CreateTable(const VarDef* table)
{
    Guarded([&] {
        KvSNMPRequest2Edits& binding = CreateBinding(table, kvListTable, 1);
        binding.AttachListView(ListView1, true);
        binding.SetStatusTarget(Memo1);
        binding.Refresh(KvFlowRun::Blocking);
    });
}

void TDot1xTableForm::Button1Click()
{
    WithBinding([](KvSNMPRequest2Edits& binding) { binding.Refresh(KvFlowRun::Blocking); });
}

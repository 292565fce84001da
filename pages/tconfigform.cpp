#include "pages/tconfigform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "binding/kvsnmprequest2edits.h"
#include "common/kverror.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tpanelcontainer.h"
#include "pages/tpanellistviewcontainer.h"
#include "pages/tsnmpeditorpanel.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmplistviewpanel.h"

namespace {

// How long closing waits for a binding's outstanding requests at most: the
// walk step and a write may both be out, each with all its retries.
constexpr int kCloseWaitTickMs = 20;

int CloseWaitLimitMs(const KvSNMPRequest& request)
{
    const int perRequest = request.RequestTimeMs();
    return 2 * perRequest + 5000;
}

} // namespace

TConfigForm::TConfigForm(QWidget* owner, const std::string& pageTitle, const std::string& agentAddress) : QDialog(owner)
{
    setObjectName("ConfigForm");
    setWindowTitle(QString::fromStdString(pageTitle + " : " + agentAddress));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    QFont pageFont = font();
    pageFont.setPointSize(kFontPointSize);
    setFont(pageFont);
    resize(kDefaultWidth, kDefaultHeight);
    FormCreate();
}

TConfigForm::~TConfigForm()
{
    FormClose();
}

TSNMPLayoutAdapter* TConfigForm::Adapter() const
{
    TPanelContainer* c = Container();
    return c ? c->Adapter() : nullptr;
}

TPanelContainer* TConfigForm::Container() const
{
    if (listViewPanel_)
        return listViewPanel_->Container();
    if (auto* editor = dynamic_cast<TSNMPEditorPanel*>(pagePanel_))
        return editor->Container();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Builders

void TConfigForm::BeginBuilder(int kind, KvSNMPRequest2Edits* binding, const UIEntryDef* table)
{
    if (pageKind_ != kPageNone)
        throw KvError(0, kTypeChange);
    if (!binding)
        throw std::invalid_argument("page builder called without a binding");
    pageKind_ = kind;
    entries_ = table ? MakeEntries(table, binding->Variables()) : BuildEntriesFromList(binding->Variables());
}

void TConfigForm::SetEditorPage(std::unique_ptr<KvSNMPRequest2Edits> binding, const UIEntryDef* table)
{
    BeginBuilder(kPageEditor, binding.get(), table ? table : nullptr);
    BuildEditorPage(std::move(binding));
}

void TConfigForm::SetEditorPageFromList(std::unique_ptr<KvSNMPRequest2Edits> binding)
{
    BeginBuilder(kPageEditor, binding.get(), nullptr);
    BuildEditorPage(std::move(binding));
}

void TConfigForm::SetListViewPage(std::unique_ptr<KvSNMPRequest2Edits> binding, const UIEntryDef* table,
                                  const PageRowOps& rowOps)
{
    BeginBuilder(kPageListView, binding.get(), table);
    BuildListViewPage(std::move(binding), rowOps);
}

void TConfigForm::SetListViewPageFromList(std::unique_ptr<KvSNMPRequest2Edits> binding, const PageRowOps& rowOps)
{
    BeginBuilder(kPageListView, binding.get(), nullptr);
    BuildListViewPage(std::move(binding), rowOps);
}

void TConfigForm::BuildEditorPage(std::unique_ptr<KvSNMPRequest2Edits> owned)
{
    KvSNMPRequest2Edits* binding = owned.get();
    bindings_.push_back(std::move(owned));

    auto* panel = new TSNMPEditorPanel(this);
    pagePanel_ = panel;
    panel->BuildPage(entries_.data(), binding);

    TSNMPLayoutAdapter* adapter = panel->Container()->Adapter();
    TCtrlBtnPanel* bar = panel->BtnPanel;
    adapter->BindButtons(bar);
    adapter->pageMemo = panel->MsgPanel->Memo;
    binding->SetStatusTarget(panel->MsgPanel->Memo);
    for (TCtrlBtnPanel::Control c : {TCtrlBtnPanel::RowCounter, TCtrlBtnPanel::SamplesLabel, TCtrlBtnPanel::Set,
                                     TCtrlBtnPanel::Add, TCtrlBtnPanel::Delete})
        bar->HideControl(c);

    SizeToContent();
    mainBinding_ = binding;
}

void TConfigForm::BuildListViewPage(std::unique_ptr<KvSNMPRequest2Edits> owned, const PageRowOps& rowOps)
{
    KvSNMPRequest2Edits* binding = owned.get();
    bindings_.push_back(std::move(owned));

    listViewPanel_ = new TSNMPListViewPanel(this);
    pagePanel_ = listViewPanel_;
    listViewPanel_->BuildPage(entries_.data(), binding);

    TSNMPLayoutAdapter* adapter = listViewPanel_->Container()->Adapter();
    adapter->indexCount = binding->Variables().keyCount;
    SizeToContent();

    TCtrlBtnPanel* bar = listViewPanel_->BtnPanel;
    adapter->BindButtons(bar);
    adapter->pageMemo = listViewPanel_->MsgPanel->Memo;
    binding->SetStatusTarget(listViewPanel_->MsgPanel->Memo);

    if (rowOps.createText) {
        adapter->createIndex = rowOps.createIndex;
        adapter->createText = rowOps.createText;
        adapter->createMode = rowOps.createMode;
    } else {
        bar->HideControl(TCtrlBtnPanel::Add);
    }
    if (rowOps.deleteText) {
        adapter->deleteIndex = rowOps.deleteIndex;
        adapter->deleteText = rowOps.deleteText;
    } else {
        bar->HideControl(TCtrlBtnPanel::Delete);
    }
    bar->SetBtn->setText("Edit");
    mainBinding_ = binding;
}

void TConfigForm::SizeToContent()
{
    if (!pagePanel_)
        return;
    pagePanel_->PageWindow = this;
    resize(std::min(pagePanel_->ContentWidth(), kMaxWidth), std::min(pagePanel_->ContentHeight(), kMaxHeight));
}

void TConfigForm::ShowStopButton()
{
    if (listViewPanel_)
        listViewPanel_->BtnPanel->ShowStop();
}

void TConfigForm::AddBinding(std::unique_ptr<KvSNMPRequest2Controls> binding)
{
    if (binding)
        bindings_.push_back(std::move(binding));
}

// ---------------------------------------------------------------------------
// Handlers

void TConfigForm::FormCreate()
{
    activated_ = false;
}

void TConfigForm::FormActivate()
{
    if (activated_ || closed_)
        return;
    activated_ = true;
    if (!mainBinding_)
        return;
    TSNMPLayoutAdapter* adapter = Adapter();
    try {
        mainBinding_->Refresh();
        // A fetch that sent nothing never started: nothing will call back.
        if (!mainBinding_->busy && adapter)
            adapter->OnGetComplete();
    } catch (const std::exception& e) {
        if (adapter)
            adapter->getComplete = true;
        mainBinding_->ReportStatus(e.what());
    }
}

void TConfigForm::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    for (auto& binding : bindings_) {
        KvSNMPRequest& request = binding->Request();
        request.active = false;
        QCoreApplication::processEvents();
        // The operator's clicks wait; the completions of the request come in.
        QElapsedTimer waited;
        waited.start();
        const int limit = CloseWaitLimitMs(request);
        QTimer wakeUp;
        wakeUp.start(kCloseWaitTickMs);
        while (binding->busy && waited.elapsed() < limit)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
        if (binding.get() == mainBinding_) {
            if (TPanelContainer* c = Container())
                c->DetachBinding();
            mainBinding_ = nullptr;
        }
        binding.reset();
    }
    bindings_.clear();
}

void TConfigForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TConfigForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TConfigForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TConfigForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

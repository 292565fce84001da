#include "forms/port/tbindingform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSizePolicy>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

constexpr int kWaitTickMs = 20;

// How long a wait for a busy binding may last: the walk step and a write may
// both be out, each with all its retries.
int WaitLimitMs(const KvSNMPRequest& request)
{
    return 2 * TFormDialog::RequestTimeMs(request) + 5000;
}

} // namespace

// The binding of a form: knows when it is showing a row, during which window
// events (a close among them) are handled inside the walk's completion.
class TBindingForm::FormBinding : public KvSNMPRequest2Edits {
public:
    using KvSNMPRequest2Edits::KvSNMPRequest2Edits;

    void ShowRow() override
    {
        ++showing;
        try {
            KvSNMPRequest2Edits::ShowRow();
        } catch (...) {
            --showing;
            throw;
        }
        --showing;
    }

    int showing = 0;
};

TBindingForm::TBindingForm(QWidget* owner, const KvFormHost& host, const QString& caption, int width, int height)
    : TFormDialog(owner, host, caption)
{
    resize(width, height);
}

TBindingForm::~TBindingForm()
{
    closed_ = true;
    // The handlers of the window's own controls must not run while the
    // controls are being taken apart (a list view reports its rows going,
    // its selection changing): the window they belong to is gone.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    for (QTreeWidget* list : findChildren<QTreeWidget*>())
        list->model()->disconnect(this);
    if (!binding_)
        return;
    // The window's own parts are gone already: nothing may call back into
    // them. The request drops the completions still to come.
    binding_->OnGetComplete = nullptr;
    binding_->OnSetComplete = nullptr;
    binding_->Request().active = false;
    binding_.reset();
}

KvSNMPRequest2Edits& TBindingForm::CreateBinding(const VarDef* table, uint8_t kind, int32_t keyCount)
{
    auto binding = std::make_unique<FormBinding>(this);
    binding->Variables() = KvSNMPVarList(table, kind, keyCount);
    formBinding_ = binding.get();
    binding_ = std::move(binding);
    return *binding_;
}

bool TBindingForm::Guarded(const std::function<void()>& step)
{
    return Reporting(step, [this](const std::string& message) { ReportError(message); });
}

bool TBindingForm::WithBinding(const std::function<void(KvSNMPRequest2Edits&)>& step)
{
    if (!binding_)
        return false;
    return Guarded([&] { step(*binding_); });
}

void TBindingForm::ReportError(const std::string& message)
{
    if (binding_ && binding_->HasStatusTarget())
        binding_->ReportStatus(message);
    else if (statusPanel_)
        statusPanel_->setText(QString::fromStdString(message));
    else if (statusMemo_)
        statusMemo_->appendPlainText(QString::fromStdString(message));
}

bool TBindingForm::WaitUntilIdle()
{
    if (!binding_)
        return true;
    // Inside a row of the walk the flow is further down this very call
    // stack: it ends once the row is shown, not while we wait here.
    if (formBinding_->showing > 0)
        return !binding_->busy;
    QElapsedTimer waited;
    waited.start();
    const int limit = WaitLimitMs(binding_->Request());
    QTimer wakeUp;
    wakeUp.start(kWaitTickMs);
    // The operator's input waits; the request's completions come in.
    while (binding_->busy && waited.elapsed() < limit)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    return !binding_->busy;
}

void TBindingForm::StopAndWait()
{
    if (!binding_ || !binding_->busy)
        return;
    binding_->Request().active = false;
    WaitUntilIdle();
}

QLabel* TBindingForm::CreateStatusPanel(QStatusBar* bar)
{
    bar->setSizeGripEnabled(false);
    auto* panel = new QLabel(bar);
    panel->setObjectName("StatusPanel0");
    panel->setTextFormat(Qt::PlainText);
    // A long message is cut at the window's edge instead of widening it.
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(panel, 1);
    statusPanel_ = panel;
    return panel;
}

void TBindingForm::LayOut(QLayout* client, QWidget* buttonColumn)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(client, 1);
    layout->addWidget(buttonColumn);
}

QLabel* TBindingForm::LayOutAboveStatusBar(QLayout* client, QWidget* buttonColumn)
{
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(client, 1);
    body->addWidget(buttonColumn);

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    QLabel* panel = CreateStatusPanel(bar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addWidget(bar);
    return panel;
}

void TBindingForm::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    if (!binding_)
        return;
    binding_->Request().active = false;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    WaitUntilIdle();
}

void TBindingForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    TFormDialog::closeEvent(event);
}

void TBindingForm::done(int result)
{
    FormClose();
    TFormDialog::done(result);
}

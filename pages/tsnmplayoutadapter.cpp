#include "pages/tsnmplayoutadapter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>

#include <algorithm>
#include <exception>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmppanel.h"
#include "pages/tsnmprowdialog.h"
#include "pages/tuigenerator.h"
#include "platform/kvmessagebox.h"

namespace {

// Text of an entry's editor: an edit field's text or a combo box's current
// item; empty for other editors.
std::string EditorText(const UIEntry& e)
{
    if (auto* edit = qobject_cast<QLineEdit*>(e.editor))
        return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(e.editor))
        return combo->currentText().toStdString();
    return {};
}


} // namespace

TSNMPLayoutAdapter::TSNMPLayoutAdapter(UIEntry* table, KvSNMPRequest2Edits* binding, QObject* parent)
    : TLayoutAdapter(parent), table_(table), binding_(binding)
{
    int index = 0;
    for (UIEntry* e = table_; binding_ && e && e->variable && e->kind != 0; ++e, ++index) {
        switch (e->kind) {
        case uiEdit:
        case uiEditUnselected:
            if (auto* edit = qobject_cast<QLineEdit*>(e->editor))
                binding_->BindEdits(index, e->format ? e->format : "", edit);
            break;
        case uiCombo:
            if (auto* combo = qobject_cast<QComboBox*>(e->editor))
                binding_->BindComboBox(index, combo);
            break;
        case uiMemo:
            if (auto* memo = qobject_cast<QPlainTextEdit*>(e->editor))
                binding_->SetStatusTarget(memo);
            break;
        case uiListView:
            if (auto* view = qobject_cast<QTreeWidget*>(e->editor))
                binding_->AttachListView(view, true);
            break;
        default:
            break;
        }
    }
}

TSNMPLayoutAdapter::~TSNMPLayoutAdapter() = default;

int TSNMPLayoutAdapter::EntryCount() const
{
    int n = 0;
    while (table_ && table_[n].variable)
        ++n;
    return n;
}

QDialog* TSNMPLayoutAdapter::Dialog() const
{
    return dialog_.data();
}

TSNMPPanel* TSNMPLayoutAdapter::DialogPanel() const
{
    return dialog_ ? dialog_->Panel() : nullptr;
}

void TSNMPLayoutAdapter::DetachBinding()
{
    binding_ = nullptr;
}

QWidget* TSNMPLayoutAdapter::PageWindow() const
{
    if (auto* w = qobject_cast<QWidget*>(parent()))
        return w->window();
    return nullptr;
}

void TSNMPLayoutAdapter::ShowMessage(const char* text)
{
    KvMessageBox::message(PageWindow(), QString::fromUtf8(text));
}

void TSNMPLayoutAdapter::Report(const std::string& message)
{
    if (binding_)
        binding_->ReportStatus(message);
}

void TSNMPLayoutAdapter::StartRefresh()
{
    getComplete = false;
    try {
        binding_->Refresh();
    } catch (...) {
        getComplete = true;
        throw;
    }
    // A refresh that sent nothing never started: nothing will call back.
    if (!binding_->busy)
        OnGetComplete();
}

// ---------------------------------------------------------------------------
// Buttons

void TSNMPLayoutAdapter::BindButtons(TCtrlBtnPanel* bar)
{
    RefreshBtn = bar->RefreshBtn;
    SetBtn = bar->SetBtn;
    SetCheckBtn = bar->SetCheckBtn;
    AddBtn = bar->AddBtn;
    DeleteBtn = bar->DeleteBtn;
    CheckAllBtn = bar->CheckAllBtn;
    ClearChecksBtn = bar->ClearChecksBtn;
    CloseBtn = bar->CloseBtn;
    StopBtn = bar->StopBtn;
    connect(bar->RefreshBtn, &QPushButton::clicked, this, [this] { DoRefresh(); });
    connect(bar->SetBtn, &QPushButton::clicked, this, [this] { DoEditRow(); });
    connect(bar->SetCheckBtn, &QPushButton::clicked, this, [this] { DoSetSelected(); });
    connect(bar->AddBtn, &QPushButton::clicked, this, [this] { DoAddRow(); });
    connect(bar->DeleteBtn, &QPushButton::clicked, this, [this] { DoDeleteRow(); });
    connect(bar->CheckAllBtn, &QPushButton::clicked, this, [this] { DoCheckAll(); });
    connect(bar->ClearChecksBtn, &QPushButton::clicked, this, [this] { DoClearChecks(); });
    connect(bar->StopBtn, &QPushButton::clicked, this, [this] { DoStop(); });
    SetBtn->setEnabled(editDeleteEnabled);
    DeleteBtn->setEnabled(editDeleteEnabled);
}

void TSNMPLayoutAdapter::UpdateEditDeleteEnabled()
{
    const bool selected = KvListViewActions::SelectedRow(listView) != nullptr;
    for (QPushButton* button : {SetBtn.data(), DeleteBtn.data()}) {
        if (button)
            button->setEnabled(button->isHidden() || selected);
    }
}

// ---------------------------------------------------------------------------
// Refresh, completions, stop

bool TSNMPLayoutAdapter::BeginRequest()
{
    if (!binding_)
        return false;
    binding_->request.active = true;
    if (!getComplete) {
        ShowMessage(kGetNotComplete);
        return false;
    }
    return true;
}

void TSNMPLayoutAdapter::DoRefresh()
{
    if (!BeginRequest())
        return;
    try {
        StartRefresh();
    } catch (const std::exception& e) {
        getComplete = true;
        Report(e.what());
    }
}

void TSNMPLayoutAdapter::OnGetComplete()
{
    getComplete = true;
    ReselectRow();
}

void TSNMPLayoutAdapter::OnSetComplete(bool written)
{
    setComplete = true;
    if (!readAfterWrite_)
        return;
    readAfterWrite_ = false;
    if (!written || !binding_) {
        getComplete = true;
        return;
    }
    try {
        AfterWriteSelected();
    } catch (const std::exception& e) {
        getComplete = true;
        Report(e.what());
    }
}

void TSNMPLayoutAdapter::DoStop()
{
    getComplete = true;
    setComplete = true;
    readAfterWrite_ = false;
    if (binding_)
        binding_->request.active = false;
}

void TSNMPLayoutAdapter::ReselectRow()
{
    if (!listView || listView->topLevelItemCount() == 0 || indexCount <= 0)
        return;
    try {
        const int keyEntries = std::min<int>(indexCount, EntryCount());
        std::string key;
        for (int i = 0; i < keyEntries; ++i)
            key += EditorText(table_[i]);
        for (int r = 0; r < listView->topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = listView->topLevelItem(r);
            std::string rowKey;
            for (int c = 0; c < indexCount && c < listView->columnCount(); ++c)
                rowKey += row->text(c).toStdString();
            if (rowKey == key) {
                KvListViewActions::SelectOnly(listView, row);
                break;
            }
        }
    } catch (...) {
        // An exception ends the search.
    }
}

// ---------------------------------------------------------------------------
// Writes

void TSNMPLayoutAdapter::DoSetSelected()
{
    if (!BeginRequest())
        return;
    if (!setComplete) {
        ShowMessage(kModifyNotComplete);
        return;
    }
    try {
        if (createMode == 1 && IsCreateRowRequest()) {
            CreateRowInTwoSteps();
        } else {
            setComplete = false;
            WriteSelected();
        }
    } catch (const std::exception& e) {
        readAfterWrite_ = false;
        getComplete = true;
        setComplete = true;
        Report(e.what());
    }
}

void TSNMPLayoutAdapter::WriteSelected()
{
    const KvWriteSet write = CheckedEntries();
    binding_->CollectValues(write);
    // No read of the page while the write is on its way: it would race the
    // write and put the switch's old values over what was typed.
    getComplete = false;
    // The operator asked for this write: one with nothing in it is refused
    // with the request's words for it, not passed over in silence.
    binding_->Store(write, {.collect = false, .refreshAfter = false, .skipEmpty = false});
    if (binding_->busy) {
        readAfterWrite_ = true; // OnSetComplete goes on
        return;
    }
    // Nothing was sent (the request is not active): nothing will call back.
    setComplete = true;
    AfterWriteSelected();
}

void TSNMPLayoutAdapter::AfterWriteSelected()
{
    const int n = EntryCount();
    const bool deleted = deleteIndex >= 0 && deleteIndex < n && EditorText(table_[deleteIndex]) == deleteText;
    StartRefresh();
    if (deleted)
        DoCloseDialog();
}

KvWriteSet TSNMPLayoutAdapter::CheckedEntries() const
{
    // Entry i edits variable i; a variable without an entry is written.
    KvWriteSet write = KvWriteSet::All(binding_->Variables());
    const int n = EntryCount();
    for (int i = 0; i < n; ++i) {
        const UIEntry& e = table_[i];
        if (e.checkBox && !e.checkBox->isChecked())
            write.Remove(i);
    }
    return write;
}

bool TSNMPLayoutAdapter::IsCreateRowRequest() const
{
    if (createIndex < 0 || createIndex >= EntryCount())
        return false;
    const UIEntry& e = table_[createIndex];
    auto* combo = qobject_cast<QComboBox*>(e.editor);
    return combo && combo->currentText().toStdString() == createText && e.checkBox && e.checkBox->isChecked();
}

void TSNMPLayoutAdapter::CreateRowInTwoSteps()
{
    const KvSNMPVarList& list = binding_->Variables();
    const int n = EntryCount();
    UIEntry& create = table_[createIndex];
    const KvSNMPRequest2Controls::StoreOptions blocking = {
        .collect = true, .refreshAfter = false, .run = KvSNMPRequest2Controls::FlowRun::Blocking};
    // Every value the two writes will carry is collected (and so checked)
    // before the first one: a refused column must not leave a new row
    // behind with its defaults.
    binding_->CollectValues(CheckedEntries());
    try {
        // First write: the index columns and the row status with the create text.
        KvWriteSet first = KvWriteSet::All(list);
        for (int i = indexCount; i < n; ++i)
            first.Remove(i);
        first.Add(createIndex);
        binding_->Store(first, blocking);

        // Second write: the other checked columns of the new row (none
        // checked: nothing is sent).
        create.checkBox->setChecked(false);
        binding_->Store(CheckedEntries(), blocking);

        StartRefresh();
        create.checkBox->setChecked(true);
    } catch (const std::exception& e) {
        Report(e.what());
        try {
            binding_->Refresh(KvSNMPRequest2Controls::FlowRun::Blocking);
        } catch (const std::exception& again) {
            Report(again.what());
        }
        getComplete = true;
        setComplete = true;
        create.checkBox->setChecked(true);
    }
}

void TSNMPLayoutAdapter::DoDeleteRow()
{
    if (!binding_)
        return;
    const int n = EntryCount();
    if (deleteIndex < 0 || deleteIndex >= n)
        return;
    binding_->request.active = true;
    try {
        // The index columns and the row status with the delete text.
        KvWriteSet write = KvWriteSet::All(binding_->Variables());
        for (int i = indexCount; i < n; ++i)
            write.Remove(i);
        write.Add(deleteIndex);
        binding_->CollectValues(write);
        table_[deleteIndex].variable->value = deleteText;
        binding_->Store(write, {.collect = false, .refreshAfter = false});
        StartRefresh();
    } catch (const std::exception& e) {
        Report(e.what());
    }
}

// ---------------------------------------------------------------------------
// Check boxes

void TSNMPLayoutAdapter::DoCheckAll()
{
    const int n = EntryCount();
    for (int i = 0; i < n; ++i) {
        UIEntry& e = table_[i];
        if (e.checkBox)
            e.checkBox->setChecked(addingRow_ || e.variable->access != accRead);
    }
}

void TSNMPLayoutAdapter::DoClearChecks()
{
    const int n = EntryCount();
    for (int i = 0; i < n; ++i) {
        if (table_[i].checkBox)
            table_[i].checkBox->setChecked(false);
    }
}

// ---------------------------------------------------------------------------
// Row dialogs

TSNMPRowDialog* TSNMPLayoutAdapter::OpenDialog(TSNMPRowDialog::Kind kind, QSize size)
{
    // The row dialog is captioned as its page: an empty caption would show
    // the program's name.
    QString title = dialogTitle;
    if (title.isEmpty() && PageWindow())
        title = PageWindow()->windowTitle();
    auto* dialog = new TSNMPRowDialog(PageWindow(), kind, title, size, editorBox);
    TCtrlBtnPanel* bar = dialog->Panel()->BtnPanel;
    connect(bar->RefreshBtn, &QPushButton::clicked, this, [this] { DoRefresh(); });
    connect(bar->SetCheckBtn, &QPushButton::clicked, this, [this] { DoSetSelected(); });
    connect(bar->CheckAllBtn, &QPushButton::clicked, this, [this] { DoCheckAll(); });
    connect(bar->ClearChecksBtn, &QPushButton::clicked, this, [this] { DoClearChecks(); });
    dialog->Panel()->RebindClose([this] { DoCloseDialog(); });
    binding_->SetStatusTarget(dialog->Panel()->MsgPanel->Memo);
    dialog_ = dialog;
    return dialog;
}

void TSNMPLayoutAdapter::RunDialog()
{
    // Whatever happens in the dialog, the editor box goes back to the page
    // (hidden) before the dialog is freed, and the page's memo is the status
    // target again.
    struct Return {
        TSNMPLayoutAdapter* self;
        ~Return()
        {
            self->addingRow_ = false;
            if (self->binding_)
                self->binding_->SetStatusTarget(self->pageMemo.data());
            if (self->editorBox) {
                self->editorBox->hide();
                if (self->takeBackEditorBox)
                    self->takeBackEditorBox();
            }
            delete self->dialog_.data();
            self->dialog_ = nullptr;
        }
    } giveBack{this};
    addingRow_ = dialog_->RowKind() == TSNMPRowDialog::Kind::Add;
    dialog_->exec();
}

void TSNMPLayoutAdapter::DoEditRow()
{
    if (!binding_ || !editorBox || dialog_)
        return;
    const int n = EntryCount();
    TSNMPRowDialog* dialog = OpenDialog(TSNMPRowDialog::Kind::Edit, TSNMPRowDialog::EditSize(table_, n, extentBottom));
    const bool rowSelected = KvListViewActions::SelectedRow(listView) != nullptr;
    dialog->PrepareEdit(table_, n, indexCount, rowSelected);
    RunDialog();
}

void TSNMPLayoutAdapter::DoAddRow()
{
    if (!binding_ || !editorBox || dialog_)
        return;
    binding_->request.active = true;
    if (listView) {
        listView->clearSelection();
        listView->setCurrentItem(nullptr);
    }
    TSNMPRowDialog* dialog = OpenDialog(TSNMPRowDialog::Kind::Add, TSNMPRowDialog::AddSize(extentRight, extentBottom));
    dialog->PrepareAdd(table_, EntryCount(), createIndex, createText);
    if (SetBtn)
        SetBtn->setEnabled(false);
    if (DeleteBtn)
        DeleteBtn->setEnabled(false);

    RunDialog();
}

void TSNMPLayoutAdapter::DoCloseDialog()
{
    try {
        if (dialog_)
            dialog_->close();
    } catch (...) {
    }
}

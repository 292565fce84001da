#include "pages/tsnmprowdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>

#include <algorithm>

#include "common/kvtext.h"
#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "pages/tsnmppanel.h"
#include "pages/tuigenerator.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

// Room beside and below the editors for the frame and the panel margins.
constexpr int kExtraWidth = 40;
constexpr int kExtraHeight = 60;

bool IsReadOnlyAccess(const UIEntry& e)
{
    return e.variable->access == accIndex || e.variable->access == accRead;
}

// Whether the generator hid the entry's check box (an edit field of an index
// or read-only variable).
bool CheckBoxHiddenByKind(const UIEntry& e)
{
    return (e.kind == uiEdit || e.kind == uiEditUnselected) && IsReadOnlyAccess(e);
}

} // namespace

TSNMPRowDialog::TSNMPRowDialog(QWidget* page, Kind kind, const QString& title, QSize size, QScrollArea* editorBox)
    : QDialog(page), kind_(kind)
{
    setObjectName(kind == Kind::Add ? "AddRowDialog" : "EditRowDialog");
    setWindowTitle(title);
    setModal(true);
    if (page)
        setFont(page->font());

    panel_ = new TSNMPPanel(this);
    TCtrlBtnPanel* bar = panel_->BtnPanel;
    for (TCtrlBtnPanel::Control c :
         {TCtrlBtnPanel::Refresh, TCtrlBtnPanel::RowCounter, TCtrlBtnPanel::Set, TCtrlBtnPanel::SamplesLabel,
          TCtrlBtnPanel::Delete, TCtrlBtnPanel::Add, TCtrlBtnPanel::Stop})
        bar->HideControl(c);

    resize(size);
    panel_->SetContent(editorBox, false);
    editorBox->show();
}

TSNMPRowDialog::~TSNMPRowDialog() = default;

QSize TSNMPRowDialog::EditSize(const UIEntry* table, int count, int extentBottom)
{
    int editorsRight = 0;
    for (int i = 0; i < count; ++i) {
        if (table[i].editor)
            editorsRight = std::max(editorsRight, table[i].editor->geometry().right() + 1);
    }
    return QSize(std::min(TCtrlBtnPanel::kWidth + editorsRight + kExtraWidth, kMaxEditWidth),
                 std::min(TMsgPanel::kHeight + extentBottom + kExtraHeight, kMaxEditHeight));
}

QSize TSNMPRowDialog::AddSize(int extentRight, int extentBottom)
{
    return QSize(extentRight + TCtrlBtnPanel::kWidth + kExtraWidth, extentBottom + TMsgPanel::kHeight + kExtraHeight);
}

void TSNMPRowDialog::PrepareEdit(UIEntry* table, int count, int indexCount, bool rowSelected)
{
    int writable = 0;
    for (int i = 0; i < count; ++i) {
        UIEntry& e = table[i];
        if (e.checkBox) {
            const bool readOnly = IsReadOnlyAccess(e);
            e.checkBox->setChecked(!readOnly);
            e.checkBox->setVisible(!CheckBoxHiddenByKind(e));
            if (!readOnly)
                ++writable;
        }
        if (e.editor)
            e.editor->setEnabled(true);
        if (!rowSelected) {
            if (auto* edit = qobject_cast<QLineEdit*>(e.editor))
                edit->clear();
        } else if (i < indexCount) {
            // The key of an existing row cannot be changed.
            if (e.editor)
                e.editor->setEnabled(false);
            if (e.checkBox)
                e.checkBox->setVisible(false);
        }
    }
    panel_->BtnPanel->SetCheckButtons(writable == 0  ? TCtrlBtnPanel::CheckButtons::None
                                      : writable > 1 ? TCtrlBtnPanel::CheckButtons::All
                                                     : TCtrlBtnPanel::CheckButtons::SetCheckOnly);
}

void TSNMPRowDialog::PrepareAdd(UIEntry* table, int count, int createIndex, const std::string& createText)
{
    panel_->BtnPanel->SetCheckButtons(TCtrlBtnPanel::CheckButtons::All);
    for (int i = 0; i < count; ++i) {
        UIEntry& e = table[i];
        if (e.checkBox) {
            e.checkBox->setChecked(true);
            e.checkBox->setVisible(!CheckBoxHiddenByKind(e));
        }
        if (auto* edit = qobject_cast<QLineEdit*>(e.editor)) {
            edit->clear();
            edit->setEnabled(true);
            TUIGenerator::SetReadOnlyLook(edit, false);
        } else if (auto* combo = qobject_cast<QComboBox*>(e.editor)) {
            combo->setCurrentIndex(-1);
            combo->setEnabled(e.variable->access != accRead);
            TUIGenerator::SetReadOnlyLook(combo, false);
            if (i == createIndex) {
                for (int item = 0; item < combo->count(); ++item) {
                    if (TrimText(combo->itemText(item).toStdString()) == createText) {
                        combo->setCurrentIndex(item);
                        break;
                    }
                }
            }
        }
    }
}

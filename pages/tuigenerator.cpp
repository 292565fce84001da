#include "pages/tuigenerator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "snmp/kvsnmpvarlist.h"

namespace {

bool IsReadOnlyAccess(const KvSNMPVar* var)
{
    return var->access == accIndex || var->access == accRead;
}

QCheckBox* NewCheckBox(QWidget* owner, int width, bool checked)
{
    auto* box = new QCheckBox(owner);
    box->resize(width, box->sizeHint().height());
    box->setChecked(checked);
    return box;
}

QLabel* NewLabel(QWidget* owner, const std::string& text)
{
    auto* label = new QLabel(QString::fromStdString(text), owner);
    label->adjustSize();
    return label;
}

// A screen reader names the editor by its label ("System IP, 10.90.90.90").
// A label with a buddy would take an ampersand for a mnemonic and hide it;
// such a label names its editor directly instead.
void NameEditorByLabel(QLabel* label, QWidget* editor)
{
    if (label->text().contains(u'&'))
        editor->setAccessibleName(label->text());
    else
        label->setBuddy(editor);
}

} // namespace

TUIGenerator::TUIGenerator(UIEntry* table, QWidget* owner) : table_(table), owner_(owner)
{
    for (UIEntry* e = table_; e && e->variable; ++e) {
        const bool readOnly = IsReadOnlyAccess(e->variable);
        switch (e->kind) {
        case uiEdit:
        case uiEditUnselected: {
            QCheckBox* box = NewCheckBox(owner_, checkBoxWidth_, e->kind == uiEdit);
            QLabel* label = NewLabel(owner_, e->variable->label);
            auto* edit = new QLineEdit(owner_);
            edit->resize(edit->width(), kEditorHeight);
            if (readOnly) {
                box->setEnabled(false);
                box->setVisible(false);
                SetReadOnlyLook(edit, true);
            }
            NameEditorByLabel(label, edit);
            e->checkBox = box;
            e->label = label;
            e->editor = edit;
            controls_ << box << label << edit;
            break;
        }
        case uiCombo: {
            QCheckBox* box = NewCheckBox(owner_, checkBoxWidth_, true);
            QLabel* label = NewLabel(owner_, e->variable->label);
            auto* combo = new QComboBox(owner_);
            combo->resize(combo->width(), kEditorHeight);
            if (readOnly) {
                box->setEnabled(false);
                combo->setEnabled(false);
                SetReadOnlyLook(combo, true);
            }
            NameEditorByLabel(label, combo);
            e->checkBox = box;
            e->label = label;
            e->editor = combo;
            controls_ << box << label << combo;
            break;
        }
        case uiMemo: {
            auto* memo = new QPlainTextEdit(owner_);
            memo->setReadOnly(true);
            e->editor = memo;
            controls_ << memo;
            break;
        }
        case uiListView: {
            auto* view = new QTreeWidget(owner_);
            view->setRootIsDecorated(false);
            e->editor = view;
            controls_ << view;
            break;
        }
        default:
            break; // an unknown kind gets no controls
        }
    }
}

void TUIGenerator::SetParent(QWidget* parent)
{
    for (QWidget* control : controls_) {
        const bool hidden = control->isHidden();
        control->setParent(parent);
        control->setHidden(hidden);
    }
}

void TUIGenerator::SetReadOnlyLook(QWidget* editor, bool readOnly)
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setReadOnly(readOnly);
    QPalette palette = editor->palette();
    const QPalette standard = QApplication::palette(editor);
    palette.setColor(QPalette::Base, readOnly ? standard.color(QPalette::Button) : standard.color(QPalette::Base));
    editor->setPalette(palette);
    editor->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
}

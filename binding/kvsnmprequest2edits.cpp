#include "binding/kvsnmprequest2edits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "binding/kveditparts.h"
#include "binding/kvfielderror.h"
#include "binding/kvfieldmarker.h"
#include "binding/kvlineeditconstraint.h"
#include "binding/kvlistviewactions.h"
#include "binding/kvradiogroup.h"
#include "common/kvmessages.h"
#include "common/kvnumlist.h"
#include "common/kvoptionlist.h"

namespace {

// A bit index beyond this is a mistake of the page, not a port list.
constexpr int kMaxBitIndex = 8 * 65536 - 1;

constexpr const char* kNullText = "(NULL)";
constexpr const char* kNotDoneText = "(NOTDONE)";

bool IsTruthCode(int syntax)
{
    return syntax == synTruthValue || syntax == synTruthByte || syntax == synTruthWord;
}

} // namespace

KvSNMPRequest2Edits::KvSNMPRequest2Edits(QWidget* owner)
    : KvSNMPRequest2Controls(owner), constraint_(std::make_unique<KvLineEditConstraint>(owner, true)),
      marker_(std::make_unique<KvFieldMarker>()),
      list_(std::make_unique<KvListViewBinding>(request.variables, [this] { SelectionChanged(); }))
{
}

KvSNMPRequest2Edits::~KvSNMPRequest2Edits() = default;

// ---------------------------------------------------------------------------
// Registration

const KvOptionList* KvSNMPRequest2Edits::OptionsOf(const ControlBinding& binding) const
{
    if (binding.options)
        return binding.options;
    const KvSNMPVar& var = request.variables[binding.variableIndex];
    const bool wholeValue = binding.byteOffset == 0 && binding.syntax == static_cast<int>(var.syntax);
    return wholeValue ? var.options : nullptr;
}

const KvOptionList* KvSNMPRequest2Edits::ItemOptionsOf(const ControlBinding& binding) const
{
    return binding.options ? binding.options : request.variables[binding.variableIndex].options;
}

const KvOptionList* KvSNMPRequest2Edits::RequiredItemOptionsOf(const ControlBinding& binding) const
{
    const KvOptionList* items = ItemOptionsOf(binding);
    if (!items)
        KvRaise(kvErrNoOptionList);
    return items;
}

ControlBinding KvSNMPRequest2Edits::NewBinding(int variableIndex, int byteOffset, int syntax,
                                               const KvOptionList* options) const
{
    if (variableIndex < 0 || variableIndex >= request.variables.Count())
        KvRaise(kvErrBadAssociatedList);
    ControlBinding binding;
    binding.variableIndex = variableIndex;
    binding.byteOffset = byteOffset;
    binding.syntax = syntax != 0 ? syntax : static_cast<int>(request.variables[variableIndex].syntax);
    binding.options = options;
    if (!IsKnownValueSyntax(binding.syntax))
        KvRaise(kvErrBadSyntax);
    if (byteOffset < 0)
        KvRaise(kvErrOutOfRange);
    return binding;
}

void KvSNMPRequest2Edits::BindControl(int variableIndex, QWidget* control, int byteOffset, int syntax,
                                      const KvOptionList* options, QWidget* second)
{
    ControlBinding binding = NewBinding(variableIndex, byteOffset, syntax, options);
    if (!control)
        KvRaise(kvErrTooFewControls);
    binding.controls.push_back(control);
    binding.second = second;

    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        if (items->Kind() == KvOptionList::kTextPrefixes && !second)
            KvRaise(kvErrTooFewControls);
        if (second && !qobject_cast<QLineEdit*>(second))
            KvRaise(kvErrBadControl);
        combo->clear();
        for (const std::string& label : items->Labels())
            combo->addItem(QString::fromStdString(label));
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        KvRadioGroup(group).Fill(*items);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        // Values come from the switch: never let them be read as markup.
        label->setTextFormat(Qt::PlainText);
    } else if (!qobject_cast<QCheckBox*>(control) && !qobject_cast<QLineEdit*>(control)) {
        KvRaise(kvErrBadControl);
    }
    bindings_.push_back(std::move(binding));
}

void KvSNMPRequest2Edits::BindComboBox(int variableIndex, QComboBox* combo, int byteOffset, int syntax,
                                       const KvOptionList* options, QWidget* second)
{
    if (combo)
        combo->setEditable(false); // a drop-down list: no free typing
    BindControl(variableIndex, combo, byteOffset, syntax, options, second);
}

void KvSNMPRequest2Edits::BindEdits(int variableIndex, const std::string& constraint, QLineEdit* first,
                                    const QList<QLineEdit*>& further)
{
    ControlBinding binding = NewBinding(variableIndex, 0, 0, nullptr);
    const int items = KvEditConstraint::CountItems(constraint);
    const int needed = items > 0 ? items : 1;

    QList<QLineEdit*> edits;
    edits.append(first);
    edits.append(further);
    if (edits.size() < needed)
        KvRaise(kvErrTooFewControls);
    edits = edits.mid(0, needed);
    for (QLineEdit* edit : edits)
        if (!edit)
            KvRaise(kvErrTooFewControls);

    if (items == 1)
        constraint_->Register(QString::fromStdString(constraint), edits.first());
    else if (items > 1)
        constraint_->RegisterMany(QString::fromStdString(constraint), edits);

    for (QLineEdit* edit : edits)
        binding.controls.push_back(edit);
    bindings_.push_back(std::move(binding));
}

void KvSNMPRequest2Edits::BindControlList(int variableIndex, const std::string& bitIndices,
                                          const QList<QWidget*>& controls)
{
    AddBitBinding(variableIndex, bitIndices, controls);
}

void KvSNMPRequest2Edits::AddBitBinding(int variableIndex, const std::string& bitIndices,
                                        const QList<QWidget*>& controls)
{
    ControlBinding binding = NewBinding(variableIndex, 0, 0, nullptr);
    KvNumList<int32_t> bits(',');
    bits.Parse(bitIndices);
    const int count = static_cast<int>(bits.Count());
    if (count == 0 || controls.size() < count)
        KvRaise(kvErrTooFewControls);
    for (int i = 0; i < count; ++i) {
        QWidget* control = controls[i];
        if (!control)
            KvRaise(kvErrTooFewControls);
        if (!qobject_cast<QCheckBox*>(control))
            KvRaise(kvErrBadControl);
        const int bit = bits.Values()[static_cast<size_t>(i)];
        if (bit < 0 || bit > kMaxBitIndex)
            KvRaise(kvErrOutOfRange);
        binding.bitIndices.push_back(bit);
        binding.controls.push_back(control);
    }
    bindings_.push_back(std::move(binding));
}


// ---------------------------------------------------------------------------
// List view

void KvSNMPRequest2Edits::AttachListView(QTreeWidget* listView, bool disable)
{
    disableUntilSelected = disable;
    // previousSelectionHandler is called before the selection fills the
    // controls (OnRowSelected).
    list_->Attach(listView);
}

QTreeWidget* KvSNMPRequest2Edits::ListView() const
{
    return list_->ListView();
}

std::vector<int> KvSNMPRequest2Edits::ColumnVariables() const
{
    return list_->ColumnVariables();
}

void KvSNMPRequest2Edits::CopySelectedRow()
{
    list_->CopySelectedRow();
}

void KvSNMPRequest2Edits::SelectionChanged()
{
    QTreeWidget* listView = list_->ListView();
    if (!listView)
        return;
    QTreeWidgetItem* item = KvListViewActions::SelectedRow(listView);
    try {
        OnRowSelected(listView, item, item != nullptr);
    } catch (const std::exception& e) {
        // Raised inside a window event: report it where the page reports.
        if (HasStatusTarget())
            ReportStatus(e.what());
        else
            ShowMessage(e.what());
    }
}

void KvSNMPRequest2Edits::OnRowSelected(QTreeWidget* sender, QTreeWidgetItem* item, bool selected)
{
    if (previousSelectionHandler)
        previousSelectionHandler(sender, item, selected);
    if (!selected)
        return;
    if (disableUntilSelected)
        EnableControls(true);
    CopySelectedRow();
    FillControls(-1);
}


// ---------------------------------------------------------------------------
// Hooks

void KvSNMPRequest2Edits::BeforeRefresh()
{
    list_->BeginRows();
}

void KvSNMPRequest2Edits::ShowRow()
{
    if (!list_->ListView()) {
        FillControls(-1);
        return;
    }
    list_->AddRow();
}

void KvSNMPRequest2Edits::FlushRows()
{
    list_->FlushRows();
}

QTreeWidgetItem* KvSNMPRequest2Edits::NewestRow() const
{
    return list_->NewestRow();
}

void KvSNMPRequest2Edits::CollectValues()
{
    CollectValues(KvWriteSet::All(request.variables));
}

void KvSNMPRequest2Edits::CollectValues(const KvWriteSet& write)
{
    for (KvSNMPVar& var : request.variables.Elements())
        var.value.clear();
    if (list_->ListView())
        CopySelectedRow();
    CollectControls(write);
}

void KvSNMPRequest2Edits::AfterRefresh()
{
    // Every row is in, and the widths fit the whole table once the walk is over.
    FlushRows();
    list_->SettleColumnWidths();
    if (list_->ListView() && disableUntilSelected && request.variables.kind == kvListTable)
        EnableControls(false);
}

void KvSNMPRequest2Edits::EnableControls(bool enabled)
{
    for (ControlBinding& binding : bindings_) {
        for (QPointer<QWidget>& control : binding.controls)
            if (control)
                control->setEnabled(enabled);
        if (binding.second)
            binding.second->setEnabled(enabled);
    }
}

// ---------------------------------------------------------------------------
// Values -> controls

void KvSNMPRequest2Edits::FillControls(int variableIndex)
{
    for (const ControlBinding& binding : bindings_) {
        if (variableIndex != -1 && binding.variableIndex != variableIndex)
            continue;
        if (binding.variableIndex >= request.variables.Count())
            KvRaise(kvErrBadAssociatedList);
        if (request.variables[binding.variableIndex].access & accSkip)
            continue;
        FillBinding(binding);
    }
}

void KvSNMPRequest2Edits::FillBinding(const ControlBinding& binding)
{
    const KvSNMPVar& var = request.variables[binding.variableIndex];
    const int varSyntax = static_cast<int>(var.syntax);

    std::string text = var.value;
    if (var.options)
        text = var.options->LabelToValue(text);
    KvOctets octets = ParseValueText(text, varSyntax);
    if (binding.byteOffset != 0 || binding.syntax != varSyntax) {
        octets = ExtractPartialValue(octets, binding.byteOffset, binding.syntax);
        text = FormatValueOctets(octets, binding.syntax);
    }
    const KvOptionList* options = OptionsOf(binding);
    if (options)
        text = options->ValueToLabel(text);
    const QString qtext = QString::fromStdString(text);

    QWidget* first = binding.ControlAt(0);

    if (auto* label = qobject_cast<QLabel*>(first)) {
        label->setText(qtext);
        return;
    }

    if (qobject_cast<QCheckBox*>(first)) {
        if (binding.IsBitBinding()) {
            binding.ShowBits(octets);
            return;
        }
        auto* box = static_cast<QCheckBox*>(first);
        if (options) {
            int position = options->IndexOfLabel(text);
            if (position < 0)
                position = options->IndexOfValue(text);
            box->setChecked(position > 0); // position 0 is the unchecked value
        } else if (IsTruthCode(binding.syntax)) {
            box->setChecked(text == "true");
        } else {
            KvRaise(kvErrBadPartSyntax);
        }
        return;
    }

    if (auto* combo = qobject_cast<QComboBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        const int index = items->SelectionIndex(text);
        combo->setCurrentIndex(index < combo->count() ? index : -1);
        if (binding.second) {
            QLineEdit* rest = binding.SecondEdit();
            QString remainder = qtext.mid(combo->currentIndex() >= 0 ? combo->currentText().size() : 0);
            if (binding.syntax == synOid && !remainder.isEmpty())
                remainder.remove(0, 1); // the dot between prefix and rest
            rest->setText(remainder);
        }
        return;
    }

    if (auto* group = qobject_cast<QGroupBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        KvRadioGroup(group).Select(items->SelectionIndex(text));
        return;
    }

    if (qobject_cast<QLineEdit*>(first)) {
        if (binding.controls.size() == 1) {
            static_cast<QLineEdit*>(first)->setText(qtext);
            return;
        }
        FillEdits(binding, text, octets);
        return;
    }

    KvRaise(kvErrBadControl);
}


void KvSNMPRequest2Edits::FillEdits(const ControlBinding& binding, const std::string& text, const KvOctets& octets)
{
    const std::vector<QLineEdit*> edits = binding.Edits();
    const KvEditParts* parts = FindEditParts(binding.syntax);
    if (!parts) {
        edits[0]->setText(QString::fromStdString(text));
        return;
    }
    if (parts->edits > 0) {
        // Enough edits and a value to show: an absent value leaves the edits
        // as they are, one shorter than the edits need is -518.
        binding.NeedControls(parts->edits);
        if (text == kNullText || text == kNotDoneText)
            return;
        if (octets.size() < parts->bytes)
            KvRaise(kvErrBadValue);
    }
    const KvEditTexts texts = parts->split(text, octets);
    binding.NeedControls(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        edits[i]->setText(QString::fromStdString(texts[i]));
}

// ---------------------------------------------------------------------------
// Controls -> values

void KvSNMPRequest2Edits::CollectControls(int variableIndex)
{
    CollectControls(variableIndex, nullptr);
}

void KvSNMPRequest2Edits::CollectControls(const KvWriteSet& write)
{
    CollectControls(-1, &write);
}

void KvSNMPRequest2Edits::CollectControls(int variableIndex, const KvWriteSet* write)
{
    KvSNMPVarList& vars = request.variables;
    for (const ControlBinding& binding : bindings_)
        if (binding.variableIndex >= vars.Count())
            KvRaise(kvErrBadAssociatedList);
    // Collecting starts a write: its refusals are the write's failures, and
    // the marks of earlier failures go.
    lastOperation = kLastSet;
    if (variableIndex == -1) {
        marker_->ClearAll();
    } else {
        for (const ControlBinding& binding : bindings_)
            if (binding.variableIndex == variableIndex)
                for (const QPointer<QWidget>& control : binding.controls)
                    marker_->Unmark(control);
    }

    for (int i = 0; i < vars.Count(); ++i) {
        if (variableIndex != -1 && i != variableIndex)
            continue;
        if (!vars.IsWritable(i) || (write && !write->Contains(i)))
            continue;
        KvSNMPVar& var = vars[i];
        const int varSyntax = static_cast<int>(var.syntax);

        bool bound = false;
        KvOctets octets;
        for (const ControlBinding& binding : bindings_) {
            if (binding.variableIndex != i)
                continue;
            if (!bound) {
                bound = true;
                std::string text = var.value;
                if (var.options)
                    text = var.options->LabelToValue(text);
                octets = varSyntax == synDisplayString ? KvOctets() : ParseValueText(text, varSyntax);
            }
            CheckConstraints(binding);
            const KvOctets part = CollectBinding(binding);
            const bool wholeValue = binding.byteOffset == 0 && binding.syntax == varSyntax && !binding.IsBitBinding();
            if (wholeValue) {
                // The part is the whole value: a shorter text must not keep
                // the old value's tail.
                octets = part;
                continue;
            }
            const size_t offset = static_cast<size_t>(binding.byteOffset);
            if (octets.size() < offset + part.size())
                octets.resize(offset + part.size(), 0);
            std::copy(part.begin(), part.end(), octets.begin() + static_cast<std::ptrdiff_t>(offset));
        }
        if (!bound)
            continue;
        std::string text = FormatValueOctets(octets, varSyntax);
        if (var.options)
            text = var.options->ValueToLabel(text);
        var.value = text;
    }
}

std::string KvSNMPRequest2Edits::FieldMessage(int variableIndex, const std::string& message) const
{
    return request.variables[variableIndex].label + ": " + message;
}

void KvSNMPRequest2Edits::Refuse(const ControlBinding& binding, QWidget* control, int code, const std::string& message)
{
    const std::string text = FieldMessage(binding.variableIndex, message);
    const QString tip = QString::fromStdString(text);
    if (control) {
        marker_->Mark(control, tip, KvFieldMarker::Write);
    } else {
        for (const QPointer<QWidget>& each : binding.controls)
            marker_->Mark(each, tip, KvFieldMarker::Write);
    }
    throw KvFieldError(code, text, binding.variableIndex);
}

void KvSNMPRequest2Edits::CheckConstraints(const ControlBinding& binding)
{
    for (const QPointer<QWidget>& control : binding.controls) {
        auto* edit = qobject_cast<QLineEdit*>(control.data());
        if (!edit)
            continue;
        int line = 0;
        if (const std::optional<std::string> message = constraint_->Violation(edit, &line))
            Refuse(binding, edit, -line, *message);
    }
}

KvOctets KvSNMPRequest2Edits::ParsePart(const ControlBinding& binding, QWidget* control, const KvOptionList* options,
                                        const std::string& text)
{
    const std::string value = options ? options->LabelToValue(text) : text;
    try {
        return ParseEnteredText(value, binding.syntax);
    } catch (const KvError& e) {
        if (e.code() != kvErrBadValue)
            throw;
        Refuse(binding, control, e.code(), e.message());
    }
}

void KvSNMPRequest2Edits::MarkFailedVariable(int variableIndex, const std::string& message)
{
    const QString tip = QString::fromStdString(FieldMessage(variableIndex, message));
    const auto operation = lastOperation == kLastSet ? KvFieldMarker::Write : KvFieldMarker::Read;
    for (const ControlBinding& binding : bindings_) {
        if (binding.variableIndex != variableIndex)
            continue;
        for (const QPointer<QWidget>& control : binding.controls)
            marker_->Mark(control, tip, operation);
    }
    QTreeWidget* listView = list_->ListView();
    if (!listView)
        return;
    const std::vector<int>& columns = list_->ColumnVariables();
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c] == variableIndex)
            marker_->MarkColumn(listView, static_cast<int>(c), tip, operation);
}

void KvSNMPRequest2Edits::ClearFailedVariables()
{
    marker_->Clear(lastOperation == kLastSet ? KvFieldMarker::Write : KvFieldMarker::Read);
}

KvOctets KvSNMPRequest2Edits::CollectBinding(const ControlBinding& binding)
{
    const KvOptionList* options = OptionsOf(binding);
    QWidget* first = binding.ControlAt(0);

    if (auto* label = qobject_cast<QLabel*>(first))
        return ParsePart(binding, label, options, label->text().toStdString());

    if (qobject_cast<QCheckBox*>(first)) {
        if (binding.IsBitBinding())
            return binding.CollectBits();
        const bool checked = static_cast<QCheckBox*>(first)->isChecked();
        if (options)
            return ParsePart(binding, first, options, options->Label(checked ? 1 : 0));
        if (IsTruthCode(binding.syntax))
            return ParseValueText(checked ? "true" : "false", binding.syntax);
        KvRaise(kvErrBadPartSyntax);
    }

    if (auto* combo = qobject_cast<QComboBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        // No choice is no value (not the first value, not 0).
        if (combo->currentIndex() < 0)
            Refuse(binding, combo, kvErrEmptyValue, KvErrorText(kvErrEmptyValue));
        std::string text = combo->currentText().toStdString();
        if (binding.second) {
            QLineEdit* rest = binding.SecondEdit();
            const std::string tail = rest->text().toStdString();
            if (binding.syntax == synOid && !tail.empty())
                text += ".";
            text += tail;
        }
        return ParsePart(binding, binding.second ? nullptr : combo, items, text);
    }

    if (auto* group = qobject_cast<QGroupBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        const KvRadioGroup radios(group);
        if (radios.Selected() < 0)
            Refuse(binding, group, kvErrEmptyValue, KvErrorText(kvErrEmptyValue));
        return ParsePart(binding, group, items, radios.SelectedText().toStdString());
    }

    if (qobject_cast<QLineEdit*>(first)) {
        if (binding.controls.size() == 1)
            return ParsePart(binding, first, options, static_cast<QLineEdit*>(first)->text().toStdString());
        return ParsePart(binding, nullptr, options, JoinEdits(binding));
    }

    KvRaise(kvErrBadControl);
}


std::string KvSNMPRequest2Edits::JoinEdits(const ControlBinding& binding)
{
    const std::vector<QLineEdit*> edits = binding.Edits();
    const KvEditParts* parts = FindEditParts(binding.syntax);
    if (!parts)
        return edits[0]->text().toStdString();
    binding.NeedControls(parts->edits);
    const size_t count = parts->edits > 0 ? parts->edits : edits.size();
    KvEditTexts texts;
    for (size_t i = 0; i < count; ++i)
        texts.push_back(edits[i]->text().toStdString());
    try {
        return parts->join(texts);
    } catch (const KvEditPartRefusal& refusal) {
        QWidget* control = refusal.edit >= 0 ? edits[static_cast<size_t>(refusal.edit)] : nullptr;
        Refuse(binding, control, kvErrBadValue, KvErrorText(kvErrBadValue));
    }
}

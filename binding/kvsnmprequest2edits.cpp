#include "binding/kvsnmprequest2edits.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

#include "binding/kvfielderror.h"
#include "binding/kvfieldmarker.h"
#include "binding/kvgridlinedelegate.h"
#include "binding/kvlineeditconstraint.h"
#include "binding/kvlistrow.h"
#include "binding/kvlistviewactions.h"
#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvnumlist.h"
#include "common/kvoptionlist.h"
#include "common/kvtext.h"

namespace {

constexpr int kEmptyValue = -3;
constexpr int kBadSyntax = -511;
constexpr int kBadListItem = -516;
constexpr int kBadPartSyntax = -517;
constexpr int kBadValue = -518;
constexpr int kOutOfRange = -519;
constexpr int kNoOptionList = -520;
constexpr int kBadControl = -521;
constexpr int kTooFewControls = -522;

// A bit index beyond this is a mistake of the page, not a port list.
constexpr int kMaxBitIndex = 8 * 65536 - 1;

constexpr const char* kNullText = "(NULL)";
constexpr const char* kNotDoneText = "(NOTDONE)";

uint32_t GetLE32(const KvOctets& octets, size_t at)
{
    return uint32_t(octets[at]) | uint32_t(octets[at + 1]) << 8 | uint32_t(octets[at + 2]) << 16 |
           uint32_t(octets[at + 3]) << 24;
}

double GetDouble(const KvOctets& octets)
{
    double value = 0;
    std::memcpy(&value, octets.data(), sizeof value);
    return value;
}

std::string Hex2(uint8_t byte)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}


bool IsTruthCode(int syntax)
{
    return syntax == 1 || syntax == 193 || syntax == 196;
}

// The radio buttons of a radio group, in order.
QList<QRadioButton*> RadioItems(QGroupBox* group)
{
    return group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

void SelectRadio(QGroupBox* group, int index)
{
    const QList<QRadioButton*> items = RadioItems(group);
    for (int i = 0; i < items.size(); ++i) {
        // Exclusive buttons cannot all be cleared; leave none checked when no
        // item matches.
        items[i]->setAutoExclusive(false);
        items[i]->setChecked(i == index);
        items[i]->setAutoExclusive(true);
    }
}

int SelectedRadio(QGroupBox* group)
{
    const QList<QRadioButton*> items = RadioItems(group);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

QString SelectedRadioText(QGroupBox* group)
{
    const QList<QRadioButton*> items = RadioItems(group);
    const int index = SelectedRadio(group);
    return index < 0 ? QString() : items[index]->text();
}

void FillRadioGroup(QGroupBox* group, const KvOptionList& options)
{
    // Clearing the items means destroying the buttons the group had.
    for (QRadioButton* item : RadioItems(group))
        delete item;
    QLayout* layout = group->layout();
    if (!layout)
        layout = new QVBoxLayout(group);
    for (const std::string& label : options.Labels()) {
        auto* item = new QRadioButton(QString::fromStdString(label), group);
        layout->addWidget(item);
    }
}

} // namespace

KvSNMPRequest2Edits::KvSNMPRequest2Edits(QWidget* owner)
    : KvSNMPRequest2Controls(owner),
      constraint_(std::make_unique<KvLineEditConstraint>(owner, true)),
      marker_(std::make_unique<KvFieldMarker>())
{
    flushTimer_.setSingleShot(true);
    QObject::connect(&flushTimer_, &QTimer::timeout, [this] { InsertPendingRows(); });
}

KvSNMPRequest2Edits::~KvSNMPRequest2Edits()
{
    QObject::disconnect(selectionConnection_);
    DiscardPendingRows();
}

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
        KvRaise(kNoOptionList);
    return items;
}

ControlBinding KvSNMPRequest2Edits::NewBinding(int variableIndex, int byteOffset, int syntax,
                                               const KvOptionList* options) const
{
    if (variableIndex < 0 || variableIndex >= request.variables.Count())
        KvRaise(kBadListItem);
    ControlBinding binding;
    binding.variableIndex = variableIndex;
    binding.byteOffset = byteOffset;
    binding.syntax = syntax != 0 ? syntax : static_cast<int>(request.variables[variableIndex].syntax);
    binding.options = options;
    if (!IsKnownValueSyntax(binding.syntax))
        KvRaise(kBadSyntax);
    if (byteOffset < 0)
        KvRaise(kOutOfRange);
    return binding;
}

void KvSNMPRequest2Edits::BindControl(int variableIndex, QWidget* control, int byteOffset,
                                      int syntax, const KvOptionList* options, QWidget* second)
{
    ControlBinding binding = NewBinding(variableIndex, byteOffset, syntax, options);
    if (!control)
        KvRaise(kTooFewControls);
    binding.controls.push_back(control);
    binding.second = second;

    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        if (items->Kind() == KvOptionList::kTextPrefixes && !second)
            KvRaise(kTooFewControls);
        if (second && !qobject_cast<QLineEdit*>(second))
            KvRaise(kBadControl);
        combo->clear();
        for (const std::string& label : items->Labels())
            combo->addItem(QString::fromStdString(label));
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        FillRadioGroup(group, *items);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        // Values come from the switch: never let them be read as markup.
        label->setTextFormat(Qt::PlainText);
    } else if (!qobject_cast<QCheckBox*>(control) && !qobject_cast<QLineEdit*>(control)) {
        KvRaise(kBadControl);
    }
    bindings_.push_back(std::move(binding));
}

void KvSNMPRequest2Edits::BindComboBox(int variableIndex, QComboBox* combo, int byteOffset,
                                       int syntax, const KvOptionList* options, QWidget* second)
{
    if (combo)
        combo->setEditable(false);   // a drop-down list: no free typing
    BindControl(variableIndex, combo, byteOffset, syntax, options, second);
}

void KvSNMPRequest2Edits::BindEdits(int variableIndex, const std::string& constraint,
                                    QLineEdit* first, const QList<QLineEdit*>& further)
{
    ControlBinding binding = NewBinding(variableIndex, 0, 0, nullptr);
    const int items = KvEditConstraint::CountItems(constraint);
    const int needed = items > 0 ? items : 1;

    QList<QLineEdit*> edits;
    edits.append(first);
    edits.append(further);
    if (edits.size() < needed)
        KvRaise(kTooFewControls);
    edits = edits.mid(0, needed);
    for (QLineEdit* edit : edits)
        if (!edit)
            KvRaise(kTooFewControls);

    if (items == 1)
        constraint_->Register(QString::fromStdString(constraint), edits.first());
    else if (items > 1)
        constraint_->RegisterMany(QString::fromStdString(constraint), edits);

    for (QLineEdit* edit : edits)
        binding.controls.push_back(edit);
    bindings_.push_back(std::move(binding));
}

void KvSNMPRequest2Edits::BindCheckBoxes(int variableIndex, const std::string& bitIndices,
                                         QCheckBox* box0, QCheckBox* box1, QCheckBox* box2,
                                         QCheckBox* box3, QCheckBox* box4, QCheckBox* box5,
                                         QCheckBox* box6, QCheckBox* box7)
{
    const QList<QWidget*> boxes{box0, box1, box2, box3, box4, box5, box6, box7};
    AddBitBinding(variableIndex, bitIndices, boxes);
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
        KvRaise(kTooFewControls);
    for (int i = 0; i < count; ++i) {
        QWidget* control = controls[i];
        if (!control)
            KvRaise(kTooFewControls);
        if (!qobject_cast<QCheckBox*>(control))
            KvRaise(kBadControl);
        const int bit = bits.Values()[static_cast<size_t>(i)];
        if (bit < 0 || bit > kMaxBitIndex)
            KvRaise(kOutOfRange);
        binding.bitIndices.push_back(bit);
        binding.controls.push_back(control);
    }
    bindings_.push_back(std::move(binding));
}

// ---------------------------------------------------------------------------
// List view

void KvSNMPRequest2Edits::AttachListView(QTreeWidget* listView, bool disable)
{
    QObject::disconnect(selectionConnection_);
    listView_ = listView;
    listActions_ = nullptr;
    disableUntilSelected = disable;
    if (!listView)
        return;

    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setRootIsDecorated(false);
    listView->setItemsExpandable(false);
    listView->setUniformRowHeights(true);
    listView->setAllColumnsShowFocus(true);
    // Grid lines between the cells, unless the page draws its items itself.
    if (listView->itemDelegate()->metaObject() == &QStyledItemDelegate::staticMetaObject)
        listView->setItemDelegate(new KvGridLineDelegate(listView));

    // The page's own handlers stay connected to the list view (and, connected
    // earlier, run first); previousSelectionHandler is called before ours too.
    selectionConnection_ = QObject::connect(listView, &QTreeWidget::itemSelectionChanged,
                                            listView, [this] { SelectionChanged(); });
    // Sorting by a column, copying and saving the rows.
    listActions_ = KvListViewActions::Install(listView);
    EnsureColumns();
}

bool KvSNMPRequest2Edits::HasOwnColumns() const
{
    // A fresh tree widget has one unnamed column (its header shows "1").
    const int columns = listView_->columnCount();
    if (columns == 1 && listView_->headerItem()->text(0).isEmpty())
        return false;
    return columns > 0;
}

void KvSNMPRequest2Edits::EnsureColumns()
{
    if (!listView_)
        return;
    const KvSNMPVarList& vars = request.variables;
    std::vector<int> order;
    for (int i = 0; i < vars.Count(); ++i)
        if (vars.IsUnshown(i))
            order.push_back(i);
    const size_t hidden = order.size();
    for (int i = 0; i < vars.Count(); ++i)
        if (vars.IsShown(i))
            order.push_back(i);

    const int present = HasOwnColumns() ? listView_->columnCount() : 0;
    if (!columnVariables_.empty() && present >= static_cast<int>(order.size()))
        return;   // built before, and still enough
    columnVariables_ = order;
    if (present >= static_cast<int>(order.size()) && present > 0)
        return;   // the page's own columns stay

    listView_->clear();
    QStringList captions;
    for (int i : order)
        captions << QString::fromStdString(vars[i].label);
    listView_->setColumnCount(static_cast<int>(order.size()));
    listView_->setHeaderLabels(captions);
    QHeaderView* header = listView_->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    for (int c = 0; c < static_cast<int>(order.size()); ++c) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        if (static_cast<size_t>(c) < hidden)
            header->resizeSection(c, 0);
        else
            header->resizeSection(c, header->sectionSizeHint(c));   // fit to the caption
    }
}

std::vector<int> KvSNMPRequest2Edits::ColumnVariables() const
{
    return columnVariables_;
}

void KvSNMPRequest2Edits::CopySelectedRow()
{
    if (!listView_)
        return;
    // The row the operator selected, wherever a sort has put it; its values
    // as they came (KvListRow keeps the bytes a text cannot hold).
    const QTreeWidgetItem* row = KvListViewActions::SelectedRow(listView_);
    if (!row)
        return;
    for (size_t c = 0; c < columnVariables_.size(); ++c) {
        const int i = columnVariables_[c];
        if (i < request.variables.Count())
            request.variables[i].value = KvListRow::Cell(*row, static_cast<int>(c));
    }
}

void KvSNMPRequest2Edits::SelectionChanged()
{
    if (!listView_)
        return;
    QTreeWidgetItem* item = KvListViewActions::SelectedRow(listView_);
    try {
        OnRowSelected(listView_, item, item != nullptr);
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
    DiscardPendingRows();
    if (!listView_)
        return;
    EnsureColumns();
    listView_->clear();
    batchClock_.invalidate();
    widthsSettled_ = false;
}

void KvSNMPRequest2Edits::ShowRow()
{
    if (!listView_) {
        FillControls(-1);
        return;
    }
    auto* row = new KvListRow;
    for (size_t c = 0; c < columnVariables_.size(); ++c) {
        const int i = columnVariables_[c];
        if (i < request.variables.Count())
            KvListRow::SetCell(*row, static_cast<int>(c), request.variables[i].value);
    }
    pendingRows_.push_back(row);
    if (!batchClock_.isValid() || batchClock_.elapsed() >= kRowBatchMs)
        InsertPendingRows();
    else if (!flushTimer_.isActive())
        flushTimer_.start(static_cast<int>(kRowBatchMs - batchClock_.elapsed()));
}

void KvSNMPRequest2Edits::FlushRows()
{
    InsertPendingRows();
    // The walk is over: a chosen sort puts its rows in order, once.
    if (listView_ && rowsUnsorted_ && listActions_ && listActions_->Sorted())
        listActions_->Resort();
    rowsUnsorted_ = false;
}

void KvSNMPRequest2Edits::InsertPendingRows()
{
    flushTimer_.stop();
    if (!listView_) {
        DiscardPendingRows();
        return;
    }
    if (!pendingRows_.empty()) {
        rowsUnsorted_ = true;
        const bool updates = listView_->updatesEnabled();
        listView_->setUpdatesEnabled(false);
        QList<QTreeWidgetItem*> batch(pendingRows_.begin(), pendingRows_.end());
        pendingRows_.clear();
        listView_->addTopLevelItems(batch);
        if (!widthsSettled_) {
            SettleColumnWidths();
            widthsSettled_ = true;
        }
        listView_->setUpdatesEnabled(updates);
    }
    batchClock_.restart();
    // Let the operator work between the batches of a long walk.
    QCoreApplication::processEvents();
}

QTreeWidgetItem* KvSNMPRequest2Edits::NewestRow() const
{
    if (!pendingRows_.empty())
        return pendingRows_.back();
    if (listView_ && listView_->topLevelItemCount() > 0)
        return listView_->topLevelItem(listView_->topLevelItemCount() - 1);
    return nullptr;
}

void KvSNMPRequest2Edits::DiscardPendingRows()
{
    for (QTreeWidgetItem* row : pendingRows_)
        delete row;
    pendingRows_.clear();
}

void KvSNMPRequest2Edits::SettleColumnWidths()
{
    QHeaderView* header = listView_->header();
    for (int c = 0; c < listView_->columnCount(); ++c) {
        const int width = header->sectionSize(c);
        if (width == 0 || header->isSectionHidden(c))
            continue;   // a hidden column stays hidden
        // Fitted to the caption and the values, wider only.
        listView_->resizeColumnToContents(c);
        header->resizeSection(c, std::max(width, std::min(kMaxColumnWidth, header->sectionSize(c))));
    }
}

void KvSNMPRequest2Edits::CollectValues()
{
    for (KvSNMPVar& var : request.variables.Elements())
        var.value.clear();
    if (listView_)
        CopySelectedRow();
    CollectControls(-1);
}

void KvSNMPRequest2Edits::AfterRefresh()
{
    // Every row is in, and the widths fit the whole table once the walk is over.
    FlushRows();
    if (listView_)
        SettleColumnWidths();
    if (listView_ && disableUntilSelected && request.variables.kind == kvListTable)
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
            KvRaise(kBadListItem);
        if (request.variables[binding.variableIndex].access & accSkip)
            continue;
        FillBinding(binding);
    }
}

QWidget* KvSNMPRequest2Edits::ControlAt(const ControlBinding& binding, size_t i)
{
    QWidget* control = i < binding.controls.size() ? binding.controls[i].data() : nullptr;
    if (!control)
        KvRaise(kTooFewControls);   // destroyed since it was bound
    return control;
}

QCheckBox* KvSNMPRequest2Edits::CheckBoxAt(const ControlBinding& binding, size_t i)
{
    auto* box = qobject_cast<QCheckBox*>(ControlAt(binding, i));
    if (!box)
        KvRaise(kBadControl);
    return box;
}

QLineEdit* KvSNMPRequest2Edits::SecondEdit(const ControlBinding& binding)
{
    auto* rest = qobject_cast<QLineEdit*>(binding.second.data());
    if (!rest)
        KvRaise(kBadControl);
    return rest;
}

std::vector<QLineEdit*> KvSNMPRequest2Edits::EditsOf(const ControlBinding& binding)
{
    std::vector<QLineEdit*> edits;
    for (size_t i = 0; i < binding.controls.size(); ++i) {
        auto* edit = qobject_cast<QLineEdit*>(ControlAt(binding, i));
        if (!edit)
            KvRaise(kBadControl);
        edits.push_back(edit);
    }
    return edits;
}

void KvSNMPRequest2Edits::NeedControls(const ControlBinding& binding, size_t n)
{
    if (binding.controls.size() < n)
        KvRaise(kTooFewControls);
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

    QWidget* first = ControlAt(binding, 0);

    if (auto* label = qobject_cast<QLabel*>(first)) {
        label->setText(qtext);
        return;
    }

    if (qobject_cast<QCheckBox*>(first)) {
        if (binding.IsBitBinding()) {
            for (size_t i = 0; i < binding.bitIndices.size(); ++i) {
                QCheckBox* box = CheckBoxAt(binding, i);
                const int bit = binding.bitIndices[i];
                const size_t byte = static_cast<size_t>(bit / 8);
                if (byte >= octets.size())
                    KvRaise(kOutOfRange);
                box->setChecked((octets[byte] & (0x80u >> (bit % 8))) != 0);
            }
            return;
        }
        auto* box = static_cast<QCheckBox*>(first);
        if (options) {
            int position = options->IndexOfLabel(text);
            if (position < 0)
                position = options->IndexOfValue(text);
            box->setChecked(position > 0);   // position 0 is the unchecked value
        } else if (IsTruthCode(binding.syntax)) {
            box->setChecked(text == "true");
        } else {
            KvRaise(kBadPartSyntax);
        }
        return;
    }

    if (auto* combo = qobject_cast<QComboBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        const int index = items->SelectionIndex(text);
        combo->setCurrentIndex(index < combo->count() ? index : -1);
        if (binding.second) {
            QLineEdit* rest = SecondEdit(binding);
            QString remainder = qtext.mid(combo->currentIndex() >= 0 ? combo->currentText().size() : 0);
            if (binding.syntax == synOid && !remainder.isEmpty())
                remainder.remove(0, 1);   // the dot between prefix and rest
            rest->setText(remainder);
        }
        return;
    }

    if (auto* group = qobject_cast<QGroupBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        SelectRadio(group, items->SelectionIndex(text));
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

    KvRaise(kBadControl);
}

void KvSNMPRequest2Edits::FillEdits(const ControlBinding& binding, const std::string& text,
                                    const KvOctets& octets)
{
    const std::vector<QLineEdit*> edits = EditsOf(binding);
    auto need = [&](size_t n) { NeedControls(binding, n); };
    auto show = [&](size_t i, const std::string& s) { edits[i]->setText(QString::fromStdString(s)); };
    const bool absent = text == kNullText || text == kNotDoneText;
    // Enough edits and a value to show: false when the value is absent, -518
    // when it is shorter than the edits need.
    auto ready = [&](size_t editCount, size_t byteCount) {
        need(editCount);
        if (absent)
            return false;
        if (octets.size() < byteCount)
            KvRaise(kBadValue);
        return true;
    };

    switch (binding.syntax) {
    case 3: case 4: case 68:
        need(octets.size());
        for (size_t i = 0; i < octets.size(); ++i)
            show(i, Hex2(octets[i]));
        return;
    case 6: {
        const size_t arcs = octets.size() / 4;
        need(arcs);
        for (size_t i = 0; i < arcs; ++i)
            show(i, std::to_string(GetLE32(octets, i * 4)));
        return;
    }
    case 64: case 69:
        if (!ready(4, 4))
            return;
        for (size_t i = 0; i < 4; ++i)
            show(i, std::to_string(octets[i]));
        return;
    case 67: {
        if (!ready(5, 4))
            return;
        uint32_t ticks = GetLE32(octets, 0);
        show(0, std::to_string(ticks / 8640000u));
        ticks %= 8640000u;
        show(1, std::to_string(ticks / 360000u));
        ticks %= 360000u;
        show(2, std::to_string(ticks / 6000u));
        ticks %= 6000u;
        show(3, std::to_string(ticks / 100u));
        show(4, std::to_string(ticks % 100u));
        return;
    }
    case 73:
        if (!ready(6, 6))
            return;
        for (size_t i = 0; i < 6; ++i)
            show(i, Hex2(octets[i]));
        return;
    case 74: {
        if (!ready(10, 0))
            return;
        const KvDateTime dt(text);
        show(0, std::to_string(dt.year));
        show(1, std::to_string(dt.month));
        show(2, std::to_string(dt.day));
        show(3, std::to_string(dt.hour));
        show(4, std::to_string(dt.minutes));
        show(5, std::to_string(dt.seconds));
        show(6, std::to_string(dt.deciSeconds));
        show(7, std::string(1, dt.direction));
        show(8, std::to_string(dt.utcHours));
        show(9, std::to_string(dt.utcMinutes));
        return;
    }
    case 75: {
        if (!ready(7, 8))
            return;
        const KvCivilTime t = KvDateTime::FromDayCount(GetDouble(octets));
        show(0, std::to_string(t.year));
        show(1, std::to_string(t.month));
        show(2, std::to_string(t.day));
        show(3, std::to_string(t.hour));
        show(4, std::to_string(t.minute));
        show(5, std::to_string(t.second));
        show(6, std::to_string(t.millisecond));
        return;
    }
    default:
        show(0, text);
        return;
    }
}

// ---------------------------------------------------------------------------
// Controls -> values

void KvSNMPRequest2Edits::CollectControls(int variableIndex)
{
    KvSNMPVarList& vars = request.variables;
    for (const ControlBinding& binding : bindings_)
        if (binding.variableIndex >= vars.Count())
            KvRaise(kBadListItem);
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
        if (!vars.IsWritable(i))
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
            const bool wholeValue = binding.byteOffset == 0 && binding.syntax == varSyntax &&
                                    !binding.IsBitBinding();
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

void KvSNMPRequest2Edits::Refuse(const ControlBinding& binding, QWidget* control, int code,
                                 const std::string& message)
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

KvOctets KvSNMPRequest2Edits::ParsePart(const ControlBinding& binding, QWidget* control,
                                        const KvOptionList* options, const std::string& text)
{
    const std::string value = options ? options->LabelToValue(text) : text;
    try {
        return ParseEnteredText(value, binding.syntax);
    } catch (const KvError& e) {
        if (e.code() != kBadValue)
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
    if (!listView_)
        return;
    for (size_t c = 0; c < columnVariables_.size(); ++c)
        if (columnVariables_[c] == variableIndex)
            marker_->MarkColumn(listView_, static_cast<int>(c), tip, operation);
}

void KvSNMPRequest2Edits::ClearFailedVariables()
{
    marker_->Clear(lastOperation == kLastSet ? KvFieldMarker::Write : KvFieldMarker::Read);
}

KvOctets KvSNMPRequest2Edits::CollectBinding(const ControlBinding& binding)
{
    const KvOptionList* options = OptionsOf(binding);
    QWidget* first = ControlAt(binding, 0);

    if (auto* label = qobject_cast<QLabel*>(first))
        return ParsePart(binding, label, options, label->text().toStdString());

    if (qobject_cast<QCheckBox*>(first)) {
        if (binding.IsBitBinding()) {
            KvOctets part;
            for (size_t i = 0; i < binding.bitIndices.size(); ++i) {
                QCheckBox* box = CheckBoxAt(binding, i);
                const int bit = binding.bitIndices[i];
                const size_t byte = static_cast<size_t>(bit / 8);
                if (part.size() <= byte)
                    part.resize(byte + 1, 0);
                const uint8_t mask = static_cast<uint8_t>(0x80u >> (bit % 8));
                if (box->isChecked())
                    part[byte] |= mask;
                else
                    part[byte] &= static_cast<uint8_t>(~mask);
            }
            return part;
        }
        const bool checked = static_cast<QCheckBox*>(first)->isChecked();
        if (options)
            return ParsePart(binding, first, options, options->Label(checked ? 1 : 0));
        if (IsTruthCode(binding.syntax))
            return ParseValueText(checked ? "true" : "false", binding.syntax);
        KvRaise(kBadPartSyntax);
    }

    if (auto* combo = qobject_cast<QComboBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        // No choice is no value (not the first value, not 0).
        if (combo->currentIndex() < 0)
            Refuse(binding, combo, kEmptyValue, KvErrorText(kEmptyValue));
        std::string text = combo->currentText().toStdString();
        if (binding.second) {
            QLineEdit* rest = SecondEdit(binding);
            const std::string tail = rest->text().toStdString();
            if (binding.syntax == synOid && !tail.empty())
                text += ".";
            text += tail;
        }
        return ParsePart(binding, binding.second ? nullptr : combo, items, text);
    }

    if (auto* group = qobject_cast<QGroupBox*>(first)) {
        const KvOptionList* items = RequiredItemOptionsOf(binding);
        if (SelectedRadio(group) < 0)
            Refuse(binding, group, kEmptyValue, KvErrorText(kEmptyValue));
        return ParsePart(binding, group, items, SelectedRadioText(group).toStdString());
    }

    if (qobject_cast<QLineEdit*>(first)) {
        if (binding.controls.size() == 1)
            return ParsePart(binding, first, options, static_cast<QLineEdit*>(first)->text().toStdString());
        return ParsePart(binding, nullptr, options, JoinEdits(binding));
    }

    KvRaise(kBadControl);
}

std::string KvSNMPRequest2Edits::JoinEdits(const ControlBinding& binding)
{
    const size_t count = binding.controls.size();
    const std::vector<QLineEdit*> edits = EditsOf(binding);
    auto need = [&](size_t n) { NeedControls(binding, n); };
    auto refuse = [&](QWidget* control) { Refuse(binding, control, kBadValue, KvErrorText(kBadValue)); };
    // One byte per edit: empty is 00, one digit is 0 and the digit.
    auto hexJoin = [&](size_t n) {
        std::string joined;
        for (size_t i = 0; i < n; ++i) {
            const std::string s = TrimText(edits[i]->text().toStdString());
            KvOctets ignored;
            if (s.size() > 2 || !ReadHexText(s.size() == 1 ? "0" + s : s, ignored))
                refuse(edits[i]);
            if (s.empty())
                joined += "00";
            else if (s.size() == 1)
                joined += "0" + s;
            else
                joined += s;
        }
        return joined;
    };
    // A whole unsigned number up to `maximum`; an empty edit is 0.
    auto number = [&](size_t i, uint64_t maximum = UINT32_MAX) -> int64_t {
        const std::string s = TrimText(edits[i]->text().toStdString());
        if (s.empty())
            return 0;
        uint64_t value = 0;
        if (!ReadWholeUnsigned(s, value) || value > maximum)
            refuse(edits[i]);
        return static_cast<int64_t>(value);
    };

    switch (binding.syntax) {
    case 3: case 4: case 68:
        return hexJoin(count);
    case 73:
        need(6);
        return hexJoin(6);
    case 6: {
        std::string joined;
        for (size_t i = 0; i < count; ++i) {
            if (i)
                joined += ".";
            joined += std::to_string(number(i));
        }
        return joined;
    }
    case 64: case 69:
        // Each part a number up to 255 (an empty one is 0): never the low
        // byte of a larger one.
        need(4);
        return std::to_string(number(0, 255)) + "." + std::to_string(number(1, 255)) + "." +
               std::to_string(number(2, 255)) + "." + std::to_string(number(3, 255));
    case 67: {
        need(5);
        auto u = [&](size_t i) { return static_cast<uint64_t>(number(i)); };
        const uint64_t ticks = u(0) * 8640000u + u(1) * 360000u + u(2) * 6000u + u(3) * 100u + u(4);
        if (ticks > UINT32_MAX)
            refuse(nullptr);   // more than the 4-byte count holds
        return FormatTimeTicks(static_cast<uint32_t>(ticks));
    }
    case 74: {
        need(10);
        KvDateTime dt(std::string{});
        // Each field within its octet; the date-time text's check then
        // takes the ranges.
        dt.year = static_cast<uint16_t>(number(0, UINT16_MAX));
        dt.month = static_cast<uint8_t>(number(1, UINT8_MAX));
        dt.day = static_cast<uint8_t>(number(2, UINT8_MAX));
        dt.hour = static_cast<uint8_t>(number(3, UINT8_MAX));
        dt.minutes = static_cast<uint8_t>(number(4, UINT8_MAX));
        dt.seconds = static_cast<uint8_t>(number(5, UINT8_MAX));
        dt.deciSeconds = static_cast<uint8_t>(number(6, UINT8_MAX));
        const QString direction = edits[7]->text().trimmed();
        if (direction.size() > 1 || (direction.size() == 1 && direction != "+" && direction != "-"))
            refuse(edits[7]);
        dt.direction = direction.isEmpty() ? '+' : static_cast<char>(direction.at(0).toLatin1());
        dt.utcHours = static_cast<uint8_t>(number(8, UINT8_MAX));
        dt.utcMinutes = static_cast<uint8_t>(number(9, UINT8_MAX));
        return dt.ToText();
    }
    case 75: {
        need(7);
        KvCivilTime t;
        t.year = static_cast<int>(number(0, UINT16_MAX));
        t.month = static_cast<int>(number(1, UINT16_MAX));
        t.day = static_cast<int>(number(2, UINT16_MAX));
        t.hour = static_cast<int>(number(3, UINT16_MAX));
        t.minute = static_cast<int>(number(4, UINT16_MAX));
        t.second = static_cast<int>(number(5, UINT16_MAX));
        t.millisecond = static_cast<int>(number(6, 999));
        // A date the calendar does not have (13th month, 30 February, 25 h)
        // would roll over into another one.
        const KvCivilTime back = KvDateTime::FromDayCount(KvDateTime::DayCount(t));
        if (t.year < 1 || t.year > 9999 || back.year != t.year || back.month != t.month ||
            back.day != t.day || back.hour != t.hour || back.minute != t.minute || back.second != t.second)
            refuse(nullptr);
        return FormatDayCount(KvDateTime::DayCount(t));
    }
    default:
        return edits[0]->text().toStdString();
    }
}

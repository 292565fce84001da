#pragma once
#include <QList>
#include <QString>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binding/controlbinding.h"
#include "binding/kvlistviewbinding.h"
#include "binding/kvsnmprequest2controls.h"
#include "binding/kvvaluecodec.h"

class KvFieldMarker;
class KvLineEditConstraint;
class KvOptionList;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The binding behind every editable page: moves the values of its request's
// variables into window controls and back.
//
// Controls and their counterparts:
//   edit            QLineEdit (one, or several for one value: address parts,
//                   MAC bytes, time fields, see BindEdits)
//   label           QLabel (also the sunken "static text")
//   check box       QCheckBox (one per value, or one per bit of a port list)
//   combo box       QComboBox, filled with the value names (drop-down list)
//   radio group     QGroupBox whose direct QRadioButton children are its items
//   list view       QTreeWidget (AttachListView), one row per table row
//
// Plain verbs: FillControls (values -> controls), CollectControls (controls ->
// values), EnableControls.
//
// Collecting is the first step of every write, so it refuses what must not be
// written rather than guessing: every edit constraint of the edits it
// collects is checked (whether the field was left or not), every text must
// be a value of its syntax (ParseEnteredText: no "twelve" for a number, no
// octet above 255 in an address, no odd hex digit count), and a combo box or
// radio group must have a choice. The first refusal marks its control (a red
// frame and a tooltip with the field's label) and raises KvFieldError, whose
// message names the label; nothing is written then. A variable that the
// agent's answer names in its error index is marked the same way (its
// editors, and its list-view column). Marks go when the operator changes the
// control, when the next write begins, or when the flow that set them next
// succeeds.
//
// Errors are loud: a control of a type the binding
// cannot serve raises -521, too few controls -522, a selection control without
// value names -520, a single check box over a non-truth value without value
// names -517, a bit or part beyond the value -519 (KvError with the text of
// the library's message set). Fill and collect stop at the first failing
// binding.
class KvSNMPRequest2Edits : public KvSNMPRequest2Controls {
public:
    // Called first when the list view's selection changes (the handler the
    // page had before the binding took over the selection).
    using SelectionHandler = std::function<void(QTreeWidget*, QTreeWidgetItem*, bool)>;

    explicit KvSNMPRequest2Edits(QWidget* owner);
    ~KvSNMPRequest2Edits() override;

    // --- registration (variable index first; once, before the first refresh) -
    // Whole-value binding of one control (edit, label, check box, combo box or
    // radio group). The extended form binds a part: `byteOffset` and `syntax`
    // (0 = the variable's own code) select it; `options` are the part's own
    // value names (a whole-value binding falls back to the variable's);
    // `second` is the edit that holds the rest of the value behind a combo box
    // of prefix value names. A combo box or radio group without value names
    // raises -520; a combo box over prefix value names without `second`, -522.
    void BindControl(int variableIndex, QWidget* control, int byteOffset = 0, int syntax = 0,
                     const KvOptionList* options = nullptr, QWidget* second = nullptr);
    // Makes the combo box a drop-down list (no free typing), then BindControl.
    void BindComboBox(int variableIndex, QComboBox* combo, int byteOffset = 0, int syntax = 0,
                      const KvOptionList* options = nullptr, QWidget* second = nullptr);
    // One value over several edits: every "%" followed by one of "shiufn" in
    // `constraint` is one edit (`first`, then `further` in order); the text is
    // registered with the edit constraints for them. Fewer edits than items
    // raise -522. An empty constraint binds `first` alone, unconstrained.
    void BindEdits(int variableIndex, const std::string& constraint, QLineEdit* first,
                   const QList<QLineEdit*>& further = {});
    // One check box (or other two-state control) per bit: `bitIndices` is a
    // comma-separated list ("1,2,3"); as many controls as numbers are taken,
    // in list order.
    void BindControlList(int variableIndex, const std::string& bitIndices, const QList<QWidget*>& controls);

    // Takes over a report list view: read-only, whole-row selection, grid
    // lines, sorting by a header click, copying and saving the rows
    // (KvListViewActions); builds the columns (hidden variables first with width 0, then the
    // shown ones fitted to their captions) unless it already has enough; a
    // refresh fills one row per table row; selecting a row copies it back into
    // the values and fills the controls. With `disableUntilSelected` the bound
    // controls of a kind-2 table stay disabled after every refresh until a row
    // is selected.
    void AttachListView(QTreeWidget* listView, bool disableUntilSelected = true);
    QTreeWidget* ListView() const;

    // --- value movement --------------------------------------------------------
    // Values -> controls for one variable index, or for all with -1.
    void FillControls(int variableIndex = -1);
    // Controls -> values for one variable index, or for all with -1.
    void CollectControls(int variableIndex = -1);
    // Controls -> values for the variables a write carries.
    void CollectControls(const KvWriteSet& write);
    // Enabled state of every bound control.
    void EnableControls(bool enabled);
    // Copies the selected list row back into the value texts in column order
    // (nothing when no row is selected or no list view is attached).
    void CopySelectedRow();
    // Variable index of every list-view column, in column order.
    std::vector<int> ColumnVariables() const;

    // --- hooks -----------------------------------------------------------------
    void BeforeRefresh() override;
    void ShowRow() override;
    void CollectValues(const KvWriteSet& write) override;
    // The same for every variable of the list.
    void CollectValues();
    void AfterRefresh() override;
    // A walk's rows go into the list view in batches of kRowBatchMs
    // (KvListViewBinding); FlushRows ends the walk: the last rows go in,
    // sorted once when the operator has chosen a sort column.
    void FlushRows() override;
    // The list row ShowRow made last, for a subclass that adds to it; it may
    // not be in the list view yet. Null when there is none.
    QTreeWidgetItem* NewestRow() const;
    static constexpr int kRowBatchMs = KvListViewBinding::kRowBatchMs;
    // Widest a column grows to fit its values.
    static constexpr int kMaxColumnWidth = KvListViewBinding::kMaxColumnWidth;
    void MarkFailedVariable(int variableIndex, const std::string& message) override;
    void ClearFailedVariables() override;
    // The list view's row-selection handler.
    virtual void OnRowSelected(QTreeWidget* sender, QTreeWidgetItem* item, bool selected);

    const std::vector<ControlBinding>& Bindings() const { return bindings_; }
    KvLineEditConstraint& EditConstraint() { return *constraint_; }
    KvFieldMarker& FieldMarker() { return *marker_; }

    SelectionHandler previousSelectionHandler;
    bool disableUntilSelected = true;

private:
    // Controls -> values for one variable index (all with -1), only those
    // `write` carries when given.
    void CollectControls(int variableIndex, const KvWriteSet* write);
    // A checked registration record (the variable exists, the code is known).
    ControlBinding NewBinding(int variableIndex, int byteOffset, int syntax, const KvOptionList* options) const;
    void AddBitBinding(int variableIndex, const std::string& bitIndices, const QList<QWidget*>& controls);
    // The option list that maps a binding's texts: its own, or the variable's
    // for a whole-value binding; null when none applies.
    const KvOptionList* OptionsOf(const ControlBinding& binding) const;
    // The items of a combo box or radio group: its own list, else the variable's.
    const KvOptionList* ItemOptionsOf(const ControlBinding& binding) const;
    // The same, raising -520 when there is none.
    const KvOptionList* RequiredItemOptionsOf(const ControlBinding& binding) const;
    void FillBinding(const ControlBinding& binding);
    // One value over several edits, split and joined by the row of the
    // binding's code in the KvEditParts table.
    void FillEdits(const ControlBinding& binding, const std::string& text, const KvOctets& octets);
    // The binding's part of the value, parsed with the binding's code.
    KvOctets CollectBinding(const ControlBinding& binding);
    // The text a control holds, mapped and parsed as entered text; a text
    // that is no value of the code is refused at `control`.
    KvOctets ParsePart(const ControlBinding& binding, QWidget* control, const KvOptionList* options,
                       const std::string& text);
    // The edits' texts joined; a part the join refuses is marked (-518).
    std::string JoinEdits(const ControlBinding& binding);
    // Refuses the edits whose constraint fails.
    void CheckConstraints(const ControlBinding& binding);
    // Marks `control` (every control of the binding when null) and raises
    // KvFieldError with the field's label before `message`.
    [[noreturn]] void Refuse(const ControlBinding& binding, QWidget* control, int code, const std::string& message);
    // The tooltip and message text of a field's failure.
    std::string FieldMessage(int variableIndex, const std::string& message) const;
    // The list view's selection changed: OnRowSelected, its errors reported.
    void SelectionChanged();

    std::vector<ControlBinding> bindings_;
    std::unique_ptr<KvLineEditConstraint> constraint_;
    std::unique_ptr<KvFieldMarker> marker_;
    std::unique_ptr<KvListViewBinding> list_; // the report list view and its rows
};

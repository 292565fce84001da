#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One row of a static value-name table; a row whose label is null ends the table.
// Kind 1 lists use `value`; kinds 2 and 3 use `text`.
struct KvOptionDef {
    int32_t value;
    const char* text;
    const char* label;
};

// Value-name list of an enumerated variable: maps between the values a variable
// carries and the names shown to the operator.
//
//   kind 1: values are integers (`KvOptionDef::value`)
//   kind 2: values are texts (`KvOptionDef::text`)
//   kind 3: values and labels are text prefixes (the rest of a text is kept)
//
// The list reads its rows straight from the static table it is built from; the
// table must outlive the list (static tables live for the whole program). The
// constructor only records the table, so a namespace-scope
//     const KvOptionList kRowStatusNames(KvOptionList::kIntegerValues, kRowStatusTable);
// is constant-initialised: its address may be taken in other static tables and
// it may be used from any point of the program, whatever the order in which
// translation units are initialised.
//
// Name comparisons ignore letter case (ASCII) unless `caseSensitive` is set.
class KvOptionList {
public:
    static constexpr uint32_t kIntegerValues = 1;
    static constexpr uint32_t kTextValues = 2;
    static constexpr uint32_t kTextPrefixes = 3;

    constexpr KvOptionList(uint32_t kind, const KvOptionDef* table, bool caseSensitive = false)
        : kind_(kind), caseSensitive_(caseSensitive), table_(table)
    {
    }

    uint32_t Kind() const { return kind_; }
    bool CaseSensitive() const { return caseSensitive_; }

    // Number of rows before the end row.
    int Count() const;

    // Row access; an index outside 0..Count()-1 raises KvError -12
    // ("(KvCommon) Out of range at index of array or list!").
    const KvOptionDef& Item(int index) const;
    std::string Label(int index) const;
    // Kind 1: the value in decimal; kinds 2 and 3: the value text.
    std::string ValueText(int index) const;

    // Kinds 1 and 2: first row whose label equals `text`; kind 3: first row
    // whose label is a prefix of `text`. -1 when none.
    int IndexOfLabel(const std::string& text) const;
    // Kind 1: "(NULL)" and non-integer texts give -1, otherwise the first row
    // with that value; kind 2: first row whose value text equals `text`;
    // kind 3: first row whose value text is a prefix of `text`. -1 when none.
    int IndexOfValue(const std::string& text) const;

    // Value text -> display text; unchanged when no row matches. Kind 3
    // replaces the leading value by the label ("abc" with (ab, Alpha) gives
    // "Alphac").
    std::string ValueToLabel(const std::string& text) const;
    // Display text -> value text (kind 1 in decimal); unchanged when no row
    // matches. Kind 3 replaces the leading label by the value text.
    std::string LabelToValue(const std::string& text) const;

    // Filling a selection control (combo box, radio group): its items are
    // exactly these labels, in order.
    std::vector<std::string> Labels() const;
    // The item to select for `text` in such a control: IndexOfLabel, and when
    // that is negative IndexOfValue (-1 leaves no item selected).
    int SelectionIndex(const std::string& text) const;

private:
    uint32_t kind_;
    bool caseSensitive_;
    const KvOptionDef* table_;
};

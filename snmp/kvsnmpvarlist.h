#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "snmp/vardef.h"

class KvOptionList;

// One element of a variable list: an owned copy of a static VarDef row plus the
// variable's current value text and the full OID last received or used for it.
// Absent optional texts (expressions, spare text) are empty.
struct KvSNMPVar {
    std::string oid;
    std::string label;
    uint32_t syntax = 0;
    uint32_t access = 0;
    const KvOptionList* options = nullptr; // shared, never owned
    std::string getExpression;
    std::string setExpression;
    std::string spareText;
    std::string value;
    std::string lastOid;
    // The last answer read into `value` was no value of the variable's
    // syntax: an exception (noSuchObject, noSuchInstance, endOfMibView) or a
    // value of another type, which `value` shows in its printable form.
    bool answerUnfit = false;

    // The value DecodeIndex last gave an index element and the
    // sub-identifiers it read it from. While the value is unchanged,
    // EncodeIndex gives those sub-identifiers again, so that the row is
    // addressed exactly as the agent named it where the text does not keep
    // every bit (15 digits of a real number, a truth value's number, a
    // date-time's direction, a display string's padding).
    struct DecodedIndex {
        std::string value;
        std::string arcs;
    };
    std::optional<DecodedIndex> decodedIndex;
};

// List kinds.
constexpr uint8_t kvListScalars = 0;   // group of scalars: oid + ".0"
constexpr uint8_t kvListRow = 1;       // one row or one given instance
constexpr uint8_t kvListTable = 2;     // table walked row by row
constexpr uint8_t kvListTableRows = 3; // table whose rows may be created and destroyed

// An owned, editable copy of a page's static variable table with the list's kind
// and key count (the first keyCount elements are the index columns).
class KvSNMPVarList {
public:
    KvSNMPVarList() = default;
    KvSNMPVarList(const VarDef* table, uint8_t kind, int32_t keyCount);

    // Copying takes kind, key count, name and every element; the target keeps its
    // own `instance` (a page sets the instance after copying a list in).
    KvSNMPVarList(const KvSNMPVarList& other);
    KvSNMPVarList& operator=(const KvSNMPVarList& other);

    // Appends a copy of every row of a static table up to its end row, with empty
    // value and lastOid.
    void Append(const VarDef* table);
    // Every element's oid becomes oid + "." + suffix.
    void AppendSuffix(const std::string& suffix);

    int32_t Count() const { return static_cast<int32_t>(elements_.size()); }
    // Element access by zero-based index; callers stay below Count().
    KvSNMPVar& operator[](int32_t i) { return elements_[static_cast<size_t>(i)]; }
    const KvSNMPVar& operator[](int32_t i) const { return elements_[static_cast<size_t>(i)]; }
    std::vector<KvSNMPVar>& Elements() { return elements_; }
    const std::vector<KvSNMPVar>& Elements() const { return elements_; }

    // skip clear and read set
    bool IsReadable(int32_t i) const;
    // skip clear, and write set or (kind 2/3 and i below the key count)
    bool IsWritable(int32_t i) const;
    // skip and hidden clear, and one of index, shown, read set
    bool IsShown(int32_t i) const;
    // flags exactly write, or skip set, or hidden set
    bool IsUnshown(int32_t i) const;
    // implied bit set
    bool IsImplied(int32_t i) const;
    int32_t ShownCount() const;
    int32_t UnshownCount() const;

    std::string instance; // instance suffix appended to every oid in requests
    int32_t keyCount = 0;
    uint8_t kind = kvListScalars;
    std::string name; // used in status lines

private:
    std::vector<KvSNMPVar> elements_;
};

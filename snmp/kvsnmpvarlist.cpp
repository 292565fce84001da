#include "snmp/kvsnmpvarlist.h"

KvSNMPVarList::KvSNMPVarList(const VarDef* table, uint8_t kind, int32_t keyCount) : keyCount(keyCount), kind(kind)
{
    Append(table);
}

KvSNMPVarList::KvSNMPVarList(const KvSNMPVarList& other)
    : keyCount(other.keyCount), kind(other.kind), name(other.name), elements_(other.elements_)
{
}

KvSNMPVarList& KvSNMPVarList::operator=(const KvSNMPVarList& other)
{
    if (this == &other)
        return *this;
    // `instance` stays: it belongs to the target.
    keyCount = other.keyCount;
    kind = other.kind;
    name = other.name;
    elements_ = other.elements_;
    return *this;
}

void KvSNMPVarList::Append(const VarDef* table)
{
    if (!table)
        return;
    size_t rows = 0;
    while (table[rows].oid)
        ++rows;
    elements_.reserve(elements_.size() + rows);
    for (size_t i = 0; i < rows; ++i) {
        const VarDef& row = table[i];
        KvSNMPVar var;
        var.oid = row.oid;
        var.label = row.label ? row.label : "";
        var.syntax = row.syntax;
        var.access = row.access;
        var.options = row.options;
        var.getExpression = row.getExpression ? row.getExpression : "";
        var.setExpression = row.setExpression ? row.setExpression : "";
        var.spareText = row.spareText ? row.spareText : "";
        elements_.push_back(std::move(var));
    }
}

void KvSNMPVarList::AppendSuffix(const std::string& suffix)
{
    for (KvSNMPVar& var : elements_)
        var.oid += "." + suffix;
}

bool KvSNMPVarList::IsReadable(int32_t i) const
{
    uint32_t a = (*this)[i].access;
    return !(a & accSkip) && (a & accRead);
}

bool KvSNMPVarList::IsWritable(int32_t i) const
{
    uint32_t a = (*this)[i].access;
    if (a & accSkip)
        return false;
    if (a & accWrite)
        return true;
    return (kind == kvListTable || kind == kvListTableRows) && i < keyCount;
}

bool KvSNMPVarList::IsShown(int32_t i) const
{
    uint32_t a = (*this)[i].access;
    return !(a & (accSkip | accHidden)) && (a & (accIndex | accShown | accRead));
}

bool KvSNMPVarList::IsUnshown(int32_t i) const
{
    uint32_t a = (*this)[i].access;
    return a == accWrite || (a & accSkip) || (a & accHidden);
}

bool KvSNMPVarList::IsImplied(int32_t i) const
{
    return ((*this)[i].access & accImplied) != 0;
}

int32_t KvSNMPVarList::ShownCount() const
{
    int32_t n = 0;
    for (int32_t i = 0; i < Count(); ++i)
        n += IsShown(i) ? 1 : 0;
    return n;
}

int32_t KvSNMPVarList::UnshownCount() const
{
    int32_t n = 0;
    for (int32_t i = 0; i < Count(); ++i)
        n += IsUnshown(i) ? 1 : 0;
    return n;
}

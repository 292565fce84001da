#pragma once
#include <cstdint>
#include <initializer_list>
#include <set>

class KvSNMPVarList;

// The variables one write carries: elements of its variable list. A write
// sends those of them the list lets it write (KvSNMPVarList::IsWritable: not
// skipped by the page's table, and writable or the key of a table row) with
// the list's values, and no other. A set is a plain value: a flow builds it
// for one write and hands it over whole; nothing else changes for the write.
class KvWriteSet {
public:
    KvWriteSet() = default;
    KvWriteSet(std::initializer_list<int32_t> elements) : elements_(elements) {}
    // Every element of `variables`.
    static KvWriteSet All(const KvSNMPVarList& variables);

    KvWriteSet& Add(int32_t element)
    {
        elements_.insert(element);
        return *this;
    }
    KvWriteSet& Remove(int32_t element)
    {
        elements_.erase(element);
        return *this;
    }
    bool Contains(int32_t element) const { return elements_.count(element) != 0; }
    bool Empty() const { return elements_.empty(); }
    // True when a write of this set would carry a value of `variables`: an
    // element the list lets it write that is no key of a table row (a row's
    // keys name the row; they are no value of their own).
    bool CarriesValue(const KvSNMPVarList& variables) const;
    const std::set<int32_t>& Elements() const { return elements_; }
    bool operator==(const KvWriteSet&) const = default;

private:
    std::set<int32_t> elements_;
};

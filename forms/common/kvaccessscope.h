#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

class KvSNMPVarList;

// The access flags of a variable list across the steps of one write that
// sends only some of its variables at a time: taken when the scope begins,
// changed for each step, and put back when it ends, whichever way it ends.
class KvAccessScope {
public:
    explicit KvAccessScope(KvSNMPVarList& variables);
    ~KvAccessScope();
    KvAccessScope(const KvAccessScope&) = delete;
    KvAccessScope& operator=(const KvAccessScope&) = delete;

    // Adds the skip flag to the variables at `indexes` (others are ignored).
    void Skip(std::initializer_list<int> indexes);
    // Gives the first variables these flags, one value each.
    void Set(std::initializer_list<uint32_t> flags);
    // Puts back the flags the scope began with.
    void Restore();

private:
    KvSNMPVarList& variables_;
    std::vector<uint32_t> saved_;
};

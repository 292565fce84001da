#include "forms/common/kvaccessscope.h"

#include "snmp/kvsnmpvarlist.h"

KvAccessScope::KvAccessScope(KvSNMPVarList& variables) : variables_(variables)
{
    for (int i = 0; i < variables_.Count(); ++i)
        saved_.push_back(variables_[i].access);
}

KvAccessScope::~KvAccessScope()
{
    Restore();
}

void KvAccessScope::Skip(std::initializer_list<int> indexes)
{
    for (int i : indexes)
        if (i >= 0 && i < variables_.Count())
            variables_[i].access |= accSkip;
}

void KvAccessScope::Set(std::initializer_list<uint32_t> flags)
{
    int i = 0;
    for (uint32_t flag : flags) {
        if (i >= variables_.Count())
            break;
        variables_[i++].access = flag;
    }
}

void KvAccessScope::Restore()
{
    for (int i = 0; i < variables_.Count() && i < static_cast<int>(saved_.size()); ++i)
        variables_[i].access = saved_[static_cast<size_t>(i)];
}

#include "snmp/kvsnmpwalkcursor.h"

#include <algorithm>

#include "common/kvvaluetext.h"
#include "snmp/snmpstatus.h"

namespace {

// True when `received` comes after `previous` in the order of object
// identifiers (arc by arc; a prefix comes first). Texts that are no dotted
// identifiers (a column reset to a base OID without an instance) only need to
// differ.
bool ComesAfter(const std::string& previous, const std::string& received)
{
    std::vector<uint32_t> before;
    std::vector<uint32_t> after;
    if (!ParseArcs(previous, before) || !ParseArcs(received, after))
        return received != previous;
    return before < after;
}

// The error statuses an agent refuses a request with (tooBig .. inconsistentName).
bool IsRefusal(int32_t errorStatus)
{
    return errorStatus >= snmpPduTooBig && errorStatus <= snmpPduInconsistentName;
}

} // namespace

void KvSNMPWalkCursor::Start(int32_t columns, bool bulk)
{
    DropRows();
    positions_.clear();
    columns_ = columns;
    repetitions_ = bulk && columns > 0 ? std::clamp(kMaxBindings / columns, 1, kMaxRows) : 0;
}

KvWalkAction KvSNMPWalkCursor::TakeBulk(int32_t errorStatus, const std::vector<SnmpVb>& bindings)
{
    if (IsRefusal(errorStatus)) {
        if (errorStatus == snmpPduTooBig && repetitions_ > 1) {
            repetitions_ /= 2;
            return KvWalkAction::AskFewer;
        }
        repetitions_ = 0;
        return KvWalkAction::FallBackToGetNext;
    }
    if (errorStatus != 0)
        return KvWalkAction::EndWithError;
    const size_t columns = static_cast<size_t>(columns_);
    size_t whole = 0;
    for (size_t first = 0; columns > 0 && first + columns <= bindings.size(); first += columns) {
        SnmpPdu row;
        row.vbs.assign(bindings.begin() + static_cast<std::ptrdiff_t>(first),
                       bindings.begin() + static_cast<std::ptrdiff_t>(first + columns));
        rows_.push_back(std::move(row));
        ++whole;
    }
    if (whole == 0) {
        // Not one whole row: an agent whose GETBULK is of no use.
        repetitions_ = 0;
        return KvWalkAction::FallBackToGetNext;
    }
    return KvWalkAction::HandOnRows;
}

SnmpPdu KvSNMPWalkCursor::NextRow()
{
    SnmpPdu row = std::move(rows_.front());
    rows_.pop_front();
    return row;
}

std::vector<std::string> KvSNMPWalkCursor::AskAheadFrom(const std::vector<std::string>& bases) const
{
    std::vector<std::string> oids;
    if (rows_.empty())
        return oids;
    const std::vector<SnmpVb>& last = rows_.back().vbs;
    if (last.size() < bases.size())
        return oids;
    for (size_t c = 0; c < bases.size(); ++c) {
        if (last[c].IsException() || !InSubtree(bases[c], last[c].oid))
            return {};
        oids.push_back(last[c].oid);
    }
    return oids;
}

KvWalkAction KvSNMPWalkCursor::RowRead(KvWalkRow row)
{
    switch (row) {
    case KvWalkRow::Ended:
        positions_.clear();
        DropRows();
        return KvWalkAction::End;
    case KvWalkRow::SomeEnded:
        // The ended columns start again from this row: what was received
        // after it is not what GETNEXT would give.
        DropRows();
        return KvWalkAction::AskNext;
    case KvWalkRow::Row:
        break;
    }
    return rows_.empty() ? KvWalkAction::AskNext : KvWalkAction::HandOnRows;
}

bool KvSNMPWalkCursor::Revisits(const std::string& position)
{
    return !positions_.insert(position).second;
}

void KvSNMPWalkCursor::DropRows()
{
    rows_.clear();
    ++generation_;
}

bool KvSNMPWalkCursor::InSubtree(const std::string& base, const std::string& oid)
{
    return oid.size() > base.size() + 1 && oid.compare(0, base.size(), base) == 0 && oid[base.size()] == '.';
}

bool KvSNMPWalkCursor::ColumnEnds(const std::string& base, const std::string& previous, const std::string& received)
{
    return !(InSubtree(base, received) && ComesAfter(previous, received));
}

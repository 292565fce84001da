#pragma once
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "snmp/snmppdu.h"

// What a table walk does after an answer or a row.
enum class KvWalkAction {
    HandOnRows,        // rows are waiting: take them with NextRow()
    AskNext,           // send the next request from the current position
    AskFewer,          // the GETBULK was too big: send it again with fewer repetitions
    FallBackToGetNext, // GETBULK refused or useless: send the step again as GETNEXT
    End,               // the walk is over
    EndWithError,      // the walk is over, with the answer's error
};

// How the row just read left the walked columns.
enum class KvWalkRow {
    Row,       // every column moved forward
    SomeEnded, // some, not all, columns left their subtree
    Ended,     // the walk ended (every column ended, a repeat, an error)
};

// The decisions of one table walk, without sockets: how many rows each
// request asks for (GETBULK repetitions, or GETNEXT), what an answer gives
// (rows to hand on one at a time, or a request to send again), and when the
// walk ends. The request engine sends what the cursor asks for and hands the
// cursor every answer and every row it has read.
//
// A GETBULK for the walked columns c1..cn with r repetitions answers r rows of
// n bindings; row k holds the k-th successor of every column, which is what k
// GETNEXT steps give as long as every column moves forward. A GETNEXT walk
// restarts a column that ended from the current row, so once a row arrives in
// which some but not all columns ended, the rows after it are dropped and the
// walk asks again from there.
class KvSNMPWalkCursor {
public:
    // Upper bounds of one GETBULK: rows, and bindings (rows x walked columns).
    static constexpr int32_t kMaxRows = 25;
    static constexpr int32_t kMaxBindings = 100;

    // A new walk of `columns` columns; with `bulk` (SNMPv2c or v3, GETBULK not
    // turned off) it asks for as many rows as the bounds allow.
    void Start(int32_t columns, bool bulk);
    // Repetitions of the next request; 0 asks with GETNEXT.
    int32_t Repetitions() const { return repetitions_; }
    bool Bulk() const { return repetitions_ > 0; }
    // Changes whenever rows waiting and requests on the wire become stale (a
    // new walk, rows dropped): an answer of another generation is ignored.
    uint32_t Generation() const { return generation_; }

    // The answer to a GETBULK: its error status and bindings. An agent may
    // cut the answer short; only whole rows are handed on, and a row it cut is
    // asked again.
    KvWalkAction TakeBulk(int32_t errorStatus, const std::vector<SnmpVb>& bindings);
    bool HasRows() const { return !rows_.empty(); }
    // The next row waiting (bindings in column order).
    SnmpPdu NextRow();
    // The last row waiting (HasRows() must hold).
    const SnmpPdu& LastRow() const { return rows_.back(); }
    // The GETBULK that follows the rows waiting may go on the wire while they
    // are handed on only while every column of the last one is still in its
    // subtree (`bases`, in column order): gives the OIDs to ask from, or
    // nothing when the walk ends, or asks again, within the rows waiting.
    std::vector<std::string> AskAheadFrom(const std::vector<std::string>& bases) const;

    // The row just handed on was read; what follows.
    KvWalkAction RowRead(KvWalkRow row);
    // True when the walk has been at `position` (the columns' last OIDs and
    // the index values) before: an agent that answers out of order would
    // otherwise keep the walk going round.
    bool Revisits(const std::string& position);
    // Drops the rows waiting and makes the requests on the wire stale.
    void DropRows();

    // Whether an answer `received` to a GETNEXT from `previous` ends the
    // column based at `base`: it does unless it lies in the column's subtree
    // (`base` and at least one arc more) and comes after `previous`. An
    // answer with the OID asked for, or one before it, ends the column rather
    // than keeping the walk going.
    static bool ColumnEnds(const std::string& base, const std::string& previous, const std::string& received);
    // True when `oid` lies in the subtree of `base` (".5" does not admit ".50").
    static bool InSubtree(const std::string& base, const std::string& oid);

private:
    int32_t columns_ = 0;
    int32_t repetitions_ = 0;
    uint32_t generation_ = 0;
    std::deque<SnmpPdu> rows_;
    std::set<std::string> positions_;
};

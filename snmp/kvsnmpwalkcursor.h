#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "snmp/snmppdu.h"

// What the walks of a process did: totals since it started (differences
// between two readings give what happened in between).
struct KvWalkStats {
    int64_t requests = 0;    // requests sent (GETBULK and GETNEXT)
    int64_t retries = 0;     // of them, requests sent again (fewer rows, GETNEXT instead, after a time-out)
    int64_t answers = 0;     // answers received
    int64_t bindings = 0;    // bindings received
    int64_t bytes = 0;       // encoded size of the answers received
    int64_t roundTripMs = 0; // time from sending to the answer, summed over the answers
    int32_t settled = 0;     // bindings the last walk's next GETBULK would ask for (0: GETNEXT)
};

// What a table walk does after an answer or a row.
enum class KvWalkAction {
    HandOnRows,        // rows are waiting: take them with NextRow()
    AskNext,           // send the next request from the current position
    AskFewer,          // the GETBULK was too big or not answered: send it again with fewer repetitions
    FallBackToGetNext, // GETBULK refused or useless: send the step again as GETNEXT
    End,               // the walk is over
    EndWithError,      // the walk is over, with the answer's error
};

// How the row just read left the walked columns.
enum class KvWalkRow {
    Row,       // every column moved forward, or those that ended stay ended
    SomeEnded, // some, not all, columns left their subtree and start again behind where they were
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
// which a column ended and starts again behind where it had got to, the rows
// after it are dropped and the walk asks again from there. (A column that
// ends for good, or was empty, keeps the rows after it.)
//
// An answer that stays in a column without moving past the OID asked for
// (Stalls), or a walk that comes back to where it was (Revisits), ends the
// walk with an error: the table read so far would be silently short.
class KvSNMPWalkCursor {
public:
    // The first GETBULK to an agent not yet heard from asks for at most
    // kStartRows rows and kStartBindings bindings (rows x walked columns).
    // While answers come back whole and quickly the requests grow (four times
    // as large until the agent or the link has once set a limit, by a quarter
    // after that), up to kMaxRepetitions rows and as many bindings as an
    // answer of kMaxMessageBytes holds at the size of the bindings seen so
    // far. A tooBig halves the request and sets a ceiling, a time-out of a
    // grown request halves it; an answer the agent cut short shows the most it
    // gives. An agent that refuses GETBULK is walked with GETNEXT, and tried
    // with GETBULK again once kBulkRetryAfter has passed (a refusal may have
    // been passing: an agent busy or short of memory for a moment). What a
    // walk learns stays with the agent's address for the rest of the process.
    static constexpr int32_t kStartRows = 25;
    static constexpr int32_t kStartBindings = 100;
    // The first GETBULK of a walk asks for at most this many bindings however
    // large the agent's answers were: the bindings of this table may be
    // larger than those seen before (long indexes, long strings).
    static constexpr int32_t kFirstBindings = 400;
    static constexpr int32_t kMaxRepetitions = 1000;
    static constexpr int32_t kMaxMessageBytes = 65507; // the largest UDP datagram
    // Answers slower than this part of one attempt's time-out stop the growth.
    static constexpr int32_t kSlowAnswerShare = 4;
    // Time-outs one walk shrinks for before it gives up.
    static constexpr int32_t kTimeoutShrinks = 2;
    static constexpr std::chrono::minutes kBulkRetryAfter{10};

    // A new walk of `columns` columns; with `bulk` (SNMPv2c or v3, GETBULK not
    // turned off) it asks with GETBULK, sized by what earlier walks learnt of
    // `agent` (address and port; empty: nothing is remembered). `attemptMs`
    // is the time-out of one attempt (0: answers are never slow).
    void Start(int32_t columns, bool bulk, const std::string& agent = {}, int32_t attemptMs = 0);
    // Repetitions of the next request; 0 asks with GETNEXT.
    int32_t Repetitions() const { return repetitions_; }
    bool Bulk() const { return repetitions_ > 0; }
    // Changes whenever rows waiting and requests on the wire become stale (a
    // new walk, rows dropped): an answer of another generation is ignored.
    uint32_t Generation() const { return generation_; }

    // A request of the walk goes on the wire now: counts it and notes the
    // time; gives the repetitions to send (0: GETNEXT).
    int32_t Sending();
    // The answer to a GETBULK: its error status and bindings. An agent may
    // cut the answer short; only whole rows are handed on, and a row it cut is
    // asked again.
    KvWalkAction TakeBulk(int32_t errorStatus, const std::vector<SnmpVb>& bindings);
    // A GETBULK was not answered: AskFewer while the walk may shrink (it
    // grew beyond one row, and kTimeoutShrinks is not used up), else
    // EndWithError.
    KvWalkAction TakeTimeout();
    // The answer to a GETNEXT step of the walk (counted only).
    void TakeGetNext(const std::vector<SnmpVb>& bindings);
    // Bindings the next GETBULK asks for (rows x columns).
    int32_t Bindings() const { return repetitions_ * columns_; }
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
    // otherwise keep the walk going round. Such a walk ends with an error.
    bool Revisits(const std::string& position);
    // Drops the rows waiting and makes the requests on the wire stale.
    void DropRows();

    // Whether an answer `received` to a GETNEXT from `previous` ends the
    // column based at `base`: it does unless it lies in the column's subtree
    // (`base` and at least one arc more) and comes after `previous`. An
    // answer with the OID asked for, or one before it, ends the column rather
    // than keeping the walk going.
    static bool ColumnEnds(const std::string& base, const std::string& previous, const std::string& received);
    // True when `received`, the answer to a GETNEXT from `previous` in the
    // column based at `base`, stays in the column but does not come after
    // `previous` (the same OID again, or one before it): the agent does not
    // move the walk on, and the walk ends with an error rather than as if the
    // table ended there. An exception (endOfMibView) does not count.
    static bool Stalls(const std::string& base, const std::string& previous, const SnmpVb& received);
    // The size of one binding as encoded on the wire (BER).
    static int32_t EncodedSize(const SnmpVb& binding);

    // What the walks of this process did so far.
    static KvWalkStats Totals();
    // Forgets what was learnt of every agent (tests that count requests).
    static void ForgetAgents();
    // Makes what was learnt of every agent `age` older (tests of the retry).
    static void AgeAgents(std::chrono::steady_clock::duration age);

    // What walks learnt of one agent.
    struct Agent {
        int32_t bindings = 0;     // bindings per GETBULK to start from (0: not known yet)
        int32_t ceiling = 0;      // bindings no GETBULK reaches (tooBig, or the most it answers + 1; 0: none)
        bool limited = false;     // a limit was met: grow by a quarter from then on
        bool noBulk = false;      // GETBULK refused: GETNEXT only (until kBulkRetryAfter from refusedAt)
        int64_t bytesSeen = 0;    // encoded size of the bindings received,
        int64_t bindingsSeen = 0; // and their number
        std::chrono::steady_clock::time_point refusedAt{};
    };
    // True when a column that ended, having been asked from `previous`,
    // starts again from `restart`, before it: a GETNEXT from there may find
    // rows of the column that a GETBULK's later rows (the successors of
    // where the column ended) do not hold. Not behind it (or never asked),
    // the column has nothing after `restart` either, and the later rows
    // stand.
    static bool RestartsBehind(const std::string& previous, const std::string& restart);
    // True when `oid` lies in the subtree of `base` (".5" does not admit ".50").
    static bool InSubtree(const std::string& base, const std::string& oid);

private:
    // The most bindings a GETBULK may ask for.
    int32_t Limit() const;
    // Sets the repetitions for `bindings` bindings (within Limit()) and
    // stores the size with the agent.
    void Resize(int32_t bindings);
    void Save();
    // Counts an answer of `bindings` (its size and round-trip time).
    void CountAnswer(const std::vector<SnmpVb>& bindings);
    void CountRetry();
    // Notes the size of the next request in the totals.
    void Settle();
    // What a GETBULK answer gives (TakeBulk, without the counting).
    KvWalkAction Decide(int32_t errorStatus, const std::vector<SnmpVb>& bindings);
    // After an answer of `received` bindings with rows: grows the request
    // when the answer was whole and came quickly, or settles on the most an
    // agent that cut it short gives.
    void Grow(size_t received);
    // Remembers that the agent refuses GETBULK.
    void RefuseBulk();

    int32_t columns_ = 0;
    int32_t repetitions_ = 0;
    uint32_t generation_ = 0;
    std::string agent_;
    int32_t attemptMs_ = 0;
    int32_t sentRepetitions_ = 0; // of the request on the wire
    int32_t timeoutShrinks_ = 0;
    Agent learnt_;
    int64_t lastRoundTripMs_ = 0;
    int64_t walkBytes_ = 0;    // encoded size of the bindings this walk received,
    int64_t walkBindings_ = 0; // and their number
    std::chrono::steady_clock::time_point sentAt_{};
    std::deque<SnmpPdu> rows_;
    std::set<std::string> positions_;
};

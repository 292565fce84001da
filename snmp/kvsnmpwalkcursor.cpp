#include "snmp/kvsnmpwalkcursor.h"

#include <algorithm>
#include <map>
#include <mutex>

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

// Bytes of a BER length field, and of a whole element of `content` bytes.
int32_t LengthBytes(int32_t content)
{
    return content < 0x80 ? 1 : content < 0x100 ? 2 : content < 0x10000 ? 3 : 4;
}

int32_t ElementBytes(int32_t content)
{
    return 1 + LengthBytes(content) + content;
}

// Bytes of an OID's arcs (the first two share one sub-identifier).
int32_t ArcBytes(const std::vector<uint32_t>& arcs)
{
    auto bytes = [](uint64_t arc) {
        int32_t n = 1;
        while (arc >= 0x80) {
            arc >>= 7;
            ++n;
        }
        return n;
    };
    if (arcs.size() < 2)
        return 1;
    int32_t total = bytes(uint64_t{arcs[0]} * 40 + arcs[1]);
    for (size_t i = 2; i < arcs.size(); ++i)
        total += bytes(arcs[i]);
    return total;
}

// Bytes of an integer's content: two's complement, as short as it goes.
int32_t IntegerBytes(int64_t value)
{
    int32_t n = 1;
    while (n < 9 && !(value >= -(int64_t{1} << (8 * n - 1)) && value < (int64_t{1} << (8 * n - 1))))
        ++n;
    return n;
}

int32_t UnsignedBytes(uint64_t value)
{
    int32_t n = 1;
    while (n < 9 && (value >> (8 * n - 1)) != 0)
        ++n;
    return n;
}

// Of an answer: the message, PDU and binding-list headers around the bindings.
constexpr int32_t kAnswerOverheadBytes = 40;

// What the walks of a process have learnt of each agent, and their totals.
struct Learnt {
    std::mutex lock;
    std::map<std::string, KvSNMPWalkCursor::Agent> agents;
    KvWalkStats totals;
};

Learnt& Shared()
{
    static Learnt learnt;
    return learnt;
}

} // namespace

void KvSNMPWalkCursor::Start(int32_t columns, bool bulk, const std::string& agent, int32_t attemptMs)
{
    DropRows();
    positions_.clear();
    columns_ = columns;
    agent_ = agent;
    attemptMs_ = attemptMs;
    timeoutShrinks_ = 0;
    learnt_ = Agent{};
    if (!agent.empty()) {
        Learnt& shared = Shared();
        const std::lock_guard<std::mutex> hold(shared.lock);
        learnt_ = shared.agents[agent];
    }
    repetitions_ = 0;
    sentRepetitions_ = 0;
    walkBytes_ = 0;
    walkBindings_ = 0;
    if (learnt_.noBulk && std::chrono::steady_clock::now() - learnt_.refusedAt >= kBulkRetryAfter) {
        // Long enough with GETNEXT: GETBULK again, from the size of a first walk.
        learnt_ = Agent{};
    }
    if (!bulk || columns <= 0 || learnt_.noBulk)
        return;
    Resize(learnt_.bindings > 0 ? std::min(learnt_.bindings, kFirstBindings)
                                : std::min(kStartBindings, kStartRows * columns));
}

int32_t KvSNMPWalkCursor::Limit() const
{
    int64_t limit = int64_t{kMaxRepetitions} * columns_;
    if (learnt_.ceiling > 0)
        limit = std::min<int64_t>(limit, learnt_.ceiling - 1);
    // Room for three quarters of the largest answer at the size of the
    // bindings this walk has seen (before its first answer, those of the
    // agent): larger values further on still fit.
    const int64_t bytes = walkBindings_ > 0 ? walkBytes_ : learnt_.bytesSeen;
    const int64_t count = walkBindings_ > 0 ? walkBindings_ : learnt_.bindingsSeen;
    if (count > 0) {
        const int64_t average = std::max<int64_t>(1, bytes / count);
        limit = std::min<int64_t>(limit, (int64_t{kMaxMessageBytes} - kAnswerOverheadBytes) * 3 / 4 / average);
    }
    return static_cast<int32_t>(std::max<int64_t>(limit, 1));
}

void KvSNMPWalkCursor::Resize(int32_t bindings)
{
    bindings = std::clamp(bindings, 1, Limit());
    repetitions_ = std::clamp(bindings / columns_, 1, kMaxRepetitions);
    learnt_.bindings = bindings;
    Save();
}

void KvSNMPWalkCursor::Save()
{
    if (agent_.empty())
        return;
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    shared.agents[agent_] = learnt_;
}

void KvSNMPWalkCursor::RefuseBulk()
{
    repetitions_ = 0;
    learnt_.noBulk = true;
    learnt_.refusedAt = std::chrono::steady_clock::now();
    Save();
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    ++shared.totals.retries;
}

int32_t KvSNMPWalkCursor::Sending()
{
    sentAt_ = std::chrono::steady_clock::now();
    sentRepetitions_ = repetitions_;
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    ++shared.totals.requests;
    return repetitions_;
}

void KvSNMPWalkCursor::CountAnswer(const std::vector<SnmpVb>& bindings)
{
    int64_t bytes = kAnswerOverheadBytes;
    for (const SnmpVb& vb : bindings)
        bytes += EncodedSize(vb);
    lastRoundTripMs_ =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sentAt_).count();
    if (!bindings.empty()) {
        learnt_.bytesSeen += bytes - kAnswerOverheadBytes;
        learnt_.bindingsSeen += static_cast<int64_t>(bindings.size());
        walkBytes_ += bytes - kAnswerOverheadBytes;
        walkBindings_ += static_cast<int64_t>(bindings.size());
    }
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    ++shared.totals.answers;
    shared.totals.bindings += static_cast<int64_t>(bindings.size());
    shared.totals.bytes += bytes;
    shared.totals.roundTripMs += lastRoundTripMs_;
}

void KvSNMPWalkCursor::CountRetry()
{
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    ++shared.totals.retries;
}

void KvSNMPWalkCursor::Grow(size_t received)
{
    const int32_t sent = sentRepetitions_ * columns_;
    if (sent <= 0)
        return;
    if (received < static_cast<size_t>(sent)) {
        // Cut short: the most this agent gives in one answer.
        const int32_t most = static_cast<int32_t>(received);
        learnt_.ceiling = learnt_.ceiling > 0 ? std::min(learnt_.ceiling, most + 1) : most + 1;
        learnt_.limited = true;
        Resize(std::min(learnt_.bindings, most));
        return;
    }
    if (attemptMs_ > 0 && lastRoundTripMs_ * kSlowAnswerShare > attemptMs_) {
        Save();
        return; // slow already: no larger requests
    }
    const int32_t from = std::max(learnt_.bindings, sent);
    Resize(learnt_.limited ? from + std::max(columns_, from / 4) : from * 4);
}

KvWalkAction KvSNMPWalkCursor::TakeTimeout()
{
    const int32_t sent = sentRepetitions_ * columns_;
    // A request no larger than the first ones to an unknown agent is not
    // made smaller: the agent is more likely gone than the answer too large.
    if (sentRepetitions_ <= 1 || sent <= kStartBindings || timeoutShrinks_ >= kTimeoutShrinks)
        return KvWalkAction::EndWithError;
    ++timeoutShrinks_;
    learnt_.limited = true;
    Resize(sent / 2);
    CountRetry();
    Settle();
    return KvWalkAction::AskFewer;
}

void KvSNMPWalkCursor::TakeGetNext(const std::vector<SnmpVb>& bindings)
{
    CountAnswer(bindings);
    Settle();
}

KvWalkStats KvSNMPWalkCursor::Totals()
{
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    return shared.totals;
}

void KvSNMPWalkCursor::ForgetAgents()
{
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    shared.agents.clear();
}

void KvSNMPWalkCursor::AgeAgents(std::chrono::steady_clock::duration age)
{
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    for (auto& [address, agent] : shared.agents)
        agent.refusedAt -= age;
}

int32_t KvSNMPWalkCursor::EncodedSize(const SnmpVb& binding)
{
    std::vector<uint32_t> arcs;
    const int32_t name = ElementBytes(ParseArcs(binding.oid, arcs) ? ArcBytes(arcs) : 1);
    int32_t value = 0;
    switch (binding.tag) {
    case tagInteger:
        value = IntegerBytes(static_cast<int64_t>(binding.number));
        break;
    case tagCounter32:
    case tagGauge32:
    case tagTimeTicks:
    case tagUInteger32:
    case tagCounter64:
        value = UnsignedBytes(binding.number);
        break;
    case tagOid:
        value = ArcBytes(binding.arcs);
        break;
    default:
        value = static_cast<int32_t>(binding.octets.size());
        break;
    }
    return ElementBytes(name + ElementBytes(value));
}

void KvSNMPWalkCursor::Settle()
{
    Learnt& shared = Shared();
    const std::lock_guard<std::mutex> hold(shared.lock);
    shared.totals.settled = Bindings();
}

KvWalkAction KvSNMPWalkCursor::TakeBulk(int32_t errorStatus, const std::vector<SnmpVb>& bindings)
{
    CountAnswer(bindings);
    const KvWalkAction action = Decide(errorStatus, bindings);
    Settle();
    return action;
}

KvWalkAction KvSNMPWalkCursor::Decide(int32_t errorStatus, const std::vector<SnmpVb>& bindings)
{
    if (IsRefusal(errorStatus)) {
        if (errorStatus == snmpPduTooBig && sentRepetitions_ > 1) {
            const int32_t sent = sentRepetitions_ * columns_;
            learnt_.ceiling = learnt_.ceiling > 0 ? std::min(learnt_.ceiling, sent) : sent;
            learnt_.limited = true;
            Resize(sent / 2);
            CountRetry();
            return KvWalkAction::AskFewer;
        }
        RefuseBulk();
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
        RefuseBulk();
        return KvWalkAction::FallBackToGetNext;
    }
    // An answer that ends in an exception (the end of the agent's view) is
    // whole whatever its length.
    Grow(bindings.back().IsException() ? std::max(bindings.size(), static_cast<size_t>(Bindings())) : bindings.size());
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

bool KvSNMPWalkCursor::Stalls(const std::string& base, const std::string& previous, const SnmpVb& received)
{
    return !received.IsException() && InSubtree(base, received.oid) && !ComesAfter(previous, received.oid);
}

bool KvSNMPWalkCursor::RestartsBehind(const std::string& previous, const std::string& restart)
{
    return !previous.empty() && ComesAfter(restart, previous);
}

bool KvSNMPWalkCursor::ColumnEnds(const std::string& base, const std::string& previous, const std::string& received)
{
    return !(InSubtree(base, received) && ComesAfter(previous, received));
}

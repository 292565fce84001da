// The request flow of KvSNMPRequest: settings, targets and PDUs, reading
// responses, and the blocking operations. The asynchronous operations are in
// kvsnmprequestasync.cpp, conversions in kvsnmprequestconversions.cpp,
// expressions in kvsnmprequestexpressions.cpp, table walks in kvsnmpwalk.cpp.
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"
#include "snmp/kvsnmprequestsupport.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/kvmessages.h"
#include "common/kvtext.h"
#include "common/kvvaluetext.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

namespace {

constexpr int kDestroyWaitMs = 6000;

} // namespace

namespace kvrequest {

void RaiseStatus(int status)
{
    int32_t code = 0;
    std::string message;
    KvSNMPRequest::MapStatus(status, code, message);
    throw KvError(code, message);
}

bool IsTable(uint8_t kind)
{
    return kind == kvListTable || kind == kvListTableRows;
}

SnmpEngine& Session()
{
    SnmpEngine* engine = KvSnmpSession();
    if (!engine)
        KvRaise(kvErrNoSession);
    return *engine;
}

std::string JoinArcs(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + "." + b;
}

int32_t ElementOfBinding(const std::vector<int32_t>& elements, int32_t errorIndex)
{
    if (errorIndex < 1 || static_cast<size_t>(errorIndex) > elements.size())
        return -1;
    return elements[static_cast<size_t>(errorIndex - 1)];
}

} // namespace kvrequest

using kvrequest::ElementOfBinding;
using kvrequest::IsTable;
using kvrequest::kNotDone;
using kvrequest::RaiseStatus;
using kvrequest::Session;


int32_t KvSNMPRequest::VariableOfBinding(int32_t errorIndex) const
{
    return ElementOfBinding(pduVariables_, errorIndex);
}

KvSNMPRequest::KvSNMPRequest()
    : timeout(defaultTimeout), retries(1), address(KvSNMPDevice.address), port(KvSNMPDevice.port),
      contextEngineId(KvSNMPScope.contextEngineId), contextName(KvSNMPScope.contextName),
      version(KvSNMPSecurity.version), readCommunity(KvSNMPSecurity.readCommunity),
      writeCommunity(KvSNMPSecurity.writeCommunity), securityModel(KvSNMPSecurity.securityModel),
      securityLevel(KvSNMPSecurity.securityLevel), securityName(KvSNMPSecurity.securityName),
      authPassword(KvSNMPSecurity.authPassword), privPassword(KvSNMPSecurity.privPassword),
      authProtocol(KvSNMPSecurity.authProtocol), privProtocol(KvSNMPSecurity.privProtocol)
{
    const char* getNext = std::getenv("OSPREY_GETNEXT");
    if (getNext && *getNext && std::strcmp(getNext, "0") != 0)
        bulkWalks = false;
}

KvSNMPRequest::~KvSNMPRequest()
{
    active = false;
    destroying_ = true;
    WaitForCompletions(kDestroyWaitMs);
    // Whatever is still outstanding completes into nothing.
    for (Completion* record : outstanding_)
        record->request = nullptr;
}

bool KvSNMPRequest::WaitForCompletions(int maxMs)
{
    SnmpEngine* engine = KvSnmpSession();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (pending > 0 && engine) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            break;
        engine->WaitForEvents(static_cast<int>(std::min<long long>(left, 50)));
    }
    return pending <= 0;
}

void KvSNMPRequest::AbandonCompletions()
{
    for (Completion* record : outstanding_)
        record->request = nullptr;
    outstanding_.clear();
    ahead_ = nullptr;
    pending = 0;
}

// ---------------------------------------------------------------------------
// Status mapping

void KvSNMPRequest::MapStatus(int status, int32_t& code, std::string& message)
{
    // Each range of the library numbering maps onto the range of its message
    // set, first to first.
    if (status == snmpOk || status == usmOk || status == snmpV3Ok)
        code = kvErrOk;
    else if (status >= snmpPduTooBig && status <= snmpPduInconsistentName)
        code = kvErrSnmpFirst - (status - snmpPduTooBig);
    else if (status >= usmError && status <= usmAddressError)
        code = kvErrUsmFirst - (status - usmError);
    else if (status >= snmpV3ReportSent && status <= snmpV3UnsupportedSecurityModel)
        code = kvErrSnmpV3First + (status - snmpV3UnsupportedSecurityModel);
    else if (status >= snmpClassTransportAccessDenied && status <= snmpClassError)
        code = kvErrSnmpClassFirst + (status - snmpClassError);
    else
        code = kvErrUnknownCode;
    message = KvErrorText(code);
}

// ---------------------------------------------------------------------------
// Targets and PDUs

std::string KvSNMPRequest::BaseOid(int32_t i) const
{
    const std::string& oid = variables[i].oid;
    return variables.instance.empty() ? oid : oid + "." + variables.instance;
}

SnmpTarget KvSNMPRequest::BuildTarget()
{
    SnmpTarget target;
    target.address = address;
    target.port = port;
    if (address.empty() || address != validAddress_) {
        if (!target.IsValidAddress())
            KvRaise(kvErrBadAddress);
        validAddress_ = address;
    }
    target.version = version;
    target.retries = retries;
    target.timeout = timeout;
    if (version == 3) {
        target.securityModel = securityModel;
        target.securityName = securityName;
        Session().UsmAddUserName(securityName, authProtocol, privProtocol, authPassword, privPassword);
    } else {
        target.readCommunity = readCommunity;
        target.writeCommunity = writeCommunity;
    }
    return target;
}

SnmpPdu KvSNMPRequest::BuildPdu(PduType type, const KvWriteSet* write)
{
    SnmpPdu pdu;
    pdu.securityLevel = securityLevel;
    pdu.contextName = contextName;
    pdu.contextEngineId = contextEngineId;
    const uint8_t kind = variables.kind;
    if (kind > kvListTableRows)
        KvRaise(kvErrBadListKind);
    pduVariables_.clear();
    switch (type) {
    case PduType::Get:
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsReadable(i))
                continue;
            variables[i].lastOid.clear();
            SnmpVb vb;
            vb.oid = kind == kvListScalars ? BaseOid(i) + ".0" : BaseOid(i);
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        break;
    case PduType::GetNext:
        if (!IsTable(kind))
            KvRaise(kvErrGetNextOnScalars);
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsReadable(i))
                continue;
            SnmpVb vb;
            vb.oid = variables[i].lastOid;
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        break;
    case PduType::Set: {
        std::string rowInstance;
        bool haveInstance = false;
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsWritable(i) || (write && !write->Contains(i)))
                continue;
            if (IsTable(kind) && i < variables.keyCount)
                continue;
            SnmpVb vb;
            if (kind == kvListScalars) {
                vb.oid = BaseOid(i) + ".0";
            } else if (kind == kvListRow) {
                vb.oid = BaseOid(i);
            } else {
                if (!haveInstance) {
                    rowInstance = BuildInstance();
                    haveInstance = true;
                }
                vb.oid = BaseOid(i) + "." + rowInstance;
            }
            ValueToVb(i, vb);
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        // A set without a variable changes nothing and must not be reported
        // as a successful write.
        if (pdu.vbs.empty())
            RaiseStatus(snmpClassInvalidPdu);
        break;
    }
    }
    return pdu;
}

// ---------------------------------------------------------------------------
// Reading responses

KvSNMPRequest::Reading KvSNMPRequest::ReadResponse(const SnmpPdu& response, int32_t code, bool walkStep)
{
    // A walk step answers one binding per readable column; those of a table
    // make one row only where they name the same instance. A column the
    // switch has no cell for at the row's instance answers a later row's
    // value: the row is the lowest instance answered, and such a column's
    // value waits for its own row.
    struct Column {
        int32_t variable;
        const SnmpVb* vb;
        std::string base;
        bool finished;
        std::vector<uint32_t> instance; // in the column's subtree
    };
    std::vector<Column> columns;
    partialRow_ = false;
    const bool table = IsTable(variables.kind);
    size_t n = 0;
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (!variables.IsReadable(i))
            continue;
        if (n >= response.vbs.size())
            break; // fewer bindings than asked for: read what is there
        const SnmpVb& vb = response.vbs[n++];
        std::string base = BaseOid(i);
        KvSNMPVar& var = variables[i];
        if (code == kvErrNoSuchName && table) {
            // An SNMPv1 agent ends a walk by returning the request unchanged.
            return var.lastOid == vb.oid ? Reading::WalkEnded : Reading::NoSuchName;
        }
        // An answer that stays in the column without moving on would leave
        // the table silently short (or, believed, keep the walk going).
        if (table && walkStep && KvSNMPWalkCursor::Stalls(base, var.lastOid, vb))
            return Reading::OutOfOrder;
        const bool finished = IsColumnFinished(base, var.lastOid, vb.oid);
        Column column{i, &vb, std::move(base), finished, {}};
        if (table && !finished && !ParseArcs(vb.oid.substr(column.base.size() + 1), column.instance))
            column.instance.clear();
        columns.push_back(std::move(column));
    }
    // The row: the lowest instance among the columns still in their subtree
    // (a finished column's OID belongs to some other object).
    const Column* row = nullptr;
    for (const Column& column : columns)
        if (!(table && column.finished) && (!row || column.instance < row->instance))
            row = &column;
    if (!row) {
        for (const Column& column : columns)
            variables[column.variable].value = kNotDone;
        return Reading::AllFinished;
    }
    std::string rowInstance;
    if (row->vb->oid.size() > row->base.size())
        rowInstance = row->vb->oid.substr(row->base.size() + 1);
    std::vector<int32_t> finishedColumns;
    for (const Column& column : columns) {
        KvSNMPVar& var = variables[column.variable];
        if (table && column.finished) {
            var.value = kNotDone;
            finishedColumns.push_back(column.variable);
        } else if (table && column.instance != row->instance) {
            // No cell at this row: asked again from where it was, the column
            // answers the same value for the row it belongs to. The rows a
            // GETBULK gave after this one are out of step for it.
            var.value = kNotDone;
            if (var.lastOid.empty())
                var.lastOid = column.base;
            partialRow_ = true;
        } else {
            VbToValue(column.variable, *column.vb);
            var.lastOid = column.vb->oid;
        }
    }
    if (table)
        DecodeInstance(rowInstance);
    // A finished column goes on from the row just received. (Its instance is
    // built only now: before the first row the index values are still empty,
    // and an empty address or octet index has no instance at all.)
    // When it starts again behind where it was, GETNEXT may find in it what
    // the rows after this one, as a GETBULK answered them, do not hold.
    for (int32_t i : finishedColumns) {
        const std::string restart = BaseOid(i) + "." + BuildInstance();
        partialRow_ = partialRow_ || KvSNMPWalkCursor::RestartsBehind(variables[i].lastOid, restart);
        variables[i].lastOid = restart;
    }
    // Every column moves forward at each step, but a broken agent can still
    // bring a walk back to where it was (columns that end start again at the
    // current row's instance, which need not be the one received). The walk
    // ends with an error when it would repeat itself.
    if (table && walkStep && cursor_.Revisits(WalkPosition()))
        return Reading::OutOfOrder;
    for (int32_t i = 0; i < variables.Count(); ++i)
        ApplyExpression(i, true);
    RememberRead(response);
    return table ? Reading::Row : Reading::Values;
}

bool KvSNMPRequest::IsColumnFinished(const std::string& base, const std::string& previous, const std::string& received)
{
    if (!IsTable(variables.kind))
        return false;
    return KvSNMPWalkCursor::ColumnEnds(base, previous, received);
}

std::string KvSNMPRequest::WalkPosition() const
{
    std::string position;
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (variables.IsReadable(i))
            position += variables[i].lastOid;
        position += ' ';
        if (i < variables.keyCount)
            position += variables[i].value;
        position += '\n';
    }
    return position;
}


// ---------------------------------------------------------------------------
// Operations

bool KvSNMPRequest::Fetch(bool firstRow)
{
    if (!active)
        return false;
    const bool table = IsTable(variables.kind);
    if (firstRow)
        StartWalk();
    SnmpPdu pdu;
    int status = 0;
    if (table && !firstRow && cursor_.HasRows()) {
        // The next row of the last GETBULK.
        pdu = cursor_.NextRow();
    } else {
        for (;;) {
            SnmpTarget target = BuildTarget();
            pdu = BuildPdu(firstRow ? PduType::Get : PduType::GetNext);
            if (!table) {
                status = Session().Get(pdu, target);
                break;
            }
            if (!cursor_.Bulk() || version == 0) {
                cursor_.Sending();
                status = Session().GetNext(pdu, target);
                if (status == 0)
                    cursor_.TakeGetNext(pdu.vbs);
                break;
            }
            pdu.maxRepetitions = cursor_.Sending();
            status = Session().GetBulk(pdu, target);
            if (status == snmpClassTimeout && cursor_.TakeTimeout() == KvWalkAction::AskFewer)
                continue;
            if (status != 0 && !(status >= snmpPduTooBig && status <= snmpPduInconsistentName))
                break;
            if (cursor_.TakeBulk(status, pdu.vbs) == KvWalkAction::HandOnRows) {
                pdu = cursor_.NextRow();
                break;
            }
            // Asked again: fewer rows, or GETNEXT.
        }
    }
    int32_t code = 0;
    std::string message;
    MapStatus(status, code, message);
    if (code != 0 && !(code == kvErrNoSuchName && table))
        throw KvSNMPResponseError(code, message, pdu.errorIndex, VariableOfBinding(pdu.errorIndex));
    const Reading reading = ReadResponse(pdu, code, true);
    WalkRowRead(reading != Reading::Row ? KvWalkRow::Ended : partialRow_ ? KvWalkRow::SomeEnded : KvWalkRow::Row);
    switch (reading) {
    case Reading::Row:
        return true;
    case Reading::NoSuchName:
        throw KvError(code, message);
    case Reading::OutOfOrder:
        KvRaise(kvErrWalkOutOfOrder);
    default:
        return false;
    }
}

bool KvSNMPRequest::Store(bool readBack, const KvWriteSet& write)
{
    if (!active)
        return false;
    const KvSNMPVarList saved(variables);
    SnmpTarget target;
    SnmpPdu pdu;
    try {
        for (int32_t i = 0; i < variables.Count(); ++i)
            ApplyExpression(i, false);
        target = BuildTarget();
        pdu = BuildPdu(PduType::Set, &write);
    } catch (...) {
        // What the set expressions made of the values is only sent.
        variables = saved;
        throw;
    }
    variables = saved;
    journalId.clear();
    if (journal) {
        // On record (with what it overwrites) before it goes out.
        const std::vector<int32_t> bindings = pduVariables_;
        std::unique_ptr<JournalDraft> draft = DraftRecord(pdu, bindings);
        try {
            ReadBefore(*draft, target);
        } catch (const KvError& failure) {
            throw KvSNMPNotSentError(failure, KvSNMPNotSentError::Step::ReadBefore);
        }
        try {
            journalId = journal->BeforeSend(draft->record);
        } catch (const KvError& failure) {
            throw KvSNMPNotSentError(failure, KvSNMPNotSentError::Step::Record);
        }
        pduVariables_ = bindings;
    }
    int status = Session().Set(pdu, target);
    int32_t code = 0;
    std::string message;
    MapStatus(status, code, message);
    if (journal)
        RecordOutcome(journal, journalId, code, message, &pdu, code != kvErrTimeout);
    if (code != 0)
        throw KvSNMPResponseError(code, message, pdu.errorIndex, VariableOfBinding(pdu.errorIndex));
    if (!readBack)
        return false;
    return ReadResponse(pdu, code, false) == Reading::Row;
}

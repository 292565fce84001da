// Table walks of KvSNMPRequest: one GETNEXT per row, or, under SNMPv2c and
// v3, GETBULK requests whose rows are handed on one at a time exactly as the
// GETNEXT steps would have received them.
//
// A GETBULK for the walked columns c1..cn with r repetitions answers r rows of
// n bindings; row k holds the k-th successor of every column, which is what k
// GETNEXT steps give as long as every column moves forward. A GETNEXT walk
// restarts a column that ended from the current row, so once a row arrives in
// which some but not all columns ended, the rows after it are dropped and the
// walk asks again from there. Stopping the walk (active cleared) hands on no
// further row. While the rows of one response are handed on, the GETBULK for
// the rows after them is already on the wire.

#include <algorithm>
#include <memory>

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"
#include "snmp/kvsnmprequestsupport.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

using kvrequest::Session;

int32_t KvSNMPRequest::WalkedColumns() const
{
    int32_t columns = 0;
    for (int32_t i = 0; i < variables.Count(); ++i)
        if (variables.IsReadable(i))
            ++columns;
    return columns;
}

void KvSNMPRequest::StartWalk()
{
    ++bulk_.walk;
    DropBulkRows();
    const int32_t columns = WalkedColumns();
    bulk_.repetitions =
        bulkWalks && version != 0 && columns > 0 ? std::clamp(kBulkMaxBindings / columns, 1, kBulkMaxRows) : 0;
}

bool KvSNMPRequest::BulkStep() const
{
    return bulk_.repetitions > 0 && version != 0;
}

void KvSNMPRequest::DropBulkRows()
{
    bulk_.rows.clear();
    ++bulk_.batch;
    // A GETBULK still on the wire completes into nothing.
    bulk_.ahead = nullptr;
}

void KvSNMPRequest::BulkRefused(int32_t errorStatus)
{
    if (errorStatus == snmpPduTooBig && bulk_.repetitions > 1)
        bulk_.repetitions /= 2;
    else
        bulk_.repetitions = 0;
}

std::deque<SnmpPdu> KvSNMPRequest::SplitBulkRows(const SnmpPdu& response) const
{
    std::deque<SnmpPdu> rows;
    const size_t columns = static_cast<size_t>(WalkedColumns());
    if (columns == 0)
        return rows;
    // An agent may cut the response short; a row it cut is asked again.
    for (size_t first = 0; first + columns <= response.vbs.size(); first += columns) {
        SnmpPdu row;
        row.vbs.assign(response.vbs.begin() + static_cast<std::ptrdiff_t>(first),
                       response.vbs.begin() + static_cast<std::ptrdiff_t>(first + columns));
        rows.push_back(std::move(row));
    }
    return rows;
}

void KvSNMPRequest::SendWalkStep(CompletionCallback callback, void* context, bool firstRow)
{
    SnmpTarget target = BuildTarget();
    SnmpPdu pdu = BuildPdu(firstRow ? PduType::Get : PduType::GetNext);
    auto record = std::make_unique<Completion>(Completion{this, callback, context, true, true, pduVariables_});
    record->walk = bulk_.walk;
    record->batch = bulk_.batch;
    record->firstRow = firstRow;
    record->bulk = BulkStep();
    int status;
    if (record->bulk) {
        pdu.maxRepetitions = bulk_.repetitions;
        status = Session().GetBulk(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    } else {
        status = Session().GetNext(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    }
    if (status != 0) {
        int32_t code = 0;
        std::string message;
        MapStatus(status, code, message);
        throw KvError(code, message);
    }
    outstanding_.insert(record.release());
    ++pending;
}

void KvSNMPRequest::SendAhead(const SnmpPdu& lastRow, const SnmpTarget& target)
{
    if (!active || bulk_.ahead)
        return;
    // Only while every column is still inside its subtree; otherwise the walk
    // ends, or asks again, within the rows just received.
    SnmpPdu pdu;
    std::vector<int32_t> elements;
    int32_t c = 0;
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (!variables.IsReadable(i))
            continue;
        elements.push_back(i);
        const SnmpVb& vb = lastRow.vbs[static_cast<size_t>(c++)];
        if (vb.IsException() || !kvrequest::InSubtree(BaseOid(i), vb.oid))
            return;
        SnmpVb next;
        next.oid = vb.oid;
        pdu.vbs.push_back(std::move(next));
    }
    pdu.securityLevel = securityLevel;
    pdu.contextName = contextName;
    pdu.contextEngineId = contextEngineId;
    pdu.maxRepetitions = bulk_.repetitions;
    auto record = std::make_unique<Completion>(Completion{this, nullptr, nullptr, true, true, std::move(elements)});
    record->walk = bulk_.walk;
    record->batch = bulk_.batch;
    record->bulk = true;
    record->ahead = true;
    if (Session().GetBulk(pdu, target, &KvSNMPRequest::OnResponse, record.get()) != 0)
        return; // the rows are asked for when they are needed
    bulk_.ahead = record.get();
    outstanding_.insert(record.release());
    ++pending;
}

bool KvSNMPRequest::TakeBulkCompletion(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record)
{
    const bool current = record.walk == bulk_.walk && record.batch == bulk_.batch;
    if (record.ahead && &record == bulk_.ahead)
        bulk_.ahead = nullptr;
    if (!current) {
        // Of a walk that was started again, or of rows that were dropped.
        --pending;
        return true;
    }
    if (record.buffered)
        return false;

    // A GETBULK answered.
    const bool refused = reason == snmpReasonResponse && response.errorStatus >= 1 && response.errorStatus <= 18;
    std::deque<SnmpPdu> rows;
    if (reason == snmpReasonResponse && response.errorStatus == 0)
        rows = SplitBulkRows(response);
    const bool empty = reason == snmpReasonResponse && response.errorStatus == 0 && rows.empty();
    if (refused || empty) {
        // Fewer rows, or GETNEXT for the rest of the walk; the step is sent
        // again for whoever waits for it.
        BulkRefused(refused ? response.errorStatus : 0);
        --pending;
        if (!record.callback)
            return true;
        try {
            SendWalkStep(record.callback, record.context, record.firstRow);
        } catch (const KvError& e) {
            KvSNMPError error;
            error.code = e.code();
            error.message = e.message();
            error.agentAddress = target.address;
            error.agentPort = target.port;
            error.finished = true;
            if (!destroying_)
                record.callback(record.context, error, variables);
        }
        return true;
    }
    if (!record.callback) {
        // Sent ahead and nobody asked yet: kept for the next step, or, when
        // it failed, asked again then.
        --pending;
        for (SnmpPdu& row : rows)
            bulk_.rows.push_back(std::move(row));
        if (!bulk_.rows.empty())
            SendAhead(bulk_.rows.back(), target);
        return true;
    }
    if (rows.empty())
        return false; // a timeout or an error: reported as for GETNEXT
    bulk_.target = target;
    for (SnmpPdu& row : rows)
        bulk_.rows.push_back(std::move(row));
    SendAhead(bulk_.rows.back(), target);
    response.vbs = std::move(bulk_.rows.front().vbs);
    bulk_.rows.pop_front();
    return false;
}

// Table walks of KvSNMPRequest: the requests the walk cursor asks for (one
// GETNEXT per row, or GETBULK requests whose rows are handed on one at a
// time exactly as the GETNEXT steps would have received them). Stopping the
// walk (active cleared) hands on no further row. While the rows of one
// response are handed on, the GETBULK for the rows after them is already on
// the wire.

#include <memory>
#include <string>

#include "common/kverror.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"
#include "snmp/kvsnmprequestsupport.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

using kvrequest::RaiseStatus;
using kvrequest::Session;

std::vector<int32_t> KvSNMPRequest::WalkedColumns() const
{
    std::vector<int32_t> columns;
    for (int32_t i = 0; i < variables.Count(); ++i)
        if (variables.IsReadable(i))
            columns.push_back(i);
    return columns;
}

void KvSNMPRequest::StartWalk()
{
    // What earlier walks learnt of the agent sizes the requests (the time-out
    // of one attempt is in hundredths of a second).
    cursor_.Start(static_cast<int32_t>(WalkedColumns().size()), bulkWalks && version != 0,
                  address + ":" + std::to_string(port), timeout * 10);
    ahead_ = nullptr;
}

void KvSNMPRequest::WalkRowRead(KvWalkRow row)
{
    const uint32_t generation = cursor_.Generation();
    cursor_.RowRead(row);
    if (cursor_.Generation() != generation)
        ahead_ = nullptr; // a GETBULK still on the wire completes into nothing
}

void KvSNMPRequest::SendWalkStep(CompletionCallback callback, void* context, bool firstRow)
{
    SnmpTarget target = BuildTarget();
    SnmpPdu pdu = BuildPdu(firstRow ? PduType::Get : PduType::GetNext);
    auto record = std::make_unique<Completion>(Completion{this, callback, context, true, true, pduVariables_});
    record->generation = cursor_.Generation();
    record->firstRow = firstRow;
    record->bulk = cursor_.Bulk() && version != 0;
    int status;
    const int32_t repetitions = cursor_.Sending();
    if (record->bulk) {
        pdu.maxRepetitions = repetitions;
        status = Session().GetBulk(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    } else {
        status = Session().GetNext(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    }
    if (status != 0)
        RaiseStatus(status);
    outstanding_.insert(record.release());
    ++pending;
}

void KvSNMPRequest::SendAhead(const SnmpTarget& target)
{
    if (!active || ahead_)
        return;
    const std::vector<int32_t> elements = WalkedColumns();
    std::vector<std::string> bases;
    for (int32_t i : elements)
        bases.push_back(BaseOid(i));
    const std::vector<std::string> from = cursor_.AskAheadFrom(bases);
    if (from.empty())
        return;
    SnmpPdu pdu;
    for (const std::string& oid : from) {
        SnmpVb next;
        next.oid = oid;
        pdu.vbs.push_back(std::move(next));
    }
    pdu.securityLevel = securityLevel;
    pdu.contextName = contextName;
    pdu.contextEngineId = contextEngineId;
    pdu.maxRepetitions = cursor_.Sending();
    auto record = std::make_unique<Completion>(Completion{this, nullptr, nullptr, true, true, elements});
    record->generation = cursor_.Generation();
    record->bulk = true;
    record->ahead = true;
    if (Session().GetBulk(pdu, target, &KvSNMPRequest::OnResponse, record.get()) != 0)
        return; // the rows are asked for when they are needed
    ahead_ = record.get();
    outstanding_.insert(record.release());
    ++pending;
}

bool KvSNMPRequest::TakeBulkCompletion(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record)
{
    if (record.ahead && &record == ahead_)
        ahead_ = nullptr;
    if (record.generation != cursor_.Generation()) {
        // Of a walk that was started again, or of rows that were dropped.
        --pending;
        return true;
    }
    if (record.buffered)
        return false;

    // A GETBULK answered, or not: a time-out of a grown request asks again
    // for fewer rows, any other is reported as for GETNEXT.
    const KvWalkAction action = reason == snmpReasonResponse  ? cursor_.TakeBulk(response.errorStatus, response.vbs)
                                : reason == snmpReasonTimeout ? cursor_.TakeTimeout()
                                                              : KvWalkAction::EndWithError;
    if (action == KvWalkAction::AskFewer || action == KvWalkAction::FallBackToGetNext) {
        // The step is sent again for whoever waits for it.
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
        // Sent ahead and nobody asked yet: the rows wait for the next step,
        // or, when it failed, they are asked for then.
        --pending;
        if (cursor_.HasRows())
            SendAhead(target);
        return true;
    }
    if (action != KvWalkAction::HandOnRows)
        return false;
    walkTarget_ = target;
    SendAhead(target);
    response.vbs = cursor_.NextRow().vbs;
    return false;
}

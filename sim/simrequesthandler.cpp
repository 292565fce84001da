#include "sim/simrequesthandler.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include "sim/simagentconfig.h"
#include "sim/simfrontpanel.h"
#include "sim/simmovingcounter.h"
#include "sim/simtransaction.h"

namespace {

std::string DataListKey(const netsnmp_handler_registration* reg)
{
    return "osprey-sim:" + simoid::Format(reg->rootoid, reg->rootoid_len);
}

void FreeTransaction(void* p)
{
    delete static_cast<SimTransaction*>(p);
}

} // namespace

SimRequestHandler::SimRequestHandler(const SimOptions& options, SimStore& store)
    : options_(options), store_(store), startTime_(store.StartTime())
{
}

bool SimRequestHandler::TakeChanged()
{
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

bool SimRequestHandler::Register(std::string& error)
{
    for (const SimOid& root : store_.RegistrationRoots()) {
        netsnmp_handler_registration* reg = netsnmp_create_handler_registration(
            SimAgentConfig::appName, &SimRequestHandler::Handler, root.data(), root.size(), HANDLER_CAN_RWRITE);
        if (!reg) {
            error = "cannot register " + simoid::Format(root);
            return false;
        }
        reg->handler->myvoid = this;
        // Net-SNMP's own tables (default priority 127) win where they overlap.
        reg->priority = 150;
        const int rc = netsnmp_register_handler(reg);
        if (rc != MIB_REGISTERED_OK) {
            error = "cannot register the subtree " + simoid::Format(root) + " (code " + std::to_string(rc) + ")";
            return false;
        }
    }
    return true;
}

void SimRequestHandler::ReadValue(const SimObject& object, variable_list* vb) const
{
    SimType wrongType;
    SimValue wrongValue;
    if (options_.faults.Substitute(object.oid, object.type, wrongType, wrongValue)) {
        wrongValue.ToVarbind(wrongType, vb);
        return;
    }
    switch (object.special) {
    case SimSpecial::Uptime: {
        const auto elapsed = std::chrono::steady_clock::now() - startTime_;
        SimValue v;
        v.integer = static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10 %
                                         0x100000000ll);
        v.ToVarbind(object.type, vb);
        return;
    }
    case SimSpecial::FrontPanel: {
        const auto elapsed = std::chrono::steady_clock::now() - startTime_;
        SimValue v;
        v.octets = SimFrontPanel::Compute(
            store_, static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count()));
        v.ToVarbind(object.type, vb);
        return;
    }
    case SimSpecial::EngineId: {
        SimValue v;
        v.octets = engineId_;
        v.ToVarbind(object.type, vb);
        return;
    }
    default:
        if (object.movingRate) {
            const auto elapsed = std::chrono::steady_clock::now() - startTime_;
            SimValue v = object.value;
            v.integer = static_cast<int64_t>(SimMovingCounter::ValueAt(
                object.type, static_cast<uint64_t>(object.value.integer), object.movingRate,
                static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count())));
            v.ToVarbind(object.type, vb);
            return;
        }
        object.value.ToVarbind(object.type, vb);
        return;
    }
}

void SimRequestHandler::Get(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) const
{
    for (netsnmp_request_info* r = requests; r; r = r->next) {
        if (r->processed)
            continue;
        const SimOid name(r->requestvb->name, r->requestvb->name + r->requestvb->name_length);
        if (const SimObject* o = store_.Find(name)) {
            ReadValue(*o, r->requestvb);
            continue;
        }
        // An instance of a known object or column that is not there is
        // noSuchInstance; anything else noSuchObject.
        SimOid parent = name;
        if (!parent.empty())
            parent.pop_back();
        bool known = store_.HasObjectsUnder(parent);
        if (!known) {
            const SimTable* t = store_.TableFor(name);
            known = t != nullptr;
        }
        netsnmp_set_request_error(reqinfo, r, known ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
    }
}

void SimRequestHandler::GetNext(const SimOid& root, netsnmp_request_info* requests) const
{
    for (netsnmp_request_info* r = requests; r; r = r->next) {
        if (r->processed)
            continue;
        const SimOid name(r->requestvb->name, r->requestvb->name + r->requestvb->name_length);
        const SimObject* o = nullptr;
        if (r->inclusive)
            o = store_.Find(name);
        if (!o)
            o = store_.Next(name);
        if (!o || !simoid::IsPrefix(root, o->oid))
            continue; // nothing more here: the agent moves on
        snmp_set_var_objid(r->requestvb, o->oid.data(), o->oid.size());
        ReadValue(*o, r->requestvb);
    }
}

// Checks the whole SET at once; the transaction waits in the request's data
// for the action (commit) or undo phase.
void SimRequestHandler::Reserve(netsnmp_handler_registration* reginfo, netsnmp_agent_request_info* reqinfo,
                                netsnmp_request_info* requests)
{
    std::vector<SimSetItem> items;
    std::vector<netsnmp_request_info*> order;
    for (netsnmp_request_info* r = requests; r; r = r->next) {
        if (r->processed)
            continue;
        items.push_back(SimSetItem::FromVarbind(r->requestvb));
        order.push_back(r);
    }
    auto* tx = new SimTransaction(store_, options_.strictRowStatus);
    const SimTransaction::Result result = tx->Check(items);
    if (result.status != SNMP_ERR_NOERROR) {
        delete tx;
        netsnmp_set_request_error(reqinfo, order[result.index], result.status);
        return;
    }
    const std::string key = DataListKey(reginfo);
    netsnmp_agent_add_list_data(reqinfo, netsnmp_create_data_list(key.c_str(), tx, &FreeTransaction));
}

int SimRequestHandler::Handler(netsnmp_mib_handler* handler, netsnmp_handler_registration* reginfo,
                               netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests)
{
    auto* self = static_cast<SimRequestHandler*>(handler->myvoid);
    switch (reqinfo->mode) {
    case MODE_GET:
        self->Get(reqinfo, requests);
        return SNMP_ERR_NOERROR;
    case MODE_GETNEXT:
        self->GetNext(SimOid(reginfo->rootoid, reginfo->rootoid + reginfo->rootoid_len), requests);
        return SNMP_ERR_NOERROR;
    case MODE_SET_RESERVE1:
        self->Reserve(reginfo, reqinfo, requests);
        return SNMP_ERR_NOERROR;
    case MODE_SET_RESERVE2:
        return SNMP_ERR_NOERROR;
    case MODE_SET_ACTION: {
        auto* tx = static_cast<SimTransaction*>(netsnmp_agent_get_list_data(reqinfo, DataListKey(reginfo).c_str()));
        if (tx)
            tx->Commit();
        return SNMP_ERR_NOERROR;
    }
    case MODE_SET_UNDO: {
        auto* tx = static_cast<SimTransaction*>(netsnmp_agent_get_list_data(reqinfo, DataListKey(reginfo).c_str()));
        if (tx)
            tx->Undo();
        return SNMP_ERR_NOERROR;
    }
    case MODE_SET_COMMIT:
        self->changed_ = true;
        return SNMP_ERR_NOERROR;
    case MODE_SET_FREE:
        return SNMP_ERR_NOERROR;
    default:
        return SNMP_ERR_GENERR;
    }
}

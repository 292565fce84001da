#include "sim/simnotifier.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>


#include "sim/simstore.h"

namespace {

const oid snmpTrapOid[] = {1, 3, 6, 1, 6, 3, 1, 1, 4, 1, 0};
const oid linkDownOid[] = {1, 3, 6, 1, 6, 3, 1, 1, 5, 3};
const oid linkUpOid[] = {1, 3, 6, 1, 6, 3, 1, 1, 5, 4};
constexpr oid ifIndexColumn = 1;
constexpr oid ifAdminStatusColumn = 7;
constexpr oid ifOperStatusColumn = 8;

SimOid IfCell(oid column, int port)
{
    return {1, 3, 6, 1, 2, 1, 2, 2, 1, column, static_cast<oid>(port)};
}

long IntegerAt(const SimStore& store, const SimOid& o, long missing)
{
    const SimObject* object = store.Find(o);
    return object ? object->value.integer : missing;
}

void AddInteger(netsnmp_variable_list*& vars, const SimOid& o, long value)
{
    snmp_varlist_add_variable(&vars, o.data(), o.size(), ASN_INTEGER, &value, sizeof value);
}

} // namespace

std::vector<std::string> SimNotifier::ConfigLines(const std::vector<std::string>& targets, const std::string& community)
{
    std::vector<std::string> lines{"authtrapenable 1"};
    for (const std::string& target : targets)
        lines.push_back("trapsess -v 2c -c " + community + " " + target);
    return lines;
}

bool SimNotifier::PortEnabled(const SimStore& store, int port)
{
    SimOid own = simoid::Enterprise(store.EnterpriseNumber());
    own.insert(own.end(), {11, 36, 2, 6, 2, 1, 2, static_cast<oid>(port)});
    return IntegerAt(store, IfCell(ifAdminStatusColumn, port), 1) == 1 && IntegerAt(store, own, 1) != 2;
}

void SimNotifier::Start()
{
    for (int port = 1; port <= SimFrontPanel::portCount; ++port)
        enabled_[static_cast<size_t>(port)] = PortEnabled(store_, port);
    send_easy_trap(SNMP_TRAP_COLDSTART, 0);
}

void SimNotifier::CheckPorts()
{
    for (int port = 1; port <= SimFrontPanel::portCount; ++port) {
        const bool now = PortEnabled(store_, port);
        if (now == enabled_[static_cast<size_t>(port)])
            continue;
        enabled_[static_cast<size_t>(port)] = now;
        if (SimObject* oper = store_.Find(IfCell(ifOperStatusColumn, port)))
            oper->value.integer = now ? 1 : 2;
        SendLink(port, now);
    }
}

void SimNotifier::SendLink(int port, bool up)
{
    netsnmp_variable_list* vars = nullptr;
    const oid* trap = up ? linkUpOid : linkDownOid;
    snmp_varlist_add_variable(&vars, snmpTrapOid, OID_LENGTH(snmpTrapOid), ASN_OBJECT_ID, trap, sizeof linkUpOid);
    AddInteger(vars, IfCell(ifIndexColumn, port), port);
    AddInteger(vars, IfCell(ifAdminStatusColumn, port), IntegerAt(store_, IfCell(ifAdminStatusColumn, port), 1));
    AddInteger(vars, IfCell(ifOperStatusColumn, port), up ? 1 : 2);
    send_v2trap(vars);
    snmp_free_varbind(vars);
}

#include "browser/tables/browsercatalogue.h"

#include "browser/tables/browsertables.h"
#include "snmp/kvsnmpvarlist.h"

namespace kvbrowser {

namespace {

using enum PageBuilder;
using enum PageSpecial;

constexpr PageRowOps noRowOps = {-1, nullptr, -1, nullptr, 0};

// RMON rows: created with createRequest, removed with invalid (EntryStatus),
// in one request.
constexpr PageRowOps EntryStatusRows(int32_t column)
{
    return {column, "createRequest", column, "invalid", 0};
}

// The window adjustments: the system group's long texts need wide editors;
// tables open 450 pixels high, those of one row per port with a Stop button.
constexpr PageAdjust wideEditors = {.editorWidthAdd = 230, .widthAdd = 230};
constexpr PageAdjust table = {.height = 450};
constexpr PageAdjust portTable = {.stopButton = true, .height = 450};

// page, window title, rates, then the table as a command: name, title,
// builder, kind, key count, variables, layout, row operations, instance,
// special, adjustments
constexpr BrowserTable browserTables[] = {
    {"MIB_Info",                    "System Information",     false, {"MIB_Info",                          "System Information",     SetEditorPageFromList,   kvListScalars,    0, varsSystem,              nullptr, noRowOps,            nullptr, none, wideEditors}},
    {"MIB_IFTable",                 "IF Table",               false, {"MIB_IFTable",                       "IF Table",               SetListViewPageFromList, kvListTable,      1, varsIfTable,             nullptr, noRowOps,            nullptr, none, portTable}},
    {"MIB_IFCounters",              "IF Counters",            true,  {"MIB_IFCounters",                    "IF Counters",            SetListViewPageFromList, kvListTable,      1, varsIfCounters,          nullptr, noRowOps,            nullptr, none, portTable}},
    {"MIB_IPCounters",              "IP Counters",            true,  {"MIB_IPCounters",                    "IP Counters",            SetEditorPageFromList,   kvListScalars,    0, varsIpCounters,          nullptr, noRowOps,            nullptr, none, {}}},
    {"MIB_IPRouting",               "IP Routing",             false, {"MIB_IPRouting",                     "IP Routing",             SetListViewPageFromList, kvListTable,      1, varsIpRouteTable,        nullptr, noRowOps,            nullptr, none, table}},
    {"MIB_IPAddress",               "IP Address Table",       false, {"MIB_IPAddress",                     "IP Address Table",       SetListViewPageFromList, kvListTable,      1, varsIpAddrTable,         nullptr, noRowOps,            nullptr, none, table}},
    {"MIB_ICMPCounters",            "ICMP Counters",          true,  {"MIB_ICMPCounters",                  "ICMP Counters",          SetEditorPageFromList,   kvListScalars,    0, varsIcmpCounters,        nullptr, noRowOps,            nullptr, none, {}}},
    {"MIB_UDPCounters",             "UDP Counters",           true,  {"MIB_UDPCounters",                   "UDP Counters",           SetEditorPageFromList,   kvListScalars,    0, varsUdpCounters,         nullptr, noRowOps,            nullptr, none, {}}},
    {"MIB_SNMPCounters",            "SNMP Counters",          true,  {"MIB_SNMPCounters",                  "SNMP Counters",          SetEditorPageFromList,   kvListScalars,    0, varsSnmpCounters,        nullptr, noRowOps,            nullptr, none, {}}},
    {"IFMib_LastChangeTable",       "IF-MIB General Table",   false, {"IFMib_LastChangeTable",             "IF-MIB General Table",   SetEditorPageFromList,   kvListScalars,    0, varsIfMibGeneral,        nullptr, noRowOps,            nullptr, none, {}}},
    {"IFMib_ifXEntry",              "IfX Table",              true,  {"IFMib_ifXEntry",                    "IfX Table",              SetListViewPageFromList, kvListTable,      1, varsIfXTable,            nullptr, noRowOps,            nullptr, none, portTable}},
    {"IFMib_ifStackTable",          "IfStack Table",          false, {"IFMib_ifStackTable",                "IfStack Table",          SetListViewPageFromList, kvListTable,      2, varsIfStackTable,        nullptr, noRowOps,            nullptr, none, portTable}},
    {"IFMib_ifTestTable",           "IfTest Table",           false, {"IFMib_ifTestTable",                 "IfTest Table",           SetListViewPageFromList, kvListTable,      1, varsIfTestTable,         nullptr, noRowOps,            nullptr, none, portTable}},
    {"EthernetLike_dot3StatsTable", "dot3 Statistics",        true,  {"EthernetLike_dot3StatsTable",       "dot3 Statistics",        SetListViewPageFromList, kvListTable,      1, varsDot3StatsTable,      nullptr, noRowOps,            nullptr, none, portTable}},
    {"Bridge_Port",                 "Bridge Port Table",      true,  {"Bridge_Port",                       "Bridge Port Table",      SetListViewPageFromList, kvListTable,      1, varsBasePortTable,       nullptr, noRowOps,            nullptr, none, portTable}},
    {"Bridge_STPPort",              "STP Port Table",         true,  {"Bridge_STPPort",                    "STP Port Table",         SetListViewPageFromList, kvListTable,      1, varsStpPortTable,        nullptr, noRowOps,            nullptr, none, portTable}},
    {"Bridge_STPInfo",              "STP Information",        false, {"Bridge_STPInfo",                    "STP Information",        SetEditorPageFromList,   kvListScalars,    0, varsStpInformation,      nullptr, noRowOps,            nullptr, none, {}}},
    {"Bridge_Forwarding",           "Forwarding Table",       false, {"Bridge_Forwarding",                 "Forwarding Table",       SetListViewPageFromList, kvListTable,      1, varsTpFdbTable,          nullptr, noRowOps,            nullptr, none, table}},
    {"Bridge_StaticFilter",         "Static Filtering Table", false, {"Bridge_StaticFilter",               "Static Filtering Table", SetListViewPageFromList, kvListTable,      2, varsStaticTable,         nullptr, noRowOps,            nullptr, none, table}},
    {"Bridge_TpPortInfo",           "TP Port Counters",       true,  {"Bridge_TpPortInfo",                 "TP Port Counters",       SetListViewPageFromList, kvListTable,      1, varsTpPortTable,         nullptr, noRowOps,            nullptr, none, portTable}},
    {"VLan_GMRP",                   "GMRP Port Table",        true,  {"VLan_GMRP",                         "GMRP Port Table",        SetListViewPageFromList, kvListTable,      1, varsPortGmrpTable,       nullptr, noRowOps,            nullptr, none, portTable}},
    {"Rmon_Statistics",             "RMON Statistics",        true,  {"Rmon_Statistics",                   "RMON Statistics",        SetListViewPageFromList, kvListTable,      1, varsEtherStatsTable,     nullptr, noRowOps,            nullptr, none, portTable}},
    {"Rmon_History",                "RMON History",           false, {"Rmon_History.historyControlTable",  "History Control Table",  SetListViewPageFromList, kvListTable,      1, varsHistoryControlTable, nullptr, noRowOps,            nullptr, none, table}},
    {"Rmon_History",                "RMON History",           false, {"Rmon_History.etherHistoryTable",    "Ethernet History Table", SetListViewPageFromList, kvListTable,      2, varsEtherHistoryTable,   nullptr, noRowOps,            nullptr, none, table}},
    {"Rmon_AlarmEvent",             "RMON Alarm/Event",       false, {"Rmon_AlarmEvent.alarmTable",        "Alarm Table",            SetListViewPageFromList, kvListTableRows,  1, varsAlarmTable,          nullptr, EntryStatusRows(11), nullptr, none, table}},
    {"Rmon_AlarmEvent",             "RMON Alarm/Event",       false, {"Rmon_AlarmEvent.eventTable",        "Event Table",            SetListViewPageFromList, kvListTableRows,  1, varsEventTable,          nullptr, EntryStatusRows(6),  nullptr, none, table}},
};

} // namespace

std::span<const BrowserTable> BrowserTables()
{
    return browserTables;
}

std::span<const BrowserTable> FindBrowserPage(std::string_view page)
{
    const std::span<const BrowserTable> all = BrowserTables();
    size_t first = 0;
    while (first < all.size() && page != all[first].page)
        ++first;
    size_t end = first;
    while (end < all.size() && page == all[end].page)
        ++end;
    return all.subspan(first, end - first);
}

std::vector<std::string> BrowserPageNames()
{
    std::vector<std::string> names;
    for (const BrowserTable& t : BrowserTables())
        if (names.empty() || names.back() != t.page)
            names.push_back(t.page);
    return names;
}

std::string PageParameter(const std::vector<std::string>& parameters)
{
    for (const std::string& parameter : parameters)
        if (parameter.rfind("/T", 0) == 0)
            return parameter.substr(2);
    return std::string();
}

} // namespace kvbrowser

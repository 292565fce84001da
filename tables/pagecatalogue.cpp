#include "tables/pagecatalogue.h"

#include <algorithm>

#include "common/kvoptionlist.h"
#include "snmp/kvsnmpvarlist.h"
#include "tables/pagetables.h"

namespace kvtables {

namespace {

using enum PageBuilder;
using enum PageSpecial;

constexpr PageRowOps noRowOps = {-1, nullptr, -1, nullptr, 0};

// Add and Delete write the row-status column `column`; `createMode` 1 creates a
// row in two requests.
constexpr PageRowOps AddDelete(int32_t column, int32_t createMode)
{
    return {column, "createAndGo", column, "destroy", createMode};
}

// The source and destination mask editors take at most 12 hexadecimal digits.
constexpr EditorLimit limitsEthernetMask[] = {
    {3, 12},
    {4, 12},
    {-1, 0},
};

// name, title, builder, kind, key count, variables, layout, row operations,
// instance, special, adjustments
constexpr PageCommand pageCatalogue[] = {
    {"DeviceInformation1",               "Device Information",                       SetEditorPage,           kvListScalars,    0, varsDeviceInformation,            layoutDeviceInformation,            noRowOps,         nullptr, none,             {}},
    {"AlarmControl1",                    "Alarm Control",                            SetEditorPage,           kvListScalars,    0, varsAlarmControl,                 layoutAlarmControl,                 noRowOps,         nullptr, none,             {}},
    {"UnitTable1",                       "Unit Table",                               SetListViewPage,         kvListTable,      1, varsUnitTable,                    layoutUnitTable,                    noRowOps,         nullptr, none,             {.height = 450}},
    {"PowerTable1",                      "Power Table",                              SetListViewPage,         kvListTable,      1, varsPowerTable,                   layoutPowerTable,                   noRowOps,         nullptr, none,             {.height = 450}},
    {"TrapManagement2",                  "Trap Management ",                         SetEditorPage,           kvListScalars,    0, varsEquipmentTrapManagement,      layoutEquipmentTrapManagement,      noRowOps,         nullptr, none,             {}},
    {"BasicInfo1",                       "Basic Information",                        SetEditorPage,           kvListScalars,    0, varsAgentBasicInformation,        layoutAgentBasicInformation,        noRowOps,         nullptr, none,             {}},
    {"MibCapabilities1",                 "Mib Capabilities",                         SetListViewPage,         kvListTable,      1, varsMibCapabilities,              layoutMibCapabilities,              noRowOps,         nullptr, none,             {.height = 450, .widthAdd = 100}},
    {"BasicConfigure1",                  "Basic Configuration",                      SetEditorPage,           kvListScalars,    0, varsAgentBasicConfiguration,      layoutAgentBasicConfiguration,      noRowOps,         nullptr, none,             {}},
    {"AgentSuportedUpdateFiles1",        "Agent Supported Update Files",             SetListViewPage,         kvListTableRows,  1, varsAgentSupportedUpdateFiles,    layoutAgentSupportedUpdateFiles,    noRowOps,         nullptr, none,             {.height = 450}},
    {"TrapManagement1",                  "Trap Management",                          SetEditorPage,           kvListScalars,    0, varsAgentTrapManagement,          layoutAgentTrapManagement,          noRowOps,         nullptr, none,             {}},
    {"CurrentTime1",                     "Current Time",                             SetEditorPage,           kvListScalars,    0, varsCurrentTime,                  layoutCurrentTime,                  noRowOps,         nullptr, none,             {}},
    {"NetworkTime1",                     "Network Time",                             SetEditorPage,           kvListScalars,    0, varsNetworkTime,                  layoutNetworkTime,                  noRowOps,         nullptr, none,             {}},
    {"RMONSetting1",                     "RMON Control",                             SetEditorPage,           kvListScalars,    0, varsRmonControl,                  layoutRmonControl,                  noRowOps,         nullptr, rmonStateOnClose, {}},
    {"SpanningTreeAlgorithm1",           "Spanning Tree Algorithm",                  SetEditorPage,           kvListScalars,    0, varsSpanningTreeAlgorithm,        layoutSpanningTreeAlgorithm,        noRowOps,         nullptr, none,             {}},
    {"Information1",                     "Bridge 802.1d Information",                SetEditorPage,           kvListScalars,    0, varsBridge8021dInformation,       layoutBridge8021dInformation,       noRowOps,         nullptr, none,             {}},
    {"Information2",                     "Spanning Tree Control",                    SetEditorPage,           kvListScalars,    0, varsSpanningTreeControl,          layoutSpanningTreeControl,          noRowOps,         nullptr, stpNotes,         {.heightAdd = 40}},
    {"VLanModeStatus1",                  "VLAN Status Control",                      SetEditorPage,           kvListScalars,    0, varsVlanStatusControl,            layoutVlanStatusControl,            noRowOps,         nullptr, none,             {}},
    {"DefaultUserPrioritiesofEachPort1", "Default User Priorities of Each Port",     SetListViewPage,         kvListTable,      1, varsDefaultUserPriorities,        layoutDefaultUserPriorities,        noRowOps,         nullptr, none,             {.stopButton = true, .height = 450}},
    {"RegeneratedUserPriorities1",       "Regenerated User Priorities",              SetListViewPage,         kvListTable,      2, varsRegeneratedUserPriorities,    layoutRegeneratedUserPriorities,    noRowOps,         nullptr, none,             {.stopButton = true, .height = 450}},
    {"UserPrioritiesToTrafficClass1",    "User Priorities To Traffic Class",         SetListViewPage,         kvListTable,      1, varsUserPrioritiesToTrafficClass, layoutUserPrioritiesToTrafficClass, noRowOps,         nullptr, none,             {}},
    {"PortOutboundAccessPriorities1",    "Port Outbound Access Priorities",          SetListViewPage,         kvListTable,      2, varsPortOutboundAccessPriorities, layoutPortOutboundAccessPriorities, noRowOps,         nullptr, none,             {.stopButton = true, .height = 450}},
    {"UnicastForwardingInformation1",    "Unicast Forwarding Information",           SetListViewPage,         kvListTable,      2, varsUnicastForwarding,            layoutUnicastForwarding,            noRowOps,         nullptr, none,             {.height = 450}},
    {"snmpEngine1",                      "SNMP Engine",                              SetEditorPage,           kvListScalars,    0, varsSnmpEngine,                   layoutSnmpEngine,                   noRowOps,         nullptr, none,             {}},
    {"MessageProcessingandDispatching1", "Message Processingand Dispatching",        SetEditorPage,           kvListScalars,    0, varsMessageProcessing,            layoutMessageProcessing,            noRowOps,         nullptr, none,             {}},
    {"GeneralInformation1",              "General Information",                      SetEditorPage,           kvListScalars,    0, varsTargetGeneralInformation,     layoutTargetGeneralInformation,     noRowOps,         nullptr, none,             {}},
    {"CommunityTargetAddressTable",      "Target Address Table",                     SetListViewPage,         kvListTableRows,  1, varsTargetAddressTable,           layoutTargetAddressTable,           AddDelete(8, 0),  nullptr, none,             {}},
    {"TargetParameters1",                "Target Parameters",                        SetListViewPage,         kvListTableRows,  1, varsTargetParameters,             layoutTargetParameters,             AddDelete(6, 0),  nullptr, none,             {}},
    {"Statistics2",                      "Statistics",                               SetEditorPage,           kvListScalars,    0, varsUsmStatistics,                layoutUsmStatistics,                noRowOps,         nullptr, none,             {}},
    {"UserTable1",                       "User Table",                               SetListViewPage,         kvListTableRows,  2, varsUsmUserTable,                 layoutUsmUserTable,                 AddDelete(12, 0), nullptr, none,             {}},
    {"SecurityTable1",                   "Security Group Table",                     SetListViewPage,         kvListTableRows,  2, varsSecurityGroupTable,           layoutSecurityGroupTable,           AddDelete(4, 0),  nullptr, none,             {}},
    {"AccessTable1",                     "Access Table",                             SetListViewPage,         kvListTableRows,  4, varsVacmAccessTable,              layoutVacmAccessTable,              AddDelete(9, 0),  nullptr, none,             {}},
    {"ViewTable1",                       "View MIB Tree Family Table",               SetListViewPage,         kvListTableRows,  2, varsViewTreeFamilyTable,          layoutViewTreeFamilyTable,          AddDelete(5, 0),  nullptr, none,             {}},
    {"NotifyTable1",                     "Notify Table",                             SetListViewPage,         kvListTableRows,  1, varsNotifyTable,                  layoutNotifyTable,                  AddDelete(4, 0),  nullptr, none,             {}},
    {"NotifyFilterProfileTale1",         "Notify Filter Profile Table",              SetListViewPage,         kvListTableRows,  1, varsNotifyFilterProfileTable,     layoutNotifyFilterProfileTable,     AddDelete(3, 0),  nullptr, none,             {}},
    {"NotifyFilterEntryTable1",          "Notify Filter Table",                      SetListViewPage,         kvListTableRows,  2, varsNotifyFilterTable,            layoutNotifyFilterTable,            AddDelete(5, 0),  nullptr, none,             {}},
    {"CommunityStringTable1",            "SNMP Community Table",                     SetListViewPage,         kvListTableRows,  1, varsCommunityTable,               layoutCommunityTable,               AddDelete(7, 0),  nullptr, none,             {}},
    {"TargetAddressTable1",              "Target Address Table",                     SetListViewPage,         kvListTableRows,  1, varsCommunityTargetAddressTable,  layoutCommunityTargetAddressTable,  noRowOps,         nullptr, none,             {}},
    {"Auth1",                            "Authentication Mode Setting",              SetEditorPage,           kvListScalars,    0, varsAuthenticationMode,           layoutAuthenticationMode,           noRowOps,         nullptr, none,             {.editorWidth = 142, .heightAdd = 30}},
    {"BasicConfiguration1",              "Basic Configuration",                      SetEditorPage,           kvListScalars,    0, varsRadiusBasicConfiguration,     layoutRadiusBasicConfiguration,     noRowOps,         nullptr, none,             {}},
    {"RadiusServerTabl1",                "Radius Server Table",                      SetListViewPage,         kvListTable,      1, varsRadiusServerTable,            layoutRadiusServerTable,            noRowOps,         nullptr, none,             {.height = 450}},
    {"AuthenticationServer1",            "Radius Client Authentication Information", SetEditorPageFromList,   kvListScalars,    0, varsRadiusClientInformation,      nullptr,                            noRowOps,         nullptr, none,             {}},
    {"AuthenticationServerTable1",       "Radius Authentication Table",              SetListViewPage,         kvListTable,      1, varsRadiusAuthenticationTable,    layoutRadiusAuthenticationTable,    noRowOps,         nullptr, none,             {}},
    {"AccountingServerInformation1",     "Accounting Basic Information",             SetEditorPage,           kvListScalars,    0, varsAccountingBasicInformation,   layoutAccountingBasicInformation,   noRowOps,         nullptr, none,             {.heightAdd = 50}},
    {"AccountingServerTable1",           "Accounting Server Table",                  SetListViewPage,         kvListTable,      1, varsAccountingServerTable,        layoutAccountingServerTable,        noRowOps,         nullptr, none,             {}},
    {"ClientInformation1",               "Accounting Client Information",            SetEditorPageFromList,   kvListScalars,    0, varsAccountingClientInformation,  nullptr,                            noRowOps,         nullptr, none,             {.heightAdd = 50}},
    {"ServiceTable1",                    "Accounting Service Table",                 SetListViewPage,         kvListTable,      1, varsAccountingServiceTable,       layoutAccountingServiceTable,       noRowOps,         nullptr, none,             {.editorWidthAdd = 80, .widthAdd = 200}},
    {"Configuration2",                   "802.1X Configuration",                     SetEditorPage,           kvListScalars,    0, varsDot1xConfiguration,           layoutDot1xConfiguration,           noRowOps,         nullptr, none,             {}},
    {"PAEPortTable1",                    "Port Table",                               SetListViewPage,         kvListTableRows,  1, varsDot1xPortTable,               layoutDot1xPortTable,               noRowOps,         nullptr, none,             {}},
    {"PortAuthenticationConfiguration1", "802.1X Port Configuration",                SetListViewPage,         kvListTableRows,  1, varsDot1xPortConfiguration,       layoutDot1xPortConfiguration,       noRowOps,         nullptr, none,             {}},
    {"PortAuthStatistics1",              "Port Statistics",                          SetListViewPage,         kvListTable,      1, varsDot1xPortStatistics,          layoutDot1xPortStatistics,          noRowOps,         nullptr, none,             {}},
    {"Diagnostics1",                     "Port Diagnostics",                         SetListViewPage,         kvListTable,      1, varsDot1xPortDiagnostics,         layoutDot1xPortDiagnostics,         noRowOps,         nullptr, none,             {}},
    {"PortSessionStatistics1",           "Port Session Statistics",                  SetListViewPage,         kvListTable,      1, varsDot1xSessionStatistics,       layoutDot1xSessionStatistics,       noRowOps,         nullptr, none,             {}},
    {"StateTable1",                      "State Table",                              SetListViewPage,         kvListTable,      1, varsMacAuthStateTable,            layoutMacAuthStateTable,            noRowOps,         nullptr, none,             {}},
    {"SessionInformation1",              "Session Information ",                     SetListViewPage,         kvListTable,      1, varsMacAuthSessionInformation,    layoutMacAuthSessionInformation,    noRowOps,         nullptr, none,             {}},
    {"SupplicantCnfigureTable1",         "Supplicant Configuration Table",           SetListViewPage,         kvListTable,      1, varsSupplicantConfiguration,      layoutSupplicantConfiguration,      noRowOps,         nullptr, none,             {}},
    {"S1",                               "Supplicant Statistic Table",               SetListViewPage,         kvListTable,      1, varsSupplicantStatistics,         layoutSupplicantStatistics,         noRowOps,         nullptr, none,             {}},
    {"DeviceControl1",                   "Device Control",                           SetEditorPage,           kvListScalars,    0, varsDeviceControl,                layoutDeviceControl,                noRowOps,         nullptr, none,             {.editorWidthAdd = 100, .widthAdd = 100}},
    {"BandwidthControlTable1",           "Bandwidth Control Table1",                 SetListViewPage,         kvListTable,      1, varsBandwidthControl,             layoutBandwidthControl,             noRowOps,         nullptr, none,             {}},
    {"SchedulingTable1",                 "Scheduling Table1",                        SetListViewPage,         kvListTable,      1, varsScheduling,                   layoutScheduling,                   noRowOps,         nullptr, none,             {}},
    {"N8021pUserPriorityTable1",         "8021p User Priority Table",                SetListViewPage,         kvListTable,      1, varsUserPriority8021p,            layoutUserPriority8021p,            noRowOps,         nullptr, none,             {}},
    {"N8021pDefaultPriorityTable1",      "8021p Default Priority Table",             SetListViewPage,         kvListTable,      1, varsDefaultPriority8021p,         layoutDefaultPriority8021p,         noRowOps,         nullptr, none,             {}},
    {"IGMPBasicInformation1",            "IGMP Basic Information",                   SetEditorPageFromList,   kvListScalars,    0, varsIgmpBasicInformation,         nullptr,                            noRowOps,         nullptr, none,             {}},
    {"IGMPControlTable1",                "IGMP Control",                             SetListViewPage,         kvListTableRows,  1, varsIgmpControl,                  layoutIgmpControl,                  noRowOps,         nullptr, none,             {.height = 450}},
    {"IGMPQuery1",                       "IGMP Query Information",                   SetListViewPage,         kvListTableRows,  1, varsIgmpQuery,                    layoutIgmpQuery,                    noRowOps,         nullptr, none,             {.height = 450}},
    {"IGMPInformation1",                 "IGMP Information",                         SetListViewPage,         kvListTableRows,  1, varsIgmpInformation,              layoutIgmpInformation,              noRowOps,         nullptr, none,             {.height = 450}},
    {"PortInformation1",                 "Port Information Table",                   SetListViewPage,         kvListTable,      1, varsPortInformation,              layoutPortInformation,              noRowOps,         nullptr, none,             {}},
    {"PortControl1",                     "Port Control Table",                       SetListViewPage,         kvListTable,      1, varsPortControl,                  layoutPortControl,                  noRowOps,         nullptr, none,             {.editorWidthAdd = 50, .stopButton = true}},
    {"TrunkBasicInformation1",           "Trunk Information",                        SetEditorPage,           kvListScalars,    0, varsTrunkInformation,             layoutTrunkInformation,             noRowOps,         nullptr, none,             {}},
    {"PortSecurity1",                    "Port Security Table",                      SetListViewPage,         kvListTableRows,  1, varsPortSecurity,                 layoutPortSecurity,                 noRowOps,         nullptr, none,             {.height = 450}},
    {"PortRatetable1",                   "Port Rate Table",                          SetListViewPageFromList, kvListTable,      1, varsPortRate,                     nullptr,                            noRowOps,         nullptr, none,             {.stopButton = true, .height = 450}},
    {"BasicInformation1",                "Port Binding Basic Information",           SetEditorPage,           kvListScalars,    0, varsPortBindingBasicInformation,  layoutPortBindingBasicInformation,  noRowOps,         nullptr, none,             {}},
    {"PortBindingTable1",                "Port Binding Ctrl Table",                  SetListViewPageFromList, kvListTable,      1, varsPortBindingCtrl,              nullptr,                            noRowOps,         nullptr, none,             {.stopButton = true, .height = 450}},
    {"PortBindingInformationTable1",     "Port Binding Information Table",           SetListViewPageFromList, kvListTableRows,  2, varsPortBindingInformation,       nullptr,                            AddDelete(3, 0),  nullptr, none,             {.height = 450}},
    {"StormTrafficControlTable1",        "Traffic Control Table",                    SetListViewPage,         kvListTableRows,  1, varsTrafficControl,               layoutTrafficControl,               noRowOps,         nullptr, none,             {.height = 450}},
    {"EthernetMask1",                    "Ethernet Mask Information",                SetListViewPage,         kvListTableRows,  1, varsEthernetMask,                 layoutEthernetMask,                 AddDelete(8, 1),  nullptr, none,             {.limits = limitsEthernetMask, .height = 450}},
    {"RuleOfEthernetInformation1",       "Ethernet Information Rule",                SetListViewPage,         kvListTableRows,  2, varsEthernetRule,                 layoutEthernetRule,                 AddDelete(12, 1), nullptr, none,             {.height = 450}},
    {"IPMaskInformation1",               "IP Mask Information",                      SetListViewPage,         kvListTableRows,  1, varsIpMask,                       layoutIpMask,                       AddDelete(16, 1), nullptr, none,             {.height = 450}},
    {"IPRule1",                          "IP Rule",                                  SetListViewPage,         kvListTableRows,  2, varsIpRule,                       layoutIpRule,                       AddDelete(18, 1), nullptr, none,             {.height = 450}},
    {"AggregatorTable1",                 "Aggregator Table",                         SetListViewPage,         kvListTable,      1, varsAggregatorTable,              layoutAggregatorTable,              noRowOps,         nullptr, none,             {}},
    {"Test",                             "Port Information Table",                   SetEditorPage,           kvListRow,        0, varsTestPortInformation,          layoutTestPortInformation,          noRowOps,         "6",     none,             {.height = 450}},
};

// The front panel's port pop-up menu. They reuse the tables of "Port
// Information Table" and "Port Control Table" as one row of the table.
constexpr PageCommand portPages[] = {
    {"PortInformation2",   "Port Information Table", SetEditorPage, kvListRow,        0, varsPortInformation, layoutPortInformation, noRowOps, nullptr, portRow, {}},
    {"PortConfiguration1", "Port Configuration",     SetEditorPage, kvListRow,        0, varsPortControl,     layoutPortControl,     noRowOps, nullptr, portRow, {.editorWidthAdd = 50, .widthAdd = 50}},
};

constexpr const char* stpNoteTexts[] = {
    "Notes : 2*(Forward Delay - 100) >= Max Age",
    "Max Age>= 2*(Hello Time + 100)",
};

} // namespace

std::span<const PageCommand> PageCatalogue()
{
    return pageCatalogue;
}

std::span<const PageCommand> PortPages()
{
    return portPages;
}

const PageCommand* FindPageByName(std::string_view name)
{
    for (const auto& list : {PageCatalogue(), PortPages()})
        for (const PageCommand& page : list)
            if (name == page.name)
                return &page;
    return nullptr;
}

const PageCommand* FindPageByTitle(std::string_view title)
{
    for (const auto& list : {PageCatalogue(), PortPages()})
        for (const PageCommand& page : list)
            if (title == page.title)
                return &page;
    return nullptr;
}

bool IsRowStatus(const VarDef& def)
{
    const KvOptionList* options = def.options;
    return options && options->Kind() == KvOptionList::kIntegerValues && options->IndexOfLabel("createAndGo") >= 0 &&
           options->IndexOfLabel("destroy") >= 0;
}

void AddRowColumns(std::span<const PageCommand> pages, const std::string& statusOid,
                   std::vector<KvWriteRowColumn>& columns)
{
    for (const PageCommand& page : pages) {
        if (page.kind != kvListTable && page.kind != kvListTableRows)
            continue;
        const std::string instance = page.instance && *page.instance ? std::string(".") + page.instance : "";
        std::string row; // the row's instance, when the status is this table's
        for (const VarDef* def = page.variables; def && def->oid && row.empty(); ++def) {
            const std::string prefix = def->oid + instance + ".";
            if (IsRowStatus(*def) && statusOid.size() > prefix.size() && statusOid.starts_with(prefix))
                row = statusOid.substr(prefix.size());
        }
        if (row.empty())
            continue;
        int32_t position = 0;
        for (const VarDef* def = page.variables; def && def->oid; ++def, ++position) {
            if (position < page.keyCount || (def->access & accRead) == 0 || (def->access & accSkip) != 0)
                continue;
            std::string oid = def->oid + instance + "." + row;
            if (std::none_of(columns.begin(), columns.end(), [&](const KvWriteRowColumn& c) { return c.oid == oid; }))
                columns.push_back({std::move(oid), def->label, def->syntax, def->options, (def->access & accWrite) != 0});
        }
    }
}

std::vector<KvWriteRowColumn> MenuRowColumns(const std::string& statusOid)
{
    std::vector<KvWriteRowColumn> columns;
    AddRowColumns(PageCatalogue(), statusOid, columns);
    AddRowColumns(PortPages(), statusOid, columns);
    return columns;
}

std::span<const char* const> StpNoteTexts()
{
    return stpNoteTexts;
}

} // namespace kvtables

#include "tables/menutree.h"

#include "tables/pagecatalogue.h"

namespace kvtables {

namespace {

using enum MenuAction;

// level, caption, component name, click handler, hidden, action, target, title
constexpr MenuItemDef mainMenu[] = {
    {0, "Basic Configuration",                   "Configuration1",                     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "System Information",                    "Information3",                       "Information3Click",                       false, browser,      "/TMIB_Info",                          nullptr},
    {1, "MIB II",                                "MIBII1",                             nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "IF Table",                              "IfTable1",                           "IfTable1Click",                           false, browser,      "/TMIB_IFTable",                       nullptr},
    {2, "IF Counters",                           "IFCounter1",                         "IFCounter1Click",                         false, browser,      "/TMIB_IFCounters",                    nullptr},
    {2, "-",                                     "N8",                                 nullptr,                                   false, separator,    nullptr,                               nullptr},
    {2, "IP Counters",                           "IPCounters1",                        "IPCounters1Click",                        false, browser,      "/TMIB_IPCounters",                    nullptr},
    {2, "IP Routing",                            "IPRouting1",                         "IPRouting1Click",                         false, browser,      "/TMIB_IPRouting",                     nullptr},
    {2, "IP Address Table",                      "IPAddressTable1",                    "IPAddressTable1Click",                    false, browser,      "/TMIB_IPAddress",                     nullptr},
    {2, "-",                                     "N9",                                 nullptr,                                   false, separator,    nullptr,                               nullptr},
    {2, "ICMP Counters",                         "ICMPCounters1",                      "ICMPCounters1Click",                      false, browser,      "/TMIB_ICMPCounters",                  nullptr},
    {2, "UDP Counters",                          "UDPCounters1",                       "UDPCounters1Click",                       false, browser,      "/TMIB_UDPCounters",                   nullptr},
    {2, "SNMP Counters",                         "SNMPCounters1",                      "SNMPCounters1Click",                      false, browser,      "/TMIB_SNMPCounters",                  nullptr},
    {1, "Moudle Basic Configuration",            "MoudleBasicConfig",                  "MoudleBasicConfigClick",                  true,  mainForm,     "TModuleBasicConfigurationForm",       nullptr},
    {1, "Device Management",                     "Layer2Management1",                  nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Device Information",                    "DeviceInformation1",                 "DeviceInformation1Click",                 false, page,         nullptr,                               nullptr},
    {2, "Alarm Control",                         "AlarmControl1",                      "AlarmControl1Click",                      false, page,         nullptr,                               nullptr},
    {2, "Refresh Panel",                         "RefreshPanel1",                      "RefreshPanel1Click",                      false, refreshPanel, "TWaitingForm",                        nullptr},
    {1, "Equipment Management",                  "DeviceEquipmentManagement1",         nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Basic Imformation",                     "Test1",                              "Test1Click",                              false, mainForm,     "TEquipmentBasicInfoForm",             nullptr},
    {2, "Unit Table",                            "UnitTable1",                         "UnitTable1Click",                         false, page,         nullptr,                               nullptr},
    {2, "Power Table",                           "PowerTable1",                        "PowerTable1Click",                        false, page,         nullptr,                               nullptr},
    {2, "Trap Management",                       "TrapManagement2",                    "TrapManagement2Click",                    true,  page,         nullptr,                               nullptr},
    {1, "Agent Management",                      "Basic1",                             nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Basic Information",                     "BasicInfo1",                         "BasicInfo1Click",                         false, page,         nullptr,                               nullptr},
    {2, "Mib Capabilities",                      "MibCapabilities1",                   "MibCapabilities1Click",                   false, page,         nullptr,                               nullptr},
    {2, "Basic Configuration",                   "BasicConfigure1",                    "BasicConfigure1Click",                    false, page,         nullptr,                               nullptr},
    {2, "Trap Receiver",                         "MibTrap1",                           nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Agent Supported Update Files",          "AgentSuportedUpdateFiles1",          "AgentSuportedUpdateFiles1Click",          false, page,         nullptr,                               nullptr},
    {2, "Trap Management",                       "TrapManagement1",                    "TrapManagement1Click",                    true,  page,         nullptr,                               nullptr},
    {1, "Time Management",                       "TimeManagement1",                    nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "System Time",                           "CurrentTime1",                       "CurrentTime1Click",                       false, page,         nullptr,                               nullptr},
    {2, "Network Time",                          "NetworkTime1",                       "NetworkTime1Click",                       false, page,         nullptr,                               nullptr},
    {1, "-",                                     "N2",                                 nullptr,                                   false, separator,    nullptr,                               nullptr},
    {1, "Entity",                                "Entity1",                            nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Physical Table",                        "PhysicalTable1",                     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Logical Table",                         "LogicalTable1",                      nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Mapping",                               "Mapping1",                           nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "IF-MIB",                                "IFMIB1",                             nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "General Table",                         "GeneralTable1",                      "GeneralTable1Click",                      false, browser,      "/TIFMib_LastChangeTable",             nullptr},
    {2, "IfX Table",                             "IFXTable1",                          "IFXTable1Click",                          false, browser,      "/TIFMib_ifXEntry",                    nullptr},
    {2, "IfStack Table",                         "IfStackTable1",                      "IfStackTable1Click",                      true,  browser,      "/TIFMib_ifStackTable",                nullptr},
    {2, "Test Table",                            "TestTable1",                         "TestTable1Click",                         true,  browser,      "/TIFMib_ifTestTable",                 nullptr},
    {1, "dot3 Statistics",                       "dot3Statistics1",                    "dot3Statistics1Click",                    false, browser,      "/TEthernetLike_dot3StatsTable",       nullptr},
    {1, "-",                                     "N3",                                 nullptr,                                   true,  separator,    nullptr,                               nullptr},
    {1, "Save Changes",                          "SaveChanges1",                       "SaveChanges1Click",                       true,  save,         nullptr,                               nullptr},
    {0, "RMON",                                  "Menu_RMON",                          nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "RMON Control",                          "RMONSetting1",                       "RMONSetting1Click",                       true,  page,         nullptr,                               nullptr},
    {1, "Statistics",                            "Statistics1",                        "Statistics1Click",                        false, browser,      "/TRmon_Statistics",                   nullptr},
    {1, "History",                               "History1",                           "History1Click",                           false, browser,      "/TRmon_History",                      nullptr},
    {1, "Alarm/Event",                           "AlarmEvent1",                        "AlarmEvent1Click",                        false, browser,      "/TRmon_AlarmEvent",                   nullptr},
    {0, "Bridge",                                "Bridge1",                            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "Spanning Tree Algorithm",               "SpanningTreeAlgorithm1",             "SpanningTreeAlgorithm1Click",             true,  page,         nullptr,                               nullptr},
    {1, "802.1d ",                               "N8021d1",                            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Information",                           "Information1",                       "Information1Click",                       false, page,         nullptr,                               nullptr},
    {2, "Port Table",                            "PortTable1",                         "PortTable1Click",                         false, browser,      "/TBridge_Port",                       nullptr},
    {1, "Spanning Tree",                         "SpaningTree1",                       nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "STP Control ",                          "Information2",                       "Information2Click",                       true,  page,         nullptr,                               nullptr},
    {2, "Port Table",                            "PortTable2",                         "PortTable2Click",                         false, browser,      "/TBridge_STPPort",                    nullptr},
    {2, "Information",                           "Information4",                       "Information4Click",                       false, browser,      "/TBridge_STPInfo",                    nullptr},
    {1, "Transparent Bridge",                    "TransparentBridge1",                 nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Forwarding Table",                      "ForwardingTable1",                   "ForwardingTable1Click",                   true,  browser,      "/TBridge_Forwarding",                 nullptr},
    {2, "Static Table",                          "StaticTable1",                       "StaticTable1Click",                       true,  browser,      "/TBridge_StaticFilter",               nullptr},
    {2, "Port Counters",                         "PortCounters1",                      "PortCounters1Click",                      false, browser,      "/TBridge_TpPortInfo",                 nullptr},
    {0, "VLAN",                                  "VLAN1",                              nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "VLan Mode Control",                     "VLanModeStatus1",                    "VLanModeStatus1Click",                    false, page,         nullptr,                               nullptr},
    {1, "802.1P",                                "N8021P1",                            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Basic Configure",                       "BasicConfigure2",                    "BasicConfigure2Click",                    true,  appForm,      "TPBridgeConfigForm",                  nullptr},
    {2, "Priority Information",                  "PriorityInformation1",               "PriorityInformation1Click",               false, nothing,      nullptr,                               nullptr},
    {3, "Default User Priorities of Each Port",  "DefaultUserPrioritiesofEachPort1",   "DefaultUserPrioritiesofEachPort1Click",   true,  page,         nullptr,                               nullptr},
    {3, "Regenerated User Priorities",           "RegeneratedUserPriorities1",         "RegeneratedUserPriorities1Click",         true,  page,         nullptr,                               nullptr},
    {3, "User Priorities To Traffic Class",      "UserPrioritiesToTrafficClass1",      "UserPrioritiesToTrafficClass1Click",      false, page,         nullptr,                               nullptr},
    {3, "Port Outbound Access Priorities",       "PortOutboundAccessPriorities1",      "PortOutboundAccessPriorities1Click",      true,  page,         nullptr,                               nullptr},
    {2, "GMRP",                                  "GMRP1",                              "GMRP1Click",                              true,  browser,      "/TVLan_GMRP",                         nullptr},
    {2, "GARP",                                  "GVRP1",                              "GVRP1Click",                              true,  appForm,      "TGARPForm",                           nullptr},
    {2, "Port Capability",                       "PortCapbility1",                     "PortCapbility1Click",                     false, appForm,      "TPortCapabilities8021dForm",          nullptr},
    {1, "802.1Q",                                "N8021Q1",                            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "802.1Q Bridge",                         "N8021QBridge1",                      nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {3, "Basic Configure",                       "BasicConfigure",                     "BasicConfigureClick",                     false, appForm,      "TVLanGeneralInfoForm",                nullptr},
    {3, "Ports Information",                     "PortsInfo1",                         "PortsInfo1Click",                         false, appForm,      "TVLanPortInfomationForm",             nullptr},
    {2, "Forwarding/Filtering",                  "N8021QVLAN1",                        "N8021QVLAN1Click",                        false, nothing,      nullptr,                               nullptr},
    {3, "Unicast Forwarding Information",        "UnicastForwardingInformation1",      "UnicastForwardingInformation1Click",      false, page,         nullptr,                               nullptr},
    {3, "Tp Group Destination Forwarded",        "TpGroupDestinationForwarded1",       "TpGroupDestinationForwarded1Click",       true,  mainForm,     "TTpGroupDestinationForwardedForm",    nullptr},
    {3, "Multicast Forwarding Information",      "MulticastForwardingInformation1",    "MulticastForwardingInformation1Click",    true,  mainForm,     "TMulticastForwardingInformationForm", nullptr},
    {3, "Forward Unregistered Information",      "ForwardUnregisteredInformation1",    "ForwardUnregisteredInformation1Click",    true,  mainForm,     "TForwardUnregisteredInformationForm", nullptr},
    {2, "802.1Q VLAN ",                          "StaticVLANEntry1",                   nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {3, "Static Table",                          "StaticForm1",                        "StaticForm1Click",                        false, mainForm,     "TVlanStaticForm",                     nullptr},
    {3, "Current Table",                         "CurrentForm1",                       "CurrentForm1Click",                       false, mainForm,     "TVLanCurrentTableForm",               nullptr},
    {2, "Static Filtering ",                     "UnicastMulticastStaticFilterTable1", "UnicastMulticastStaticFilterTable1Click", true,  nothing,      nullptr,                               nullptr},
    {3, "Unicast Information",                   "UnicastInformation1",                "UnicastInformation1Click",                false, mainForm,     "TUnicastFilterInformationForm",       nullptr},
    {3, "Multicast Information",                 "MulticastInformation1",              "MulticastInformation1Click",              false, mainForm,     "TMulticastFilterInformationForm",     nullptr},
    {1, "Port Based VLAN",                       "PortBasedVLAN1",                     "PortBasedVLAN1Click",                     false, mainForm,     "TPortBasedVLanForm",                  nullptr},
    {0, "SNMP V3",                               "VACM1",                              nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "SNMP Engine",                           "snmpEngine1",                        "snmpEngine1Click",                        false, page,         nullptr,                               nullptr},
    {1, "Snmp Framework MIB",                    "SnmpFrameworkMIB1",                  nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {1, "Message Processing and Dispatching",    "MessageProcessingandDispatching1",   "MessageProcessingandDispatching1Click",   false, page,         nullptr,                               nullptr},
    {1, "SNMP Target MIB",                       "SNMPTargetMIB1",                     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "General Information",                   "GeneralInformation1",                "GeneralInformation1Click",                false, page,         nullptr,                               nullptr},
    {2, "Target Address Table",                  "CommunityTargetAddressTable",        "CommunityTargetAddressTableClick",        false, page,         nullptr,                               nullptr},
    {2, "Target Parameters",                     "TargetParameters1",                  "TargetParameters1Click",                  false, page,         nullptr,                               nullptr},
    {1, "User-based Security Model",             "UserbasedSecurityModel1",            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Statistics",                            "Statistics2",                        "Statistics2Click",                        false, page,         nullptr,                               nullptr},
    {2, "User Table",                            "UserTable1",                         "UserTable1Click",                         false, page,         nullptr,                               nullptr},
    {1, "View-base Access Control Mode",         "ViewBaseAccessControlMode1",         nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Security Group Table",                  "SecurityTable1",                     "SecurityTable1Click",                     false, page,         nullptr,                               nullptr},
    {2, "Access Table",                          "AccessTable1",                       "AccessTable1Click",                       false, page,         nullptr,                               nullptr},
    {2, "View MIB Tree Family Table",            "ViewTable1",                         "ViewTable1Click",                         false, page,         nullptr,                               nullptr},
    {1, "Notifications",                         "Notifications1",                     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Notify Table",                          "NotifyTable1",                       "NotifyTable1Click",                       false, page,         nullptr,                               nullptr},
    {2, "Notify Filter Profile Table",           "NotifyFilterProfileTale1",           "NotifyFilterProfileTale1Click",           false, page,         nullptr,                               nullptr},
    {2, "Notify Filter Entry Table",             "NotifyFilterEntryTable1",            "NotifyFilterEntryTable1Click",            false, page,         nullptr,                               nullptr},
    {1, "Community",                             "Community1",                         nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Community String Table",                "CommunityStringTable1",              "CommunityStringTable1Click",              false, page,         nullptr,                               nullptr},
    {2, "Target Address Table",                  "TargetAddressTable1",                "TargetAddressTable1Click",                false, page,         nullptr,                               nullptr},
    {0, "Security Management",                   "SecurityManagement1",                nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "Authentication Mode Setting",           "Auth1",                              "Auth1Click",                              false, page,         nullptr,                               nullptr},
    {1, "Radius Management",                     "RadiusInfomationConfiguration1",     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Basic Configuration",                   "BasicConfiguration1",                "BasicConfiguration1Click",                false, page,         nullptr,                               nullptr},
    {2, "Radius Server Table",                   "RadiusServerTabl1",                  "RadiusServerTabl1Click",                  false, page,         nullptr,                               nullptr},
    {2, "Client Authentication Information",     "AuthenticationServer1",              "AuthenticationServer1Click",              false, page,         nullptr,                               nullptr},
    {2, "Authentication Table",                  "AuthenticationServerTable1",         "AuthenticationServerTable1Click",         false, page,         nullptr,                               nullptr},
    {2, "Accounting Control",                    "AccountingControl1",                 nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {3, "Basic Information",                     "AccountingServerInformation1",       "AccountingServerInformation1Click",       false, page,         nullptr,                               nullptr},
    {3, "Server Table",                          "AccountingServerTable1",             "AccountingServerTable1Click",             false, page,         nullptr,                               nullptr},
    {3, "Client Information",                    "ClientInformation1",                 "ClientInformation1Click",                 false, page,         nullptr,                               nullptr},
    {3, "Service Table",                         "ServiceTable1",                      "ServiceTable1Click",                      false, page,         nullptr,                               nullptr},
    {0, "802.1X",                                "N8021X1",                            nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "Configuration",                         "Configuration2",                     "Configuration2Click",                     false, page,         nullptr,                               nullptr},
    {1, "Port Table",                            "PAEPortTable1",                      "PAEPortTable1Click",                      false, page,         nullptr,                               nullptr},
    {1, "Port Configuration",                    "PortAuthenticationConfiguration1",   "PortAuthenticationConfiguration1Click",   false, page,         nullptr,                               nullptr},
    {1, "Port Statistics",                       "PortAuthStatistics1",                "PortAuthStatistics1Click",                false, page,         nullptr,                               nullptr},
    {1, "Port Diagnostics",                      "Diagnostics1",                       "Diagnostics1Click",                       false, page,         nullptr,                               nullptr},
    {1, "Port Session Statistics",               "PortSessionStatistics1",             "PortSessionStatistics1Click",             false, page,         nullptr,                               nullptr},
    {1, "-",                                     "N6",                                 nullptr,                                   true,  separator,    nullptr,                               nullptr},
    {1, "Mac Base Authentication",               "MacAuthenticationBaseStateTable1",   nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "State Table",                           "StateTable1",                        "StateTable1Click",                        false, page,         nullptr,                               nullptr},
    {2, "Diagnostics Information",               "DiagnosticsInformation1",            "DiagnosticsInformation1Click",            false, mainForm,     "TDiagnosticsInformationForm",         nullptr},
    {2, "EAP Over Land  Frames Statistic Table", "StatisticTable1",                    "StatisticTable1Click",                    false, mainForm,     "TMacStatisticTableForm",              nullptr},
    {2, "Session Information",                   "SessionInformation1",                "SessionInformation1Click",                false, page,         nullptr,                               nullptr},
    {1, "PAE Supplicant",                        "PAESupplicant1",                     nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Configuration Table",                   "SupplicantCnfigureTable1",           "SupplicantCnfigureTable1Click",           false, page,         nullptr,                               nullptr},
    {2, "Statistic Table",                       "S1",                                 "S1Click",                                 false, page,         nullptr,                               nullptr},
    {0, "Layer 2 Management",                    "Layer2Management2",                  nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "Layer2 Control",                        "DeviceControl1",                     "DeviceControl1Click",                     false, page,         nullptr,                               nullptr},
    {1, "General",                               "General1",                           nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {1, "QoS Management",                        "QoSManagement1",                     nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Bandwidth Control Table",               "BandwidthControlTable1",             "BandwidthControlTable1Click",             false, page,         nullptr,                               nullptr},
    {2, "SchedulingTable",                       "SchedulingTable1",                   "SchedulingTable1Click",                   false, page,         nullptr,                               nullptr},
    {2, "802.1p User Priority Table",            "N8021pUserPriorityTable1",           "N8021pUserPriorityTable1Click",           false, page,         nullptr,                               nullptr},
    {2, "802.1p Default Priority Table",         "N8021pDefaultPriorityTable1",        "N8021pDefaultPriorityTable1Click",        false, page,         nullptr,                               nullptr},
    {1, "MAC Filter Table",                      "FilterTable1",                       nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {1, "-",                                     "N1",                                 nullptr,                                   false, separator,    nullptr,                               nullptr},
    {1, "IGMP Basic Information",                "IGMPBasicInformation1",              "IGMPBasicInformation1Click",              false, page,         nullptr,                               nullptr},
    {1, "IGMP Control Table",                    "IGMPControlTable1",                  "IGMPControlTable1Click",                  false, page,         nullptr,                               nullptr},
    {1, "IGMP Query Information",                "IGMPQuery1",                         "IGMPQuery1Click",                         false, page,         nullptr,                               nullptr},
    {1, "IGMP Information ",                     "IGMPInformation1",                   "IGMPInformation1Click",                   false, page,         nullptr,                               nullptr},
    {1, "Port Management",                       "PortManagement1",                    nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {2, "Port Information Table",                "PortInformation1",                   "PortInformation1Click",                   false, page,         nullptr,                               nullptr},
    {2, "Port Control Table",                    "PortControl1",                       "PortControl1Click",                       false, page,         nullptr,                               nullptr},
    {2, "Trunk Basic Information",               "TrunkBasicInformation1",             "TrunkBasicInformation1Click",             false, page,         nullptr,                               nullptr},
    {2, "Port Trunk Table",                      "PortTrunk2",                         "PortTrunk2Click",                         false, appForm,      "TPortTrunkForm",                      nullptr},
    {2, "Port Mirror Table",                     "PortMirrorTable1",                   "PortMirrorTable1Click",                   false, appForm,      "TPortMirrorForm",                     nullptr},
    {2, "Port Security Table",                   "PortSecurity1",                      "PortSecurity1Click",                      true,  page,         nullptr,                               nullptr},
    {2, "Port Rate table",                       "PortRatetable1",                     "PortRatetable1Click",                     false, page,         nullptr,                               nullptr},
    {2, "Port Binding Management",               "PortBindingManagement1",             nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {3, "Basic Information",                     "BasicInformation1",                  "BasicInformation1Click",                  false, page,         nullptr,                               nullptr},
    {3, "Binding Ctrl Table",                    "PortBindingTable1",                  "PortBindingTable1Click",                  false, page,         nullptr,                               nullptr},
    {3, "Binding Information Table",             "PortBindingInformationTable1",       "PortBindingInformationTable1Click",       false, page,         nullptr,                               nullptr},
    {1, "Traffic Control Table",                 "StormTrafficControlTable1",          "StormTrafficControlTable1Click",          true,  page,         nullptr,                               nullptr},
    {1, "Traffic Segmentation Table ",           "TrafficSegmentationTable1",          "TrafficSegmentationTable1Click",          true,  appForm,      "TTrafficSegmentationForm",            "Traffic Segmentation Table"},
    {1, "Access Control Information",            "Acess1",                             nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Ethernet Mask Information",             "EthernetMask1",                      "EthernetMask1Click",                      false, page,         nullptr,                               nullptr},
    {2, "Ethernet Information Rule",             "RuleOfEthernetInformation1",         "RuleOfEthernetInformation1Click",         false, page,         nullptr,                               nullptr},
    {2, "IP Mask Information",                   "IPMaskInformation1",                 "IPMaskInformation1Click",                 false, page,         nullptr,                               nullptr},
    {2, "IP Rule",                               "IPRule1",                            "IPRule1Click",                            false, page,         nullptr,                               nullptr},
    {1, "802.3 ad",                              "N8023ad1",                           nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Aggregator Table",                      "AggregatorTable1",                   "AggregatorTable1Click",                   false, page,         nullptr,                               nullptr},
    {2, "Aggregator Port List",                  "AggregatorPortList1",                nullptr,                                   true,  submenu,      nullptr,                               nullptr},
    {2, "Aggreator Port Table",                  "AggreatorPortTable1",                "AggreatorPortTable1Click",                false, mainForm,     "TAggregatorPortTableForm",            nullptr},
    {0, "Help",                                  "Help1",                              nullptr,                                   false, submenu,      nullptr,                               nullptr},
    {1, "Help",                                  "Help2",                              "Help2Click",                              false, help,         nullptr,                               nullptr},
    {1, "About",                                 "About1",                             "About1Click",                             false, about,        "TAboutForm",                          nullptr},
    {1, "Test",                                  "Test",                               "TestClick",                               true,  page,         nullptr,                               nullptr},
};

constexpr MenuItemDef portPopupMenu[] = {
    {0, "Port Information",   "PortInformation2",   "PortInformation2Click",   false, page, nullptr, nullptr},
    {0, "Port Configuration", "PortConfiguration1", "PortConfiguration1Click", false, page, nullptr, nullptr},
};

constexpr const char* rmonStateItems[] = {"Statistics1", "History1", "AlarmEvent1"};

} // namespace

std::span<const MenuItemDef> MainMenu()
{
    return mainMenu;
}

std::span<const MenuItemDef> PortPopupMenu()
{
    return portPopupMenu;
}

const MenuItemDef* FindMenuItem(std::string_view name)
{
    for (const auto& menu : {MainMenu(), PortPopupMenu()})
        for (const MenuItemDef& item : menu)
            if (name == item.name)
                return &item;
    return nullptr;
}

const PageCommand* PageOf(const MenuItemDef& item)
{
    return item.action == page ? FindPageByName(item.name) : nullptr;
}

std::span<const char* const> RmonStateItems()
{
    return rmonStateItems;
}

} // namespace kvtables

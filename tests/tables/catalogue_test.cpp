// Checks of the page catalogue and the menu tree: every generic command of the
// main menu is there with the title, builder, list kind and key count its menu
// line gives, over the variables the line names, and the menu tree is a
// consistent tree whose page items are exactly the catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "osprey_config.h"
#include "tables/menutree.h"
#include "tables/optionlists.h"
#include "tables/pagecatalogue.h"
#include "tables/pagetables.h"

using namespace kvtables;

namespace {

using enum PageBuilder;

// One generic command as the menu describes it: component name, page title,
// builder, number of variables, list kind, key count, and the object
// identifiers of its variables less their last arc, in table order, without
// repeats ("ENT" is the maker's arc).
struct MenuLine {
    const char* name;
    const char* title;
    PageBuilder builder;
    int count;
    int kind;
    int keyCount;
    const char* parents;
};

const MenuLine kMenuLines[] = {
    {"DeviceInformation1", "Device Information", SetEditorPage, 2, 0, 0, "ENT.11.55.1.2.1.1"},
    {"AlarmControl1", "Alarm Control", SetEditorPage, 3, 0, 0, "ENT.11.55.1.2.1.3"},
    {"UnitTable1", "Unit Table", SetListViewPage, 8, 2, 1, "ENT.12.11.1.9.4.1"},
    {"PowerTable1", "Power Table", SetListViewPage, 3, 2, 1, "ENT.12.11.1.6.1"},
    {"TrapManagement2", "Trap Management ", SetEditorPage, 5, 0, 0, "ENT.12.11.2.1.1 ENT.12.11.2.1.2"},
    {"BasicInfo1", "Basic Information", SetEditorPage, 4, 0, 0, "ENT.12.1.1"},
    {"MibCapabilities1", "Mib Capabilities", SetListViewPage, 4, 2, 1, "ENT.12.1.1.2.1"},
    {"BasicConfigure1", "Basic Configuration", SetEditorPage, 6, 0, 0, "ENT.12.1.2 ENT.12.1.3"},
    {"AgentSuportedUpdateFiles1", "Agent Supported Update Files", SetListViewPage, 8, 3, 1, "ENT.12.1.2.1.1"},
    {"TrapManagement1", "Trap Management", SetEditorPage, 1, 0, 0, "ENT.12.1.7.1"},
    {"CurrentTime1", "Current Time", SetEditorPage, 5, 0, 0, "ENT.12.10 ENT.12.10.10"},
    {"NetworkTime1", "Network Time", SetEditorPage, 5, 0, 0, "ENT.12.10.11"},
    {"RMONSetting1", "RMON Control", SetEditorPage, 1, 0, 0, "ENT.11.55.1.2.1.2"},
    {"SpanningTreeAlgorithm1", "Spanning Tree Algorithm", SetEditorPage, 1, 0, 0, "ENT.11.55.1.2.1.2"},
    {"Information1", "Bridge 802.1d Information", SetEditorPage, 5, 0, 0, "1.3.6.1.2.1.17.1 1.3.6.1.2.1.17.4"},
    {"Information2", "Spanning Tree Control", SetEditorPage, 6, 0, 0, "1.3.6.1.2.1.17.2"},
    {"VLanModeStatus1", "VLAN Status Control", SetEditorPage, 1, 0, 0, "ENT.12.2.6"},
    {"DefaultUserPrioritiesofEachPort1", "Default User Priorities of Each Port", SetListViewPage, 3, 2, 1,
     "1.3.6.1.2.1.17.1.4.1 1.3.6.1.2.1.17.6.1.2.1.1"},
    {"RegeneratedUserPriorities1", "Regenerated User Priorities", SetListViewPage, 3, 2, 2,
     "1.3.6.1.2.1.17.1.4.1 1.3.6.1.2.1.17.6.1.2.2.1"},
    {"UserPrioritiesToTrafficClass1", "User Priorities To Traffic Class", SetListViewPage, 2, 2, 1, "ENT.12.2.7.1.1"},
    {"PortOutboundAccessPriorities1", "Port Outbound Access Priorities", SetListViewPage, 3, 2, 2,
     "1.3.6.1.2.1.17.1.4.1 1.3.6.1.2.1.17.6.1.2.2.1 1.3.6.1.2.1.17.6.1.2.4.1"},
    {"UnicastForwardingInformation1", "Unicast Forwarding Information", SetListViewPage, 4, 2, 2,
     "1.3.6.1.2.1.17.7.1.2.1.1 1.3.6.1.2.1.17.7.1.2.2.1"},
    {"snmpEngine1", "SNMP Engine", SetEditorPage, 4, 0, 0, "1.3.6.1.6.3.10.2.1"},
    {"MessageProcessingandDispatching1", "Message Processingand Dispatching", SetEditorPage, 3, 0, 0,
     "1.3.6.1.6.3.11.2.1"},
    {"GeneralInformation1", "General Information", SetEditorPage, 3, 0, 0, "1.3.6.1.6.3.12.1"},
    {"CommunityTargetAddressTable", "Target Address Table", SetListViewPage, 9, 3, 1, "1.3.6.1.6.3.12.1.2.1"},
    {"TargetParameters1", "Target Parameters", SetListViewPage, 7, 3, 1, "1.3.6.1.6.3.12.1.3.1"},
    {"Statistics2", "Statistics", SetEditorPage, 6, 0, 0, "1.3.6.1.6.3.15.1.1"},
    {"UserTable1", "User Table", SetListViewPage, 13, 3, 2, "1.3.6.1.6.3.15.1.2.2.1"},
    {"SecurityTable1", "Security Group Table", SetListViewPage, 5, 3, 2, "1.3.6.1.6.3.16.1.2.1"},
    {"AccessTable1", "Access Table", SetListViewPage, 10, 3, 4, "1.3.6.1.6.3.16.1.2.1 1.3.6.1.6.3.16.1.4.1"},
    {"ViewTable1", "View MIB Tree Family Table", SetListViewPage, 6, 3, 2, "1.3.6.1.6.3.16.1.5.2.1"},
    {"NotifyTable1", "Notify Table", SetListViewPage, 5, 3, 1, "1.3.6.1.6.3.13.1.1.1"},
    {"NotifyFilterProfileTale1", "Notify Filter Profile Table", SetListViewPage, 4, 3, 1,
     "1.3.6.1.6.3.12.1.3.1 1.3.6.1.6.3.13.1.2.1"},
    {"NotifyFilterEntryTable1", "Notify Filter Table", SetListViewPage, 6, 3, 2,
     "1.3.6.1.6.3.13.1.2.1 1.3.6.1.6.3.13.1.3.1"},
    {"CommunityStringTable1", "SNMP Community Table", SetListViewPage, 8, 3, 1, "1.3.6.1.6.3.18.1.1.1"},
    {"TargetAddressTable1", "Target Address Table", SetListViewPage, 3, 3, 1,
     "1.3.6.1.6.3.12.1.2.1 1.3.6.1.6.3.18.1.2.1"},
    {"Auth1", "Authentication Mode Setting", SetEditorPage, 1, 0, 0, "ENT.12.3.1"},
    {"BasicConfiguration1", "Basic Configuration", SetEditorPage, 3, 0, 0, "ENT.12.3.2"},
    {"RadiusServerTabl1", "Radius Server Table", SetListViewPage, 6, 2, 1, "ENT.12.3.2.4.1"},
    {"AuthenticationServer1", "Radius Client Authentication Information", SetEditorPageFromList, 2, 0, 0, "ENT.12.3.5"},
    {"AuthenticationServerTable1", "Radius Authentication Table", SetListViewPage, 15, 2, 1, "ENT.12.3.3.3.1"},
    {"AccountingServerInformation1", "Accounting Basic Information", SetEditorPage, 2, 0, 0, "ENT.12.3.4"},
    {"AccountingServerTable1", "Accounting Server Table", SetListViewPage, 13, 2, 1, "1.3.6.1.2.1.67.2.2.1.1.3.1"},
    {"ClientInformation1", "Accounting Client Information", SetEditorPageFromList, 2, 0, 0, "ENT.12.3.5"},
    {"ServiceTable1", "Accounting Service Table", SetListViewPage, 3, 2, 1, "ENT.12.3.4.3.1"},
    {"Configuration2", "802.1X Configuration", SetEditorPage, 1, 0, 0, "1.0.8802.1.1.1.1.1"},
    {"PAEPortTable1", "Port Table", SetListViewPage, 5, 3, 1, "1.0.8802.1.1.1.1.1.2.1"},
    {"PortAuthenticationConfiguration1", "802.1X Port Configuration", SetListViewPage, 15, 3, 1,
     "1.0.8802.1.1.1.1.1.2.1 1.0.8802.1.1.1.1.2.1.1"},
    {"PortAuthStatistics1", "Port Statistics", SetListViewPage, 12, 2, 1, "1.0.8802.1.1.1.1.2.2.1"},
    {"Diagnostics1", "Port Diagnostics", SetListViewPage, 18, 2, 1, "1.0.8802.1.1.1.1.2.3.1"},
    {"PortSessionStatistics1", "Port Session Statistics", SetListViewPage, 10, 2, 1,
     "1.0.8802.1.1.1.1.1.2.1 1.0.8802.1.1.1.1.2.4.1"},
    {"StateTable1", "State Table", SetListViewPage, 6, 2, 1, "ENT.12.3.6.1.1"},
    {"SessionInformation1", "Session Information ", SetListViewPage, 10, 2, 1, "ENT.12.3.6.1.1 ENT.12.3.6.4.1"},
    {"SupplicantCnfigureTable1", "Supplicant Configuration Table", SetListViewPage, 6, 2, 1,
     "1.0.8802.1.1.1.1.1.2.1 1.0.8802.1.1.1.1.3.1.1"},
    {"S1", "Supplicant Statistic Table", SetListViewPage, 13, 2, 1, "1.0.8802.1.1.1.1.1.2.1 1.0.8802.1.1.1.1.3.2.1"},
    {"DeviceControl1", "Device Control", SetEditorPage, 7, 0, 0, "ENT.11.36.2.5.2"},
    {"BandwidthControlTable1", "Bandwidth Control Table1", SetListViewPage, 3, 2, 1, "ENT.11.55.1.2.6.1.1"},
    {"SchedulingTable1", "Scheduling Table1", SetListViewPage, 2, 2, 1, "ENT.11.55.1.2.6.2.1"},
    {"N8021pUserPriorityTable1", "8021p User Priority Table", SetListViewPage, 2, 2, 1, "ENT.11.55.1.2.6.3.1"},
    {"N8021pDefaultPriorityTable1", "8021p Default Priority Table", SetListViewPage, 2, 2, 1, "ENT.11.55.1.2.6.4.1"},
    {"IGMPBasicInformation1", "IGMP Basic Information", SetEditorPageFromList, 2, 0, 0, "ENT.12.2.3"},
    {"IGMPControlTable1", "IGMP Control", SetListViewPage, 11, 3, 1, "ENT.12.2.3.3.1"},
    {"IGMPQuery1", "IGMP Query Information", SetListViewPage, 3, 3, 1, "ENT.12.2.3.5.1"},
    {"IGMPInformation1", "IGMP Information", SetListViewPage, 5, 3, 1, "ENT.12.2.3.7.1"},
    {"PortInformation1", "Port Information Table", SetListViewPage, 3, 2, 1, "ENT.11.36.2.6.1.1"},
    {"PortControl1", "Port Control Table", SetListViewPage, 4, 2, 1, "ENT.11.36.2.6.2.1"},
    {"TrunkBasicInformation1", "Trunk Information", SetEditorPage, 2, 0, 0, "ENT.12.2.1"},
    {"PortSecurity1", "Port Security Table", SetListViewPage, 4, 3, 1, "ENT.11.55.1.2.7.1.1"},
    {"PortRatetable1", "Port Rate Table", SetListViewPageFromList, 3, 2, 1, "ENT.12.2.4.1.1"},
    {"BasicInformation1", "Port Binding Basic Information", SetEditorPage, 2, 0, 0, "ENT.12.2.5"},
    {"PortBindingTable1", "Port Binding Ctrl Table", SetListViewPageFromList, 2, 2, 1, "ENT.12.2.5.2.1"},
    {"PortBindingInformationTable1", "Port Binding Information Table", SetListViewPageFromList, 4, 3, 2,
     "ENT.12.2.5.4.1"},
    {"StormTrafficControlTable1", "Traffic Control Table", SetListViewPage, 6, 3, 1, "ENT.11.55.1.2.13.1.1"},
    {"EthernetMask1", "Ethernet Mask Information", SetListViewPage, 9, 3, 1, "ENT.11.5.1.1.1"},
    {"RuleOfEthernetInformation1", "Ethernet Information Rule", SetListViewPage, 13, 3, 2, "ENT.11.5.2.1.1"},
    {"IPMaskInformation1", "IP Mask Information", SetListViewPage, 17, 3, 1, "ENT.11.5.1.2.1"},
    {"IPRule1", "IP Rule", SetListViewPage, 19, 3, 2, "ENT.11.5.2.2.1"},
    {"AggregatorTable1", "Aggregator Table", SetListViewPage, 11, 2, 1, "ENT.12.4.1.1.1.1"},
    {"Test", "Port Information Table", SetEditorPage, 6, 1, 0, "ENT.11.55.1.2.3.1.1"},
};

// Dotted OIDs of a table's rows less their last arc, in table order, without repeats.
std::string ParentsOf(const VarDef* table)
{
    const std::string ent = OSPREY_ENT_OID;
    std::vector<std::string> parents;
    for (int i = 0; table[i].oid; ++i) {
        std::string oid = table[i].oid;
        oid = oid.substr(0, oid.rfind('.'));
        if (oid.compare(0, ent.size() + 1, ent + ".") == 0)
            oid = "ENT" + oid.substr(ent.size());
        if (std::find(parents.begin(), parents.end(), oid) == parents.end())
            parents.push_back(oid);
    }
    std::string joined;
    for (const std::string& p : parents)
        joined += (joined.empty() ? "" : " ") + p;
    return joined;
}

bool IsListView(PageBuilder b)
{
    return b == SetListViewPage || b == SetListViewPageFromList;
}

const OptionListInfo* InfoOf(const KvOptionList* list)
{
    for (const OptionListInfo& info : OptionLists())
        if (info.list == list)
            return &info;
    return nullptr;
}

// Whether `label` is a value name of `list`.
bool HasName(const KvOptionList* list, const char* label)
{
    const OptionListInfo* info = InfoOf(list);
    if (!info)
        return false;
    for (int i = 0; info->table[i].label; ++i)
        if (std::strcmp(info->table[i].label, label) == 0)
            return true;
    return false;
}

} // namespace

TEST(PageCatalogue, HoldsEveryGenericCommandOfTheMenuInOrder)
{
    const auto catalogue = PageCatalogue();
    ASSERT_EQ(catalogue.size(), std::size(kMenuLines));
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const PageCommand& p = catalogue[i];
        const MenuLine& line = kMenuLines[i];
        SCOPED_TRACE(line.name);
        EXPECT_STREQ(p.name, line.name);
        EXPECT_STREQ(p.title, line.title);
        EXPECT_EQ(p.builder, line.builder);
        EXPECT_EQ(p.kind, line.kind);
        EXPECT_EQ(p.keyCount, line.keyCount);
        EXPECT_EQ(CountRows(p.variables), line.count);
        EXPECT_EQ(ParentsOf(p.variables), line.parents);
    }
}

TEST(PageCatalogue, BuilderKindAndListKindAgree)
{
    for (const auto& list : {PageCatalogue(), PortPages()}) {
        for (const PageCommand& p : list) {
            SCOPED_TRACE(p.name);
            if (IsListView(p.builder)) {
                EXPECT_GE(p.kind, 2) << "a list-view page walks a table";
            } else {
                EXPECT_LE(p.kind, 1) << "an editor page shows scalars or one row";
            }
            // One row needs a row: a given instance, or the port number.
            if (p.kind == 1) {
                EXPECT_TRUE(p.instance || p.special == PageSpecial::portRow);
            } else {
                EXPECT_EQ(p.instance, nullptr);
            }
        }
    }
}

TEST(PageCatalogue, CreateAndDeleteWriteTheRowStatusColumn)
{
    int creatable = 0;
    for (const PageCommand& p : PageCatalogue()) {
        SCOPED_TRACE(p.name);
        const PageRowOps& ops = p.rowOps;
        EXPECT_TRUE(ops.createMode == 0 || ops.createMode == 1);
        if (!ops.createText && !ops.deleteText) {
            EXPECT_EQ(ops.createIndex, -1);
            EXPECT_EQ(ops.deleteIndex, -1);
            EXPECT_EQ(ops.createMode, 0);
            continue;
        }
        ++creatable;
        ASSERT_TRUE(IsListView(p.builder));
        EXPECT_EQ(p.kind, 3) << "rows are created only in tables with row creation";
        ASSERT_NE(ops.createText, nullptr);
        ASSERT_NE(ops.deleteText, nullptr);
        EXPECT_STREQ(ops.createText, "createAndGo");
        EXPECT_STREQ(ops.deleteText, "destroy");
        EXPECT_EQ(ops.createIndex, ops.deleteIndex);
        ASSERT_GE(ops.createIndex, p.keyCount) << "the status column is not an index";
        ASSERT_LT(ops.createIndex, CountRows(p.variables));
        const VarDef& status = p.variables[ops.createIndex];
        EXPECT_EQ(status.options, &optRowStatus) << status.label;
        EXPECT_EQ(status.access, accRW) << status.label;
        EXPECT_TRUE(HasName(status.options, ops.createText));
        EXPECT_TRUE(HasName(status.options, ops.deleteText));
        if (p.layout) {
            EXPECT_EQ(p.layout[ops.createIndex].kind, uiCombo);
        }
    }
    EXPECT_GT(creatable, 0);
}

TEST(PageCatalogue, AdjustmentsFitThePage)
{
    for (const auto& list : {PageCatalogue(), PortPages()}) {
        for (const PageCommand& p : list) {
            SCOPED_TRACE(p.name);
            const PageAdjust& a = p.adjust;
            EXPECT_GE(a.editorWidthAdd, 0);
            EXPECT_GE(a.editorWidth, 0);
            EXPECT_GE(a.heightAdd, 0);
            EXPECT_GE(a.widthAdd, 0);
            // A window never opens taller than 550 pixels.
            EXPECT_TRUE(a.height == 0 || (a.height > 0 && a.height <= 550));
            if (a.editorWidthAdd || a.editorWidth || a.limits) {
                EXPECT_NE(p.layout, nullptr) << "editors are reached through the layout table";
            }
            if (a.stopButton) {
                EXPECT_TRUE(IsListView(p.builder)) << "only list-view pages have a Stop button";
            }
            if (!a.limits)
                continue;
            int limited = 0;
            for (const EditorLimit* l = a.limits; l->entry >= 0; ++l, ++limited) {
                ASSERT_LT(l->entry, CountEntries(p.layout));
                const UIEntryDef& e = p.layout[l->entry];
                EXPECT_NE(e.kind, uiCombo) << "a text limit needs an edit field";
                EXPECT_GT(l->maxLength, 0);
                // The limit agrees with the length the entry's constraint allows.
                const char* brace = e.format ? std::strchr(e.format, '{') : nullptr;
                const char* len = brace ? std::strchr(brace, 'l') : nullptr;
                if (len) {
                    EXPECT_EQ(l->maxLength, std::atoi(len + 1)) << e.format;
                }
            }
            EXPECT_GT(limited, 0);
        }
    }
}

TEST(PageCatalogue, SpecialPagesHaveWhatTheirBehaviourNeeds)
{
    int stp = 0, rmon = 0;
    for (const PageCommand& p : PageCatalogue()) {
        if (p.special == PageSpecial::stpNotes) {
            ++stp;
            // The notes go below the last editor, the hold count.
            const int n = CountEntries(p.layout);
            ASSERT_GT(n, 0);
            EXPECT_STREQ(p.layout[n - 1].variable->label, "Tx Hold Count[1-10]");
            EXPECT_EQ(p.adjust.heightAdd, 40);
        }
        if (p.special == PageSpecial::rmonStateOnClose) {
            ++rmon;
            // The main window compares the state's name with these two.
            ASSERT_EQ(CountRows(p.variables), 1);
            EXPECT_TRUE(HasName(p.variables[0].options, "disabled"));
            EXPECT_TRUE(HasName(p.variables[0].options, "enabled"));
        }
        EXPECT_NE(p.special, PageSpecial::portRow) << p.name << ": per-port pages are not menu commands";
    }
    EXPECT_EQ(stp, 1);
    EXPECT_EQ(rmon, 1);
    ASSERT_EQ(StpNoteTexts().size(), 2u);

    for (const PageCommand& p : PortPages()) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.special, PageSpecial::portRow);
        EXPECT_EQ(p.builder, SetEditorPage);
        // The first entry is the port index, which a disabled edit replaces.
        ASSERT_NE(p.layout, nullptr);
        EXPECT_TRUE(p.variables[0].access & accIndex);
        // The same tables as the list-view page of the same table.
        bool shared = false;
        for (const PageCommand& q : PageCatalogue())
            shared |= q.variables == p.variables && q.layout == p.layout && IsListView(q.builder);
        EXPECT_TRUE(shared);
    }
}

TEST(PageCatalogue, LookupByNameAndTitle)
{
    // Titles are not unique: the first page in menu order wins.
    const PageCommand* target = FindPageByTitle("Target Address Table");
    ASSERT_NE(target, nullptr);
    EXPECT_STREQ(target->name, "CommunityTargetAddressTable");
    const PageCommand* trap = FindPageByTitle("Trap Management ");
    ASSERT_NE(trap, nullptr);
    EXPECT_STREQ(trap->name, "TrapManagement2");
    EXPECT_STREQ(FindPageByTitle("Trap Management")->name, "TrapManagement1");
    EXPECT_EQ(FindPageByTitle("Trap Management  "), nullptr);
    EXPECT_EQ(FindPageByTitle(""), nullptr);
    EXPECT_STREQ(FindPageByTitle("Port Configuration")->name, "PortConfiguration1");

    for (const auto& list : {PageCatalogue(), PortPages()})
        for (const PageCommand& p : list)
            EXPECT_EQ(FindPageByName(p.name), &p) << p.name << " is not unique";
    EXPECT_EQ(FindPageByName("Information3"), nullptr); // a browser page, not a generic one
}

TEST(MenuTree, IsAWellFormedTree)
{
    for (const auto& menu : {MainMenu(), PortPopupMenu()}) {
        ASSERT_FALSE(menu.empty());
        EXPECT_EQ(menu[0].level, 0);
        for (size_t i = 0; i < menu.size(); ++i) {
            const MenuItemDef& item = menu[i];
            SCOPED_TRACE(item.name);
            const bool hasChildren = i + 1 < menu.size() && menu[i + 1].level > item.level;
            if (i + 1 < menu.size()) {
                EXPECT_LE(menu[i + 1].level, item.level + 1) << "a level is skipped";
            }
            if (hasChildren) {
                EXPECT_TRUE(item.action == MenuAction::submenu || item.action == MenuAction::nothing)
                    << "an item that opens a submenu does nothing else";
            }
            if (item.action == MenuAction::nothing) {
                EXPECT_TRUE(hasChildren) << "a do-nothing handler belongs to a submenu item";
            }
            if (item.action == MenuAction::separator) {
                EXPECT_STREQ(item.caption, "-");
            }
            ASSERT_NE(item.caption, nullptr);
            EXPECT_GT(std::strlen(item.caption), 0u);
        }
    }
}

TEST(MenuTree, HandlersAndTargetsFitTheAction)
{
    std::set<std::string> names;
    int browser = 0;
    for (const auto& menu : {MainMenu(), PortPopupMenu()}) {
        for (const MenuItemDef& item : menu) {
            SCOPED_TRACE(item.name);
            EXPECT_TRUE(names.insert(item.name).second) << "component name used twice";
            const bool clickable = item.action != MenuAction::submenu && item.action != MenuAction::separator;
            if (clickable) {
                ASSERT_NE(item.handler, nullptr);
                EXPECT_EQ(std::string(item.handler), std::string(item.name) + "Click");
            } else {
                EXPECT_EQ(item.handler, nullptr);
            }
            switch (item.action) {
            case MenuAction::browser: {
                ++browser;
                ASSERT_NE(item.target, nullptr);
                const std::string page = item.target;
                EXPECT_EQ(page.rfind("/T", 0), 0u) << page;
                // The module prefix runs from the third character to the first "_".
                const size_t underscore = page.find('_');
                ASSERT_NE(underscore, std::string::npos) << page;
                EXPECT_GT(underscore, 2u) << page;
                break;
            }
            case MenuAction::appForm:
            case MenuAction::mainForm:
            case MenuAction::refreshPanel:
            case MenuAction::about: {
                ASSERT_NE(item.target, nullptr);
                const std::string form = item.target;
                EXPECT_EQ(form.front(), 'T') << form;
                EXPECT_EQ(form.substr(form.size() - 4), "Form") << form;
                break;
            }
            case MenuAction::page:
                EXPECT_NE(PageOf(item), nullptr) << "no catalogue entry";
                EXPECT_EQ(item.target, nullptr);
                break;
            default:
                EXPECT_EQ(item.target, nullptr);
            }
            if (item.title) {
                EXPECT_TRUE(item.action == MenuAction::appForm || item.action == MenuAction::mainForm);
            }
        }
    }
    EXPECT_EQ(browser, 24);
}

TEST(MenuTree, PageItemsAreExactlyTheCatalogueInOrder)
{
    std::vector<std::string> fromMenu;
    for (const MenuItemDef& item : MainMenu())
        if (item.action == MenuAction::page)
            fromMenu.push_back(item.name);
    std::vector<std::string> fromCatalogue;
    for (const PageCommand& p : PageCatalogue())
        fromCatalogue.push_back(p.name);
    EXPECT_EQ(fromMenu, fromCatalogue);

    std::vector<std::string> popup, ports;
    for (const MenuItemDef& item : PortPopupMenu())
        popup.push_back(item.name);
    for (const PageCommand& p : PortPages())
        ports.push_back(p.name);
    EXPECT_EQ(popup, ports);
}

TEST(MenuTree, RmonStateItemsAreTheRmonBrowserPages)
{
    for (const char* name : RmonStateItems()) {
        const MenuItemDef* item = FindMenuItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->action, MenuAction::browser) << name;
        EXPECT_EQ(std::string(item->target).rfind("/TRmon_", 0), 0u) << name;
    }
    EXPECT_EQ(FindMenuItem("NoSuchItem"), nullptr);
}

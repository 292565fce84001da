#include "config/kvconfigcatalogue.h"

#include <set>

#include "common/kvoptionlist.h"
#include "export/kvexportcatalogue.h"
#include "osprey_config.h"
#include "snmp/kvsnmpvarlist.h"
#include "tables/pagecatalogue.h"

#define ENT OSPREY_ENT_OID

namespace {

// Variables that are no setting although the tables call them writable, and
// tables left out whole (an object identifier ending in "." covers
// everything below it).
// clang-format off
const char* const kLeftOut[] = {
    ENT ".11.36.2.5.2.1",              // System Reboot State: a trigger
    ENT ".12.1.2.3",                   // System Reset State: a trigger
    ENT ".12.1.2.6",                   // Save Config: a trigger
    ENT ".11.48.1.1.2.1.2.7",          // the "Save Changes" variable
    ENT ".12.1.2.1.1.8",               // update file transfer: start
    ENT ".12.11.1.9.4.1.8",            // unit firmware version: reports
    ENT ".12.4.1.1.1.1.7",             // LACP actor operational key: reports
    "1.0.8802.1.1.1.1.1.2.1.4",        // 802.1X Initialize: a trigger
    "1.0.8802.1.1.1.1.1.2.1.5",        // 802.1X Reauthenticate: a trigger
    "1.3.6.1.6.3.12.1.1",              // snmpTargetSpinLock: a lock, not a setting
    "1.3.6.1.6.3.15.1.2.2.",           // SNMP users: keys and passwords
    "1.3.6.1.6.3.18.1.1.",             // SNMP communities: the community texts
    "1.3.6.1.2.1.16.9.1.1.4",          // RMON eventCommunity: a trap community
};

// The variables that change how the switch is reached.
const char* const kReach[] = {
    ENT ".11.36.2.5.2.2",              // System IP
    ENT ".11.36.2.5.2.3",              // Subnet Mask
    ENT ".11.36.2.5.2.4",              // Default Gateway
    ENT ".11.36.2.5.2.5",              // Management VLan Id
    ENT ".12.1.3.3",                   // Get Ip From (DHCP, BOOTP)
};

// Tables whose rows others refer to: written first, removed last.
const char* const kReferred[] = {
    "1.3.6.1.2.1.17.7.1.4.3.1.",       // 802.1Q static VLANs
    ENT ".12.2.6.1.1.",                // port-based VLANs
};

struct SyntaxNameDef {
    uint32_t syntax;
    const char* name;
};
const SyntaxNameDef kSyntaxNames[] = {
    {synTruthValue,      "TruthValue"},
    {synInteger,         "INTEGER"},
    {synBits,            "BITS"},
    {synOctets,          "OCTET STRING"},
    {synNull,            "NULL"},
    {synOid,             "OBJECT IDENTIFIER"},
    {synIpAddress,       "IpAddress"},
    {synCounter32,       "Counter32"},
    {synGauge32,         "Gauge32"},
    {synTimeTicks,       "TimeTicks"},
    {synOpaque,          "Opaque"},
    {synNetAddress,      "NetworkAddress"},
    {synCounter64,       "Counter64"},
    {synUInteger32,      "Unsigned32"},
    {synFloat,           "Float"},
    {synMacAddress,      "MacAddress"},
    {synDateAndTime,     "DateAndTime"},
    {synFloatDate,       "FloatDate"},
    {synDisplayString,   "DisplayString"},
    {synTruthByte,       "TruthByte"},
    {synSignedByte,      "SignedByte"},
    {synUnsignedByte,    "UnsignedByte"},
    {synTruthWord,       "TruthWord"},
    {synUnsignedWord,    "UnsignedWord"},
    {synUnsignedWordAlt, "UnsignedWord"},
};
// clang-format on

bool Listed(std::span<const char* const> list, const std::string& oid)
{
    for (const std::string entry : list) {
        if (entry.back() == '.' ? oid.compare(0, entry.size(), entry) == 0 : oid == entry)
            return true;
    }
    return false;
}

bool IsReport(uint32_t syntax)
{
    return syntax == synCounter32 || syntax == synCounter64 || syntax == synTimeTicks;
}

} // namespace

bool KvConfigCatalogue::Page::Table() const
{
    return command->kind == kvListTable || command->kind == kvListTableRows;
}

std::string KvConfigCatalogue::Page::Oid(const Column& column, const std::string& key) const
{
    std::string oid = column.def->oid;
    if (command->instance && *command->instance)
        oid += std::string(".") + command->instance;
    if (Table())
        return oid + "." + key;
    return command->kind == kvListScalars ? oid + ".0" : oid;
}

const KvConfigCatalogue::Column* KvConfigCatalogue::Page::Find(const std::string& oid, const std::string& key) const
{
    for (const Column& column : columns)
        if (Oid(column, key) == oid)
            return &column;
    return nullptr;
}

KvConfigCatalogue::KvConfigCatalogue(std::span<const PageCommand* const> pages)
{
    std::set<std::string> claimed;
    for (const PageCommand* command : pages) {
        Page page{command, {}, -1, 1};
        const bool table = page.Table();
        std::string instance = command->instance && *command->instance ? command->instance : "";
        int32_t position = 0;
        for (const VarDef* def = command->variables; def && def->oid; ++def, ++position) {
            const uint32_t access = def->access;
            if (table && position < command->keyCount)
                continue;
            if ((access & (accRead | accWrite)) != (accRead | accWrite) || (access & (accSkip | accIndex)))
                continue;
            const std::string oid = def->oid;
            if (IsReport(def->syntax) || Listed(kLeftOut, oid))
                continue;
            if (table && kvtables::IsRowStatus(*def)) {
                if (page.rowStatus < 0)
                    page.rowStatus = position;
                continue;
            }
            // A row of a table the instance names belongs to the table.
            if (claimed.count(oid) || (!instance.empty() && claimed.count(oid + "." + instance)))
                continue;
            claimed.insert(instance.empty() ? oid : oid + "." + instance);
            page.columns.push_back({position, def, Listed(kReach, oid)});
            if (Listed(kReferred, oid))
                page.rank = 0;
        }
        if (!page.columns.empty())
            pages_.push_back(std::move(page));
    }
}

KvConfigCatalogue KvConfigCatalogue::All()
{
    std::vector<const PageCommand*> pages;
    for (const PageCommand& page : kvexportcatalogue::Pages())
        pages.push_back(&page);
    return KvConfigCatalogue(pages);
}

const KvConfigCatalogue::Page* KvConfigCatalogue::Find(const std::string& name, const std::string& title) const
{
    for (const Page& page : pages_)
        if (page.command->name == name && page.command->title == title)
            return &page;
    return nullptr;
}

std::string KvConfigCatalogue::SyntaxName(uint32_t syntax)
{
    for (const SyntaxNameDef& entry : kSyntaxNames)
        if (entry.syntax == syntax)
            return entry.name;
    return std::to_string(syntax);
}

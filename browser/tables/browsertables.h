#pragma once
#include "snmp/vardef.h"

// The variable tables of the MIB browser pages, one per MIB group or table,
// labelled with the standard MIB object names. A table ends with a row whose
// oid is null. Index columns (access 1) take their values from the instance
// of the received OIDs; where the index is not a column of the table itself
// (ifXTable, the GMRP port table) the row names the column it comes from.
namespace kvbrowser {

// MIB-II (RFC 1213)
extern const VarDef varsSystem[];            // system group
extern const VarDef varsIfTable[];           // ifTable without the counters
extern const VarDef varsIfCounters[];        // ifTable counters
extern const VarDef varsIpCounters[];        // ip group scalars
extern const VarDef varsIpRouteTable[];
extern const VarDef varsIpAddrTable[];
extern const VarDef varsIcmpCounters[];
extern const VarDef varsUdpCounters[];
extern const VarDef varsSnmpCounters[];

// IF-MIB (RFC 2863)
extern const VarDef varsIfMibGeneral[];      // ifNumber, ifTableLastChange, ifStackLastChange
extern const VarDef varsIfXTable[];
extern const VarDef varsIfStackTable[];
extern const VarDef varsIfTestTable[];

// EtherLike-MIB (RFC 3635)
extern const VarDef varsDot3StatsTable[];

// BRIDGE-MIB (RFC 4188) and P-BRIDGE-MIB (RFC 4363)
extern const VarDef varsBasePortTable[];
extern const VarDef varsStpPortTable[];
extern const VarDef varsStpInformation[];
extern const VarDef varsTpFdbTable[];
extern const VarDef varsStaticTable[];
extern const VarDef varsTpPortTable[];
extern const VarDef varsPortGmrpTable[];

// RMON-MIB (RFC 2819)
extern const VarDef varsEtherStatsTable[];
extern const VarDef varsHistoryControlTable[];
extern const VarDef varsEtherHistoryTable[];
extern const VarDef varsAlarmTable[];
extern const VarDef varsEventTable[];

} // namespace kvbrowser

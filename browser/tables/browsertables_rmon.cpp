#include "browser/tables/browseroptionlists.h"
#include "browser/tables/browsertables.h"

namespace kvbrowser {

// "Statistics": the Ethernet statistics of every monitored interface.
const VarDef varsEtherStatsTable[] = {
    {"1.3.6.1.2.1.16.1.1.1.1",  "etherStatsIndex",                synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.16.1.1.1.2",  "etherStatsDataSource",           synOid,           accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.3",  "etherStatsDropEvents",           synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.4",  "etherStatsOctets",               synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.5",  "etherStatsPkts",                 synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.6",  "etherStatsBroadcastPkts",        synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.7",  "etherStatsMulticastPkts",        synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.8",  "etherStatsCRCAlignErrors",       synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.9",  "etherStatsUndersizePkts",        synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.10", "etherStatsOversizePkts",         synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.11", "etherStatsFragments",            synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.12", "etherStatsJabbers",              synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.13", "etherStatsCollisions",           synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.14", "etherStatsPkts64Octets",         synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.15", "etherStatsPkts65to127Octets",    synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.16", "etherStatsPkts128to255Octets",   synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.17", "etherStatsPkts256to511Octets",   synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.18", "etherStatsPkts512to1023Octets",  synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.19", "etherStatsPkts1024to1518Octets", synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.20", "etherStatsOwner",                synDisplayString, accRO,  nullptr},
    {"1.3.6.1.2.1.16.1.1.1.21", "etherStatsStatus",               synInteger,       accRO,  &optEntryStatus},
    {},
};

// "History", first table: what is sampled and how often.
const VarDef varsHistoryControlTable[] = {
    {"1.3.6.1.2.1.16.2.1.1.1", "historyControlIndex",            synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.16.2.1.1.2", "historyControlDataSource",       synOid,           accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.1.1.3", "historyControlBucketsRequested", synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.1.1.4", "historyControlBucketsGranted",   synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.1.1.5", "historyControlInterval",         synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.1.1.6", "historyControlOwner",            synDisplayString, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.1.1.7", "historyControlStatus",           synInteger,       accRO,  &optEntryStatus},
    {},
};

// "History", second table: the samples, by control and sample number. Each
// counter counts within its own interval.
const VarDef varsEtherHistoryTable[] = {
    {"1.3.6.1.2.1.16.2.2.1.1",  "etherHistoryIndex",          synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.16.2.2.1.2",  "etherHistorySampleIndex",    synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.16.2.2.1.3",  "etherHistoryIntervalStart",  synTimeTicks, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.4",  "etherHistoryDropEvents",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.5",  "etherHistoryOctets",         synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.6",  "etherHistoryPkts",           synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.7",  "etherHistoryBroadcastPkts",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.8",  "etherHistoryMulticastPkts",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.9",  "etherHistoryCRCAlignErrors", synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.10", "etherHistoryUndersizePkts",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.11", "etherHistoryOversizePkts",   synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.12", "etherHistoryFragments",      synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.13", "etherHistoryJabbers",        synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.14", "etherHistoryCollisions",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.16.2.2.1.15", "etherHistoryUtilization",    synInteger,   accRO,  nullptr},
    {},
};

// "Alarm/Event", first table: thresholds on sampled variables. Rows are
// created with createRequest, made valid and removed with invalid.
const VarDef varsAlarmTable[] = {
    {"1.3.6.1.2.1.16.3.1.1.1",  "alarmIndex",             synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.16.3.1.1.2",  "alarmInterval",          synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.3",  "alarmVariable",          synOid,           accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.4",  "alarmSampleType",        synInteger,       accRW,  &optAlarmSampleType},
    {"1.3.6.1.2.1.16.3.1.1.5",  "alarmValue",             synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.6",  "alarmStartupAlarm",      synInteger,       accRW,  &optAlarmStartup},
    {"1.3.6.1.2.1.16.3.1.1.7",  "alarmRisingThreshold",   synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.8",  "alarmFallingThreshold",  synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.9",  "alarmRisingEventIndex",  synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.10", "alarmFallingEventIndex", synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.11", "alarmOwner",             synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.16.3.1.1.12", "alarmStatus",            synInteger,       accRW,  &optEntryStatus},
    {},
};

// "Alarm/Event", second table: what an alarm does when it fires.
const VarDef varsEventTable[] = {
    {"1.3.6.1.2.1.16.9.1.1.1", "eventIndex",        synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.16.9.1.1.2", "eventDescription",  synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.16.9.1.1.3", "eventType",         synInteger,       accRW,  &optEventType},
    {"1.3.6.1.2.1.16.9.1.1.4", "eventCommunity",    synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.16.9.1.1.5", "eventLastTimeSent", synTimeTicks,     accRO,  nullptr},
    {"1.3.6.1.2.1.16.9.1.1.6", "eventOwner",        synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.16.9.1.1.7", "eventStatus",       synInteger,       accRW,  &optEntryStatus},
    {},
};

} // namespace kvbrowser

// The tables are laid out by hand, one row per line.
// clang-format off
#include "forms/port/portformtables.h"

#include "osprey_config.h"
#include "tables/optionlists.h"
#include "snmp/kvsnmpvarlist.h"

// The maker's enterprise arc; rows write ENT ".12.2.1.3.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvforms {

using kvtables::optOtherDisabledEnabled;
using kvtables::optRowStatus;
using kvtables::optTrueFalse;

// "Basic Configuration" > "Basic Imformation" (TEquipmentBasicInfoForm)
const VarDef varsEquipmentBasicInfo[] = {
    {ENT ".12.11.1.1",   "Equipment Capacity", synBits,    accRO, nullptr},
    {ENT ".12.11.1.9.1", "Stacking Version",   synInteger, accRO, nullptr},
    {ENT ".12.11.1.9.2", "Max SupportedUnits", synInteger, accRO, nullptr},
    {ENT ".12.11.1.9.3", "Num Of Unit",        synInteger, accRO, nullptr},
    {},
};

// "802.1X" > "Diagnostics Information" (TDiagnosticsInformationForm): the
// authenticator diagnostics of every port
const VarDef varsDot1xDiagnostics[] = {
    {ENT ".12.3.6.1.1.1",  "Port Number",                          synInteger,   accIdx, nullptr},
    {ENT ".12.3.6.3.1.1",  "EntersConnecting",                     synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.2",  "EapLogoffsWhileConnecting",            synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.3",  "EntersAuthenticating",                 synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.4",  "AuthSuccessWhileAuthenticating",       synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.5",  "AuthTimeoutsWhileAuthenticating",      synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.6",  "AuthFailWhileAuthenticating",          synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.7",  "AuthReauthsWhileAuthenticating",       synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.8",  "AuthEapStartsWhileAuthenticating",     synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.9",  "AuthEapLogoffWhileAuthenticating",     synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.10", "AuthReauthsWhileAuthenticated",        synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.11", "AuthEapStartsWhileAuthenticated",      synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.12", "AuthEapLogoffWhileAuthenticated",      synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.13", "BackendResponses",                     synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.14", "BackendAccessChallenges",              synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.15", "BackendOtherRequestsToSupplicant",     synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.16", "BackendNonNakResponsesFromSupplicant", synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.17", "BackendAuthSuccesses",                 synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.3.1.18", "BackendAuthFails",                     synCounter32, accRO,  nullptr},
    {},
};

// "802.1X" > "EAP Over Land  Frames Statistic Table" (TMacStatisticTableForm)
const VarDef varsEapolFrameStatistics[] = {
    {ENT ".12.3.6.1.1.1",  "Port Number",              synInteger,   accIdx, nullptr},
    {ENT ".12.3.6.2.1.1",  "Total Received Frames",    synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.2",  "Total Transmitted Frames", synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.3",  "Start Frames Rx",          synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.4",  "Logoff Frames Rx",         synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.5",  "Resp Id Frames Rx",        synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.6",  "Respones FramesRx",        synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.7",  "ReqIdFrames Tx",           synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.8",  "Req Frames Tx",            synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.9",  "Invalid Eapol Frames Rx",  synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.10", "Length Error Frames Rx",   synCounter32, accRO,  nullptr},
    {ENT ".12.3.6.2.1.11", "Eapol Frame Version",      synGauge32,   accRO,  nullptr},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Trunk Table" (TPortTrunkForm)
const VarDef varsPortTrunk[] = {
    {ENT ".12.2.1.3.1.1", "Index",         synInteger, accRO, nullptr},
    {ENT ".12.2.1.3.1.3", "Master Port",   synInteger, accRW, nullptr},
    {ENT ".12.2.1.3.1.4", "Member",        synBits,    accRW, nullptr},
    {ENT ".12.2.1.3.1.5", "Trunk State",   synInteger, accRW, &optRowStatus},
    {ENT ".12.2.1.3.1.6", "Flooding Port", synInteger, accRO, nullptr},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Mirror Table" (TPortMirrorForm)
const VarDef varsPortMirror[] = {
    {ENT ".12.2.2.1", "Max Entries",       synInteger, accRO, nullptr},
    {ENT ".12.2.2.2", "Rx  Port List",     synBits,    accRW, nullptr},
    {ENT ".12.2.2.3", "Tx  Port List",     synBits,    accRW, nullptr},
    {ENT ".12.2.2.4", "Target Port",       synInteger, accRW, nullptr},
    {ENT ".12.2.2.5", "swPortMirrorState", synInteger, accRW, &optOtherDisabledEnabled},
    {},
};

// "Layer 2 Management" > "Traffic Segmentation Table " (TTrafficSegmentationForm)
const VarDef varsTrafficSegmentation[] = {
    {ENT ".11.55.1.2.14.1.1.1", "swL2TrafficSegPort",         synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.14.1.1.2", "swL2TrafficSegForwardPorts", synOctets,  accRW, nullptr},
    {},
};

// "Layer 2 Management" > "802.3 ad" > "Aggreator Port Table" (TAggregatorPortTableForm)
const VarDef varsAggregatorPort[] = {
    {ENT ".12.4.1.2.1.1.1",  "Port Index",                    synInteger,    accIdx, nullptr},
    {ENT ".12.4.1.2.1.1.2",  "Actor System Priority",         synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.3",  "Actor System ID",               synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.4",  "Actor Admin Key",               synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.5",  "Actor Oper Key",                synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.6",  "Partner Admin System Priority", synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.7",  "Partner Oper System Priority",  synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.8",  "Partner Admin System ID",       synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.9",  "Partner Oper System ID",        synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.10", "Partner Admin Key",             synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.11", "Partner Oper Key",              synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.12", "Selected Agg ID",               synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.13", "Attached Agg ID",               synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.14", "Actor Port",                    synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.15", "Actor Port Priority",           synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.16", "Partner Admin Port",            synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.17", "Partner Oper Port",             synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.18", "Partner Admin Port Priority",   synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.19", "Partner Oper Port Priority",    synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.20", "Actor Admin State",             synBits,       accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.21", "Actor Oper State",              synBits,       accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.22", "Partner Admin State",           synBits,       accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.23", "Partner Oper State",            synBits,       accRO,  nullptr},
    {ENT ".12.4.1.2.1.1.24", "Aggregate Or Individual",       synInteger,    accRO,  &optTrueFalse},
    {},
};

namespace {

// Export titles are the windows' captions ("Basic Imformation" and the
// frame statistics keep the menu's texts, which are their only names).
const FormTableDef kPortFormTables[] = {
    {"TEquipmentBasicInfoForm",     "Basic Imformation",                     kvListScalars,   0, varsEquipmentBasicInfo},
    {"TDiagnosticsInformationForm", "Diagnostics Information",               kvListTable,     1, varsDot1xDiagnostics},
    {"TMacStatisticTableForm",      "EAP Over Land  Frames Statistic Table", kvListTable,     1, varsEapolFrameStatistics},
    {"TPortTrunkForm",              "Port Trunk Table",                      kvListTableRows, 1, varsPortTrunk},
    {"TPortMirrorForm",             "Port Mirror Table",                     kvListScalars,   0, varsPortMirror},
    {"TTrafficSegmentationForm",    "Traffic Segmentation Table",            kvListTableRows, 1, varsTrafficSegmentation},
    {"TAggregatorPortTableForm",    "Aggregator Port Table",                 kvListTable,     1, varsAggregatorPort},
};

} // namespace

std::span<const FormTableDef> PortFormTables()
{
    return kPortFormTables;
}

} // namespace kvforms

#include "osprey_config.h"
#include "tables/optionlists.h"
#include "tables/pagetables.h"

// The maker's enterprise arc; rows write ENT ".11.36.2.6.2.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvtables {

// "Security Management" > "Authentication Mode Setting" (Auth1Click)
const VarDef varsAuthenticationMode[] = {
    {ENT ".12.3.1.1", "User Authenticatication Protocol", synInteger, accRW, &optAuthProtocol},
    {},
};
const UIEntryDef layoutAuthenticationMode[] = {
    {uiCombo, nullptr, &varsAuthenticationMode[0]},
    {},
};

// "Security Management" > "Radius Management" > "Basic Configuration" (BasicConfiguration1Click)
const VarDef varsRadiusBasicConfiguration[] = {
    {ENT ".12.3.2.1", "Dead Time Minutes",   synGauge32, accRW, nullptr},
    {ENT ".12.3.2.2", "Seconds of Time out", synGauge32, accRW, nullptr},
    {ENT ".12.3.2.3", "Retransmit Times",    synGauge32, accRW, nullptr},
    {},
};
const UIEntryDef layoutRadiusBasicConfiguration[] = {
    {uiEdit, "%s", &varsRadiusBasicConfiguration[0]},
    {uiEdit, "%s", &varsRadiusBasicConfiguration[1]},
    {uiEdit, "%s", &varsRadiusBasicConfiguration[2]},
    {},
};

// "Security Management" > "Radius Management" > "Radius Server Table" (RadiusServerTabl1Click)
const VarDef varsRadiusServerTable[] = {
    {ENT ".12.3.2.4.1.1", "Index",                  synInteger,       accIdx, &optRadiusServerIndex},
    {ENT ".12.3.2.4.1.2", "Ip Address",             synIpAddress,     accRO,  nullptr},
    {ENT ".12.3.2.4.1.3", "Key",                    synDisplayString, accIdx, nullptr},
    {ENT ".12.3.2.4.1.4", "Port Number",            synGauge32,       accRO,  nullptr},
    {ENT ".12.3.2.4.1.5", "Accounting Port Number", synGauge32,       accRO,  nullptr},
    {ENT ".12.3.2.4.1.6", "Status",                 synInteger,       accRO,  &optRowStatus},
    {},
};
const UIEntryDef layoutRadiusServerTable[] = {
    {uiEditUnselected, "%s", &varsRadiusServerTable[0]},
    {uiEditUnselected, "%s", &varsRadiusServerTable[1]},
    {uiEditUnselected, "%s", &varsRadiusServerTable[2]},
    {uiEditUnselected, "%s", &varsRadiusServerTable[3]},
    {uiEditUnselected, "%s", &varsRadiusServerTable[4]},
    {uiCombo,          "%s", &varsRadiusServerTable[5]},
    {},
};

// "Security Management" > "Radius Management" > "Client Authentication Information" (AuthenticationServer1Click)
const VarDef varsRadiusClientInformation[] = {
    {ENT ".12.3.5.1", "Client Identifier",               synDisplayString, accRO, nullptr},
    {ENT ".12.3.5.2", "Client Invalid Server Addresses", synIpAddress,     accRO, nullptr},
    {},
};

// "Security Management" > "Radius Management" > "Authentication Table" (AuthenticationServerTable1Click)
const VarDef varsRadiusAuthenticationTable[] = {
    {ENT ".12.3.3.3.1.1",  "Index",                              synInteger,   accIdx, nullptr},
    {ENT ".12.3.3.3.1.2",  "Address",                            synIpAddress, accRO,  nullptr},
    {ENT ".12.3.3.3.1.3",  "Authentication Port Number",         synGauge32,   accRO,  nullptr},
    {ENT ".12.3.3.3.1.4",  "Round Trip Time",                    synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.5",  "Access-Requests Packets",            synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.6",  "Access-Retransmissions Packets",     synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.7",  "Access-Accepts Packets",             synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.8",  "Access-Rejects Packets",             synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.9",  "Access-Challenges Packets",          synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.10", "Malformed Access Responses Packets", synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.11", "Pending Requests Packets",           synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.12", "Pending Requests Packets",           synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.13", "Timeout Numbers",                    synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.14", "Unknown Types Packets",              synCounter32, accRO,  nullptr},
    {ENT ".12.3.3.3.1.15", "Packets Dropped",                    synCounter32, accRO,  nullptr},
    {},
};
const UIEntryDef layoutRadiusAuthenticationTable[] = {
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[0]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[1]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[2]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[3]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[4]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[5]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[6]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[7]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[8]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[9]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[10]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[11]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[12]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[13]},
    {uiEditUnselected, "%s", &varsRadiusAuthenticationTable[14]},
    {},
};

// "Security Management" > "Radius Management" > "Accounting Control" > "Basic Information" (AccountingServerInformation1Click)
const VarDef varsAccountingBasicInformation[] = {
    {ENT ".12.3.4.1", "Update Interval",        synGauge32, accRW, nullptr},
    {ENT ".12.3.4.2", "Support Null User Name", synInteger, accRW, &optTrueFalse},
    {},
};
const UIEntryDef layoutAccountingBasicInformation[] = {
    {uiEdit,  "%s", &varsAccountingBasicInformation[0]},
    {uiCombo, "%i", &varsAccountingBasicInformation[1]},
    {},
};

// "Security Management" > "Radius Management" > "Accounting Control" > "Server Table" (AccountingServerTable1Click)
const VarDef varsAccountingServerTable[] = {
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.1",  "Index",                       synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.2",  "Address",                     synIpAddress, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.3",  "Accouting Port Number",       synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.4",  "Round Trip Time",             synTimeTicks, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.5",  "Requests Packets",            synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.6",  "Retransmissions Packets",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.7",  "Responses Packets",           synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.8",  "Malformed Responses Packets", synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.9",  "Bad Authenticators Packets",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.10", "Pending Requests Packets",    synGauge32,   accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.11", "Timeout Numbers",             synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.12", "Unknown Types Packets",       synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.67.2.2.1.1.3.1.13", "Packets Dropped",             synCounter32, accRO,  nullptr},
    {},
};
const UIEntryDef layoutAccountingServerTable[] = {
    {uiEditUnselected, "%s", &varsAccountingServerTable[0]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[1]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[2]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[3]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[4]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[5]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[6]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[7]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[8]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[9]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[10]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[11]},
    {uiEditUnselected, "%s", &varsAccountingServerTable[12]},
    {},
};

// "Security Management" > "Radius Management" > "Accounting Control" > "Client Information" (ClientInformation1Click)
const VarDef varsAccountingClientInformation[] = {
    {ENT ".12.3.5.1", "Client Identifier",               synDisplayString, accRO, nullptr},
    {ENT ".12.3.5.2", "Client Invalid Server Addresses", synIpAddress,     accRO, nullptr},
    {},
};

// "Security Management" > "Radius Management" > "Accounting Control" > "Service Table" (ServiceTable1Click)
const VarDef varsAccountingServiceTable[] = {
    {ENT ".12.3.4.3.1.1", "Service Index",  synInteger, accRO, &optAcctServiceIndex},
    {ENT ".12.3.4.3.1.2", "Service Method", synInteger, accRW, &optAcctServiceMethod},
    {ENT ".12.3.4.3.1.3", "Service Mode",   synInteger, accRW, &optAcctServiceMode},
    {},
};
const UIEntryDef layoutAccountingServiceTable[] = {
    {uiEditUnselected, "%s", &varsAccountingServiceTable[0]},
    {uiCombo,          "%s", &varsAccountingServiceTable[1]},
    {uiCombo,          "%s", &varsAccountingServiceTable[2]},
    {},
};

// "802.1X" > "Configuration" (Configuration2Click)
const VarDef varsDot1xConfiguration[] = {
    {"1.0.8802.1.1.1.1.1.1", "System Authentication Control", synInteger, accRW, &optEnabledDisabled},
    {},
};
const UIEntryDef layoutDot1xConfiguration[] = {
    {uiCombo, "%s", &varsDot1xConfiguration[0]},
    {},
};

// "802.1X" > "Port Table" (PAEPortTable1Click)
const VarDef varsDot1xPortTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number",      synInteger,       accIdx, nullptr},
    {"1.0.8802.1.1.1.1.1.2.1.2", "Protocol Version", synGauge32,       accRO,  nullptr},
    {"1.0.8802.1.1.1.1.1.2.1.3", "Capabilities",     synDisplayString, accRO,  nullptr},
    {"1.0.8802.1.1.1.1.1.2.1.4", "Initialize",       synInteger,       accRW,  &optTrueFalse},
    {"1.0.8802.1.1.1.1.1.2.1.5", "Reauthenticate",   synInteger,       accRW,  &optTrueFalse},
    {},
};
const UIEntryDef layoutDot1xPortTable[] = {
    {uiEditUnselected, "%s", &varsDot1xPortTable[0]},
    {uiEditUnselected, "%s", &varsDot1xPortTable[1]},
    {uiEditUnselected, "%s", &varsDot1xPortTable[2]},
    {uiCombo,          "%s", &varsDot1xPortTable[3]},
    {uiCombo,          "%s", &varsDot1xPortTable[4]},
    {},
};

// "802.1X" > "Port Configuration" (PortAuthenticationConfiguration1Click)
const VarDef varsDot1xPortConfiguration[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1",  "Port Number",                          synInteger, accIdx, nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.1",  "Pae State",                            synInteger, accRO,  &optPaeState},
    {"1.0.8802.1.1.1.1.2.1.1.2",  "Backend State",                        synInteger, accRO,  &optBackendState},
    {"1.0.8802.1.1.1.1.2.1.1.3",  "Administrative Controlled Directions", synInteger, accRW,  &optControlledDirections},
    {"1.0.8802.1.1.1.1.2.1.1.4",  "Operational Controlled Directions",    synInteger, accRO,  &optControlledDirections},
    {"1.0.8802.1.1.1.1.2.1.1.5",  "Port Status",                          synInteger, accRO,  &optAuthPortStatus},
    {"1.0.8802.1.1.1.1.2.1.1.6",  "Port Control",                         synInteger, accRW,  &optAuthPortControl},
    {"1.0.8802.1.1.1.1.2.1.1.7",  "Quiet Period",                         synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.8",  "Tx Period",                            synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.9",  "SuppTimeout",                          synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.10", "ServerTimeout",                        synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.11", "MaxReq",                               synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.12", "ReAuthenticate Period",                synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.2.1.1.13", "ReAuthenticate Enabled",               synInteger, accRW,  &optTrueFalse},
    {"1.0.8802.1.1.1.1.2.1.1.14", "KeyTx Enabled",                        synInteger, accRW,  &optTrueFalse},
    {},
};
const UIEntryDef layoutDot1xPortConfiguration[] = {
    {uiEditUnselected, "%s", &varsDot1xPortConfiguration[0]},
    {uiEditUnselected, "%s", &varsDot1xPortConfiguration[1]},
    {uiEditUnselected, "%s", &varsDot1xPortConfiguration[2]},
    {uiCombo,          "%s", &varsDot1xPortConfiguration[3]},
    {uiEditUnselected, "%s", &varsDot1xPortConfiguration[4]},
    {uiEditUnselected, "%s", &varsDot1xPortConfiguration[5]},
    {uiCombo,          "%s", &varsDot1xPortConfiguration[6]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[7]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[8]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[9]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[10]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[11]},
    {uiEdit,           "%s", &varsDot1xPortConfiguration[12]},
    {uiCombo,          "%s", &varsDot1xPortConfiguration[13]},
    {uiCombo,          "%s", &varsDot1xPortConfiguration[14]},
    {},
};

// "802.1X" > "Port Statistics" (PortAuthStatistics1Click)
const VarDef varsDot1xPortStatistics[] = {
    {"1.0.8802.1.1.1.1.2.2.1.1",  "EAPOL Frames Rx",              synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.2",  "EAPOL Frames Tx",              synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.3",  "EAPOL Start Frames Rx",        synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.4",  "EAPOL Logoff Frames Rx",       synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.5",  "EAPOL Resp/Ip Frames Rx",      synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.6",  "EAPOL Response Frames Rx",     synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.7",  "EAPOL Req/Id FramesTx",        synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.8",  "EAPOL Response Frames Tx",     synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.9",  "Invalid EAPOL FramesRx",       synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.10", "EAPOL Length Error Frames Rx", synCounter32,  accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.11", "Last EAPOL Frame Version",     synGauge32,    accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.2.1.12", "Last EAPOLF rame Source",      synMacAddress, accRO, nullptr},
    {},
};
const UIEntryDef layoutDot1xPortStatistics[] = {
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[0]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[1]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[2]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[3]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[4]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[5]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[6]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[7]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[8]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[9]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[10]},
    {uiEditUnselected, "%s", &varsDot1xPortStatistics[11]},
    {},
};

// "802.1X" > "Port Diagnostics" (Diagnostics1Click)
const VarDef varsDot1xPortDiagnostics[] = {
    {"1.0.8802.1.1.1.1.2.3.1.1",  "EntersConnecting",                     synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.2",  "EapLogoffsWhileConnecting",            synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.3",  "EntersAuthenticating",                 synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.4",  "AuthSuccessWhileAuthenticating",       synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.5",  "AuthTimeoutsWhileAuthenticating",      synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.6",  "AuthFailWhileAuthenticating",          synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.7",  "AuthReauthsWhileAuthenticating",       synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.8",  "AuthEapStartsWhileAuthenticating",     synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.9",  "AuthEapLogoffWhileAuthenticating",     synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.10", "AuthReauthsWhileAuthenticated",        synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.11", "AuthEapStartsWhileAuthenticated",      synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.12", "AuthEapLogoffWhileAuthenticated",      synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.13", "BackendResponses",                     synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.14", "BackendAccessChallenges",              synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.15", "BackendOtherRequestsToSupplicant",     synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.16", "BackendNonNakResponsesFromSupplicant", synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.17", "BackendAuthSuccesses",                 synCounter32, accRO, nullptr},
    {"1.0.8802.1.1.1.1.2.3.1.18", "BackendAuthFails",                     synCounter32, accRO, nullptr},
    {},
};
const UIEntryDef layoutDot1xPortDiagnostics[] = {
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[0]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[1]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[2]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[3]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[4]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[5]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[6]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[7]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[8]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[9]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[10]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[11]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[12]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[13]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[14]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[15]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[16]},
    {uiEditUnselected, "%s", &varsDot1xPortDiagnostics[17]},
    {},
};

// "802.1X" > "Port Session Statistics" (PortSessionStatistics1Click)
const VarDef varsDot1xSessionStatistics[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number",                     synInteger,       accIdx, nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.1", "dot1xAuthSessionOctetsRx",        synCounter64,     accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.2", "dot1xAuthSessionOctetsTx",        synCounter64,     accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.3", "dot1xAuthSessionFramesRx",        synCounter32,     accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.4", "dot1xAuthSessionFramesTx",        synCounter32,     accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.5", "dot1xAuthSessionId",              synDisplayString, accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.6", "dot1xAuthSessionAuthenticMethod", synInteger,       accRO,  &optSessionAuthenticMethod},
    {"1.0.8802.1.1.1.1.2.4.1.7", "dot1xAuthSessionTime",            synTimeTicks,     accRO,  nullptr},
    {"1.0.8802.1.1.1.1.2.4.1.8", "dot1xAuthSessionTerminateCause",  synInteger,       accRO,  &optSessionTerminateCause},
    {"1.0.8802.1.1.1.1.2.4.1.9", "dot1xAuthSessionUserName",        synDisplayString, accRO,  nullptr},
    {},
};
const UIEntryDef layoutDot1xSessionStatistics[] = {
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[0]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[1]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[2]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[3]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[4]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[5]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[6]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[7]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[8]},
    {uiEditUnselected, "%s", &varsDot1xSessionStatistics[9]},
    {},
};

// "802.1X" > "Mac Base Authentication" > "State Table" (StateTable1Click)
const VarDef varsMacAuthStateTable[] = {
    {ENT ".12.3.6.1.1.1", "Virtual Port Number",            synInteger,    accIdx, nullptr},
    {ENT ".12.3.6.1.1.2", "Port Access Entity Mac Address", synMacAddress, accRO,  nullptr},
    {ENT ".12.3.6.1.1.3", "Port Access Entity Port Number", synInteger,    accRO,  nullptr},
    {ENT ".12.3.6.1.1.4", "Port Access Entity State",       synInteger,    accRO,  &optPaeState},
    {ENT ".12.3.6.1.1.5", "Backend Authentication State",   synInteger,    accRO,  &optBackendState},
    {ENT ".12.3.6.1.1.6", "Controlled Port Status",         synInteger,    accRO,  &optAuthPortStatus},
    {},
};
const UIEntryDef layoutMacAuthStateTable[] = {
    {uiEditUnselected, "%i", &varsMacAuthStateTable[0]},
    {uiEditUnselected, "%s", &varsMacAuthStateTable[1]},
    {uiEditUnselected, "%i", &varsMacAuthStateTable[2]},
    {uiEditUnselected, "%s", &varsMacAuthStateTable[3]},
    {uiEditUnselected, "%s", &varsMacAuthStateTable[4]},
    {uiEditUnselected, "%s", &varsMacAuthStateTable[5]},
    {},
};

// "802.1X" > "Mac Base Authentication" > "Session Information" (SessionInformation1Click)
const VarDef varsMacAuthSessionInformation[] = {
    {ENT ".12.3.6.1.1.1", "Port Number",            synInteger,       accIdx, nullptr},
    {ENT ".12.3.6.4.1.1", "SessionOctetsRx",        synCounter64,     accRO,  nullptr},
    {ENT ".12.3.6.4.1.2", "SessionOctetsTx",        synCounter64,     accRO,  nullptr},
    {ENT ".12.3.6.4.1.3", "SessionFramesRx",        synCounter32,     accRO,  nullptr},
    {ENT ".12.3.6.4.1.4", "SessionFramesTx",        synCounter32,     accRO,  nullptr},
    {ENT ".12.3.6.4.1.5", "SessionId",              synDisplayString, accRO,  nullptr},
    {ENT ".12.3.6.4.1.6", "SessionAuthenticMethod", synInteger,       accRO,  &optSessionAuthenticMethod},
    {ENT ".12.3.6.4.1.7", "SessionTime",            synTimeTicks,     accRO,  nullptr},
    {ENT ".12.3.6.4.1.8", "SessionTerminateCause",  synInteger,       accRO,  &optSessionTerminateCause},
    {ENT ".12.3.6.4.1.9", "SessionUserName",        synDisplayString, accRO,  nullptr},
    {},
};
const UIEntryDef layoutMacAuthSessionInformation[] = {
    {uiEditUnselected, "%i", &varsMacAuthSessionInformation[0]},
    {uiEditUnselected, "%i", &varsMacAuthSessionInformation[1]},
    {uiEditUnselected, "%i", &varsMacAuthSessionInformation[2]},
    {uiEditUnselected, "%i", &varsMacAuthSessionInformation[3]},
    {uiEditUnselected, "%i", &varsMacAuthSessionInformation[4]},
    {uiEditUnselected, "%s", &varsMacAuthSessionInformation[5]},
    {uiEditUnselected, "%s", &varsMacAuthSessionInformation[6]},
    {uiEditUnselected, "%s", &varsMacAuthSessionInformation[7]},
    {uiEditUnselected, "%s", &varsMacAuthSessionInformation[8]},
    {uiEditUnselected, "%s", &varsMacAuthSessionInformation[9]},
    {},
};

// "802.1X" > "PAE Supplicant" > "Configuration Table" (SupplicantCnfigureTable1Click)
const VarDef varsSupplicantConfiguration[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number",  synInteger, accIdx, nullptr},
    {"1.0.8802.1.1.1.1.3.1.1.1", "State",        synInteger, accRO,  &optSupplicantState},
    {"1.0.8802.1.1.1.1.3.1.1.2", "Held Period",  synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.3.1.1.3", "Auth Period",  synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.3.1.1.4", "Start Period", synGauge32, accRW,  nullptr},
    {"1.0.8802.1.1.1.1.3.1.1.5", "Max Start",    synGauge32, accRW,  nullptr},
    {},
};
const UIEntryDef layoutSupplicantConfiguration[] = {
    {uiEditUnselected, "%i", &varsSupplicantConfiguration[0]},
    {uiEditUnselected, "%s", &varsSupplicantConfiguration[1]},
    {uiEdit,           "%s", &varsSupplicantConfiguration[2]},
    {uiEdit,           "%s", &varsSupplicantConfiguration[3]},
    {uiEdit,           "%s", &varsSupplicantConfiguration[4]},
    {uiEdit,           "%s", &varsSupplicantConfiguration[5]},
    {},
};

// "802.1X" > "PAE Supplicant" > "Statistic Table" (S1Click)
const VarDef varsSupplicantStatistics[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1",  "Port Number",            synInteger,    accIdx, nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.1",  "EapolFramesRx",          synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.2",  "EapolFramesTx",          synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.3",  "EapolStartFramesTx",     synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.4",  "EapolLogoffFramesTx",    synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.5",  "EapolRespIdFramesTx",    synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.6",  "EapolRespFramesTx",      synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.7",  "EapolReqIdFramesRx",     synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.8",  "EapolReqFramesRx",       synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.9",  "InvalidEapolFramesRx",   synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.10", "EapLengthErrorFramesRx", synCounter32,  accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.11", "LastEapolFrameVersion",  synGauge32,    accRO,  nullptr},
    {"1.0.8802.1.1.1.1.3.2.1.12", "LastEapolFrameSource",   synMacAddress, accRO,  nullptr},
    {},
};
const UIEntryDef layoutSupplicantStatistics[] = {
    {uiEditUnselected, "%i", &varsSupplicantStatistics[0]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[1]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[2]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[3]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[4]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[5]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[6]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[7]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[8]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[9]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[10]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[11]},
    {uiEditUnselected, "%s", &varsSupplicantStatistics[12]},
    {},
};

} // namespace kvtables

#undef ENT

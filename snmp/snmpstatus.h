#pragma once

// The numbering of SNMP results that the rest of the program sees (the one host
// applications and the status mapping of the request engine use):
//
//   0                success
//   1 .. 18          PDU error status (tooBig 1 ... inconsistentName 18)
//   -1 .. -23        session: -1 failed, -2 resource unavailable, -3 internal,
//                    -4 unsupported, -5 timeout, -6 async response,
//                    -7 notification, -8 session destroyed, -10 invalid,
//                    -11 invalid PDU, -12 invalid target, -13 invalid callback,
//                    -14 invalid request id, -15 invalid notification id,
//                    -16 not supported for target, -17 invalid OID,
//                    -18 invalid address, -19 error status set,
//                    -20 transport unsupported, -21 transport in use,
//                    -22 transport failed, -23 transport access denied
//   -1400, -1401     SNMPv3 message processing error / ok
//   -1402 .. -1418   SNMPv3 message processing errors
//   1400 .. 1414     USM: ok, error, config write error, unsupported level,
//                    unknown security name, encryption error, decryption
//                    error, authentication error, authentication failure,
//                    parse error, unknown engine ID, not in time window,
//                    unsupported auth protocol, unsupported priv protocol,
//                    address error

constexpr int snmpOk = 0;
constexpr int snmpPduTooBig = 1;            // first PDU error status
constexpr int snmpPduInconsistentName = 18; // last PDU error status
constexpr int snmpClassError = -1;
constexpr int snmpClassResourceUnavailable = -2;
constexpr int snmpClassInternalError = -3;
constexpr int snmpClassUnsupported = -4;
constexpr int snmpClassTimeout = -5;
constexpr int snmpClassAsyncResponse = -6;
constexpr int snmpClassSessionDestroyed = -8;
constexpr int snmpClassInvalid = -10;
constexpr int snmpClassInvalidPdu = -11;
constexpr int snmpClassInvalidTarget = -12;
constexpr int snmpClassInvalidCallback = -13;
constexpr int snmpClassInvalidOid = -17;
constexpr int snmpClassInvalidAddress = -18;
constexpr int snmpClassTransportUnsupported = -20;
constexpr int snmpClassTransportFailed = -22;
constexpr int snmpClassTransportAccessDenied = -23; // last session status

constexpr int snmpV3Ok = -1401;
constexpr int snmpV3UnsupportedSecurityModel = -1402; // first SNMPv3 error
constexpr int snmpV3NotInTimeWindow = -1403;
constexpr int snmpV3InvalidMessage = -1405;
constexpr int snmpV3InvalidEngineId = -1406;
constexpr int snmpV3ParseError = -1408;
constexpr int snmpV3CommunityFormatError = -1411;
constexpr int snmpV3UnknownPduHandlers = -1415;
constexpr int snmpV3UnknownContext = -1417;
constexpr int snmpV3ReportSent = -1418; // last SNMPv3 error

constexpr int usmOk = 1400;
constexpr int usmError = 1401; // first USM error
constexpr int usmUnsupportedSecurityLevel = 1403;
constexpr int usmUnknownSecurityName = 1404;
constexpr int usmEncryptionError = 1405;
constexpr int usmDecryptionError = 1406;
constexpr int usmAuthenticationError = 1407;
constexpr int usmAuthenticationFailure = 1408;
constexpr int usmParseError = 1409;
constexpr int usmUnknownEngineId = 1410;
constexpr int usmNotInTimeWindow = 1411;
constexpr int usmUnsupportedAuthProtocol = 1412;
constexpr int usmUnsupportedPrivProtocol = 1413;
constexpr int usmAddressError = 1414; // last USM error

// Translates a Net-SNMP library error (SNMPERR_*, 0 or negative) into the
// numbering above. Unknown errors give -1.
int SnmpTranslateError(int netSnmpError);

// Whether a status says that the agent's SNMPv3 engine is not the one the
// request was sent to (another engine ID, or boots and time gone back).
bool SnmpEngineChanged(int status);

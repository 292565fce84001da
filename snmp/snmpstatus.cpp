#include "snmp/snmpstatus.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

struct Translation {
    int netSnmp;
    int number;
};

// Net-SNMP library errors and the number each stands for. Errors of SNMPv3
// reports (unknown user, wrong digest, ...) arrive here too.
constexpr Translation kTranslations[] = {
    {SNMPERR_SUCCESS, snmpOk},
    {SNMPERR_GENERR, snmpClassError},
    {SNMPERR_BAD_LOCPORT, snmpClassTransportFailed},
    {SNMPERR_BAD_ADDRESS, snmpClassInvalidAddress},
    {SNMPERR_BAD_SESSION, snmpClassInvalid},
    {SNMPERR_TOO_LONG, snmpClassInvalidPdu},
    {SNMPERR_NO_SOCKET, snmpClassTransportFailed},
    {SNMPERR_V2_IN_V1, snmpClassInvalidPdu},
    {SNMPERR_V1_IN_V2, snmpClassInvalidPdu},
    {SNMPERR_BAD_ASN1_BUILD, snmpClassInvalidPdu},
    {SNMPERR_BAD_SENDTO, snmpClassTransportFailed},
    {SNMPERR_BAD_PARSE, snmpV3ParseError},
    {SNMPERR_BAD_VERSION, snmpClassInvalidTarget},
    {SNMPERR_BAD_CONTEXT, snmpV3UnknownContext},
    {SNMPERR_BAD_COMMUNITY, snmpV3CommunityFormatError},
    {SNMPERR_NOAUTH_DESPRIV, usmUnsupportedSecurityLevel},
    {SNMPERR_ABORT, snmpClassError},
    {SNMPERR_UNKNOWN_PDU, snmpV3UnknownPduHandlers},
    {SNMPERR_TIMEOUT, snmpClassTimeout},
    {SNMPERR_BAD_RECVFROM, snmpClassTransportFailed},
    {SNMPERR_BAD_ENG_ID, snmpV3InvalidEngineId},
    {SNMPERR_BAD_SEC_NAME, usmUnknownSecurityName},
    {SNMPERR_BAD_SEC_LEVEL, usmUnsupportedSecurityLevel},
    {SNMPERR_ASN_PARSE_ERR, snmpV3ParseError},
    {SNMPERR_UNKNOWN_SEC_MODEL, snmpV3UnsupportedSecurityModel},
    {SNMPERR_INVALID_MSG, snmpV3InvalidMessage},
    {SNMPERR_UNKNOWN_ENG_ID, usmUnknownEngineId},
    {SNMPERR_UNKNOWN_USER_NAME, usmUnknownSecurityName},
    {SNMPERR_UNSUPPORTED_SEC_LEVEL, usmUnsupportedSecurityLevel},
    {SNMPERR_AUTHENTICATION_FAILURE, usmAuthenticationFailure},
    {SNMPERR_NOT_IN_TIME_WINDOW, usmNotInTimeWindow},
    {SNMPERR_DECRYPTION_ERR, usmDecryptionError},
    {SNMPERR_SC_GENERAL_FAILURE, usmError},
    {SNMPERR_SC_NOT_CONFIGURED, usmError},
    {SNMPERR_KT_NOT_AVAILABLE, usmError},
    {SNMPERR_UNKNOWN_REPORT, usmError},
    {SNMPERR_USM_GENERICERROR, usmError},
    {SNMPERR_USM_UNKNOWNSECURITYNAME, usmUnknownSecurityName},
    {SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL, usmUnsupportedSecurityLevel},
    {SNMPERR_USM_ENCRYPTIONERROR, usmEncryptionError},
    {SNMPERR_USM_AUTHENTICATIONFAILURE, usmAuthenticationFailure},
    {SNMPERR_USM_PARSEERROR, usmParseError},
    {SNMPERR_USM_UNKNOWNENGINEID, usmUnknownEngineId},
    {SNMPERR_USM_NOTINTIMEWINDOW, usmNotInTimeWindow},
    {SNMPERR_USM_DECRYPTIONERROR, usmDecryptionError},
    {SNMPERR_NOMIB, snmpClassInvalidOid},
    {SNMPERR_RANGE, snmpClassInvalidPdu},
    {SNMPERR_MAX_SUBID, snmpClassInvalidOid},
    {SNMPERR_BAD_SUBID, snmpClassInvalidOid},
    {SNMPERR_LONG_OID, snmpClassInvalidOid},
    {SNMPERR_BAD_NAME, snmpClassInvalidOid},
    {SNMPERR_VALUE, snmpClassInvalidPdu},
    {SNMPERR_UNKNOWN_OBJID, snmpClassInvalidOid},
    {SNMPERR_NULL_PDU, snmpClassInvalidPdu},
    {SNMPERR_NO_VARS, snmpClassInvalidPdu},
    {SNMPERR_VAR_TYPE, snmpClassInvalidPdu},
    {SNMPERR_MALLOC, snmpClassResourceUnavailable},
    {SNMPERR_TRANSPORT_NO_CONFIG, snmpClassTransportUnsupported},
    {SNMPERR_TRANSPORT_CONFIG_ERROR, snmpClassTransportFailed},
};

} // namespace

int SnmpTranslateError(int netSnmpError)
{
    for (const Translation& t : kTranslations)
        if (t.netSnmp == netSnmpError)
            return t.number;
    return snmpClassError;
}

bool SnmpEngineChanged(int status)
{
    return status == usmUnknownEngineId || status == usmNotInTimeWindow || status == snmpV3NotInTimeWindow ||
           status == snmpV3InvalidEngineId;
}

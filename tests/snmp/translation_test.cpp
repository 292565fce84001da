// Net-SNMP results and the numbers the rest of the program sees: one case per
// row of the translation.
#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "snmp/snmpstatus.h"

namespace {

struct Row {
    int netSnmp;
    int number;
    const char* name;
};

// The row's name in test names ("Rows/Translation.GivesTheNumber/SNMPERR_GENERR").
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

class Translation : public ::testing::TestWithParam<Row> {};

} // namespace

TEST_P(Translation, GivesTheNumber)
{
    EXPECT_EQ(SnmpTranslateError(GetParam().netSnmp), GetParam().number) << GetParam().name;
}

#define ROW(e, n)                                                                                                      \
    Row                                                                                                                \
    {                                                                                                                  \
        e, n, #e                                                                                                       \
    }

INSTANTIATE_TEST_SUITE_P(
    Rows, Translation,
    ::testing::Values(
        ROW(SNMPERR_SUCCESS, 0), ROW(SNMPERR_GENERR, -1), ROW(SNMPERR_BAD_LOCPORT, -22), ROW(SNMPERR_BAD_ADDRESS, -18),
        ROW(SNMPERR_BAD_SESSION, -10), ROW(SNMPERR_TOO_LONG, -11), ROW(SNMPERR_NO_SOCKET, -22),
        ROW(SNMPERR_V2_IN_V1, -11), ROW(SNMPERR_V1_IN_V2, -11), ROW(SNMPERR_BAD_ASN1_BUILD, -11),
        ROW(SNMPERR_BAD_SENDTO, -22), ROW(SNMPERR_BAD_PARSE, -1408), ROW(SNMPERR_BAD_VERSION, -12),
        ROW(SNMPERR_BAD_CONTEXT, -1417), ROW(SNMPERR_BAD_COMMUNITY, -1411), ROW(SNMPERR_NOAUTH_DESPRIV, 1403),
        ROW(SNMPERR_ABORT, -1), ROW(SNMPERR_UNKNOWN_PDU, -1415), ROW(SNMPERR_TIMEOUT, -5),
        ROW(SNMPERR_BAD_RECVFROM, -22), ROW(SNMPERR_BAD_ENG_ID, -1406), ROW(SNMPERR_BAD_SEC_NAME, 1404),
        ROW(SNMPERR_BAD_SEC_LEVEL, 1403), ROW(SNMPERR_ASN_PARSE_ERR, -1408), ROW(SNMPERR_UNKNOWN_SEC_MODEL, -1402),
        ROW(SNMPERR_INVALID_MSG, -1405), ROW(SNMPERR_UNKNOWN_ENG_ID, 1410), ROW(SNMPERR_UNKNOWN_USER_NAME, 1404),
        ROW(SNMPERR_UNSUPPORTED_SEC_LEVEL, 1403), ROW(SNMPERR_AUTHENTICATION_FAILURE, 1408),
        ROW(SNMPERR_NOT_IN_TIME_WINDOW, 1411), ROW(SNMPERR_DECRYPTION_ERR, 1406), ROW(SNMPERR_SC_GENERAL_FAILURE, 1401),
        ROW(SNMPERR_SC_NOT_CONFIGURED, 1401), ROW(SNMPERR_KT_NOT_AVAILABLE, 1401), ROW(SNMPERR_UNKNOWN_REPORT, 1401),
        ROW(SNMPERR_USM_GENERICERROR, 1401), ROW(SNMPERR_USM_UNKNOWNSECURITYNAME, 1404),
        ROW(SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL, 1403), ROW(SNMPERR_USM_ENCRYPTIONERROR, 1405),
        ROW(SNMPERR_USM_AUTHENTICATIONFAILURE, 1408), ROW(SNMPERR_USM_PARSEERROR, 1409),
        ROW(SNMPERR_USM_UNKNOWNENGINEID, 1410), ROW(SNMPERR_USM_NOTINTIMEWINDOW, 1411),
        ROW(SNMPERR_USM_DECRYPTIONERROR, 1406), ROW(SNMPERR_NOMIB, -17), ROW(SNMPERR_RANGE, -11),
        ROW(SNMPERR_MAX_SUBID, -17), ROW(SNMPERR_BAD_SUBID, -17), ROW(SNMPERR_LONG_OID, -17),
        ROW(SNMPERR_BAD_NAME, -17), ROW(SNMPERR_VALUE, -11), ROW(SNMPERR_UNKNOWN_OBJID, -17),
        ROW(SNMPERR_NULL_PDU, -11), ROW(SNMPERR_NO_VARS, -11), ROW(SNMPERR_VAR_TYPE, -11), ROW(SNMPERR_MALLOC, -2),
        ROW(SNMPERR_TRANSPORT_NO_CONFIG, -20), ROW(SNMPERR_TRANSPORT_CONFIG_ERROR, -22), ROW(-1000, -1)));

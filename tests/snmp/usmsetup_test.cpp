// The SNMPv3 protocols of the command line and the keys set up for them:
// every protocol of the tables is one Net-SNMP speaks, keys are as long as
// the hash's output, and a number outside the tables is refused with the
// USM's own status.
#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <string>

#include "snmp/snmpusmsetup.h"
#include "snmp/snmpstatus.h"
#include "snmp/usmprotocols.h"

namespace {

std::string Dotted(const oid* arcs, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += (i ? "." : "") + std::to_string(arcs[i]);
    return text;
}

int Apply(int32_t auth, int32_t priv, netsnmp_session& s)
{
    snmp_sess_init(&s);
    static const std::string name = "operator";
    return SnmpUsmSetup::Apply(s, name, SnmpEngine::UsmUser{auth, priv, "auth-password", "priv-password"});
}

} // namespace

TEST(UsmSetup, EveryPairOfTheTablesGetsKeysOfItsHashsLength)
{
    for (const UsmProtocol& auth : UsmProtocols::Auth()) {
        for (const UsmProtocol& priv : UsmProtocols::Priv()) {
            SCOPED_TRACE(std::string(auth.name) + "/" + priv.name);
            netsnmp_session s;
            ASSERT_EQ(Apply(auth.number, priv.number, s), snmpOk);
            if (auth.keyLength == 0) {
                EXPECT_EQ(s.securityLevel, SNMP_SEC_LEVEL_NOAUTH);
                continue;
            }
            EXPECT_EQ(Dotted(s.securityAuthProto, s.securityAuthProtoLen), auth.oid);
            EXPECT_EQ(s.securityAuthKeyLen, auth.keyLength);
            if (priv.keyLength == 0) {
                EXPECT_EQ(s.securityLevel, SNMP_SEC_LEVEL_AUTHNOPRIV);
                continue;
            }
            EXPECT_EQ(s.securityLevel, SNMP_SEC_LEVEL_AUTHPRIV);
            EXPECT_EQ(Dotted(s.securityPrivProto, s.securityPrivProtoLen), priv.oid);
            // The hash gives the privacy key's material too; a longer cipher
            // key is extended once the key is localised.
            EXPECT_EQ(s.securityPrivKeyLen, auth.keyLength);
            EXPECT_EQ(sc_get_proper_priv_length(s.securityPrivProto, s.securityPrivProtoLen),
                      static_cast<int>(priv.keyLength));
        }
    }
}

TEST(UsmSetup, ANumberOutsideTheTablesIsRefused)
{
    netsnmp_session s;
    for (int32_t auth : {0, 8, 99, -1})
        EXPECT_EQ(Apply(auth, 1, s), usmUnsupportedAuthProtocol) << auth;
    // 3DES and IDEA keep their numbers but are not spoken.
    for (int32_t priv : {0, 3, 9, 22})
        EXPECT_EQ(Apply(5, priv, s), usmUnsupportedPrivProtocol) << priv;
    EXPECT_EQ(UsmProtocols::Listing(UsmProtocols::Auth()),
              "1 none, 2 MD5, 3 SHA-1, 4 SHA-224, 5 SHA-256, 6 SHA-384, 7 SHA-512");
    EXPECT_EQ(UsmProtocols::Listing(UsmProtocols::Priv()), "1 none, 2 DES, 4 AES-128, 20 AES-192, 21 AES-256");
}

#include "snmp/snmpusmsetup.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstring>
#include <vector>

#include "snmp/snmpstatus.h"

namespace {

struct Protocol {
    const oid* id = nullptr; // null: none
    size_t length = 0;
};

// The authentication protocol of a number; false for an unsupported one.
bool AuthProtocol(int32_t number, Protocol& protocol)
{
    switch (number) {
    case 1:
        protocol = {};
        return true;
    case 2:
        protocol = {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)};
        return true;
    case 3:
        protocol = {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)};
        return true;
    default:
        return false;
    }
}

// The privacy protocol of a number; false for an unsupported one.
bool PrivProtocol(int32_t number, Protocol& protocol)
{
    switch (number) {
    case 1:
        protocol = {};
        return true;
    case 2:
        protocol = {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)};
        return true;
    case 4:
        protocol = {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)};
        return true;
    case 20:
        protocol = {usmAES192PrivProtocol, OID_LENGTH(usmAES192PrivProtocol)};
        return true;
    case 21:
        protocol = {usmAES256PrivProtocol, OID_LENGTH(usmAES256PrivProtocol)};
        return true;
    default:
        return false;
    }
}

// Derives a key from a password with the authentication protocol's hash.
bool DeriveKey(const Protocol& auth, const std::string& password, u_char* key, size_t& length)
{
    return generate_Ku(auth.id, static_cast<u_int>(auth.length), reinterpret_cast<const u_char*>(password.data()),
                       password.size(), key, &length) == SNMPERR_SUCCESS;
}

} // namespace

int SnmpUsmSetup::Apply(snmp_session& s, const std::string& securityName, const SnmpEngine::UsmUser& user)
{
    s.securityModel = SNMP_SEC_MODEL_USM;
    s.securityName = const_cast<char*>(securityName.c_str());
    s.securityNameLen = securityName.size();
    s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    Protocol auth;
    if (!AuthProtocol(user.authProtocol, auth))
        return usmUnsupportedAuthProtocol;
    Protocol priv;
    if (!PrivProtocol(user.privProtocol, priv))
        return usmUnsupportedPrivProtocol;
    if (!auth.id)
        return snmpOk;
    u_char authKey[USM_AUTH_KU_LEN];
    s.securityAuthProto = const_cast<oid*>(auth.id);
    s.securityAuthProtoLen = auth.length;
    s.securityAuthKeyLen = USM_AUTH_KU_LEN;
    if (!DeriveKey(auth, user.authPassword, authKey, s.securityAuthKeyLen))
        return usmAuthenticationError;
    std::memcpy(s.securityAuthKey, authKey, s.securityAuthKeyLen);
    s.securityLevel = SNMP_SEC_LEVEL_AUTHNOPRIV;
    if (!priv.id)
        return snmpOk;
    u_char privKey[USM_PRIV_KU_LEN];
    s.securityPrivProto = const_cast<oid*>(priv.id);
    s.securityPrivProtoLen = priv.length;
    s.securityPrivKeyLen = USM_PRIV_KU_LEN;
    if (!DeriveKey(auth, user.privPassword, privKey, s.securityPrivKeyLen))
        return usmEncryptionError;
    std::memcpy(s.securityPrivKey, privKey, s.securityPrivKeyLen);
    s.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
    return snmpOk;
}

int SnmpUsmSetup::AddUserForEngine(const std::string& securityName, const SnmpEngine::UsmUser& user,
                                   const std::string& engineId)
{
    if (engineId.empty() || engineId.size() > 32)
        return usmUnknownEngineId;
    std::vector<u_char> id(engineId.begin(), engineId.end());
    if (usm_get_user(id.data(), id.size(), securityName.c_str()))
        return snmpOk;
    netsnmp_session s;
    snmp_sess_init(&s);
    s.version = SNMP_VERSION_3;
    const int status = Apply(s, securityName, user);
    if (status != snmpOk)
        return status;
    // The library localises the keys and adds the entry, as it does for a
    // session of its own.
    s.securityEngineID = id.data();
    s.securityEngineIDLen = id.size();
    return usm_create_user_from_session(&s) == SNMPERR_SUCCESS ? snmpOk : usmError;
}

void SnmpUsmSetup::ForgetUser(const std::string& name)
{
    for (struct usmUser* u = usm_get_userList(); u;) {
        struct usmUser* next = u->next;
        if (u->name && name == u->name) {
            usm_remove_user(u);
            usm_free_user(u);
        }
        u = next;
    }
}

#include "snmp/snmpusmsetup.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "snmp/snmpstatus.h"
#include "snmp/usmprotocols.h"

namespace {

// Net-SNMP's identifiers of the protocols it implements; a protocol of the
// module's tables is spoken when its identifier is one of these.
struct LibraryProtocol {
    const oid* id;
    size_t length;
};

const LibraryProtocol libraryProtocols[] = {
    {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)},
    {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)},
    {usmHMAC128SHA224AuthProtocol, OID_LENGTH(usmHMAC128SHA224AuthProtocol)},
    {usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol)},
    {usmHMAC256SHA384AuthProtocol, OID_LENGTH(usmHMAC256SHA384AuthProtocol)},
    {usmHMAC384SHA512AuthProtocol, OID_LENGTH(usmHMAC384SHA512AuthProtocol)},
    {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)},
    {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)},
    {usmAES192PrivProtocol, OID_LENGTH(usmAES192PrivProtocol)},
    {usmAES256PrivProtocol, OID_LENGTH(usmAES256PrivProtocol)},
};

struct Protocol {
    const oid* id = nullptr; // null: none
    size_t length = 0;
};

// The library's identifier of a protocol of the tables; false when the
// library does not implement it. "none" (number 1) has no identifier.
bool LibraryId(const UsmProtocol* protocol, Protocol& found)
{
    if (!protocol)
        return false;
    found = {};
    if (protocol->number == 1)
        return true;
    oid arcs[MAX_OID_LEN];
    size_t length = 0;
    for (const char* p = protocol->oid; *p && length < MAX_OID_LEN; ++p) {
        arcs[length++] = std::strtoul(p, const_cast<char**>(&p), 10);
        if (*p != '.')
            break;
    }
    for (const LibraryProtocol& l : libraryProtocols)
        if (netsnmp_oid_equals(arcs, length, l.id, l.length) == 0) {
            found = {l.id, l.length};
            return true;
        }
    return false;
}

// Derives a key (Ku) from a password with the authentication protocol's
// hash: as long as the hash's output. Localisation to the agent's engine and
// the extension of a privacy key that a longer cipher needs follow once the
// engine is known (usm_create_user_from_session).
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
    if (!LibraryId(UsmProtocols::FindAuth(user.authProtocol), auth))
        return usmUnsupportedAuthProtocol;
    Protocol priv;
    if (!LibraryId(UsmProtocols::FindPriv(user.privProtocol), priv))
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

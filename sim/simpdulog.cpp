#include "sim/simpdulog.h"

#include <cerrno>
#include <cstring>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "sim/simoid.h"
#include "sim/simvalue.h"

namespace {

const char* CommandName(int command)
{
    switch (command) {
    case SNMP_MSG_GET:
        return "GET";
    case SNMP_MSG_GETNEXT:
        return "GETNEXT";
    case SNMP_MSG_GETBULK:
        return "GETBULK";
    case SNMP_MSG_SET:
        return "SET";
    case SNMP_MSG_RESPONSE:
        return "RESPONSE";
    case SNMP_MSG_TRAP:
        return "TRAP";
    case SNMP_MSG_TRAP2:
        return "TRAP2";
    case SNMP_MSG_INFORM:
        return "INFORM";
    case SNMP_MSG_REPORT:
        return "REPORT";
    default:
        return "PDU";
    }
}

const char* VersionName(long version)
{
    switch (version) {
    case SNMP_VERSION_1:
        return "v1";
    case SNMP_VERSION_2c:
        return "v2c";
    case SNMP_VERSION_3:
        return "v3";
    default:
        return "v?";
    }
}

const char* LevelName(int level)
{
    switch (level) {
    case SNMP_SEC_LEVEL_AUTHPRIV:
        return "authPriv";
    case SNMP_SEC_LEVEL_AUTHNOPRIV:
        return "authNoPriv";
    default:
        return "noAuthNoPriv";
    }
}

bool Printable(const u_char* s, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (s[i] < 0x20 || s[i] > 0x7E)
            return false;
    return true;
}

std::string VarbindText(const variable_list* vb)
{
    std::string s = simoid::Format(vb->name, vb->name_length);
    char buf[64];
    switch (vb->type) {
    case ASN_INTEGER:
        s += " INTEGER " + std::to_string(vb->val.integer ? *vb->val.integer : 0);
        break;
    case ASN_OCTET_STR: {
        const u_char* p = vb->val.string;
        const size_t n = p ? vb->val_len : 0;
        if (Printable(p, n))
            s += " STRING " + SimValue::Quote(std::string(reinterpret_cast<const char*>(p), n));
        else
            s += " STRING 0x" + SimValue::Hex(std::string(reinterpret_cast<const char*>(p), n));
        break;
    }
    case ASN_OPAQUE: {
        const size_t n = vb->val.string ? vb->val_len : 0;
        s += " OPAQUE 0x" + SimValue::Hex(std::string(reinterpret_cast<const char*>(vb->val.string), n));
        break;
    }
    case ASN_OBJECT_ID:
        s += " OID " + (vb->val.objid ? simoid::Format(vb->val.objid, vb->val_len / sizeof(oid)) : std::string());
        break;
    case ASN_IPADDRESS:
        if (vb->val.string && vb->val_len == 4) {
            std::snprintf(buf, sizeof buf, " IPADDRESS %u.%u.%u.%u", vb->val.string[0], vb->val.string[1],
                          vb->val.string[2], vb->val.string[3]);
            s += buf;
        } else {
            s += " IPADDRESS 0x" + SimValue::Hex(std::string(reinterpret_cast<const char*>(vb->val.string),
                                                             vb->val.string ? vb->val_len : 0));
        }
        break;
    case ASN_COUNTER:
        s += " COUNTER32 " + std::to_string(vb->val.integer ? static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFul : 0);
        break;
    case ASN_GAUGE:
        s += " GAUGE32 " + std::to_string(vb->val.integer ? static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFul : 0);
        break;
    case ASN_TIMETICKS:
        s += " TIMETICKS " + std::to_string(vb->val.integer ? static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFul : 0);
        break;
    case ASN_COUNTER64:
        if (vb->val.counter64) {
            const uint64_t v =
                (static_cast<uint64_t>(vb->val.counter64->high) << 32) | (vb->val.counter64->low & 0xFFFFFFFFul);
            s += " COUNTER64 " + std::to_string(v);
        }
        break;
    case ASN_NULL:
        s += " NULL";
        break;
    default:
        std::snprintf(buf, sizeof buf, " TYPE0x%02X", vb->type);
        s += buf;
        break;
    }
    return s;
}

} // namespace

SimPduLog::~SimPduLog()
{
    if (file_)
        std::fclose(file_);
}

bool SimPduLog::Open(const std::string& path, std::string& error)
{
    file_ = std::fopen(path.c_str(), "a");
    if (!file_) {
        error = path + ": cannot open the log file (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

std::string SimPduLog::CommunityWord(const snmp_pdu* pdu) const
{
    if (!pdu->community || pdu->community_len == 0)
        return "-";
    const std::string text(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
    for (const Community& c : communities_)
        if (c.text == text)
            return c.word;
    return "unknown";
}

std::string SimPduLog::Format(const snmp_pdu* pdu, const std::string& note) const
{
    std::string s = CommandName(pdu->command);
    s += ' ';
    s += VersionName(pdu->version);
    if (pdu->version == SNMP_VERSION_3) {
        s += ' ';
        s += pdu->securityName && pdu->securityNameLen ? std::string(pdu->securityName, pdu->securityNameLen)
                                                       : std::string("-");
        s += ' ';
        s += LevelName(pdu->securityLevel);
    } else {
        s += ' ';
        s += CommunityWord(pdu);
    }
    if (pdu->command == SNMP_MSG_GETBULK)
        s += " non-repeaters=" + std::to_string(pdu->non_repeaters) +
             " max-repetitions=" + std::to_string(pdu->max_repetitions);
    if (!note.empty())
        s += " (" + note + ")";
    s += ':';
    bool first = true;
    for (const variable_list* vb = pdu->variables; vb; vb = vb->next_variable) {
        s += first ? " " : " | ";
        first = false;
        s += VarbindText(vb);
    }
    return s;
}

void SimPduLog::Write(const snmp_pdu* pdu, const std::string& note)
{
    if (!file_)
        return;
    const std::string line = Format(pdu, note) + "\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

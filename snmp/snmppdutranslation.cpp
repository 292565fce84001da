#include "snmp/snmppdutranslation.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <cstring>

#include "snmp/snmpstatus.h"

namespace {

bool ParseOid(const std::string& text, oid* out, size_t& length)
{
    length = 0;
    size_t i = 0;
    if (i < text.size() && text[i] == '.')
        ++i;
    if (i >= text.size())
        return false;
    while (i < text.size()) {
        if (length >= MAX_OID_LEN)
            return false;
        uint64_t arc = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            arc = arc * 10 + static_cast<uint64_t>(text[i] - '0');
            if (arc > 0xFFFFFFFFu)
                return false;
            ++i;
        }
        if (i == start)
            return false;
        out[length++] = static_cast<oid>(arc);
        if (i < text.size()) {
            if (text[i] != '.' || i + 1 == text.size())
                return false;
            ++i;
        }
    }
    return true;
}

std::string OidText(const oid* arcs, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        if (i)
            text += '.';
        text += std::to_string(static_cast<unsigned long>(arcs[i]));
    }
    return text;
}

// The community (SNMPv1, v2c: the write community for a set) or the SNMPv3
// security level and scope; 0 or a status of the numbering.
int SetSecurity(netsnmp_pdu* p, int command, const SnmpPdu& pdu, const SnmpTarget& target)
{
    if (!target.IsUserTarget()) {
        const std::string& community = command == SNMP_MSG_SET ? target.writeCommunity : target.readCommunity;
        if (!community.empty()) {
            p->community = static_cast<u_char*>(netsnmp_memdup(community.data(), community.size()));
            p->community_len = community.size();
        }
        return snmpOk;
    }
    if (pdu.securityLevel < SNMP_SEC_LEVEL_NOAUTH || pdu.securityLevel > SNMP_SEC_LEVEL_AUTHPRIV)
        return usmUnsupportedSecurityLevel;
    p->securityLevel = pdu.securityLevel;
    p->securityModel = SNMP_SEC_MODEL_USM;
    if (!pdu.contextName.empty()) {
        p->contextName = strdup(pdu.contextName.c_str());
        p->contextNameLen = pdu.contextName.size();
    }
    if (!pdu.contextEngineId.empty()) {
        p->contextEngineID =
            static_cast<u_char*>(netsnmp_memdup(pdu.contextEngineId.data(), pdu.contextEngineId.size()));
        p->contextEngineIDLen = pdu.contextEngineId.size();
    }
    return snmpOk;
}

// Appends one binding; 0 or a status of the numbering.
int AddBinding(netsnmp_pdu* p, const SnmpVb& vb)
{
    oid name[MAX_OID_LEN];
    size_t nameLength = 0;
    if (!ParseOid(vb.oid, name, nameLength))
        return snmpClassInvalidOid;
    netsnmp_variable_list* added = nullptr;
    switch (vb.tag) {
    case tagInteger: {
        long v = vb.Integer();
        added = snmp_pdu_add_variable(p, name, nameLength, ASN_INTEGER, &v, sizeof v);
        break;
    }
    case tagCounter32:
    case tagGauge32:
    case tagTimeTicks:
    case tagUInteger32: {
        u_long v = vb.Unsigned();
        added = snmp_pdu_add_variable(p, name, nameLength, vb.tag, &v, sizeof v);
        break;
    }
    case tagCounter64: {
        struct counter64 v;
        v.high = static_cast<u_long>(vb.number >> 32);
        v.low = static_cast<u_long>(vb.number & 0xFFFFFFFFu);
        added = snmp_pdu_add_variable(p, name, nameLength, ASN_COUNTER64, &v, sizeof v);
        break;
    }
    case tagOctets:
    case tagIpAddress:
    case tagOpaque:
    case tagNsapAddress:
        added = snmp_pdu_add_variable(p, name, nameLength, vb.tag, vb.octets.empty() ? nullptr : vb.octets.data(),
                                      vb.octets.size());
        break;
    case tagOid: {
        std::vector<oid> arcs(vb.arcs.begin(), vb.arcs.end());
        if (arcs.size() > MAX_OID_LEN)
            return snmpClassInvalidOid;
        added = snmp_pdu_add_variable(p, name, nameLength, ASN_OBJECT_ID, arcs.empty() ? nullptr : arcs.data(),
                                      arcs.size() * sizeof(oid));
        break;
    }
    case tagNull:
        added = snmp_pdu_add_variable(p, name, nameLength, ASN_NULL, nullptr, 0);
        break;
    default:
        return snmpClassInvalidPdu;
    }
    return added ? snmpOk : snmpClassInvalidPdu;
}

} // namespace

int SnmpPduTranslation::Build(int command, const SnmpPdu& pdu, const SnmpTarget& target, NetSnmpPdu& out)
{
    NetSnmpPdu p(snmp_pdu_create(command));
    if (!p)
        return snmpClassResourceUnavailable;
    if (command == SNMP_MSG_GETBULK) {
        p->non_repeaters = 0;
        p->max_repetitions = std::max(1, pdu.maxRepetitions);
    }
    int status = SetSecurity(p.get(), command, pdu, target);
    for (auto vb = pdu.vbs.begin(); status == snmpOk && vb != pdu.vbs.end(); ++vb)
        status = AddBinding(p.get(), *vb);
    if (status != snmpOk)
        return status;
    out = std::move(p);
    return snmpOk;
}

void SnmpPduTranslation::Read(const snmp_pdu* p, SnmpPdu& out)
{
    out.vbs.clear();
    out.errorIndex = static_cast<int32_t>(p->errindex);
    if (p->command == SNMP_MSG_REPORT) {
        out.errorStatus = SnmpTranslateError(snmpv3_get_report_type(const_cast<netsnmp_pdu*>(p)));
        if (out.errorStatus == snmpOk)
            out.errorStatus = usmError;
        out.errorIndex = 0;
        return;
    }
    out.errorStatus = static_cast<int32_t>(p->errstat);
    for (const netsnmp_variable_list* v = p->variables; v; v = v->next_variable) {
        SnmpVb vb;
        vb.oid = OidText(v->name, v->name_length);
        switch (v->type) {
        case ASN_INTEGER:
            vb.SetInteger(v->val.integer ? static_cast<int32_t>(*v->val.integer) : 0);
            break;
        case ASN_COUNTER:
        case ASN_GAUGE:
        case ASN_TIMETICKS:
        case ASN_UINTEGER:
            vb.SetUnsigned(v->type, v->val.integer ? static_cast<uint32_t>(*v->val.integer & 0xFFFFFFFFul) : 0);
            break;
        case ASN_COUNTER64:
            vb.SetCounter64(v->val.counter64 ? (static_cast<uint64_t>(v->val.counter64->high & 0xFFFFFFFFul) << 32) |
                                                   (v->val.counter64->low & 0xFFFFFFFFul)
                                             : 0);
            break;
        case ASN_OBJECT_ID: {
            std::vector<uint32_t> arcs;
            size_t n = v->val.objid ? v->val_len / sizeof(oid) : 0;
            for (size_t i = 0; i < n; ++i)
                arcs.push_back(static_cast<uint32_t>(v->val.objid[i]));
            vb.SetObjectId(std::move(arcs));
            break;
        }
        case ASN_NULL:
            vb.SetNull();
            break;
        case SNMP_NOSUCHOBJECT:
        case SNMP_NOSUCHINSTANCE:
        case SNMP_ENDOFMIBVIEW:
            vb.SetNull();
            vb.tag = v->type;
            break;
        default: {
            // OCTET STRING, IpAddress, Opaque, NsapAddress and anything else that
            // carries octets.
            std::vector<uint8_t> octets;
            if (v->val.string && v->val_len)
                octets.assign(v->val.string, v->val.string + v->val_len);
            vb.SetOctets(v->type, std::move(octets));
            break;
        }
        }
        out.vbs.push_back(std::move(vb));
    }
}

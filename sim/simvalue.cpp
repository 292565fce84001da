#include "sim/simvalue.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "sim/simhex.h"

namespace {

struct TypeRow {
    SimType type;
    const char* name;
    unsigned char asn;
};

const TypeRow typeRows[] = {
    {SimType::Integer, "integer", ASN_INTEGER},
    {SimType::String, "string", ASN_OCTET_STR},
    {SimType::Hex, "hex", ASN_OCTET_STR},
    {SimType::ObjectId, "oid", ASN_OBJECT_ID},
    {SimType::IpAddress, "ipaddress", ASN_IPADDRESS},
    {SimType::Counter32, "counter32", ASN_COUNTER},
    {SimType::Gauge32, "gauge32", ASN_GAUGE},
    {SimType::TimeTicks, "timeticks", ASN_TIMETICKS},
    {SimType::Counter64, "counter64", ASN_COUNTER64},
    {SimType::Unsigned32, "unsigned32", ASN_UNSIGNED},
};

bool ParseSigned(const std::string& t, int64_t lo, int64_t hi, int64_t& out)
{
    if (t.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseUnsigned(const std::string& t, uint64_t hi, uint64_t& out)
{
    if (t.empty() || !std::isdigit(static_cast<unsigned char>(t[0])))
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(t.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseHex(const std::string& token, std::string& out)
{
    std::string t = token;
    if (t.rfind("0x", 0) == 0 || t.rfind("0X", 0) == 0)
        t = t.substr(2);
    out.clear();
    int high = -1;
    for (char c : t) {
        if (c == ':' || c == '-' || c == '.')
            continue;
        int d = simhex::DigitValue(c);
        if (d < 0)
            return false;
        if (high < 0) {
            high = d;
        } else {
            out.push_back(static_cast<char>(high * 16 + d));
            high = -1;
        }
    }
    return high < 0;
}

bool ParseIp(const std::string& t, std::string& out)
{
    out.clear();
    size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        size_t end = t.find('.', pos);
        if (part == 3)
            end = t.size();
        if (end == std::string::npos || end == pos || end - pos > 3)
            return false;
        int v = 0;
        for (size_t i = pos; i < end; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(t[i])))
                return false;
            v = v * 10 + (t[i] - '0');
        }
        if (v > 255)
            return false;
        out.push_back(static_cast<char>(v));
        pos = end + 1;
    }
    return true;
}

} // namespace

bool SimValue::TypeFromName(const std::string& name, SimType& type)
{
    for (const TypeRow& r : typeRows) {
        if (name == r.name) {
            type = r.type;
            return true;
        }
    }
    return false;
}

const char* SimValue::TypeName(SimType type)
{
    for (const TypeRow& r : typeRows)
        if (r.type == type)
            return r.name;
    return "?";
}

unsigned char SimValue::AsnType(SimType type)
{
    for (const TypeRow& r : typeRows)
        if (r.type == type)
            return r.asn;
    return ASN_NULL;
}

bool SimValue::Parse(SimType type, const std::string& token, bool quoted, unsigned enterpriseNumber, SimValue& out,
                     std::string& error)
{
    out = SimValue();
    uint64_t u = 0;
    switch (type) {
    case SimType::Integer:
        if (quoted || !ParseSigned(token, INT32_MIN, INT32_MAX, out.integer)) {
            error = "\"" + token + "\" is not an integer (-2147483648..2147483647)";
            return false;
        }
        return true;
    case SimType::String:
        out.octets = token;
        return true;
    case SimType::Hex:
        if (quoted && token.empty())
            return true;
        if (quoted || !ParseHex(token, out.octets)) {
            error = "\"" + token + "\" is not hexadecimal octets (for example 00:0D:88:01:02:03 or FFC0)";
            return false;
        }
        return true;
    case SimType::ObjectId:
        if (quoted || !simoid::Parse(token, enterpriseNumber, out.objectId)) {
            error = "\"" + token + "\" is not an object identifier";
            return false;
        }
        return true;
    case SimType::IpAddress:
        if (quoted || !ParseIp(token, out.octets)) {
            error = "\"" + token + "\" is not an IP address";
            return false;
        }
        return true;
    case SimType::Counter32:
    case SimType::Gauge32:
    case SimType::TimeTicks:
    case SimType::Unsigned32:
        if (quoted || !ParseUnsigned(token, 0xFFFFFFFFull, u)) {
            error = "\"" + token + "\" is not an unsigned 32-bit number";
            return false;
        }
        out.integer = static_cast<int64_t>(u);
        return true;
    case SimType::Counter64:
        if (quoted || !ParseUnsigned(token, UINT64_MAX, u)) {
            error = "\"" + token + "\" is not an unsigned 64-bit number";
            return false;
        }
        out.integer = static_cast<int64_t>(u);
        return true;
    }
    error = "unknown type";
    return false;
}

std::string SimValue::Quote(const std::string& text)
{
    std::string s = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            s += '\\';
            s += static_cast<char>(c);
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\t') {
            s += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            s += "\\x";
            simhex::AppendByte(s, c);
        } else {
            s += static_cast<char>(c);
        }
    }
    return s + "\"";
}

std::string SimValue::Hex(const std::string& octets)
{
    std::string s;
    for (unsigned char c : octets)
        simhex::AppendByte(s, c);
    return s;
}

std::string SimValue::ToDataText(SimType type, unsigned enterpriseNumber) const
{
    switch (type) {
    case SimType::Integer:
        return std::to_string(integer);
    case SimType::String:
        return Quote(octets);
    case SimType::Hex:
        return octets.empty() ? std::string("\"\"") : Hex(octets);
    case SimType::ObjectId:
        return simoid::FormatWithEnt(objectId, enterpriseNumber);
    case SimType::IpAddress: {
        std::string s;
        for (size_t i = 0; i < octets.size(); ++i) {
            if (i)
                s += '.';
            s += std::to_string(static_cast<unsigned char>(octets[i]));
        }
        return s;
    }
    case SimType::Counter32:
    case SimType::Gauge32:
    case SimType::TimeTicks:
    case SimType::Unsigned32:
    case SimType::Counter64:
        return std::to_string(static_cast<uint64_t>(integer));
    }
    return "";
}

bool SimValue::FromVarbind(const variable_list* vb, SimType type, SimValue& out)
{
    out = SimValue();
    if (vb->type != AsnType(type))
        return false;
    switch (type) {
    case SimType::Integer:
        if (!vb->val.integer)
            return false;
        out.integer = static_cast<int32_t>(*vb->val.integer);
        return true;
    case SimType::String:
    case SimType::Hex:
    case SimType::IpAddress:
        if (vb->val_len && vb->val.string)
            out.octets.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        return true;
    case SimType::ObjectId:
        if (vb->val.objid)
            out.objectId.assign(vb->val.objid, vb->val.objid + vb->val_len / sizeof(oid));
        return true;
    case SimType::Counter32:
    case SimType::Gauge32:
    case SimType::TimeTicks:
    case SimType::Unsigned32:
        if (!vb->val.integer)
            return false;
        out.integer = static_cast<int64_t>(static_cast<uint32_t>(*vb->val.integer));
        return true;
    case SimType::Counter64:
        if (!vb->val.counter64)
            return false;
        out.integer = static_cast<int64_t>((static_cast<uint64_t>(vb->val.counter64->high) << 32) |
                                           (vb->val.counter64->low & 0xFFFFFFFFul));
        return true;
    }
    return false;
}

void SimValue::ToVarbind(SimType type, variable_list* vb) const
{
    const unsigned char asn = AsnType(type);
    switch (type) {
    case SimType::Integer: {
        long v = static_cast<long>(integer);
        snmp_set_var_typed_value(vb, asn, &v, sizeof(v));
        return;
    }
    case SimType::String:
    case SimType::Hex:
    case SimType::IpAddress:
        snmp_set_var_typed_value(vb, asn, octets.data(), octets.size());
        return;
    case SimType::ObjectId:
        snmp_set_var_typed_value(vb, asn, objectId.data(), objectId.size() * sizeof(oid));
        return;
    case SimType::Counter32:
    case SimType::Gauge32:
    case SimType::TimeTicks:
    case SimType::Unsigned32: {
        u_long v = static_cast<u_long>(static_cast<uint32_t>(integer));
        snmp_set_var_typed_value(vb, asn, &v, sizeof(v));
        return;
    }
    case SimType::Counter64: {
        struct counter64 c;
        const uint64_t u = static_cast<uint64_t>(integer);
        c.high = static_cast<u_long>(u >> 32);
        c.low = static_cast<u_long>(u & 0xFFFFFFFFull);
        snmp_set_var_typed_value(vb, asn, &c, sizeof(c));
        return;
    }
    }
}

bool SimValue::Equals(const SimValue& other) const
{
    return integer == other.integer && octets == other.octets && objectId == other.objectId;
}

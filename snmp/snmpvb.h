#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Wire tags of variable-binding values (ASN.1 / SMI application tags) and the
// SNMPv2 exceptions, which arrive as values without content.
enum SnmpTag : uint8_t {
    tagInteger = 0x02,
    tagOctets = 0x04,
    tagNull = 0x05,
    tagOid = 0x06,
    tagIpAddress = 0x40,
    tagCounter32 = 0x41,
    tagGauge32 = 0x42,
    tagTimeTicks = 0x43,
    tagOpaque = 0x44,
    tagNsapAddress = 0x45,
    tagCounter64 = 0x46,
    tagUInteger32 = 0x47,
    tagNoSuchObject = 0x80,
    tagNoSuchInstance = 0x81,
    tagEndOfMibView = 0x82,
};

// One variable binding: a dotted OID and a typed value.
//   integer tags (2, 65, 66, 67, 71): `number` (signed values sign-extended)
//   Counter64: `number`
//   OCTET STRING, IpAddress, Opaque, NsapAddress: `octets`
//   OBJECT IDENTIFIER: `arcs`
//   NULL and the exceptions: nothing
struct SnmpVb {
    std::string oid;
    uint8_t tag = tagNull;
    uint64_t number = 0;
    std::vector<uint8_t> octets;
    std::vector<uint32_t> arcs;

    void SetNull() { Clear(tagNull); }
    void SetInteger(int32_t v)
    {
        Clear(tagInteger);
        number = static_cast<uint64_t>(static_cast<int64_t>(v));
    }
    void SetUnsigned(uint8_t t, uint32_t v)
    {
        Clear(t);
        number = v;
    }
    void SetCounter64(uint64_t v)
    {
        Clear(tagCounter64);
        number = v;
    }
    void SetOctets(uint8_t t, std::vector<uint8_t> v)
    {
        Clear(t);
        octets = std::move(v);
    }
    void SetObjectId(std::vector<uint32_t> v)
    {
        Clear(tagOid);
        arcs = std::move(v);
    }

    int32_t Integer() const { return static_cast<int32_t>(static_cast<uint32_t>(number)); }
    uint32_t Unsigned() const { return static_cast<uint32_t>(number); }
    bool IsException() const { return tag == tagNoSuchObject || tag == tagNoSuchInstance || tag == tagEndOfMibView; }

private:
    void Clear(uint8_t t)
    {
        tag = t;
        number = 0;
        octets.clear();
        arcs.clear();
    }
};

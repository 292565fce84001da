#include "snmp/snmpdiscovery.h"

namespace {

constexpr uint8_t kSequence = 0x30;
constexpr uint8_t kInteger = 0x02;
constexpr uint8_t kOctets = 0x04;
constexpr uint8_t kGetRequest = 0xA0;
constexpr uint8_t kReport = 0xA8;

void PutLength(std::vector<uint8_t>& out, size_t length)
{
    if (length < 0x80) {
        out.push_back(static_cast<uint8_t>(length));
    } else if (length < 0x100) {
        out.push_back(0x81);
        out.push_back(static_cast<uint8_t>(length));
    } else {
        out.push_back(0x82);
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(length));
    }
}

std::vector<uint8_t> Tlv(uint8_t tag, const std::vector<uint8_t>& content)
{
    std::vector<uint8_t> out{tag};
    PutLength(out, content.size());
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

std::vector<uint8_t> Integer(uint32_t value)
{
    std::vector<uint8_t> bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    // Minimal two's complement form of a non-negative number.
    while (bytes.size() > 1 && bytes[0] == 0 && !(bytes[1] & 0x80))
        bytes.erase(bytes.begin());
    if (bytes[0] & 0x80)
        bytes.insert(bytes.begin(), 0);
    return Tlv(kInteger, bytes);
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A bounded reader of BER elements.
class Reader {
public:
    Reader(const uint8_t* data, size_t length) : p_(data), end_(data + length) {}

    // Reads one element's tag and content; false when it does not fit.
    bool Next(uint8_t& tag, Reader& content)
    {
        if (end_ - p_ < 2)
            return false;
        tag = *p_++;
        size_t length = *p_++;
        if (length & 0x80) {
            size_t octets = length & 0x7F;
            if (octets == 0 || octets > 4 || static_cast<size_t>(end_ - p_) < octets)
                return false;
            length = 0;
            for (size_t i = 0; i < octets; ++i)
                length = (length << 8) | *p_++;
        }
        if (static_cast<size_t>(end_ - p_) < length)
            return false;
        content = Reader(p_, length);
        p_ += length;
        return true;
    }

    bool Expect(uint8_t wanted, Reader& content)
    {
        uint8_t tag = 0;
        return Next(tag, content) && tag == wanted;
    }

    bool Unsigned(uint32_t& value)
    {
        Reader content(nullptr, 0);
        if (!Expect(kInteger, content) || content.Size() == 0 || content.Size() > 5)
            return false;
        uint64_t v = 0;
        for (const uint8_t* q = content.p_; q < content.end_; ++q)
            v = (v << 8) | *q;
        if (v > 0xFFFFFFFFu || (content.Size() < 5 && (*content.p_ & 0x80)))
            return false;
        value = static_cast<uint32_t>(v);
        return true;
    }

    bool Octets(std::string& value)
    {
        Reader content(nullptr, 0);
        if (!Expect(kOctets, content))
            return false;
        value.assign(reinterpret_cast<const char*>(content.p_), content.Size());
        return true;
    }

    size_t Size() const { return static_cast<size_t>(end_ - p_); }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

} // namespace

std::vector<uint8_t> SnmpDiscovery::BuildProbe(uint32_t msgId, uint32_t requestId)
{
    const std::vector<uint8_t> empty;
    auto header = Tlv(kSequence, Concat({Integer(msgId), Integer(65507), Tlv(kOctets, {0x04}), Integer(3)}));
    auto security = Tlv(kSequence, Concat({Tlv(kOctets, empty), Integer(0), Integer(0), Tlv(kOctets, empty),
                                           Tlv(kOctets, empty), Tlv(kOctets, empty)}));
    auto pdu = Tlv(kGetRequest, Concat({Integer(requestId), Integer(0), Integer(0), Tlv(kSequence, empty)}));
    auto scoped = Tlv(kSequence, Concat({Tlv(kOctets, empty), Tlv(kOctets, empty), pdu}));
    return Tlv(kSequence, Concat({Integer(3), header, Tlv(kOctets, security), scoped}));
}

namespace {

// The header and security parameters of an SNMPv3 message: `message` is
// left at the scoped PDU.
bool ReadSecurity(Reader& top, Reader& message, Reader& header, Reader& security)
{
    if (!top.Expect(kSequence, message))
        return false;
    uint32_t version = 0;
    if (!message.Unsigned(version) || version != 3)
        return false;
    if (!message.Expect(kSequence, header))
        return false;
    Reader securityOctets(nullptr, 0);
    return message.Expect(kOctets, securityOctets) && securityOctets.Expect(kSequence, security);
}

} // namespace

bool SnmpDiscovery::ParseSecurityHeader(const uint8_t* data, size_t length, std::string& engineId,
                                        std::string& userName)
{
    if (!data)
        return false;
    Reader top(data, length);
    Reader message(nullptr, 0);
    Reader header(nullptr, 0);
    Reader security(nullptr, 0);
    if (!ReadSecurity(top, message, header, security))
        return false;
    uint32_t boots = 0;
    uint32_t time = 0;
    std::string id;
    std::string user;
    if (!security.Octets(id) || !security.Unsigned(boots) || !security.Unsigned(time) || !security.Octets(user))
        return false;
    if (id.size() > 32 || user.size() > 32)
        return false;
    engineId = std::move(id);
    userName = std::move(user);
    return true;
}

bool SnmpDiscovery::ParseReport(const uint8_t* data, size_t length, uint32_t msgId, Engine& engine)
{
    if (!data)
        return false;
    Reader top(data, length);
    Reader message(nullptr, 0);
    Reader header(nullptr, 0);
    Reader security(nullptr, 0);
    uint32_t id = 0;
    if (!ReadSecurity(top, message, header, security) || !header.Unsigned(id) || id != msgId)
        return false;
    Engine found;
    if (!security.Octets(found.engineId) || !security.Unsigned(found.boots) || !security.Unsigned(found.time))
        return false;
    if (found.engineId.empty() || found.engineId.size() > 32)
        return false;
    // The scoped PDU must be a report (it travels in clear text: no privacy).
    Reader scoped(nullptr, 0);
    if (!message.Expect(kSequence, scoped))
        return false;
    Reader skip(nullptr, 0);
    uint8_t tag = 0;
    if (!scoped.Next(tag, skip) || !scoped.Next(tag, skip) || !scoped.Next(tag, skip) || tag != kReport)
        return false;
    engine = found;
    return true;
}

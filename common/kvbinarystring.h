#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An owned byte buffer (an OCTET STRING value, a port list). Created empty.
//
// Port lists: port n (1-based) is bit n - 1, the most significant bit of the
// first octet first.
class KvBinaryString {
public:
    KvBinaryString() = default;
    KvBinaryString(const uint8_t* data, int32_t length);
    explicit KvBinaryString(const std::string& bytes);

    int32_t Length() const { return static_cast<int32_t>(data_.size()); }
    bool IsEmpty() const { return data_.empty(); }
    // Null when empty.
    const uint8_t* Data() const { return data_.empty() ? nullptr : data_.data(); }
    uint8_t* Data() { return data_.empty() ? nullptr : data_.data(); }

    // Replaces the contents (a negative length or null data gives empty).
    void Assign(const uint8_t* data, int32_t length);
    void Assign(const std::string& bytes);
    // New octets are 0; a negative length gives empty.
    void Resize(int32_t length);
    void Clear() { data_.clear(); }

    // Octet access; an index outside 0..Length()-1 raises KvError -12.
    uint8_t At(int32_t index) const;
    void SetAt(int32_t index, uint8_t value);

    // Port-list bits. PortBit of a port beyond the buffer (or below 1) is
    // false; SetPortBit grows the buffer as needed (ports below 1 raise -12).
    bool PortBit(int port) const;
    void SetPortBit(int port, bool on);

    // The octets as a byte string.
    std::string ToString() const { return std::string(data_.begin(), data_.end()); }

    bool operator==(const KvBinaryString& other) const = default;

private:
    std::vector<uint8_t> data_;
};

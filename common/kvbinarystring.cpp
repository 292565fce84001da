#include "common/kvbinarystring.h"

#include "common/kvmessages.h"

KvBinaryString::KvBinaryString(const uint8_t* data, int32_t length)
{
    Assign(data, length);
}

KvBinaryString::KvBinaryString(const std::string& bytes)
{
    Assign(bytes);
}

void KvBinaryString::Assign(const uint8_t* data, int32_t length)
{
    if (!data || length <= 0) {
        data_.clear();
        return;
    }
    data_.assign(data, data + length);
}

void KvBinaryString::Assign(const std::string& bytes)
{
    data_.assign(bytes.begin(), bytes.end());
}

void KvBinaryString::Resize(int32_t length)
{
    data_.resize(length > 0 ? static_cast<size_t>(length) : 0u, 0);
}

uint8_t KvBinaryString::At(int32_t index) const
{
    if (index < 0 || index >= Length())
        KvRaise(kvErrIndexOutOfRange);
    return data_[static_cast<size_t>(index)];
}

void KvBinaryString::SetAt(int32_t index, uint8_t value)
{
    if (index < 0 || index >= Length())
        KvRaise(kvErrIndexOutOfRange);
    data_[static_cast<size_t>(index)] = value;
}

bool KvBinaryString::PortBit(int port) const
{
    if (port < 1)
        return false;
    size_t octet = static_cast<size_t>(port - 1) / 8;
    if (octet >= data_.size())
        return false;
    return (data_[octet] & (0x80u >> ((port - 1) % 8))) != 0;
}

void KvBinaryString::SetPortBit(int port, bool on)
{
    if (port < 1)
        KvRaise(kvErrIndexOutOfRange);
    size_t octet = static_cast<size_t>(port - 1) / 8;
    if (octet >= data_.size()) {
        if (!on)
            return;
        data_.resize(octet + 1, 0);
    }
    uint8_t mask = static_cast<uint8_t>(0x80u >> ((port - 1) % 8));
    if (on)
        data_[octet] |= mask;
    else
        data_[octet] &= static_cast<uint8_t>(~mask);
}

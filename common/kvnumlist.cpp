#include "common/kvnumlist.h"

#include <cmath>

#include "common/kvmessages.h"

namespace {

// Wraps a 64-bit intermediate into the 32-bit number type.
template <typename T>
T Wrap(int64_t value)
{
    return static_cast<T>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

} // namespace

template <typename T>
void KvNumList<T>::Parse(const std::string& text)
{
    values_.clear();
    if (text.empty())
        return;
    size_t count = 1;
    for (char c : text) {
        if (c == delimiter_)
            ++count;
    }
    values_.assign(count, T(0));

    size_t index = 0;
    bool inFraction = false;
    double scale = 1.0;
    for (char ch : text) {
        const int digit = static_cast<int>(static_cast<unsigned char>(ch)) - '0';
        T& number = values_[index];
        if (ch == delimiter_) {
            ++index;
            inFraction = false;
        } else if (ch == '.') {
            inFraction = true;
            scale = 1.0;
        } else if (inFraction) {
            // Fraction digits are added and truncated away again; only the
            // sign of the number decides which way truncation goes.
            scale /= 10.0;
            double sum = static_cast<double>(number) + digit * scale;
            number = Wrap<T>(static_cast<int64_t>(std::trunc(sum)));
        } else {
            uint32_t accumulated = static_cast<uint32_t>(number) * 10u + static_cast<uint32_t>(digit);
            number = static_cast<T>(accumulated);
        }
    }
}

template <typename T>
T KvNumList<T>::At(uint32_t index) const
{
    if (index >= values_.size())
        KvRaise(kvErrIndexOutOfRange);
    return values_[index];
}

template <typename T>
int KvNumList<T>::IndexOf(T value) const
{
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

template <typename T>
bool KvNumList<T>::AllInRange(T minimum, T maximum) const
{
    for (T v : values_) {
        if (v < minimum || v > maximum)
            return false;
    }
    return true;
}

template class KvNumList<int32_t>;
template class KvNumList<uint32_t>;

#pragma once
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

// A delimited list of numbers ("1,2,3", "1.3.6.1"), parsed by the permissive
// rules of Parse. Instantiated for int32_t and uint32_t.
template <typename T>
class KvNumList {
    static_assert(std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>,
                  "KvNumList holds 32-bit signed or unsigned numbers");

public:
    KvNumList() = default;
    explicit KvNumList(char delimiter) : delimiter_(delimiter) {}

    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }

    // Replaces the numbers by those of `text`:
    //   - the empty text gives no numbers; otherwise there are (number of
    //     delimiter characters + 1) numbers, all starting at 0;
    //   - the delimiter moves on to the next number;
    //   - a '.' that is not the delimiter starts a fraction, whose digits are
    //     dropped (the number is truncated back to an integer);
    //   - any other character c makes the number number * 10 + (c - '0'),
    //     whatever c is (arithmetic wraps at 32 bits).
    // So with ',' "1,,3" gives 1 0 3 and "1.5,2" gives 1 2.
    void Parse(const std::string& text);

    uint32_t Count() const { return static_cast<uint32_t>(values_.size()); }
    // Index outside 0..Count()-1 raises KvError -12.
    T At(uint32_t index) const;
    T operator[](uint32_t index) const { return At(index); }
    const std::vector<T>& Values() const { return values_; }

    // Position of the first occurrence of `value`, -1 when absent.
    int IndexOf(T value) const;
    // True when every number lies in [minimum, maximum] (true for no numbers).
    bool AllInRange(T minimum, T maximum) const;

private:
    std::vector<T> values_;
    char delimiter_ = '.';
};

extern template class KvNumList<int32_t>;
extern template class KvNumList<uint32_t>;

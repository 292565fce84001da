#pragma once
// Helpers shared by the fuzz harnesses: splitting one input into several
// texts, reading numbers from it, scratch files, and the check that ends the
// run when a harness finds the library breaking one of its own rules.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

// Ends the run (as a crash, so that libFuzzer keeps the input and a replay
// fails) when `condition` does not hold.
inline void Check(bool condition, const char* what, const std::string& detail = std::string())
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
    std::fflush(stderr);
    std::abort();
}

// The input cut at every NUL byte, at most `maxParts` pieces (the last one
// keeps the rest, NULs and all). A missing piece reads as empty.
class Parts {
public:
    Parts(const uint8_t* data, size_t size, size_t maxParts)
    {
        std::string text(reinterpret_cast<const char*>(data), size);
        size_t start = 0;
        while (parts_.size() + 1 < maxParts) {
            const size_t nul = text.find('\0', start);
            if (nul == std::string::npos)
                break;
            parts_.push_back(text.substr(start, nul - start));
            start = nul + 1;
        }
        parts_.push_back(text.substr(start));
    }

    size_t Count() const { return parts_.size(); }
    const std::string& operator[](size_t i) const
    {
        static const std::string empty;
        return i < parts_.size() ? parts_[i] : empty;
    }

private:
    std::vector<std::string> parts_;
};

// Reads fixed-size values from the front of an input; past its end every
// value is 0 and every text empty.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t Word()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return value;
    }
    uint64_t Long() { return uint64_t(Word()) << 32 | Word(); }
    // Up to `count` bytes.
    std::vector<uint8_t> Bytes(size_t count)
    {
        const size_t n = count < size_ - pos_ ? count : size_ - pos_;
        std::vector<uint8_t> bytes(data_ + pos_, data_ + pos_ + n);
        pos_ += n;
        return bytes;
    }
    std::vector<uint8_t> Rest() { return Bytes(size_ - pos_); }
    std::string RestText()
    {
        const std::vector<uint8_t> rest = Rest();
        return std::string(rest.begin(), rest.end());
    }
    size_t Left() const { return size_ - pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// A private scratch directory for harnesses whose parser reads files,
// removed when the process ends.
const std::string& ScratchDirectory();

// Replaces the file `name` in the scratch directory by `text`; gives its path.
std::string WriteScratchFile(const std::string& name, const std::string& text);

} // namespace fuzz

#include "common/kvutf8.h"

#include <cstdint>

size_t KvUtf8::SequenceLength(const std::string& text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length;
    uint32_t minimum;
    uint32_t code;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    if (code < minimum || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

std::string KvUtf8::Repair(const std::string& text)
{
    std::string repaired;
    repaired.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = SequenceLength(text, i);
        if (length) {
            repaired.append(text, i, length);
            i += length;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i++]);
        repaired += static_cast<char>(0xC0 | (c >> 6));
        repaired += static_cast<char>(0x80 | (c & 0x3F));
    }
    return repaired;
}

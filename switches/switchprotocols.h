#pragma once
#include <cstdint>
#include <span>
#include <string>

// The choices the switch list offers, each a number of the session's
// numbering and the name shown and typed for it. A protocol the module
// learns is one more row here.
struct SwitchChoice {
    int32_t number;
    const char* name;
};

class SwitchProtocols {
public:
    static std::span<const SwitchChoice> Versions();
    static std::span<const SwitchChoice> SecurityLevels();
    static std::span<const SwitchChoice> AuthProtocols();
    static std::span<const SwitchChoice> PrivProtocols();

    // The name of `number` among `choices`; "?" for none.
    static const char* NameOf(std::span<const SwitchChoice> choices, int32_t number);
    // The number named `name` (case ignored); false for none.
    static bool NumberOf(std::span<const SwitchChoice> choices, const std::string& name, int32_t& number);
    // The names, separated by "|", for messages.
    static std::string Names(std::span<const SwitchChoice> choices);
};

#pragma once
#include <string>

#include "config/kvconfigcatalogue.h"

// Whether a snapshot's value text is one the setting can take, by the rules
// that apply when an operator types the value into the page's window: a
// value name of the variable's list (or a number of its syntax where the
// list has none for it), a text its syntax reads strictly (no "sixty" for a
// number, no 99999999999 for a 32-bit one, no odd hex digit count, no
// "999.1.2" for an address), and the edit constraint of the page's editor
// (its range, its length). Nothing is guessed: a value that passes is sent
// as the very value the text says.
namespace KvConfigValue {

// Why `value` cannot be written to `column` of `page`; empty when it can.
std::string Refusal(const KvConfigCatalogue::Page& page, const KvConfigCatalogue::Column& column,
                    const std::string& value);

} // namespace KvConfigValue

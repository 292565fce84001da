#pragma once
// One word of a data-file line: blanks separate words; "..." is one word with
// C-like escapes (\n, \t, \xHH, \" and \\); '#' outside quotes starts a
// comment.

#include <string>
#include <vector>

#include "sim/simoid.h"

struct SimDataToken {
    std::string text;
    bool quoted = false;

    // Splits a line into its words; false with a message for a malformed one.
    static bool Tokenize(const std::string& line, std::vector<SimDataToken>& out, std::string& error);

    // A value text of a ranged line for one object: $i and $j become the
    // values of the first and second list, $h the first in two hexadecimal
    // digits, $$ a dollar sign. Unchanged without lists.
    static std::string Substitute(const std::string& text, const std::vector<oid>& arcs);
};

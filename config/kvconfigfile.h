#pragma once
#include <ostream>
#include <string>

#include "config/kvconfigmodel.h"

// The snapshot file: JSON, one setting per line, so that files of one switch
// compare line by line (diff, git):
//   {"format": "osprey-config snapshot 1", "model": "<sysObjectID>", "pages": [
//    {"title": "...", "name": "...", "kind": "scalars", "settings": [
//     {"label": "...", "oid": "...", "syntax": "...", "value": "..."}, ...]},
//    {"title": "...", "name": "...", "kind": "table", "rowCreation": true, "rows": [
//     {"key": "<instance>", "index": "<index values>", "settings": [...]}, ...]},
//    {"title": "...", "name": "...", "absent": true}, ...]}
// Nothing in it depends on the time of the read, the address or the
// credentials used.
class KvConfigFile {
public:
    static constexpr const char* kFormat = "osprey-config snapshot 1";

    static void Write(const KvConfigSnapshot& snapshot, std::ostream& out);
    // Parses a snapshot; false with the reason (and where) when the text is
    // not one. An object identifier that is not one, a variable (object
    // identifier with its instance) given twice and a row key that is no
    // instance make a file damaged.
    static bool Parse(const std::string& text, KvConfigSnapshot& snapshot, std::string& error);
    // Reads and parses a file ("-" for standard input).
    static bool Load(const std::string& path, KvConfigSnapshot& snapshot, std::string& error);
};

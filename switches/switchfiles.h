#pragma once
#include <string>

// Files the switch list writes: readable by their owner alone, and replaced
// whole (a temporary file beside the target, flushed to disk, then renamed
// over it), so that a crash or a full disk leaves the old file, never half
// of a new one.
class SwitchFiles {
public:
    // False, with the reason in `error`, when the file could not be written;
    // the old file, if any, is then unchanged.
    static bool WriteAtomically(const std::string& path, const std::string& content, std::string& error);
    // The whole file; false when it cannot be read.
    static bool Read(const std::string& path, std::string& content);
};

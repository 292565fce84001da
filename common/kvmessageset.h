#pragma once
#include <memory>
#include <string>
#include <vector>

// One message set: texts indexed by line number. It starts out with the texts
// compiled into the program and is redirected to the lines of a message file
// when one is loaded (see Load). Lines are what callers compute from error
// codes (see kvmessages.h); the set itself knows nothing about codes.
class KvMessageSet {
public:
    // `builtIns` points at `count` texts that live for the whole program.
    KvMessageSet(const char* const* builtIns, int count);

    // Loads a message file. `path` is opened exactly as given: the caller has
    // already turned it into a native path (backslashes to '/').
    //   - each non-blank line is one message, in order; blank lines (empty
    //     after trimming spaces and control characters) are skipped;
    //   - the text is the line minus its line end (LF, CR LF); leading and
    //     trailing spaces of a non-blank line are kept;
    //   - a line longer than 1023 characters yields several messages;
    //   - a file that cannot be opened, or has no non-blank line, leaves the
    //     set as it was.
    // Never throws. Returns true when the set now holds the file's lines.
    bool Load(const std::string& path) noexcept;

    // The text of `line`. A line the loaded file does not have falls back to
    // the built-in text of that line; a line neither has gives "".
    std::string Lookup(int line) const;

    // Lines currently in force (built-in count until a file is loaded).
    int Count() const;
    int BuiltInCount() const { return builtInCount_; }
    std::string BuiltInText(int line) const;
    bool IsLoaded() const { return loaded_ != nullptr; }

    // Back to the built-in texts (start-up state; used by tests).
    void ResetToBuiltIns();

private:
    const char* const* builtIns_;
    int builtInCount_;
    std::shared_ptr<const std::vector<std::string>> loaded_;
};

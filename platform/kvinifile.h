#pragma once
#include <optional>
#include <string>

// Reader for INI-style text files, with the behaviour host INI files rely on:
//  - section and key names are compared without regard to case (ASCII);
//  - the first matching key wins (a repeated section is searched in file order);
//  - the value is the text after the first '=', blanks around it removed, and one
//    pair of surrounding quotes (both " or both ') removed;
//  - lines whose first non-blank character is ';' are comments; lines without '='
//    and keys before the first section are ignored;
//  - a missing file, section or key gives no value.
// The file is read when the object is made; it is never written.
class KvIniFile {
public:
    // Reads the file at the given host path; a missing or unreadable file is empty.
    explicit KvIniFile(const std::string& hostPath);

    // Builds the reader from the file's text (for callers that already hold it).
    static KvIniFile fromText(const std::string& text);

    bool exists() const { return exists_; }
    bool hasSection(const std::string& section) const;
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // Case-insensitive (ASCII) comparison used for section and key names.
    static bool sameName(const std::string& a, const std::string& b);

private:
    KvIniFile() = default;
    std::string text_;
    bool exists_ = false;
};

#pragma once
#include <string>
#include <vector>

#include "switches/switchrecord.h"

// The list of switches on disk: a JSON file (never with a secret in it),
// mode 0600, replaced whole on every save. A file that cannot be read as a
// list is reported and renamed aside (<file>.damaged-<time>), so that the
// next save cannot overwrite what the user may still want from it; when it
// cannot even be renamed, saving is refused.
class SwitchListFile {
public:
    explicit SwitchListFile(std::string path);

    enum class Loaded { Read, Missing, Damaged };
    // Damaged: `message` says what is wrong and where the file went.
    Loaded Load(std::vector<SwitchRecord>& records, std::string& message);
    bool Save(const std::vector<SwitchRecord>& records, std::string& error);

    const std::string& Path() const { return path_; }

    static std::string Serialize(const std::vector<SwitchRecord>& records);
    // False with the problem for a text that is not a list of switches.
    static bool Parse(const std::string& text, std::vector<SwitchRecord>& records, std::string& problem);

private:
    std::string path_;
    bool saveRefused_ = false;
};

#pragma once
#include <string>

// The time of day a status line names: the clock, and the words of the
// locale for the two halves of the day.
struct KvStatusTime {
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
    std::string amText = "AM";
    std::string pmText = "PM";
};

// The one status line of a flow, from the message set's template for the
// last operation ("Get: [ERROR] Request:[VARLIST]. Receive at [TIME]." or its
// "Set:" twin): the message replaces [ERROR], the list name [VARLIST] (an
// empty name drops " Request:[VARLIST]"), the time as "hh:nn:ss AM" [TIME].
// Fields are filled in one pass, so a message or a name that happens to hold
// a field name is left as it is. The window's status lines and the export's
// are built here, so both read the same for the same result.
class KvStatusLine {
public:
    // The line after a read (`afterWrite` false) or a write.
    static std::string Build(bool afterWrite, const std::string& message, const std::string& listName,
                             const KvStatusTime& time);
    // The same for a given template.
    static std::string Fill(const std::string& pattern, const std::string& message, const std::string& listName,
                            const KvStatusTime& time);
    // "hh:nn:ss ampm": 12-hour clock, two-digit fields, a blank and the word
    // for the half of the day.
    static std::string TimeText(const KvStatusTime& time);
};

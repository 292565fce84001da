#pragma once
#include <ctime>
#include <string>

// The one-line status of a read, from the message set's template
// ("Get: [ERROR] Request:[VARLIST]. Receive at [TIME]."), filled in the way the
// window's status line is: the list name replaces [VARLIST] (an empty name
// drops " Request:[VARLIST]"), the message replaces [ERROR], the local time as
// "hh:nn:ss AM" replaces [TIME]. Fields are filled in one pass, so a message
// that happens to hold a field name is left as it is.
class KvStatusLine {
public:
    // The line after a read that ended with `message`, at the current time.
    static std::string Get(const std::string& message, const std::string& listName);
    // The same for a given template and a given time (tests).
    static std::string Fill(const std::string& pattern, const std::string& message, const std::string& listName,
                            const std::tm& time);
};

#include "common/kvstatusline.h"

#include <cstdio>

#include "common/kvmessages.h"

std::string KvStatusLine::TimeText(const KvStatusTime& time)
{
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char digits[40];
    std::snprintf(digits, sizeof digits, "%02d:%02d:%02d ", hour, time.minute, time.second);
    return digits + (time.hour < 12 ? time.amText : time.pmText);
}

std::string KvStatusLine::Build(bool afterWrite, const std::string& message, const std::string& listName,
                                const KvStatusTime& time)
{
    return Fill(KvStatusTemplate(afterWrite), message, listName, time);
}

std::string KvStatusLine::Fill(const std::string& pattern, const std::string& message, const std::string& listName,
                               const KvStatusTime& time)
{
    static const std::string kError = "[ERROR]";
    static const std::string kVarList = "[VARLIST]";
    static const std::string kTime = "[TIME]";
    std::string line = pattern;
    // A list without a name drops " Request:[VARLIST]": the text from just
    // after the error field to the end of the list field.
    if (listName.empty()) {
        const size_t error = line.find(kError);
        const size_t list = line.find(kVarList);
        if (error != std::string::npos && list != std::string::npos && error < list)
            line.erase(error + kError.size(), list + kVarList.size() - (error + kError.size()));
    }
    std::string out;
    size_t at = 0;
    while (at < line.size()) {
        if (line.compare(at, kError.size(), kError) == 0) {
            out += message;
            at += kError.size();
        } else if (line.compare(at, kVarList.size(), kVarList) == 0) {
            out += listName;
            at += kVarList.size();
        } else if (line.compare(at, kTime.size(), kTime) == 0) {
            out += TimeText(time);
            at += kTime.size();
        } else {
            out += line[at++];
        }
    }
    return out;
}

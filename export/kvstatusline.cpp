#include "export/kvstatusline.h"

#include <cstdio>

#include "common/kvmessages.h"

namespace {

std::string TimeText(const std::tm& time)
{
    const int hour = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", hour, time.tm_min, time.tm_sec,
                  time.tm_hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace

std::string KvStatusLine::Fill(const std::string& pattern, const std::string& message, const std::string& listName,
                               const std::tm& time)
{
    static const std::string kError = "[ERROR]";
    static const std::string kVarList = "[VARLIST]";
    static const std::string kTime = "[TIME]";
    std::string line = pattern;
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

std::string KvStatusLine::Get(const std::string& message, const std::string& listName)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Fill(KvStatusTemplate(false), message, listName, local);
}

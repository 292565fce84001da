#include "export/kvstatusline.h"

#include "common/kvstatusline.h"
#include "platform/kvdayperiods.h"

std::string KvExportStatusLine(const std::string& message, const std::string& listName, const std::tm& time)
{
    const KvDayPeriods words = KvLocaleDayPeriods();
    return KvStatusLine::Build(false, message, listName, {time.tm_hour, time.tm_min, time.tm_sec, words.am, words.pm});
}

std::string KvExportStatusLine(const std::string& message, const std::string& listName)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return KvExportStatusLine(message, listName, local);
}

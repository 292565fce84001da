#pragma once
#include <string>

// The words of the locale for the two halves of the day ("AM" and "PM" in
// English), as the status lines of the window and of the export write them.
struct KvDayPeriods {
    std::string am;
    std::string pm;
};

KvDayPeriods KvLocaleDayPeriods();

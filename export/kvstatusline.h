#pragma once
#include <ctime>
#include <string>

// The export's status line after a read that ended with `message`: the
// window's line (common/kvstatusline.h) for the same result, with the
// locale's AM and PM words, at `time` or now.
std::string KvExportStatusLine(const std::string& message, const std::string& listName, const std::tm& time);
std::string KvExportStatusLine(const std::string& message, const std::string& listName);

#pragma once
#include <string>

// Paths are written Windows-style throughout the program ("errmsg\\common.err",
// "..\\Conf\\MBF\\"). This is the one place where they become host paths: every
// backslash turns into '/'. Call it right before a file is opened, nowhere else.
std::string KvNativePath(const std::string& path);

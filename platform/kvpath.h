#pragma once
#include <string>

// Paths are written Windows-style throughout the program ("errmsg\\common.err",
// "..\\Conf\\MBF\\"). This is the one place where they become host paths: every
// backslash turns into '/'. Call it right before a file is opened, nowhere else.
//
// Plain C++ (library kvpath, no Qt): the SNMP library and the simulator use it too.
std::string KvNativePath(const std::string& path);

// The host path made absolute against the working directory, for messages
// that tell the operator which file is meant; the host path alone when the
// working directory cannot be read.
std::string KvAbsoluteNativePath(const std::string& path);

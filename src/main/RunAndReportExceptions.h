#pragma once

#include <functional>

// The entry's catch-all: runs the body; any exception that escapes it is
// reported on standard output as "[Exception]", a line end and Boost's
// diagnostic text (no line end after it). Returns the program's exit code,
// which is 0 either way.
int RunAndReportExceptions(const std::function<void()>& body);

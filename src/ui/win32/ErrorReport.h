#pragma once

#include <functional>
#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// The message that reports an error nothing handled, e.g.
// "Run-time error '76':\r\n\r\nPath not found".
std::string RuntimeErrorMessage(int number, const std::string& text);

// Runs work (a handler, start-up); an exception escaping it is shown in one message and
// ends the program with ExitStatus::RuntimeError, the way the platform reports an
// unhandled runtime error.
void RunReportingErrors(SystemProbe& probe, const std::function<void()>& work);

}  // namespace galemend

#pragma once

// The library's common error report: a plain message to the person. No error is raised;
// the caller goes on. The window layer shows it in a message box, other users may route
// it anywhere (tests collect it).

#include <functional>
#include <string>

namespace print {

using TPvReportHandler = std::function<void(const std::string& message)>;

void PvReport(const std::string& message);
// Installs a handler and returns the previous one; an empty handler writes to stderr.
TPvReportHandler SetPvReportHandler(TPvReportHandler handler);

// "<class name> Error!\r\r<message>", the form the layout components report misuse in.
std::string PvComponentError(const std::string& className, const std::string& message);

}  // namespace print

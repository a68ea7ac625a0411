#pragma once

// The library's common error report for misuse of a component: a plain message whose text
// is the component's class name, " Error!", two line breaks and the message. Nothing is
// thrown; the caller goes on. The library shows no window itself: the program installs
// the handler that shows the message box (without one, the text goes to standard error).

#include <functional>
#include <string>

namespace print {

using TPvErrorHandler = std::function<void(const std::string& text)>;

// The text of a report: "TPvGridPrint Error!\r\rThe ... message".
std::string PvErrorText(const std::string& className, const std::string& message);

void PvReportError(const std::string& className, const std::string& message);

// Installs a handler for every later report; returns the one it replaces.
TPvErrorHandler SetPvErrorHandler(TPvErrorHandler handler);

}  // namespace print

#include "print/error_report.h"

#include <iostream>
#include <utility>

namespace print {

namespace {

TPvErrorHandler& installedHandler() {
    static TPvErrorHandler handler;
    return handler;
}

}  // namespace

std::string PvErrorText(const std::string& className, const std::string& message) {
    return className + " Error!\r\r" + message;
}

void PvReportError(const std::string& className, const std::string& message) {
    const std::string text = PvErrorText(className, message);
    if (const TPvErrorHandler& handler = installedHandler())
        handler(text);
    else
        std::cerr << text << '\n';
}

TPvErrorHandler SetPvErrorHandler(TPvErrorHandler handler) {
    return std::exchange(installedHandler(), std::move(handler));
}

}  // namespace print

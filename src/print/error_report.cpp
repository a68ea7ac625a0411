#include "print/error_report.h"

#include <cstdio>
#include <utility>

namespace print {

namespace {

TPvReportHandler& Handler() {
    static TPvReportHandler handler;
    return handler;
}

}  // namespace

void PvReport(const std::string& message) {
    if (Handler())
        Handler()(message);
    else
        std::fprintf(stderr, "%s\n", message.c_str());
}

TPvReportHandler SetPvReportHandler(TPvReportHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

std::string PvComponentError(const std::string& className, const std::string& message) {
    return className + " Error!\r\r" + message;
}

}  // namespace print

#include "gui/planner_port.h"

#include "gui/qt_form_port.h"

namespace gui {

namespace {

constexpr const char* kExportTitle = "Экспорт плана в CSV";
constexpr const char* kExportName = "план погашения.csv";

}  // namespace

void PlannerPort::showMessage(const std::string& caption, const std::string& message) {
    messages_.showMessage(caption, message);
}

app::DialogAnswer PlannerPort::askYesNoCancel(const std::string& caption,
                                              const std::string& question) {
    return messages_.askYesNoCancel(caption, question);
}

std::optional<std::string> PlannerPort::chooseCsvFileToSave() {
    return ChooseCsvFileToSave(kExportTitle, kExportName, folder_);
}

std::optional<std::string> PlannerPort::choosePlanFileToOpen() {
    return ChoosePlanFileToOpen(planFolder_);
}

std::optional<std::string> PlannerPort::choosePlanFileToSave(const std::string& offered) {
    return ChoosePlanFileToSave(offered, planFolder_);
}

loan::Date PlannerPort::today() const {
    return messages_.today();
}

}  // namespace gui

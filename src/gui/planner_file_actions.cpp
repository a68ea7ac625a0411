// The planner window's plan file: the buttons, opening a file given to the program and the
// save question on closing.

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>

#include "gui/planner_window.h"
#include "gui/widget_factories.h"

namespace gui {

QLayout* PlannerWindow::buildPlanFileButtons() {
    auto* buttons = new QHBoxLayout;
    QPushButton* open = MakeButton("OpenPlanButton", "Открыть план...");
    QPushButton* save = MakeButton("SavePlanButton", "Сохранить план...");
    QPushButton* saveAs = MakeButton("SavePlanAsButton", "Сохранить план как...");
    for (QPushButton* button : {open, save, saveAs}) buttons->addWidget(button);
    buttons->addStretch(1);
    connect(open, &QPushButton::clicked, this, &PlannerWindow::OpenPlanClick);
    connect(save, &QPushButton::clicked, this, &PlannerWindow::SavePlanClick);
    connect(saveAs, &QPushButton::clicked, this, &PlannerWindow::SavePlanAsClick);
    return buttons;
}

void PlannerWindow::OpenPlanClick() {
    run([this] { planner_.OpenPlanClick(); });
}

void PlannerWindow::SavePlanClick() {
    run([this] { planner_.SavePlanClick(); });
}

void PlannerWindow::SavePlanAsClick() {
    run([this] { planner_.SavePlanAsClick(); });
}

bool PlannerWindow::OpenPlanFile(const std::string& path) {
    if (!run([this, &path] { planner_.LoadPlanFile(path); }))
        return false;
    show();
    raise();
    activateWindow();
    return true;
}

bool PlannerWindow::queryClose(bool programCloses) {
    bool mayClose = false;
    const bool asked =
        run([this, &mayClose, programCloses] { mayClose = planner_.ClosePlanQuery(programCloses); });
    return asked && mayClose;
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
    if (queryClose(false)) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace gui

#pragma once

// The main window (TForm1): draws the main form's state and hands every action of the
// person to the matching handler of the form, then draws the form again.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_form.h"
#include "gui/date_field.h"
#include "gui/qt_form_port.h"
#include "gui/schedule_grid.h"
#include "gui/spin_edit.h"

namespace gui {

class TAboutBox;
class TForm2;
class TForm3;
class HelpWindow;
class PlannerWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // `arguments` are the command-line arguments after the program name.
    explicit MainWindow(std::vector<std::string> arguments = {},
                        loan::Locale locale = loan::systemLocale());
    ~MainWindow() override;

    app::MainForm& form() { return form_; }

    // Runs a handler of the form through its error display, then draws the form again.
    bool run(const std::function<void()>& handler);
    // Draws every control, mark and label from the form.
    void refresh();

    // The window side of the re-fit after the table's row count may have changed.
    void AdjustWindowToRows();
    // The current height limit for the table's rows (nothing while fitting is off).
    void FormCanResize();
    // Switching redrawing off and on again; the end repaints the whole window at once.
    void BeginRedrawLock();
    void EndRedrawLock();
    // The screen's size changed to `width` × `height`: scale the window with it.
    void DisplayChanged(int width, int height);

    void showForecastSettings();
    void SsudomerHelp1Click();
    void N8Click();
    // "Печать платежей": the print window, made on first use and shown modally.
    void N9Click();
    TForm2* printWindow() const { return form2_; }
    // "Досрочное погашение...": the planner with the loan of the fields, made on first use.
    void PlannerClick();
    PlannerWindow* plannerWindow() const { return planner_; }
    // "Производственный календарь...": the calendar dialog; after a save the planner, when
    // it was opened, takes the new calendar and recomputes its plan.
    void ProductionCalendarClick();
    // `ssudomer FILE.crplan`: the planner with the plan of the file (made on first use).
    void OpenPlanFile(const std::string& path);
    // Maximised: at the top of the desktop as tall as the height limit lets it.
    bool maximised() const { return maximised_; }
    HelpWindow* helpWindow() const { return help_; }
    TForm3* forecastSettings() const { return form3_; }
    ScheduleGrid* grid() const { return StringGrid1; }
    QLabel* statusNotice() const { return statusNotice_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    // buildControls' parts, in the order the controls are created (which is the tab order).
    void buildLoanGroup();
    void buildCalculationGroup();
    void buildPaymentGroup();
    void buildSummaryGroup();
    void buildButtons();
    void buildTablePanel();
    void buildStatusBar();
    void buildMenu();
    void connectControls();
    void FormShow();
    // The menu action with this name.
    QAction* action(const char* name) const;
    void placePanel();
    // A maximised window: at `left`, at the top of the desktop, as tall as the limit lets it.
    void fitMaximised(int left);

    QtFormPort port_;
    app::MainForm form_;
    std::vector<std::string> arguments_;
    bool shown_ = false;
    bool maximised_ = false;
    bool fitting_ = false;
    int fittedHeight_ = 0;
    int savedLeft_ = 0;
    int savedScreenWidth_ = 0;
    int savedScreenHeight_ = 0;
    int panelBottomMargin_ = 0;
    QString helpFile_;

    QWidget* client_ = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TFloatSpinEdit* SpinEdit1 = nullptr;
    TFloatSpinEdit* SpinEdit2 = nullptr;
    DateField* DateTimePicker1 = nullptr;
    TSpinEdit* SpinEdit3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QRadioButton* RadioButtonA = nullptr;
    QRadioButton* RadioButtonB = nullptr;
    TSpinEdit* SpinEdit5 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TFloatSpinEdit* SpinEdit6 = nullptr;
    QLabel* Label21 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    DateField* DateTimePicker2 = nullptr;
    TFloatSpinEdit* SpinEdit4 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QFrame* Panel1 = nullptr;
    ScheduleGrid* StringGrid1 = nullptr;
    QLabel* statusNotice_ = nullptr;

    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TAboutBox* about_ = nullptr;
    PlannerWindow* planner_ = nullptr;
    HelpWindow* help_ = nullptr;

    // The planner, made on first use with the calendar dialog as its calendar editor.
    PlannerWindow& plannerMadeOnce();
};

}  // namespace gui

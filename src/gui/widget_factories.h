#pragma once

// The controls as both windows and the dialogs make them: named (tests and screen readers find
// them by name), in the font of their kind. A control made without a parent goes into a
// layout; one with a parent is placed by its caller.

#include <string>

#include <QString>
#include <QWidget>

#include "gui/fonts.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace gui {

class DateField;

// A group box, its caption in the group font.
QGroupBox* MakeGroup(const char* name, const char* caption, QWidget* parent = nullptr);
// A caption in the label font.
QLabel* MakeLabel(const char* caption, QWidget* parent = nullptr);
// A caption that names `field`: Alt with its marked letter goes to the field, and screen
// readers announce the field by the caption, or by `spokenName` where the caption alone would
// not tell two fields apart.
QLabel* MakeFieldLabel(const char* caption, QWidget* field, const char* spokenName = nullptr);
// A push button that Enter in a field of the window does not press.
QPushButton* MakeButton(const char* name, const std::string& caption, QWidget* parent = nullptr);
DateField* MakeDateField(const char* name, QWidget* parent = nullptr);
// A column title of two words or more in two lines, broken at the blank nearest its middle.
QString TwoLineCaption(const char* caption);

// A spin edit over its model, in the input font.
template <class Spin, class Model>
Spin* MakeSpin(const char* name, Model& model, QWidget* parent = nullptr) {
    auto* spin = new Spin(model, parent);
    spin->setObjectName(name);
    spin->setFont(InputFont());
    return spin;
}

// A radio button or check box in the label font.
template <class Check>
Check* MakeCheck(const char* name, const char* caption, QWidget* parent = nullptr) {
    auto* check = new Check(QString::fromUtf8(caption), parent);
    check->setObjectName(name);
    check->setFont(LabelFont());
    return check;
}

// The same at its place, its text left of the mark.
template <class Check>
Check* MakeCheck(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* check = MakeCheck<Check>(name, caption, parent);
    check->setLayoutDirection(Qt::RightToLeft);
    check->ensurePolished();
    check->adjustSize();
    check->move(left, top);
    return check;
}

}  // namespace gui

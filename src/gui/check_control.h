#pragma once

#include <QString>
#include <QWidget>

#include "gui/fonts.h"

namespace gui {

// A radio button or check box in the label font, its text left of the mark, at its place.
template <class Check>
Check* MakeCheck(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* check = new Check(QString::fromUtf8(caption), parent);
    check->setObjectName(name);
    check->setFont(LabelFont());
    check->setLayoutDirection(Qt::RightToLeft);
    check->ensurePolished();
    check->adjustSize();
    check->move(left, top);
    return check;
}

}  // namespace gui

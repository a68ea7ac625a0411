#include "gui/widget_factories.h"

#include <cstdlib>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "gui/date_field.h"

namespace gui {

QGroupBox* MakeGroup(const char* name, const char* caption, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setObjectName(name);
    group->setFont(GroupFont());
    return group;
}

QLabel* MakeLabel(const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setFont(LabelFont());
    return label;
}

QLabel* MakeFieldLabel(const char* caption, QWidget* field, const char* spokenName) {
    QLabel* label = MakeLabel(caption);
    label->setBuddy(field);
    field->setAccessibleName(spokenName ? QString::fromUtf8(spokenName)
                                        : QString::fromUtf8(caption).remove('&'));
    return label;
}

QPushButton* MakeButton(const char* name, const std::string& caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromStdString(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString TwoLineCaption(const char* caption) {
    QString title = QString::fromUtf8(caption);
    const auto middle = title.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i] == ' ' && (best < 0 || std::abs(i - middle) < std::abs(best - middle)))
            best = i;
    }
    if (best >= 0)
        title[best] = '\n';
    return title;
}

DateField* MakeDateField(const char* name, QWidget* parent) {
    auto* field = new DateField(parent);
    field->setObjectName(name);
    return field;
}

}  // namespace gui

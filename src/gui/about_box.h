#pragma once

// "О программе...": the program icon, name, version, credits and a link to the help.

#include <QDialog>

namespace gui {

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);

  signals:
    // The link was followed: the box has closed, the help is to be shown.
    void helpRequested();
};

}  // namespace gui

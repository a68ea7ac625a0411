#pragma once

// "О программе...": the program icon, name, version, credits and a mail link.

#include <QDialog>

namespace gui {

inline constexpr const char* kAuthorMail = "ssudomer@example.org";

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace gui

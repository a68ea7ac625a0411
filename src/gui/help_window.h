#pragma once

// The program's own help viewer: the help file "ssudomer.hlp" (HTML) opened at its
// contents.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace gui {

inline constexpr const char* kHelpFileName = "ssudomer.hlp";

// The help file beside the program, or else the one in the installed data folder (found
// from the program's folder), or else the one in the desktop's data folders; the path
// beside the program when none exists.
QString FindHelpFile(const QString& programFolder);

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the file and shows its contents; false (and a message) when it cannot be read.
    bool showContents(const QString& path);
    QTextBrowser* browser() const { return browser_; }

  protected:
    // Escape closes the window, as it closes the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_;
};

}  // namespace gui

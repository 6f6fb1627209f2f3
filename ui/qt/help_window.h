#pragma once

#include <QMainWindow>

class QAction;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace velmor {

// Velmor's own viewer for the user's guide: an HTML page with its links, Back and Forward,
// and a find bar (Ctrl+F). Web addresses go to the desktop's default handler, so no browser
// is needed to read the guide.
class HelpWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `file` and brings the window to the front; false when it cannot be read.
    bool showFile(const QString& file);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findField() const { return findField_; }

  private:
    // Finds the next (or previous) match of the find field's text, wrapping at the end.
    void findNext(bool backward);

    QTextBrowser* browser_;
    QLineEdit* findField_;
};

} // namespace velmor

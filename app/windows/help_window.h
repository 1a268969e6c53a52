// The help window: shows the program's help document (HTML) and is owned by a program window.
#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;

namespace kubisto::app {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* owner);

  // Opens file at its contents (its top) in the help window of owner, which is created on the
  // first call and reused afterwards. A missing file is reported inside the help window.
  static HelpWindow* ShowContents(QWidget* owner, const std::string& file);

  void OpenContents(const std::string& file);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace kubisto::app

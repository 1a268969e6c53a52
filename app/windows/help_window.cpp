#include "app/windows/help_window.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/host/paths.h"

namespace kubisto::app {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName("helpWindow");
  setWindowTitle(tr("Kubisto!!のヘルプ"));
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(560, 480);
}

HelpWindow* HelpWindow::ShowContents(QWidget* owner, const std::string& file) {
  HelpWindow* window =
      owner ? owner->findChild<HelpWindow*>("helpWindow", Qt::FindDirectChildrenOnly) : nullptr;
  if (window == nullptr) window = new HelpWindow(owner);
  window->OpenContents(file);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void HelpWindow::OpenContents(const std::string& file) {
  const QString path = QString::fromStdString(NativePath(file));
  if (!QFileInfo(path).isFile()) {
    browser_->setSource(QUrl());
    browser_->setHtml(
        tr("<h3>ヘルプファイルが見つかりません</h3><p>%1</p>").arg(path.toHtmlEscaped()));
    return;
  }
  // The document is HTML whatever its extension says; the contents page is its top.
  const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  if (browser_->source() == url)
    browser_->reload();
  else
    browser_->setSource(url, QTextDocument::HtmlResource);
  browser_->verticalScrollBar()->setValue(0);
}

}  // namespace kubisto::app

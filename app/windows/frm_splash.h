// frmSplash: the title picture with the version and build date; the splash screen at start and
// the version window of the Help menu.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;

namespace kubisto::app {

class frmSplash : public QDialog {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);

  // "SPLASH" or "VERSION"; writing it has no other effect.
  QString Mode() const { return m_strMode; }
  void SetMode(const QString& mode) { m_strMode = mode; }

  QLabel* lblVersion() const { return m_lblVersion; }
  QLabel* lblVerDate() const { return m_lblVerDate; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString m_strMode;
  QPixmap picture_;
  QLabel* m_lblVersion;
  QLabel* m_lblVerDate;
  bool m_bPressed = false;
};

}  // namespace kubisto::app

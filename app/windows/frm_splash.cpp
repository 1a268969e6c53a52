#include "app/windows/frm_splash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/windows/dialog_border.h"
#include "app/windows/resources.h"
#include "app/windows/window_placement.h"

namespace kubisto::app {

namespace {

// Design positions in twips at 15 twips per pixel.
QRect TwipsToPixels(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

constexpr int kPictureWidth = 299;
constexpr int kPictureHeight = 98;

}  // namespace

frmSplash::frmSplash(QWidget* parent)
    // A dialog frame without a title bar: a border, no caption, no buttons (the border itself is
    // asked for when the window is shown).
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint),
      m_lblVersion(new QLabel(this)),
      m_lblVerDate(new QLabel(this)) {
  setObjectName("frmSplash");
  setWindowTitle(QString());
  setWindowIcon(WindowIcon());
  picture_ = ProgramPicture("title.png");

  m_lblVersion->setObjectName("lblVersion");
  m_lblVersion->setGeometry(TwipsToPixels(960, 120, 3375, 255));
  m_lblVersion->setAttribute(Qt::WA_TranslucentBackground);
  QPalette white = m_lblVersion->palette();
  white.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0xFF));
  m_lblVersion->setPalette(white);

  m_lblVerDate->setObjectName("lblVerDate");
  m_lblVerDate->setGeometry(TwipsToPixels(2760, 1200, 1695, 255));
  m_lblVerDate->setAttribute(Qt::WA_TranslucentBackground);
  QPalette highlight = m_lblVerDate->palette();
  highlight.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
  m_lblVerDate->setPalette(highlight);

  // Loading: centred on the screen, the mode, the picture's size, the texts.
  m_strMode = "SPLASH";
  // The outer size, border included, is the picture's: the border covers the picture's edge.
  PlaceWhenFramed(this, [](QWidget* w) {
    const QSize margins = FrameMargins(w);
    w->setFixedSize(kPictureWidth - margins.width(), kPictureHeight - margins.height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->geometry();
      w->move(area.left() + (area.width() - kPictureWidth) / 2,
              area.top() + (area.height() - kPictureHeight) / 2);
    }
  });
  m_lblVersion->setText(QStringLiteral("forWindows95/98 Ver.0.3bβ2"));
  m_lblVerDate->setText(QStringLiteral("build ") + QStringLiteral("1999/03/16"));
}

void frmSplash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull())
    painter.fillRect(rect(), QColor(0xC8, 0x96, 0x5A));
  else
    painter.drawPixmap(0, 0, picture_);
}

void frmSplash::showEvent(QShowEvent* event) {
  // The native window exists by now and is mapped only after this event.
  AskForBorderOnly(this);
  QDialog::showEvent(event);
}

void frmSplash::mousePressEvent(QMouseEvent* event) {
  // The labels take their own clicks (QLabel passes them on); only the picture counts.
  const QPoint at = event->position().toPoint();
  m_bPressed = !m_lblVersion->geometry().contains(at) && !m_lblVerDate->geometry().contains(at);
  event->accept();
}

void frmSplash::mouseReleaseEvent(QMouseEvent* event) {
  const bool clicked = m_bPressed && rect().contains(event->position().toPoint());
  m_bPressed = false;
  event->accept();
  if (clicked && m_strMode == "VERSION") accept();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
  // Escape would close any dialog; the version window closes by a click only, the splash never.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kubisto::app

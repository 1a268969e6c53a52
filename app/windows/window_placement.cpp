#include "app/windows/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/host/user_settings.h"

namespace kubisto::app {

namespace {

class FrameWatcher : public QObject {
 public:
  FrameWatcher(QWidget* window, std::function<void(QWidget*)> place)
      : QObject(window), m_window(window), m_place(std::move(place)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == m_window &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
      const QSize margins = FrameMargins(m_window);
      if (margins != m_margins && m_left > 0) {
        m_margins = margins;
        --m_left;
        m_place(m_window);
      }
    }
    return false;
  }

 private:
  QWidget* m_window;
  std::function<void(QWidget*)> m_place;
  QSize m_margins{-1, -1};
  int m_left = 4;  // a frame that keeps changing is not followed for ever
};

}  // namespace

QSize FrameMargins(const QWidget* window) {
  return window->frameGeometry().size() - window->size();
}

void PlaceWhenFramed(QWidget* window, std::function<void(QWidget*)> place) {
  place(window);
  window->installEventFilter(new FrameWatcher(window, std::move(place)));
}

void CentreOnScreen(QWidget* window) {
  PlaceWhenFramed(window, [](QWidget* w) {
    QScreen* screen = w->screen() != nullptr ? w->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize outer = w->frameGeometry().size();
    // move() places the frame's top-left corner.
    w->move(area.left() + (area.width() - outer.width()) / 2,
            area.top() + (area.height() - outer.height()) / 2);
  });
}

bool RestorePlacement(QWidget* window, const QString& key) {
  const QByteArray saved = UserSettings().value(key).toByteArray();
  // The window system keeps a restored window on a screen that is there now.
  return !saved.isEmpty() && window->restoreGeometry(saved);
}

void RememberPlacement(const QWidget* window, const QString& key) {
  UserSettings().setValue(key, window->saveGeometry());
}

}  // namespace kubisto::app

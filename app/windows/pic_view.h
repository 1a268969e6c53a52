// picView: the 3D view. It hosts one platform window, keeps that window's client size equal to
// its own in device pixels (twice its logical size at device pixel ratio 2, so that the room is
// drawn sharp on HiDPI screens), passes activation and painting on through the window's procedure
// chain, and shows the window's framebuffer unscaled.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/scoped_window.h"

namespace kubisto::app {

class PictureView : public QWidget {
  Q_OBJECT
 public:
  // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in logical pixels.
  using MouseDownHandler = std::function<void(int button, int shift, float x, float y)>;

  explicit PictureView(QWidget* parent = nullptr);
  ~PictureView() override;

  // The platform window the room is drawn into (its "window handle").
  std::uint32_t hWnd() const { return m_hWnd.get(); }
  void SetMouseDownHandler(MouseDownHandler handler) { m_onMouseDown = std::move(handler); }
  // Runs after the platform window took a new size: the device behind it is new and empty, so
  // the room is to be drawn again.
  void SetResizedHandler(std::function<void()> handler) { m_onResized = std::move(handler); }

  // Places the view and gives the platform window the same client size at once, also while the
  // view is hidden (Qt delivers resize events to hidden widgets only when they are shown).
  void Place(const QRect& geometry);

  // What the view shows now: the platform window's framebuffer, in device pixels.
  QImage Framebuffer() const;

  // A point of the view in logical pixels as a pixel of the platform window (device pixels).
  QPointF ToDevicePixels(QPointF logical) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void SyncClientSize();
  QSize DeviceSize() const;
  void ReportFirstFrame();

  platform::ScopedWindow m_hWnd;
  bool m_bPainting = false;
  MouseDownHandler m_onMouseDown;
  std::function<void()> m_onResized;
};

}  // namespace kubisto::app

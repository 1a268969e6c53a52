#include "app/windows/pic_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/window.h"

namespace kubisto::app {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setObjectName("picView");
  // The view paints every pixel itself from the framebuffer.
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_hWnd = platform::ScopedWindow(std::max(1, width()), std::max(1, height()));
  QPointer<PictureView> self(this);
  platform::SetRepaintHook(m_hWnd.get(), [self](platform::HWND) {
    // A framebuffer written while the view itself is painting is shown by that paint.
    if (self && !self->m_bPainting) self->update();
  });
}

PictureView::~PictureView() {
  // The window itself goes with m_hWnd.
  if (m_hWnd) platform::SetRepaintHook(m_hWnd.get(), {});
}

void PictureView::Place(const QRect& geometry) {
  setGeometry(geometry);
  SyncClientSize();
}

QSize PictureView::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

QPointF PictureView::ToDevicePixels(QPointF logical) const { return logical * devicePixelRatioF(); }

void PictureView::SyncClientSize() {
  int w = 0;
  int h = 0;
  platform::GetClientSize(m_hWnd.get(), &w, &h);
  const QSize device = DeviceSize();
  const int newWidth = std::clamp(device.width(), 1, platform::kMaxClientExtent);
  const int newHeight = std::clamp(device.height(), 1, platform::kMaxClientExtent);
  // The size message rebuilds the device behind the window, so only a real change sends it.
  if (w == newWidth && h == newHeight) return;
  platform::SetClientSize(m_hWnd.get(), newWidth, newHeight);
  if (m_onResized) m_onResized();
}

void PictureView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SyncClientSize();
}

QImage PictureView::Framebuffer() const {
  std::vector<std::uint32_t> pixels;
  int w = 0;
  int h = 0;
  if (!platform::ReadFramebuffer(m_hWnd.get(), pixels, &w, &h) || w <= 0 || h <= 0) return QImage();
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    std::copy_n(pixels.data() + static_cast<size_t>(y) * w, w, line);
  }
  return image;
}

void PictureView::paintEvent(QPaintEvent*) {
  // Let the window's procedures paint what is invalid, then show the framebuffer. The present
  // that painting makes writes the framebuffer again and so invalidates the window once more;
  // that is what this paint shows, so the region is validated rather than painted in a loop.
  if (platform::GetUpdateRect(m_hWnd.get(), nullptr)) {
    m_bPainting = true;
    platform::SendMessage(m_hWnd.get(), platform::WM_PAINT, 0, 0);
    platform::ValidateRect(m_hWnd.get());
    m_bPainting = false;
  }
  QPainter painter(this);
  QImage image = Framebuffer();
  if (image.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  ReportFirstFrame();
  // One framebuffer pixel to one device pixel: the picture is drawn unscaled.
  const qreal ratio = devicePixelRatioF();
  image.setDevicePixelRatio(ratio);
  painter.drawImage(QPointF(0, 0), image);
  const QSizeF shown = QSizeF(image.size()) / ratio;
  if (shown.width() < width())
    painter.fillRect(QRectF(shown.width(), 0, width() - shown.width(), height()), Qt::black);
  if (shown.height() < height())
    painter.fillRect(QRectF(0, shown.height(), shown.width(), height() - shown.height()),
                     Qt::black);
}

void PictureView::ReportFirstFrame() {
#ifdef KUBISTO_STARTUP_PROBE
  // A build for scripts/startup_time.sh only: the program writes the wall-clock time of its first
  // frame on screen and quits.
  static bool reported = false;
  if (reported) return;
  reported = true;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::fprintf(
      stderr, "first frame at %lld ns\n",
      static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  QCoreApplication::exit(0);
#endif
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  int button = 0;
  switch (event->button()) {
    case Qt::LeftButton:
      button = 1;
      break;
    case Qt::RightButton:
      button = 2;
      break;
    case Qt::MiddleButton:
      button = 4;
      break;
    default:
      break;
  }
  const Qt::KeyboardModifiers mods = event->modifiers();
  const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                    (mods & Qt::AltModifier ? 4 : 0);
  event->accept();
  if (button != 0 && m_onMouseDown) {
    const QPointF at = event->position();
    m_onMouseDown(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
  }
}

void PictureView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // On a screen of another pixel ratio the window is drawn at that screen's resolution.
  if (event->type() == QEvent::ScreenChangeInternal) SyncClientSize();
  if (event->type() == QEvent::ActivationChange)
    platform::SendMessage(m_hWnd.get(), platform::WM_ACTIVATE, isActiveWindow() ? 1 : 0, 0);
}

}  // namespace kubisto::app

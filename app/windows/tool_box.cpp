#include "app/windows/tool_box.h"

#include <QPainter>

namespace kubisto::app {

ToolBox::ToolBox(QWidget* parent) : QWidget(parent) {
  setObjectName("picToolBox");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ToolBox::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void ToolBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xE6, 0xC8, 0x96));
  if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
}

}  // namespace kubisto::app

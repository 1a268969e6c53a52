// picToolBox: the panel of picture buttons, drawn on its background picture.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace kubisto::app {

class ToolBox : public QWidget {
  Q_OBJECT
 public:
  explicit ToolBox(QWidget* parent = nullptr);
  // The picture is drawn at its own size from the top-left corner, clipped by the panel.
  void SetPicture(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace kubisto::app

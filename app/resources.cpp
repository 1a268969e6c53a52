#include "app/resources.h"

#include <QBitmap>
#include <QImage>

#include "app/paths.h"

namespace kubisto::app {

QPixmap ProgramPicture(const QString& name) {
  const QString file = QString::fromStdString(ProgramDir()) + "/images/" + name;
  QPixmap picture;
  picture.load(file);
  return picture;
}

QIcon ProgramIcon(const QString& name) {
  QPixmap picture = ProgramPicture(name);
  if (picture.isNull()) return QIcon();
  if (!picture.hasAlphaChannel()) {
    // The image list's mask colour.
    picture.setMask(picture.createMaskFromColor(QColor(0xC0, 0xC0, 0xC0), Qt::MaskInColor));
  }
  return QIcon(picture);
}

QIcon WindowIcon() { return ProgramIcon("kubisto.png"); }

}  // namespace kubisto::app

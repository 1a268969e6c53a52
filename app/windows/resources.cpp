#include "app/windows/resources.h"

#include <QBitmap>
#include <QFileInfo>
#include <QImage>

#include "app/host/language.h"
#include "app/host/paths.h"

namespace kubisto::app {

QPixmap ProgramPicture(const QString& name) {
  const QString folder = QString::fromStdString(ProgramDir()) + "/images/";
  QPixmap picture;
  // A picture with words in it may have an English twin, <name>_en.<extension>.
  if (CurrentLanguage() == Language::kEnglish) {
    const QFileInfo info(name);
    const QString twin = info.completeBaseName() + "_en." + info.suffix();
    if (picture.load(folder + twin)) return picture;
  }
  picture.load(folder + name);
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

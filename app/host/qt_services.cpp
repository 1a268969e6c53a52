#include "app/host/qt_services.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/editing/command_scope.h"
#include "app/host/host_messages.h"
#include "app/host/paths.h"
#include "app/host/sound_switch.h"
#include "app/scripting/api_code_module.h"
#include "app/windows/message_box.h"
#include "app/windows/program_title.h"
#include "platform/picture.h"
#include "platform/services.h"

namespace kubisto::app {

int QtServices::MessageBox(const std::string& text, int style, const std::string& caption) {
  const std::string title = caption.empty() ? AppTitle() : caption;
  return ShowMessageBox(nullptr, HostText(text), style, HostText(title));
}

void QtServices::DoEvents() { QApplication::processEvents(); }

void QtServices::PlayWave(const std::string& path, bool wait) {
  ApiCodeModule::PlayWave(path, wait ? 1 : 0);
}

void QtServices::EndProgram() {
  // At once: no further command runs, no window's unload handling either.
  std::fflush(nullptr);
  std::_Exit(0);
}

bool QtServices::EndRequested() { return EndPending(); }

bool QtServices::SoundsWait() { return app::SoundsWait(); }

std::string QtServices::ProgramDir() { return app::ProgramDir(); }

std::string QtServices::AppTitle() { return ProgramTitle().toStdString(); }

bool QtServices::SetClipboardPicture(const platform::Picture& picture) {
  if (picture.width() <= 0 || picture.height() <= 0) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    const std::uint32_t* from = picture.pixels() + static_cast<size_t>(y) * picture.width();
    std::copy_n(from, picture.width(), reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  // The clipboard is emptied first, then the picture is put on it.
  clipboard->clear();
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setData(QStringLiteral("image/png"), png);
  clipboard->setMimeData(data);
  return true;
}

namespace {

QtServices& qtServices() {
  static QtServices instance;
  return instance;
}

}  // namespace

void InstallQtServices() {
  setServices(&qtServices());
  platform::SetMessageBoxHandler(
      [](platform::HWND, const std::string& text, const std::string& caption, unsigned flags) {
        return ShowMessageBox(nullptr, QString::fromStdString(text), static_cast<int>(flags),
                              QString::fromStdString(caption));
      });
  platform::SetProcessMessagesHandler([] { QApplication::processEvents(); });
}

void RemoveQtServices() {
  setServices(nullptr);
  platform::SetMessageBoxHandler({});
  platform::SetProcessMessagesHandler({});
}

}  // namespace kubisto::app

#include "app/host/paths.h"

#include <QDir>
#include <QStandardPaths>
#include <filesystem>

#include "platform/paths.h"
#include "scene/vantrel_declare.h"

#ifndef KUBISTO_SHAREDIR_FROM_BIN
#define KUBISTO_SHAREDIR_FROM_BIN "../share/kubisto"
#endif
#ifndef KUBISTO_LIBDIR_FROM_BIN
#define KUBISTO_LIBDIR_FROM_BIN "../lib/kubisto"
#endif

namespace kubisto::app {

namespace {

std::string g_override;

// Decided once: the program does not move while it runs.
const std::string& ShareDir() {
  static const std::string dir = InstalledShareDir(platform::ProgramDirectory());
  return dir;
}

}  // namespace

std::string InstalledShareDir(const std::string& programDir) {
  std::error_code error;
  const std::filesystem::path share = std::filesystem::weakly_canonical(
      std::filesystem::path(programDir) / KUBISTO_SHAREDIR_FROM_BIN, error);
  if (error || !std::filesystem::is_directory(share, error)) return std::string();
  return share.string();
}

bool RunsInstalled() { return g_override.empty() && !ShareDir().empty(); }

std::string ProgramDir() {
  if (!g_override.empty()) return g_override;
  if (!ShareDir().empty()) return ShareDir();
  return platform::ProgramDirectory();
}

void SetProgramDir(const std::string& dir) { g_override = dir; }

std::string DataDir() {
  if (!RunsInstalled()) return ProgramDir() + "\\data";
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() + "/data";
}

void SetUpInstalledFolders() {
  if (!RunsInstalled()) return;
  QDir::setCurrent(QString::fromStdString(ShareDir()));
  // The bridge library by its full path: a load by name would depend on the dynamic loader
  // honouring the program's RUNPATH for dlopen, which a sanitizer's interceptor defeats.
  vantrel::UseLibrary(platform::ProgramDirectory() + "/" KUBISTO_LIBDIR_FROM_BIN "/libvantrel.so");
  // A folder that cannot be made shows up later as the save's usual error.
  QDir().mkpath(QString::fromStdString(DataDir()));
}

std::string NativePath(const std::string& path) { return platform::NativePath(path); }

}  // namespace kubisto::app

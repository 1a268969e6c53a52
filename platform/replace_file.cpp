#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace platform {
namespace {

[[noreturn]] void Fail(const std::string& path, const char* step, int error) {
  throw std::runtime_error("Cannot save \"" + path + "\": " + step + ": " + std::strerror(error));
}

std::string Folder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Refuse(const std::string& path, const std::string& why) {
  throw SaveRefused(path, why);
}

// A link that the kernel's protected-symlink rule would not follow: it lies in a sticky folder
// that anyone may write into, and neither this user nor the folder's owner owns it.
bool PlantedLink(const std::string& link, const struct stat& linkStat) {
  struct stat folder {};
  if (::stat(Folder(link).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return shared && linkStat.st_uid != ::geteuid() && linkStat.st_uid != folder.st_uid;
}

}  // namespace

std::string ResolveSaveTarget(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {  // the kernel's own limit on a chain of links
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) return current;  // a new file, or an error to come
    if (S_ISREG(st.st_mode)) return current;
    if (!S_ISLNK(st.st_mode)) {
      Refuse(path, S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file");
    }
    if (PlantedLink(current, st)) {
      Refuse(path, "it is a link in a shared folder that belongs to another user");
    }
    std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1);
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size() - 1);
    if (n <= 0) Fail(path, "reading the link", n < 0 ? errno : ENOENT);
    std::string next(target.data(), static_cast<size_t>(n));
    current = next.front() == '/' ? next : Folder(current) + "/" + next;
  }
  Fail(path, "following the link", ELOOP);
}

namespace {

// The permissions the new file gets: the old file's, or those of a newly created file.
mode_t ModeFor(const struct stat* old) {
  if (old != nullptr) return old->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveSaveTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // Writing into a read-only file fails; so does replacing it, although the folder would allow it.
  // No write bit at all counts too, since access() lets the superuser write anything.
  if (exists && (::access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
    Fail(path, "the file is read-only", EACCES);
  }

  std::string pattern = target + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(path, "creating a temporary file beside it", errno);
  const std::string temp(name.data());

  const auto abandon = [&](const char* step) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    Fail(path, step, error);
  };

  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon("writing");
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fchmod(fd, ModeFor(exists ? &old : nullptr)) != 0) abandon("setting permissions");
  if (::fsync(fd) != 0) abandon("flushing");
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    Fail(path, "closing", error);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    Fail(path, "replacing the file", error);
  }
  // The rename itself reaches the disk with the folder; a failure here loses nothing already
  // written, so it is not reported.
  const int folder = ::open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace platform

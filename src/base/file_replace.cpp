#include "base/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

static bool write_all(int fd, const char* bytes, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

static std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool replace_file(const char* path, const void* bytes, size_t size) {
  std::string temporary = std::string(path) + ".new." + std::to_string(::getpid());
  ::unlink(temporary.c_str());  // a leftover of an earlier run with the same id
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool written = write_all(fd, static_cast<const char*>(bytes), size) && ::fsync(fd) == 0;
  int failure = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    failure = errno;
  }
  if (written && ::rename(temporary.c_str(), path) != 0) {
    written = false;
    failure = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    errno = failure;  // the failed step's reason, not the clean-up's
    return false;
  }
  // The rename must reach the disk too; a folder that cannot be synced does
  // not undo a write that has already succeeded.
  int folder = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

bool ensure_folder(const char* path) {
  std::string p(path);
  for (size_t slash = p.find('/', 1); ; slash = p.find('/', slash + 1)) {
    std::string step = slash == std::string::npos ? p : p.substr(0, slash);
    if (::mkdir(step.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

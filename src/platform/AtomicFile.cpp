#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orbala::platform {

namespace {

bool fail(std::string* whyNot, const std::string& what, int error) {
  if (whyNot) *whyNot = error ? what + ": " + std::strerror(error) : what;
  return false;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a link points to, so that the link survives the rename; the path itself otherwise.
std::string resolveLink(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path; // a dangling link is simply replaced
  std::string resolved(real);
  std::free(real);
  return resolved;
}

bool writeAll(int fd, std::string_view content) {
  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Writes what `produce` gives from the start of the file and cuts the file there; 0, or the
// failure's errno.
int overwrite(int fd, const std::function<bool(const ContentSink&)>& produce) {
  errno = 0;
  off_t size = 0;
  const ContentSink put = [fd, &size](std::string_view piece) {
    size += static_cast<off_t>(piece.size());
    return writeAll(fd, piece);
  };
  if (lseek(fd, 0, SEEK_SET) != 0 || !produce(put) || ftruncate(fd, size) != 0 || fsync(fd) != 0)
    return errno ? errno : EIO;
  return 0;
}

bool readAll(int fd, std::string& text) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
    if (n > 0) text.append(buffer, static_cast<size_t>(n));
  }
}

// For a file in a folder we may not add to: the file is written where it is. Its old bytes are
// kept in memory and put back if the new ones cannot all be written.
bool writeInPlace(const std::string& path, const std::function<bool(const ContentSink&)>& produce,
                  std::string* whyNot) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return fail(whyNot, "cannot write the file", errno);
  std::string old;
  int error = readAll(fd, old) ? 0 : errno;
  if (!error) {
    error = overwrite(fd, produce);
    if (error) overwrite(fd, [&old](const ContentSink& put) { return put(old); });
  }
  if (close(fd) != 0 && !error) error = errno;
  return error ? fail(whyNot, "cannot write the file", error) : true;
}

mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

} // namespace

bool replaceFileContents(const std::string& path, const std::string& content, std::string* whyNot) {
  return replaceFileWith(
      path, [&content](const ContentSink& put) { return put(content); }, whyNot);
}

bool replaceFileWith(const std::string& pathIn,
                     const std::function<bool(const ContentSink&)>& produce, std::string* whyNot) {
  if (pathIn.empty()) return fail(whyNot, "no file name", 0);
  const std::string path = resolveLink(pathIn);
  mode_t mode = newFileMode();
  struct stat st;
  const bool exists = stat(path.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) return fail(whyNot, "not a regular file", 0);
    mode = st.st_mode & 07777;
  }

  // A short hidden name: a long target name plus a suffix could pass the file-name limit.
  std::string pattern = folderOf(path) + "/.orbala-save-XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  const int fd = mkstemp(temp.data());
  if (fd < 0 && exists) return writeInPlace(path, produce, whyNot);
  if (fd < 0) return fail(whyNot, "cannot create a file in the folder", errno);

  int error = 0;
  errno = 0;
  if (!produce([fd](std::string_view piece) { return writeAll(fd, piece); }))
    error = errno ? errno : EIO;
  if (!error && fchmod(fd, mode) != 0) error = errno;
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temp.data(), path.c_str()) != 0) error = errno;
  if (error) {
    unlink(temp.data());
    return fail(whyNot, "cannot write the file", error);
  }
  // Make the rename itself durable; the data is already safe if this fails.
  const int dirFd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

} // namespace orbala::platform

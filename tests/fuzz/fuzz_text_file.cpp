// Arbitrary bytes as a file on disk, read the way a data or settings file is read.
#include "io/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One scratch file per fuzzing process, unlinked at once so that no run leaves it behind;
// it stays reachable by name through /proc while the descriptor is open.
int scratchFile() {
  static const int fd = [] {
    char name[] = "/tmp/orbala_fuzz_text_XXXXXX";
    const int f = mkstemp(name);
    if (f < 0) std::abort();
    unlink(name);
    return f;
  }();
  return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = scratchFile();
  if (ftruncate(fd, 0) != 0) std::abort();
  for (size_t done = 0; done < size;) {
    const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }

  std::vector<std::string> lines;
  std::string why;
  const bool ok = orbala::readTextLines("/proc/self/fd/" + std::to_string(fd), lines, &why);
  if (!ok && why.empty()) __builtin_trap();
  if (!ok && !lines.empty()) __builtin_trap();
  if (size == 0 && ok) __builtin_trap();
  for (const std::string& line : lines)
    if (line.find_first_of("\r\n") != std::string::npos) __builtin_trap();
  return 0;
}

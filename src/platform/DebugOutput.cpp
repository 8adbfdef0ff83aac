#include "platform/DebugOutput.h"

#include <cstdio>

namespace orbala::platform {
void debugOutput(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  if (line.empty() || line.back() != '\n') std::fputc('\n', stderr);
}
} // namespace orbala::platform

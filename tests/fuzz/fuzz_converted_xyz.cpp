// Feeds arbitrary bytes as a converter's output (XYZ molecules and an error text).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/core/ConvertedXyz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<orbala::MemoryFrames::Frame> frames;
  if (orbala::framesFromXyzText(text, frames) == frames.empty()) __builtin_trap();
  for (const auto& frame : frames)
    if (frame.atoms.empty()) __builtin_trap();
  if (orbala::converterErrorLine(text).find('\n') != std::string::npos) __builtin_trap();
  return 0;
}

// Feeds arbitrary bytes to the SDF/MOL reader as lines and checks the atoms it hands over.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "io/core/SdfReader.h"
#include "io/core/TextLines.h"
#include "table/core/Elements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orbala::SdfFrames read;
  std::string why;
  const bool ok = orbala::readSdfFrames(orbala::splitTextLines(text), read, why);
  if (ok != !read.frames.empty() || (!ok && why.empty())) __builtin_trap();
  const int elements = static_cast<int>(orbala::elementTable().size());
  for (const auto& frame : read.frames)
    for (const orbala::XyzAtom& a : frame.atoms)
      if (a.element < 0 || a.element >= elements || !std::isfinite(a.x) || !std::isfinite(a.y) ||
          !std::isfinite(a.z))
        __builtin_trap();
  return 0;
}

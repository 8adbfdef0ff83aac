// Feeds arbitrary bytes to the PDB and CIF readers (the first byte chooses) and checks the atoms.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/core/StructureReader.h"
#include "table/core/Elements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  orbala::StructureFrames read;
  std::string why;
  const bool ok =
      data[0] & 1 ? orbala::readCifFrames(text, read, why) : orbala::readPdbFrames(text, read, why);
  if (ok != !read.frames.empty() || (!ok && why.empty())) __builtin_trap();
  const int elements = static_cast<int>(orbala::elementTable().size());
  for (const auto& frame : read.frames) {
    if (frame.atoms.empty()) __builtin_trap();
    for (const orbala::XyzAtom& a : frame.atoms)
      if (a.element < 0 || a.element >= elements || !std::isfinite(a.x) || !std::isfinite(a.y) ||
          !std::isfinite(a.z))
        __builtin_trap();
  }
  return 0;
}

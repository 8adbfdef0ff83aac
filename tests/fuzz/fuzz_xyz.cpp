// Feeds arbitrary bytes to the XYZ reader as lines and checks what it hands to the table.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/core/XyzReader.h"
#include "table/core/Elements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
    lines.push_back(text.substr(start, lf - start));
  if (start < text.size()) lines.push_back(text.substr(start));

  const orbala::XyzResult result = orbala::parseXyzLines(lines, 100);
  const int elements = static_cast<int>(orbala::elementTable().size());
  if (result.rowsFilled < 0 || result.rowsFilled > 100) __builtin_trap();
  if (result.atoms.size() != static_cast<size_t>(result.rowsFilled)) __builtin_trap();
  if ((result.status == orbala::XyzResult::Ok) != (result.rowsFilled > 0)) __builtin_trap();
  for (const orbala::XyzAtom& atom : result.atoms) {
    if (atom.element < 0 || atom.element >= elements) __builtin_trap();
    if (!std::isfinite(atom.x) || !std::isfinite(atom.y) || !std::isfinite(atom.z))
      __builtin_trap();
  }
  return 0;
}

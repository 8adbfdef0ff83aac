// Feeds arbitrary bytes to the frame indexer, in pieces of a size the input picks, and reads every
// frame it finds: the pieces must give the index of the whole, and every frame must lie inside.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/core/XyzFrames.h"
#include "table/core/Elements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 16;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  orbala::XyzFrameIndexer indexer(text.size());
  for (size_t at = 0; at < text.size(); at += piece)
    indexer.feed(text.data() + at, std::min(piece, text.size() - at));
  const orbala::XyzFrameIndex pieces = indexer.finish();
  auto frames = orbala::XyzFrames::fromText(text);
  const orbala::XyzFrameIndex& whole = frames->frameIndex();
  if (pieces.starts != whole.starts || pieces.end != whole.end || pieces.stop != whole.stop ||
      pieces.trajectory != whole.trajectory)
    __builtin_trap();
  if (!whole.trajectory && !whole.starts.empty()) __builtin_trap();
  for (size_t k = 0; k < whole.starts.size(); ++k) {
    const uint64_t next = k + 1 < whole.starts.size() ? whole.starts[k + 1] : whole.end;
    if (whole.starts[k] >= next || next > text.size()) __builtin_trap();
  }

  const int elements = static_cast<int>(orbala::elementTable().size());
  std::vector<orbala::XyzAtom> atoms;
  std::string why;
  for (size_t k = 0; k < frames->frameCount() && k < 64; ++k) {
    frames->frameTitle(k);
    if (!frames->readFrame(k, atoms, why)) continue;
    for (const orbala::XyzAtom& atom : atoms)
      if (atom.element < 0 || atom.element >= elements || !std::isfinite(atom.x) ||
          !std::isfinite(atom.y) || !std::isfinite(atom.z))
        __builtin_trap();
  }
  return 0;
}

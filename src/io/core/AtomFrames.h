#pragma once
// Molecules of any file format as the table takes them: element atoms, one set per frame.
// A trajectory, the models of a PDB file and the records of an SDF file are all frames; a reader
// that keeps its frames in the file parses one only when it is asked for.
// Display-free: the window and the shell export ask for frame k and write it into the table.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "io/core/XyzReader.h"

namespace orbala {

class FrameSource {
public:
  virtual ~FrameSource() = default;
  // At least 1 for a source that was opened.
  virtual size_t frameCount() const = 0;
  // The frame's own title (an XYZ comment line, a model number, an SDF name), may be empty.
  virtual std::string frameTitle(size_t index) = 0;
  // Reads frame `index` (0-based) into atoms (element index and coordinates, in file order);
  // false, with a one-line reason in `why`, when it cannot be read now.
  virtual bool readFrame(size_t index, std::vector<XyzAtom>& atoms, std::string& why) = 0;
};

// Frames that are already parsed, for readers that read a whole file at once.
class MemoryFrames : public FrameSource {
public:
  struct Frame {
    std::string title;
    std::vector<XyzAtom> atoms;
  };
  explicit MemoryFrames(std::vector<Frame> frames) : frames(std::move(frames)) {}
  size_t frameCount() const override { return frames.size(); }
  std::string frameTitle(size_t index) override {
    return index < frames.size() ? frames[index].title : std::string();
  }
  bool readFrame(size_t index, std::vector<XyzAtom>& atoms, std::string& why) override {
    if (index >= frames.size()) {
      why = "there is no frame " + std::to_string(index + 1);
      return false;
    }
    atoms = frames[index].atoms;
    return true;
  }

private:
  std::vector<Frame> frames;
};

} // namespace orbala

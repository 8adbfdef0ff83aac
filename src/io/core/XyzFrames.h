#pragma once
// The frames of an XYZ trajectory: count line, comment line and that many atom lines, again and
// again. One pass finds where each frame starts; a frame is read from the file only when asked.
// Display-free: the window and the shell export ask for frame k and write it into the table.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/core/AtomFrames.h"

namespace orbala {

// Where the whole frames of a text lie, found in one pass over its bytes.
struct XyzFrameIndex {
  // True when the first line is an atom count N >= 1 and the line after the first frame's N
  // atom lines is again a count. Anything else is one set of atoms, read as it always was.
  bool trajectory = false;
  std::vector<std::uint64_t> starts; // byte offset of each whole frame's count line
  std::uint64_t end = 0;             // where the last whole frame ends
  enum class Stop {
    End,       // the frames run to the end of the text (blank lines may follow)
    Truncated, // the last frame was cut short, or its count is more than the text could hold
    NotACount  // a line where a frame should start is not an atom count
  } stop = Stop::End;
  std::uint64_t stopLine = 0; // 1-based line where the frames ended, when stop is not End
};

// Builds the index from the text in pieces, so a file of any size is read once in small
// buffers. `total` is the whole text's size: a count that more than fills it is absurd.
class XyzFrameIndexer {
public:
  explicit XyzFrameIndexer(std::uint64_t total) : total(total) {}
  void feed(const char* data, size_t size);
  // True once the rest of the text cannot change the index.
  bool settled() const { return done; }
  XyzFrameIndex finish();

private:
  void endOfLine();
  void startFrame(std::uint64_t atoms);
  void stopAt(XyzFrameIndex::Stop why);

  XyzFrameIndex index;
  std::uint64_t total;
  std::uint64_t pos = 0;       // offset of the next byte
  std::uint64_t lineStart = 0; // offset of the current line
  std::uint64_t lineNumber = 1;
  std::uint64_t skip = 0;      // lines still to pass before the next count line
  std::uint64_t frameLine = 0; // line of the current frame's count
  std::string countText;       // the digits of the current line, while it may be a count
  bool lineHasBytes = false;
  bool done = false;
  bool blankSeen = false; // a blank line where a frame could start: only blanks may follow
};

XyzFrameIndex indexXyzFrames(std::string_view text);

// An atom count line: blanks, then only digits, at least 1. Values beyond 64 bits saturate.
bool parseXyzCount(std::string_view line, std::uint64_t& count);

// The frames of a trajectory, in a file (kept open, read frame by frame) or in a text.
class XyzFrames : public FrameSource {
public:
  // Indexes the file at path; null with a reason when it cannot be opened or read.
  static std::unique_ptr<XyzFrames> openFile(const std::string& path, std::string& why);
  static std::unique_ptr<XyzFrames> fromText(std::string text);
  ~XyzFrames() override;

  const XyzFrameIndex& frameIndex() const { return index; }
  size_t frameCount() const override { return index.starts.size(); }
  std::string frameTitle(size_t frame) override;
  bool readFrame(size_t frame, std::vector<XyzAtom>& atoms, std::string& why) override;
  // The warning about frames left out at the end, empty when every frame was whole.
  std::string leftOutWarning() const;

private:
  XyzFrames() = default;
  bool readBytes(std::uint64_t offset, size_t size, std::string& out);

  XyzFrameIndex index;
  std::FILE* file = nullptr;
  std::string text; // the text itself when not read from a file
  std::string buffer;
};

} // namespace orbala

#include "io/core/XyzFrames.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "io/core/TextLines.h"
#include "table/core/Numbers.h"
#include "table/core/TableLimits.h"

namespace orbala {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

constexpr std::uint64_t kSaturated = UINT64_MAX;
// More digits than any real count: the value saturates.
constexpr size_t kCountDigits = 20;
constexpr size_t kTitleBytes = 256;
constexpr size_t kChunk = size_t{1} << 20;

std::uint64_t digitsValue(std::string_view digits) {
  std::uint64_t value = 0;
  for (char c : digits) {
    const auto d = static_cast<std::uint64_t>(c - '0');
    if (value > (kSaturated - d) / 10) return kSaturated;
    value = value * 10 + d;
  }
  return value;
}

} // namespace

bool parseXyzCount(std::string_view line, std::uint64_t& count) {
  size_t i = 0;
  while (i < line.size() && isBlank(line[i]))
    ++i;
  const size_t first = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9')
    ++i;
  const std::string_view digits = line.substr(first, i - first);
  while (i < line.size() && isBlank(line[i]))
    ++i;
  if (digits.empty() || i != line.size()) return false;
  count = digits.size() > kCountDigits ? kSaturated : digitsValue(digits);
  return count >= 1;
}

// --- the one pass ---------------------------------------------------------------------------

void XyzFrameIndexer::feed(const char* data, size_t size) {
  size_t i = 0;
  while (i < size && !done) {
    if (skip > 0) {
      // Atom and comment lines are only counted.
      const void* lf = std::memchr(data + i, '\n', size - i);
      if (!lf) {
        lineHasBytes = true;
        pos += size - i;
        return;
      }
      const size_t at = static_cast<size_t>(static_cast<const char*>(lf) - data);
      lineHasBytes = false;
      pos += at - i + 1;
      i = at + 1;
      ++lineNumber;
      lineStart = pos;
      if (--skip == 0) index.end = pos;
      continue;
    }
    const char c = data[i++];
    ++pos;
    if (c == '\n') {
      endOfLine();
      ++lineNumber;
      lineStart = pos;
      lineHasBytes = false;
      countText.clear();
      continue;
    }
    lineHasBytes = true;
    const bool digit = c >= '0' && c <= '9';
    if (digit && (countText.empty() || countText.back() != ' ')) {
      // Beyond this many digits the count saturates anyway.
      if (countText.size() <= kCountDigits) countText += c;
    } else if (isBlank(c)) {
      if (!countText.empty() && countText.back() != ' ') countText += ' ';
    } else {
      // Not a count whatever follows: the frames end here, which needs no more bytes.
      countText = "x";
      endOfLine();
    }
  }
}

void XyzFrameIndexer::endOfLine() {
  std::uint64_t count = 0;
  const bool blank = countText.empty();
  const bool isCount = !blank && parseXyzCount(countText, count);
  const bool firstFrameDone = index.starts.size() == 1 && !index.trajectory;
  if (index.starts.empty() || firstFrameDone) {
    // The first line, or the line after the first frame: a count, or no trajectory at all.
    if (!isCount) {
      done = true;
      return;
    }
    if (firstFrameDone) index.trajectory = true;
    startFrame(count);
    return;
  }
  if (blank) {
    blankSeen = true;
    return;
  }
  if (!isCount || blankSeen) {
    stopAt(XyzFrameIndex::Stop::NotACount);
    return;
  }
  startFrame(count);
}

void XyzFrameIndexer::startFrame(std::uint64_t atoms) {
  // Each atom line takes at least its line feed: more lines than bytes left cannot be there.
  const std::uint64_t left = total > pos ? total - pos : 0;
  if (atoms > left + 1) {
    if (index.trajectory) {
      stopAt(XyzFrameIndex::Stop::Truncated);
    } else {
      done = true;
    }
    return;
  }
  index.starts.push_back(lineStart);
  frameLine = lineNumber;
  skip = atoms + 1;
}

void XyzFrameIndexer::stopAt(XyzFrameIndex::Stop why) {
  index.stop = why;
  index.stopLine = lineNumber;
  done = true;
}

XyzFrameIndex XyzFrameIndexer::finish() {
  // A last line without its line feed where a frame should start.
  if (!done && skip == 0 && lineHasBytes) {
    endOfLine();
    lineHasBytes = false;
  }
  if (!done && skip > 0) {
    // The last atom line may lack its line feed; any other shortfall cuts the frame.
    if (skip == 1 && lineHasBytes) {
      index.end = pos;
    } else if (index.trajectory) {
      index.starts.pop_back();
      index.stop = XyzFrameIndex::Stop::Truncated;
      index.stopLine = frameLine;
    }
  }
  return index.trajectory ? index : XyzFrameIndex();
}

XyzFrameIndex indexXyzFrames(std::string_view text) {
  XyzFrameIndexer indexer(text.size());
  indexer.feed(text.data(), text.size());
  return indexer.finish();
}

// --- the frames -----------------------------------------------------------------------------

std::unique_ptr<XyzFrames> XyzFrames::openFile(const std::string& path, std::string& why) {
  std::unique_ptr<XyzFrames> frames(new XyzFrames);
  frames->file = std::fopen(path.c_str(), "rb");
  if (!frames->file || std::fseek(frames->file, 0, SEEK_END) != 0) {
    why = "the file cannot be opened";
    return nullptr;
  }
  const long size = std::ftell(frames->file);
  if (size <= 0 || std::fseek(frames->file, 0, SEEK_SET) != 0) {
    why = size == 0 ? "the file is empty" : "the file cannot be read";
    return nullptr;
  }
  XyzFrameIndexer indexer(static_cast<std::uint64_t>(size));
  std::vector<char> chunk(kChunk);
  for (;;) {
    const size_t got = std::fread(chunk.data(), 1, chunk.size(), frames->file);
    indexer.feed(chunk.data(), got);
    // A file that is no trajectory is left after its first lines.
    if (got < chunk.size() || indexer.settled()) break;
  }
  if (std::ferror(frames->file)) {
    why = "the file cannot be read";
    return nullptr;
  }
  frames->index = indexer.finish();
  return frames;
}

std::unique_ptr<XyzFrames> XyzFrames::fromText(std::string text) {
  std::unique_ptr<XyzFrames> frames(new XyzFrames);
  frames->index = indexXyzFrames(text);
  frames->text = std::move(text);
  return frames;
}

XyzFrames::~XyzFrames() {
  if (file) std::fclose(file);
}

bool XyzFrames::readBytes(std::uint64_t offset, size_t size, std::string& out) {
  if (!file) {
    if (offset > text.size()) return false;
    out.assign(text, static_cast<size_t>(offset), size);
    return out.size() == size;
  }
  out.resize(size);
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
  const size_t got = std::fread(out.data(), 1, size, file);
  out.resize(got);
  return got == size;
}

std::string XyzFrames::frameTitle(size_t frame) {
  if (frame >= frameCount()) return {};
  const std::uint64_t start = index.starts[frame];
  const std::uint64_t stop = frame + 1 < frameCount() ? index.starts[frame + 1] : index.end;
  std::string head;
  if (!readBytes(start, static_cast<size_t>(std::min<std::uint64_t>(stop - start, 64 * 1024)),
                 head) &&
      head.empty())
    return {};
  const size_t first = head.find('\n');
  if (first == std::string::npos) return {};
  const size_t second = std::min(head.find('\n', first + 1), head.size());
  std::string title = head.substr(first + 1, second - first - 1);
  title.erase(std::remove(title.begin(), title.end(), '\r'), title.end());
  for (char& c : title)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return std::string(clipText(trim(title), kTitleBytes));
}

bool XyzFrames::readFrame(size_t frame, std::vector<XyzAtom>& atoms, std::string& why) {
  if (frame >= frameCount()) {
    why = "there is no frame " + std::to_string(frame + 1);
    return false;
  }
  const std::uint64_t start = index.starts[frame];
  const std::uint64_t stop = frame + 1 < frameCount() ? index.starts[frame + 1] : index.end;
  if (!readBytes(start, static_cast<size_t>(stop - start), buffer)) {
    why = "frame " + std::to_string(frame + 1) + " can no longer be read from the file";
    return false;
  }
  // Views into the buffer where there is no CR to take out: no copy of each line.
  XyzResult result = buffer.find('\r') == std::string::npos
                         ? parseXyzLineViews(splitLineViews(buffer), INT_MAX)
                         : parseXyzLines(splitTextLines(buffer), INT_MAX);
  if (buffer.capacity() > 4 * kChunk) std::string().swap(buffer);
  if (result.status != XyzResult::Ok) {
    why = "frame " + std::to_string(frame + 1) + " holds no readable atom";
    return false;
  }
  atoms = std::move(result.atoms);
  return true;
}

std::string XyzFrames::leftOutWarning() const {
  const std::string whole = std::to_string(frameCount()) +
                            (frameCount() == 1 ? " whole frame was" : " whole frames were");
  const std::string line = std::to_string(index.stopLine);
  switch (index.stop) {
  case XyzFrameIndex::Stop::End:
    break;
  case XyzFrameIndex::Stop::Truncated:
    return "The last frame of the file (from line " + line +
           ") is incomplete and was left out.\n\n" + whole + " read.";
  case XyzFrameIndex::Stop::NotACount:
    return "Line " + line +
           " of the file should start a frame with its atom count, but does not; " +
           "the rest of the file was left out.\n\n" + whole + " read.";
  }
  return {};
}

} // namespace orbala

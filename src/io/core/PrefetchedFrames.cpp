#include "io/core/PrefetchedFrames.h"

#include <system_error>

namespace orbala {

PrefetchedFrames::PrefetchedFrames(std::unique_ptr<FrameSource> frames)
    : source(std::move(frames)), count(source ? source->frameCount() : 0) {
  if (count > 1) readAhead(1);
}

PrefetchedFrames::~PrefetchedFrames() {
  if (ahead.valid()) ahead.wait();
}

std::string PrefetchedFrames::frameTitle(size_t index) {
  if (titled && index == titledIndex) return title;
  std::lock_guard<std::mutex> hold(sourceLock);
  return source ? source->frameTitle(index) : std::string();
}

bool PrefetchedFrames::readFrame(size_t index, std::vector<XyzAtom>& atoms, std::string& why) {
  Read read;
  if (ahead.valid() && aheadIndex == index) {
    read = ahead.get();
  } else {
    // A read of another frame may be under way: it ends before this one takes the source.
    ahead = {};
    read = readNow(index);
  }
  if (count > 1 && index < count) readAhead((index + 1) % count);
  titled = read.ok;
  if (!read.ok) {
    why = std::move(read.why);
    return false;
  }
  titledIndex = index;
  title = std::move(read.title);
  atoms = std::move(read.atoms);
  return true;
}

PrefetchedFrames::Read PrefetchedFrames::readNow(size_t index) {
  std::lock_guard<std::mutex> hold(sourceLock);
  Read read;
  if (!source) {
    read.why = "there is no frame " + std::to_string(index + 1);
    return read;
  }
  read.ok = source->readFrame(index, read.atoms, read.why);
  if (read.ok) read.title = source->frameTitle(index);
  return read;
}

void PrefetchedFrames::readAhead(size_t index) {
  aheadIndex = index;
  try {
    ahead = std::async(std::launch::async, [this, index] { return readNow(index); });
  } catch (const std::system_error&) {
    // No thread to be had: the frame is read when it is asked for.
    ahead = {};
  }
}

} // namespace orbala

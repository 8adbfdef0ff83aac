#pragma once
// Frames read one ahead: after frame k is handed out, frame k + 1 (the first after the last) is
// read on a thread of its own, so that stepping or playing forward finds it parsed while the
// last one is drawn. The source underneath is used by one thread at a time.
#include <future>
#include <memory>
#include <mutex>

#include "io/core/AtomFrames.h"

namespace orbala {

class PrefetchedFrames : public FrameSource {
public:
  // Starts reading frame 2 at once when there is one.
  explicit PrefetchedFrames(std::unique_ptr<FrameSource> source);
  // Waits for a read under way.
  ~PrefetchedFrames() override;

  size_t frameCount() const override { return count; }
  std::string frameTitle(size_t index) override;
  bool readFrame(size_t index, std::vector<XyzAtom>& atoms, std::string& why) override;

private:
  struct Read {
    bool ok = false;
    std::vector<XyzAtom> atoms;
    std::string why, title;
  };
  Read readNow(size_t index);
  void readAhead(size_t index);

  std::unique_ptr<FrameSource> source;
  const size_t count;
  std::mutex sourceLock;
  std::future<Read> ahead;
  size_t aheadIndex = 0;
  // The title of the frame handed out last, asked for right after it.
  size_t titledIndex = 0;
  std::string title;
  bool titled = false;
};

} // namespace orbala

#include "io/core/XyzFrames.h"
#include "io/core/PrefetchedFrames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace orbala;

namespace {

// A frame of `n` carbon atoms at x = first, first + 1, ...
std::string frame(int n, int first, const std::string& title = "t") {
  std::string text = std::to_string(n) + "\n" + title + "\n";
  for (int i = 0; i < n; ++i)
    text += "C " + std::to_string(first + i) + " 0 0\n";
  return text;
}

std::vector<double> xsOf(XyzFrames& frames, size_t k) {
  std::vector<XyzAtom> atoms;
  std::string why;
  EXPECT_TRUE(frames.readFrame(k, atoms, why)) << why;
  std::vector<double> xs;
  for (const XyzAtom& a : atoms)
    xs.push_back(a.x);
  return xs;
}

} // namespace

TEST(XyzFrames, SingleSetsAreNoTrajectoryFramesOfVaryingCountsAreReadOnDemand) {
  // One frame, blank lines after it, a count that lies, no count at all, a count of 10^18, a
  // blank line between two frames: all one set of atoms, read as before.
  for (const std::string& text : std::vector<std::string>{
           frame(2, 0), frame(2, 0) + "\n\n", "2\nx\nC 0 0 0\nO 1 0 0\nN 2 0 0\n",
           "C 0 0 0\nO 1 0 0\n", "1000000000000000000\nx\nC 0 0 0\n1\nx\nC 0 0 0\n",
           frame(1, 0) + "\n" + frame(1, 5), std::string("\x89PNG\r\n\x1a\n\0\0", 10), ""}) {
    const XyzFrameIndex index = indexXyzFrames(text);
    EXPECT_FALSE(index.trajectory) << text;
    EXPECT_TRUE(index.starts.empty());
  }

  const std::string text =
      frame(2, 0, "first") + frame(3, 10, " second \r") + frame(1, 20, "") + "\n \n";
  auto frames = XyzFrames::fromText(text);
  ASSERT_TRUE(frames->frameIndex().trajectory);
  ASSERT_EQ(frames->frameCount(), 3u);
  EXPECT_EQ(frames->frameIndex().stop, XyzFrameIndex::Stop::End);
  EXPECT_EQ(frames->leftOutWarning(), "");
  EXPECT_EQ(frames->frameTitle(1), "second");
  EXPECT_EQ(frames->frameTitle(2), "");
  EXPECT_EQ(xsOf(*frames, 1), (std::vector<double>{10, 11, 12}));
  EXPECT_EQ(xsOf(*frames, 2), (std::vector<double>{20}));
  EXPECT_EQ(xsOf(*frames, 0), (std::vector<double>{0, 1}));
  // A last atom line without its line feed ends its frame.
  EXPECT_EQ(xsOf(*XyzFrames::fromText(text.substr(0, text.find("20 0 0") + 6)), 2),
            (std::vector<double>{20}));
}

TEST(XyzFrames, BrokenEndsKeepTheWholeFrames) {
  // A last frame cut short, an absurd count, a line that is no count, blank lines then more.
  const std::string two = frame(2, 0) + frame(2, 5);
  using Stop = XyzFrameIndex::Stop;
  const std::tuple<std::string, size_t, Stop, unsigned long> cases[] = {
      {two + "2\nt\nC 9 0 0\n", 2, Stop::Truncated, 9},
      {two + "2", 2, Stop::Truncated, 9},
      {two + "99999999999999999999999999\n", 2, Stop::Truncated, 9},
      {two + "C 1 2 3\n", 2, Stop::NotACount, 9},
      {two + "2 atoms\nt\nC 0 0 0\nC 0 0 0\n", 2, Stop::NotACount, 9},
      {two + "\n" + frame(1, 0), 2, Stop::NotACount, 10},
      {frame(1, 0) + "1\nt\n", 1, Stop::Truncated, 4},
  };
  for (const auto& [text, count, stop, line] : cases) {
    auto frames = XyzFrames::fromText(text);
    EXPECT_TRUE(frames->frameIndex().trajectory) << text;
    EXPECT_EQ(std::tie(frames->frameIndex().stop, frames->frameIndex().stopLine),
              std::tie(stop, line))
        << text;
    EXPECT_EQ(frames->frameCount(), count) << text;
    EXPECT_NE(frames->leftOutWarning().find(std::to_string(count) + " whole frame"),
              std::string::npos);
  }
  EXPECT_EQ(xsOf(*XyzFrames::fromText(std::get<0>(cases[0])), 1), (std::vector<double>{5, 6}));
}

TEST(XyzFrames, FilesAreIndexedInPiecesAsTexts) {
  // Frames that straddle the reader's buffers give the same index as the whole text.
  std::string text;
  for (int k = 0; k < 300; ++k)
    text += frame(1 + k % 7, k, "frame " + std::to_string(k));
  while (text.size() < (3u << 20))
    text += frame(500, 1);
  const std::string path = ::testing::TempDir() + "/orbala_frames.xyz";
  std::ofstream(path, std::ios::binary) << text;
  std::string why;
  auto fromFile = XyzFrames::openFile(path, why);
  ASSERT_TRUE(fromFile) << why;
  const XyzFrameIndex whole = indexXyzFrames(text);
  EXPECT_EQ(fromFile->frameIndex().starts, whole.starts);
  EXPECT_EQ(fromFile->frameIndex().end, text.size());
  EXPECT_EQ(fromFile->frameTitle(299), "frame 299");
  EXPECT_EQ(xsOf(*fromFile, 6).size(), 7u);
  std::remove(path.c_str());
  EXPECT_FALSE(XyzFrames::openFile(path, why));
}

namespace {

// Frames of one atom at x = k, read on whichever thread asks; frame `broken` cannot be read.
class CountingFrames : public FrameSource {
public:
  CountingFrames(size_t broken, std::vector<size_t>& reads) : broken(broken), reads(reads) {}
  size_t frameCount() const override { return 4; }
  std::string frameTitle(size_t k) override { return "frame " + std::to_string(k + 1); }
  bool readFrame(size_t k, std::vector<XyzAtom>& atoms, std::string& why) override {
    reads.push_back(k); // one thread at a time, or the sanitizers and this list will tell
    if (k == broken || k >= 4) {
      why = "gone";
      return false;
    }
    atoms = {XyzAtom{0, static_cast<double>(k), 0, 0}};
    return true;
  }
  const size_t broken;
  std::vector<size_t>& reads;
};

} // namespace

TEST(XyzFrames, TheNextFrameIsReadAheadAndEveryAnswerIsTheSourcesOwn) {
  std::vector<size_t> reads;
  {
    PrefetchedFrames frames(std::make_unique<CountingFrames>(2, reads));
    std::vector<XyzAtom> atoms;
    std::string why;
    // Forward, round the end, a jump back past the frame read ahead, and a frame that fails.
    for (const size_t k : {1, 2, 3, 0, 1, 0}) {
      atoms.clear();
      why.clear();
      const bool ok = frames.readFrame(k, atoms, why);
      EXPECT_EQ(ok, k != 2) << k;
      EXPECT_EQ(ok ? atoms.at(0).x : -1.0, ok ? static_cast<double>(k) : -1.0);
      EXPECT_EQ(why, ok ? "" : "gone");
      EXPECT_EQ(frames.frameTitle(k), "frame " + std::to_string(k + 1));
    }
    EXPECT_EQ(frames.frameTitle(3), "frame 4");
    EXPECT_FALSE(frames.readFrame(4, atoms, why)); // no such frame, asked for in passing
  }
  // Each frame read once, ahead, while stepping on; the jump back waits for 2, reads 0 and then
  // 1 ahead again; a frame out of range is read as asked and nothing after it.
  EXPECT_EQ(reads, (std::vector<size_t>{1, 2, 3, 0, 1, 2, 0, 1, 4}));
}

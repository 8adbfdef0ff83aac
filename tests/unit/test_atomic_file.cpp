// Replacing a file in one step: a failed write leaves the old file, a good one replaces it whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../support/FileSizeLimit.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;
using orbala::platform::replaceFileContents;

namespace {

constexpr int kNoUnprivilegedUser = 100;

// Runs body in a child process without root rights, so that folder permissions hold for it as
// they do for a user. Returns the child's exit code, -1 when it did not exit.
int withoutRootRights(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(kNoUnprivilegedUser);
    _exit(body());
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class AtomicFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char name[] = "/tmp/orbala-atomic-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir = name;
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  size_t entries() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
  }

  std::string dir;
};

} // namespace

TEST_F(AtomicFileTest, ReplacesWholeKeepsPermissionsFollowsLinksAndRefusesFolders) {
  const std::string path = dir + "/a.qvx", link = dir + "/link.qvx";
  ASSERT_TRUE(replaceFileContents(path, "first\n"));
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));
  put(path, std::string(10000, 'x'));
  chmod(path.c_str(), 0640);
  fs::create_symlink(path, link);
  ASSERT_TRUE(replaceFileContents(link, "short"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(slurp(path), "short");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(entries(), 2u) << "no temporary file is left";
  ASSERT_TRUE(replaceFileContents(path, ""));
  EXPECT_EQ(fs::file_size(path), 0u);

  for (const std::string& bad : {dir, dir + "/missing/x.qvx", std::string()}) {
    std::string why;
    EXPECT_FALSE(replaceFileContents(bad, "text", &why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
  EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(AtomicFileTest, FailureHalfWayKeepsTheOldFile) {
  const std::string path = dir + "/keep.qvx";
  put(path, "precious");
  std::string why;
  bool ok = true;
  {
    FileSizeLimit limit(100);
    ok = replaceFileContents(path, std::string(5000, 'y'), &why);
  }
  EXPECT_FALSE(ok);
  EXPECT_NE(why.find("cannot write"), std::string::npos) << why;
  EXPECT_EQ(slurp(path), "precious");
  EXPECT_EQ(entries(), 1u) << "the partial file is removed";

  // Written in pieces: a producer that gives up half-way fails the write the same way.
  using orbala::platform::ContentSink;
  EXPECT_FALSE(orbala::platform::replaceFileWith(
      path, [](const ContentSink& put) { return put("half") && false; }, &why));
  EXPECT_EQ(slurp(path), "precious");
  EXPECT_EQ(entries(), 1u);
  EXPECT_TRUE(orbala::platform::replaceFileWith(
      path, [](const ContentSink& put) { return put("one ") && put("") && put("two"); }));
  EXPECT_EQ(slurp(path), "one two");
  EXPECT_EQ(entries(), 1u) << "nothing but the file is left";
}

TEST_F(AtomicFileTest, WritableFileInAFolderWeMayNotWrite) {
  const std::string path = dir + "/keep.qvx";
  put(path, "old");
  chmod(path.c_str(), 0646);
  chmod(dir.c_str(), 0555);
  const int failed = withoutRootRights([&] {
    int bits = replaceFileContents(path, "new text") ? 0 : 1;
    std::string why;
    // A new file cannot be made there at all.
    if (replaceFileContents(dir + "/other.qvx", "x", &why) || why.empty()) bits |= 2;
    // Written in place, a write that fails half-way puts the old text back.
    FileSizeLimit limit(100);
    if (replaceFileContents(path, std::string(5000, 'y'), &why) || why.empty()) bits |= 4;
    return bits;
  });
  chmod(dir.c_str(), 0700);
  if (failed == kNoUnprivilegedUser) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(slurp(path), "new text");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0646));
  EXPECT_EQ(entries(), 1u);
}

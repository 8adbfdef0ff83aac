// Replacing a file in one step: a failed write leaves the old file, a good one replaces it whole.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"

namespace fs = std::filesystem;
using orbala::platform::replaceFileContents;

namespace {

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
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
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

TEST_F(AtomicFileTest, ReplacesWholeAndKeepsPermissions) {
  const std::string path = dir + "/a.qvx";
  ASSERT_TRUE(replaceFileContents(path, "first\n"));
  EXPECT_EQ(slurp(path), "first\n");
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));

  put(path, std::string(10000, 'x'));
  chmod(path.c_str(), 0640);
  ASSERT_TRUE(replaceFileContents(path, "short"));
  EXPECT_EQ(slurp(path), "short");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(entries(), 1u) << "no temporary file is left";

  ASSERT_TRUE(replaceFileContents(path, ""));
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(AtomicFileTest, FollowsLinksAndRefusesFolders) {
  const std::string target = dir + "/target.qvx";
  const std::string link = dir + "/link.qvx";
  put(target, "old");
  fs::create_symlink(target, link);
  ASSERT_TRUE(replaceFileContents(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(slurp(target), "new");

  std::string why;
  EXPECT_FALSE(replaceFileContents(dir, "text", &why));
  EXPECT_FALSE(why.empty());
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_FALSE(replaceFileContents(dir + "/missing/x.qvx", "text", &why));
  EXPECT_FALSE(replaceFileContents("", "text", &why));
}

TEST_F(AtomicFileTest, FailureHalfWayKeepsTheOldFile) {
  const std::string path = dir + "/keep.qvx";
  put(path, "precious");
  // A file size limit makes the disk "full" after 100 bytes.
  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 100;
  void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string why;
  const bool ok = replaceFileContents(path, std::string(5000, 'y'), &why);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(ok);
  EXPECT_NE(why.find("cannot write"), std::string::npos) << why;
  EXPECT_EQ(slurp(path), "precious");
  EXPECT_EQ(entries(), 1u) << "the partial file is removed";
}

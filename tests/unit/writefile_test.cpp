// Replacing a file whole: the target is the old file or the complete new one, never a mix.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <filesystem>
#include <stdexcept>

#include "tests/support/fixtures.h"
#include "workspace/files.h"

namespace {

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

bool WriteText(FILE* f, const char* text) { return std::fputs(text, f) >= 0; }

TEST(WriteFileWhole, NewFileGetsTheUsualModeAndNothingElseIsLeft) {
  TempFolder dir;
  const std::pair<mode_t, const char*> masks[] = {{022, "new022"}, {077, "new077"}};
  for (auto [mask, name] : masks) {
    SCOPED_TRACE(name);
    mode_t previous = umask(mask);
    std::string path = dir / name;
    bool written = WriteFileWhole(path, [](FILE* f) { return WriteText(f, "hello"); });
    umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadBytes(path), "hello");
    EXPECT_EQ(ModeOf(path), 0666 & ~mask);  // not mkstemp's 0600
  }
  EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"new022", "new077"}));
}

TEST(WriteFileWhole, ReplacementKeepsTheOldPermissions) {
  TempFolder dir;
  WriteBytes(dir / "page.html", "old old old old");
  chmod((dir / "page.html").c_str(), 0640);
  ASSERT_TRUE(WriteFileWhole(dir / "page.html", [](FILE* f) { return WriteText(f, "new"); }));
  EXPECT_EQ(ReadBytes(dir / "page.html"), "new");
  EXPECT_EQ(ModeOf(dir / "page.html"), mode_t(0640));
  EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"page.html"}));
}

TEST(WriteFileWhole, FailedWritesLeaveTheOldFileAndNoTemporary) {
  const std::pair<const char*, std::function<bool(FILE*)>> cases[] = {
      {"writer gives up", [](FILE* f) { return WriteText(f, "half") && false; }},
      {"writer throws", [](FILE* f) -> bool {
         WriteText(f, "half");
         throw std::runtime_error("no");
       }},
      // Like a full disk: the writer sees no error, the flush at the end does.
      {"file size limit", [](FILE* f) {
         std::fputs(std::string(9000, 'x').c_str(), f);
         return true;
       }},
  };
  signal(SIGXFSZ, SIG_IGN);
  rlimit usual{};
  getrlimit(RLIMIT_FSIZE, &usual);
  rlimit small = usual;
  small.rlim_cur = 4096;
  for (const auto& [name, write] : cases) {
    SCOPED_TRACE(name);
    TempFolder dir;
    WriteBytes(dir / "a.jpg", "previous");
    setrlimit(RLIMIT_FSIZE, &small);
    bool replaced = WriteFileWhole(dir / "a.jpg", write);
    bool created = WriteFileWhole(dir / "b.jpg", write);
    setrlimit(RLIMIT_FSIZE, &usual);
    EXPECT_FALSE(replaced);
    EXPECT_FALSE(created);
    EXPECT_EQ(ReadBytes(dir / "a.jpg"), "previous");
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"a.jpg"}));
  }
}

TEST(WriteFileWhole, UnusualTargets) {
  TempFolder dir;
  EXPECT_FALSE(WriteFileWhole(dir / "missing/a.txt", [](FILE* f) { return WriteText(f, "x"); }));
  // The temporary's name must stay within the file system's limit on name length.
  std::string longName(250, 'n');
  EXPECT_TRUE(WriteFileWhole(dir / longName, [](FILE* f) { return WriteText(f, "x"); }));
  EXPECT_EQ(ReadBytes(dir / longName), "x");
  EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{longName}));
}

}  // namespace

// Saving through a temporary file: a good file is replaced only by a complete new
// one, and every failure says why and leaves nothing behind.
#include "platform/files/safe_save.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/platform/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

Bytes Data(const std::string& s) { return Bytes(s.data(), s.size()); }

// Runs check in a child process and reports its exit code, so that a test can
// change who it is or what it sees of the file system without touching the rest.
int RunInChild(const std::function<int()>& check) {
  pid_t pid = fork();
  if (pid == 0) _exit(check());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

class SafeSave : public testing::Test {
 protected:
  std::string Folder() const { return dir_.path() + "/"; }
  TemporaryFolder dir_;
};

TEST_F(SafeSave, WritesANewFileWithUsualPermissionsAndNothingElse) {
  mode_t old = umask(022);
  std::string bytes("ID3\0\x01\xff", 6);
  EXPECT_EQ(SaveFileSafely(Text(Folder()), "song.mp3", Data(bytes)), SaveProblem::kNone);
  umask(old);
  EXPECT_EQ(ReadFile(Folder() + "song.mp3"), bytes);
  EXPECT_EQ(fs::status(Folder() + "song.mp3").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"song.mp3"});
}

TEST_F(SafeSave, SavingTwiceLeavesOneFileWithTheSecondBytes) {
  ASSERT_EQ(SaveFileSafely(Text(Folder()), "song.mp3", Data("first, longer")), SaveProblem::kNone);
  ASSERT_EQ(SaveFileSafely(Text(Folder()), "song.mp3", Data("second")), SaveProblem::kNone);
  EXPECT_EQ(ReadFile(Folder() + "song.mp3"), "second");
  EXPECT_EQ(Entries(dir_.path()).size(), 1u);
}

TEST_F(SafeSave, ChineseNameReachesTheFileSystemAsUtf8) {
  // "中文.mp3" in code page 936.
  ASSERT_EQ(SaveFileSafely(Text(Folder()), "\xD6\xD0\xCE\xC4.mp3", Data("x")), SaveProblem::kNone);
  EXPECT_EQ(ReadFile(Folder() + "中文.mp3"), "x");
}

TEST_F(SafeSave, RefusesNamesThatAreNotOnePlainName) {
  fs::create_directory(Folder() + "sub");
  const Text names[] = {"", ".", "..", "sub/x.mp3", "../x.mp3", "/x.mp3",
                        Text(std::string(kLongestFileName - kTemporaryNameGrowth + 1, 'a'))};
  for (const Text& name : names) {
    EXPECT_EQ(SaveFileSafely(Text(Folder()), name, Data("x")), SaveProblem::kBadName) << name.str();
  }
  EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"sub"});
  EXPECT_TRUE(fs::is_empty(Folder() + "sub"));
  // The longest name that still leaves room for the temporary suffix is taken.
  std::string longest(kLongestFileName - kTemporaryNameGrowth, 'a');
  EXPECT_EQ(SaveFileSafely(Text(Folder()), Text(longest), Data("x")), SaveProblem::kNone);
}

TEST_F(SafeSave, RefusesAFolderThatIsNotOne) {
  std::ofstream(Folder() + "file") << "x";
  const Text folders[] = {"", Text(dir_.path()), Text(Folder() + "missing/"), Text(Folder() + "file/")};
  for (const Text& folder : folders) {
    EXPECT_EQ(SaveFileSafely(folder, "song.mp3", Data("x")), SaveProblem::kNoFolder) << folder.str();
  }
  EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"file"});
}

TEST_F(SafeSave, AFolderInTheWayOfTheNameIsLeftAlone) {
  fs::create_directories(Folder() + "song.mp3/inside");
  EXPECT_EQ(SaveFileSafely(Text(Folder()), "song.mp3", Data("x")), SaveProblem::kOther);
  EXPECT_TRUE(fs::is_directory(Folder() + "song.mp3/inside"));
  EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"song.mp3"});
}

TEST_F(SafeSave, NoPermissionIsReportedAndTheOldFileKept) {
  std::ofstream(Folder() + "song.mp3") << "good";
  fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  int result = RunInChild([&] {
    // The superuser may write anywhere; a plain user may not.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 100;
    return static_cast<int>(SaveFileSafely(Text(Folder()), "song.mp3", Data("bad")));
  });
  EXPECT_EQ(result, static_cast<int>(SaveProblem::kNoPermission));
  EXPECT_EQ(ReadFile(Folder() + "song.mp3"), "good");
  EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"song.mp3"});
}

TEST_F(SafeSave, DiskFullIsReportedAndTheOldFileKept) {
  // A small file system of our own, seen only by the child, fills up for real.
  std::string small = Folder() + "small";
  fs::create_directory(small);
  enum { kMounted = 50, kCannotMount = 101 };
  int result = RunInChild([&] {
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
      return static_cast<int>(kCannotMount);
    }
    Text folder(small + "/");
    if (SaveFileSafely(folder, "song.mp3", Data("good")) != SaveProblem::kNone) return 102;
    SaveProblem problem = SaveFileSafely(folder, "song.mp3", Data(std::string(256 * 1024, 'x')));
    if (ReadFile(small + "/song.mp3") != "good") return 103;
    if (Entries(small) != std::vector<std::string>{"song.mp3"}) return 104;
    return kMounted + static_cast<int>(problem);
  });
  if (result == kCannotMount) GTEST_SKIP() << "no private mount allowed here";
  EXPECT_EQ(result, kMounted + static_cast<int>(SaveProblem::kDiskFull));
}

}  // namespace

// Finding and making the desktop folder from HOME, XDG_CONFIG_HOME and user-dirs.dirs.
#include "platform/files/special_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/codepage/boundary.h"
#include "tests/platform/temporary_folder.h"

namespace {

// Saves and restores one environment variable around a test.
class EnvironmentVariable {
 public:
  explicit EnvironmentVariable(const char* name) : name_(name) {
    if (const char* v = std::getenv(name)) saved_ = v;
  }
  ~EnvironmentVariable() {
    if (saved_) setenv(name_, saved_->c_str(), 1);
    else unsetenv(name_);
  }
  void Set(const std::string& value) { setenv(name_, value.c_str(), 1); }
  void Unset() { unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct UserDirsCase {
  const char* what;
  const char* userDirs;  // nullptr: no file
  const char* desktop;   // below the test's home; nullptr: no desktop expected
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const UserDirsCase& c, std::ostream* os) { *os << c.what; }

class DesktopFolder : public testing::TestWithParam<UserDirsCase> {
 protected:
  TemporaryFolder home_;
  EnvironmentVariable homeVariable_{"HOME"};
  EnvironmentVariable configVariable_{"XDG_CONFIG_HOME"};
};

TEST_P(DesktopFolder, IsFoundAndMade) {
  const UserDirsCase& c = GetParam();
  homeVariable_.Set(home_.path());
  configVariable_.Set(home_.path() + "/config");
  std::filesystem::create_directories(home_.path() + "/config");
  if (c.userDirs) {
    std::string text = c.userDirs;
    // Cases name the test's home as @.
    for (size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, home_.path());
    std::ofstream(home_.path() + "/config/user-dirs.dirs") << text;
  }

  Text folder = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  if (!c.desktop) {
    EXPECT_TRUE(folder.empty()) << c.what << ": " << folder.str();
    return;
  }
  std::string expected = home_.path() + "/" + c.desktop + "/";
  EXPECT_EQ(Cp936ToUtf8(folder), expected) << c.what;
  EXPECT_TRUE(IsFolder(expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DesktopFolder,
    testing::Values(
        UserDirsCase{"no user-dirs file", nullptr, "Desktop"},
        UserDirsCase{"no desktop line", "XDG_MUSIC_DIR=\"$HOME/Music\"\n", "Desktop"},
        UserDirsCase{"relative to HOME", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
                     "Schreibtisch"},
        UserDirsCase{"Chinese name, indented", "  XDG_DESKTOP_DIR=\"$HOME/桌面\"\n", "桌面"},
        UserDirsCase{"absolute, nested, made whole", "XDG_DESKTOP_DIR=\"@/a/b/c\"\n", "a/b/c"},
        UserDirsCase{"escaped quote and blank", "XDG_DESKTOP_DIR=\"$HOME/my\\\" desk\"\n",
                     "my\" desk"},
        UserDirsCase{"the last assignment wins",
                     "XDG_DESKTOP_DIR=\"$HOME/one\"\nXDG_DESKTOP_DIR=\"$HOME/two\"\n", "two"},
        UserDirsCase{"commented line ignored", "#XDG_DESKTOP_DIR=\"$HOME/no\"\n", "Desktop"},
        UserDirsCase{"relative value ignored", "XDG_DESKTOP_DIR=\"elsewhere\"\n", "Desktop"},
        UserDirsCase{"$HOMEX is not HOME", "XDG_DESKTOP_DIR=\"$HOMEX/d\"\n", "Desktop"},
        UserDirsCase{"trailing slashes", "XDG_DESKTOP_DIR=\"$HOME/d//\"\n", "d"},
        UserDirsCase{"a name code page 936 cannot carry",
                     "XDG_DESKTOP_DIR=\"$HOME/\xF0\x9F\x8E\xB5\"\n", nullptr}));

TEST_F(DesktopFolder, EdgesOfTheEnvironment) {
  homeVariable_.Set(home_.path());
  configVariable_.Unset();
  std::filesystem::create_directories(home_.path() + "/.config");
  std::ofstream(home_.path() + "/.config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/dot\"\n";
  EXPECT_EQ(Cp936ToUtf8(SpecialFolder(3)), home_.path() + "/dot/")
      << "XDG_CONFIG_HOME unset means ~/.config";

  configVariable_.Set("relative/config");
  EXPECT_EQ(Cp936ToUtf8(SpecialFolder(3)), home_.path() + "/dot/")
      << "a relative XDG_CONFIG_HOME is ignored";

  EXPECT_TRUE(SpecialFolder(5).empty()) << "only the desktop is known";

  std::ofstream(home_.path() + "/.config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/file\"\n";
  std::ofstream(home_.path() + "/file") << "not a folder";
  EXPECT_TRUE(SpecialFolder(3).empty()) << "a file where the desktop should be";

  homeVariable_.Set("relative/home");
  EXPECT_TRUE(SpecialFolder(3).empty()) << "relative HOME";

  homeVariable_.Unset();
  EXPECT_TRUE(SpecialFolder(3).empty()) << "HOME unset";
}

}  // namespace

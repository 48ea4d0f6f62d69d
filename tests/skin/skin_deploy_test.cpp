// Deployment of the skin library beside the program and the call into it, run as
// real start-ups of a probe program in folders of their own.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/skin_resources.h"
#include "tests/platform/temporary_folder.h"
#include "tests/skin/probe_runner.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFatalExit = 255;  // exit code -1 as the parent sees it

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ImageBytes() {
  Bytes image = SkinLibraryBytes();
  return std::string(image.view());
}

struct stat StatOf(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st;
}

TEST(SkinDeployment, FirstStartWritesTheEmbeddedLibraryAndAttaches) {
  TemporaryFolder folder;
  ProbeResult run = RunProbeIn(folder.path(), "11");
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  const std::string library = folder.path() + "/SkinH_EL.dll";
  ASSERT_TRUE(fs::is_regular_file(library));
  EXPECT_EQ(ReadFile(library), ImageBytes());
  // Hidden has no bit here; what matters is that it is not left read-only.
  EXPECT_TRUE(StatOf(library).st_mode & S_IWUSR);
}

TEST(SkinDeployment, EmbeddedImageIsTheEngineThatWasBuilt) {
  EXPECT_EQ(ReadFile(MIROVEL_SKIN_ENGINE), ImageBytes());
}

TEST(SkinDeployment, LaterStartsNeitherWriteNorTouchTheLibrary) {
  TemporaryFolder folder;
  ASSERT_EQ(RunProbeIn(folder.path(), "11").exitCode, 0);
  const std::string library = folder.path() + "/SkinH_EL.dll";
  // The user made it private and an old date marks any rewrite.
  fs::permissions(library, fs::perms(0600));
  struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, library.c_str(), old, 0), 0);
  struct stat before = StatOf(library);

  for (const char* number : {"11", "3", "0"}) {
    ProbeResult run = RunProbeIn(folder.path(), number);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
  }
  struct stat after = StatOf(library);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  // Any chmod, even to the same mode, would move the change time.
  EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
  EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
  EXPECT_EQ(ReadFile(library), ImageBytes());
}

// An existing entry is used as it is, whatever it holds; here a library that
// writes down its call shows what ApplySkin passes for each number.
TEST(SkinDeployment, PassesTheSelectedSkinOrNullAndZero) {
  struct Case {
    const char* number;
    int skin;  // 0 for none
  };
  for (const Case& c : {Case{"11", 11}, Case{"1", 1}, Case{"33", 33}, Case{"0", 0}, Case{"34", 0}, Case{"-1", 0}}) {
    TemporaryFolder folder;
    const std::string library = folder.path() + "/SkinH_EL.dll";
    fs::copy_file(MIROVEL_RECORDING_LIBRARY, library);
    const std::string record = folder.path() + "/record";
    ProbeOptions options;
    options.recordPath = record;
    ProbeResult run = RunProbeIn(folder.path(), c.number, options);
    EXPECT_EQ(run.exitCode, 0) << c.number << ": " << run.errors;
    EXPECT_EQ(ReadFile(library), ReadFile(MIROVEL_RECORDING_LIBRARY)) << c.number;

    std::string call = ReadFile(record);
    std::size_t lineEnd = call.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << c.number;
    Bytes expected = CopySkin(c.skin);
    std::string line = call.substr(0, lineEnd);
    if (c.skin == 0) {
      EXPECT_EQ(line, "1 0 0 [] 0 0 0") << c.number;
    } else {
      EXPECT_EQ(line, "0 " + std::to_string(expected.size()) + " 0 [] 0 0 0") << c.number;
      EXPECT_EQ(call.substr(lineEnd + 1), std::string(expected.view())) << c.number;
    }
  }
}

TEST(SkinDeployment, WhatStopsTheStartWithExitCodeMinusOne) {
  struct Case {
    const char* what;
    void (*prepare)(const std::string& folder);
    bool unprivileged;
  };
  const Case cases[] = {
      {"a folder of that name", [](const std::string& f) { fs::create_directory(f + "/SkinH_EL.dll"); }, false},
      {"a read-only program folder", [](const std::string& f) { fs::permissions(f, fs::perms(0555)); }, true},
      {"a library without the export",
       [](const std::string& f) { fs::copy_file(MIROVEL_EXPORTLESS_LIBRARY, f + "/SkinH_EL.dll"); }, false},
      {"a file that is no library",
       [](const std::string& f) { std::ofstream(f + "/SkinH_EL.dll") << ".SHE but not a library"; }, false},
  };
  for (const Case& c : cases) {
    TemporaryFolder folder;
    // The probe must be in place before the folder turns read-only.
    PlaceProbeIn(folder.path());
    c.prepare(folder.path());
    ProbeOptions options;
    options.unprivileged = c.unprivileged;
    ProbeResult run = RunProbeIn(folder.path(), "11", options);
    EXPECT_EQ(run.exitCode, kFatalExit) << c.what << ": " << run.errors;
    EXPECT_NE(run.errors.find("SkinH_AttachRes"), std::string::npos) << c.what << ": " << run.errors;
    fs::permissions(folder.path(), fs::perms(0755));
  }
}

TEST(SkinDeployment, SystemLibrarySearchStandsInForAFolderOfThatName) {
  TemporaryFolder folder;
  TemporaryFolder elsewhere;
  fs::create_directory(folder.path() + "/SkinH_EL.dll");
  fs::copy_file(MIROVEL_RECORDING_LIBRARY, elsewhere.path() + "/SkinH_EL.dll");
  ProbeOptions options;
  options.libraryPath = elsewhere.path();
  options.recordPath = folder.path() + "/record";
  ProbeResult run = RunProbeIn(folder.path(), "11", options);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(fs::is_directory(folder.path() + "/SkinH_EL.dll"));
  EXPECT_TRUE(fs::exists(options.recordPath));
}

// A write cut short must not leave a partial library that every later start
// would find, keep and fail to load.
TEST(SkinDeployment, AWriteCutShortLeavesNothingAndTheNextStartRecovers) {
  TemporaryFolder folder;
  ProbeOptions limited;
  limited.fileSizeLimit = 4096;
  ProbeResult cut = RunProbeIn(folder.path(), "11", limited);
  EXPECT_EQ(cut.exitCode, kFatalExit) << cut.errors;
  EXPECT_FALSE(fs::exists(folder.path() + "/SkinH_EL.dll"));

  ProbeResult next = RunProbeIn(folder.path(), "11");
  EXPECT_EQ(next.exitCode, 0) << next.errors;
  EXPECT_EQ(ReadFile(folder.path() + "/SkinH_EL.dll"), ImageBytes());
}

// Two copies of the program started together both find no library; one must not
// load the library while the other is still writing it.
TEST(SkinDeployment, StartsAtTheSameTimeEachLoadAWholeLibrary) {
  constexpr int kStarts = 8;
  for (int round = 0; round < 5; ++round) {
    TemporaryFolder folder;
    PlaceProbeIn(folder.path());
    std::vector<StartedProbe> started;
    for (int i = 0; i < kStarts; ++i) started.push_back(StartProbeIn(folder.path(), "11"));
    for (const StartedProbe& probe : started) {
      ProbeResult run = FinishProbe(probe);
      EXPECT_EQ(run.exitCode, 0) << "round " << round << ": " << run.errors;
    }
    EXPECT_EQ(ReadFile(folder.path() + "/SkinH_EL.dll"), ImageBytes());
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder.path())) entries.push_back(entry.path().filename());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"SkinH_EL.dll", "mirovel"})) << "no temporary file is left";
  }
}

}  // namespace

// The file and library stand-ins on real files in a scratch folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/files.h"
#include "platform/library/library.h"
#include "temporary_folder.h"

namespace {

class ScratchFolder : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.path() + "/" + name; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static mode_t Mode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
  }

  TemporaryFolder folder_;
};

TEST_F(ScratchFolder, WriteWholeFileCreatesThenReplacesWholly) {
  const std::string path = Path("song.mp3");
  const std::string first(100000, 'a');
  ASSERT_TRUE(WriteWholeFile(Text(path), Bytes(first.data(), first.size())));
  EXPECT_EQ(Read(path), first);

  const std::string second("b\0c", 3);
  ASSERT_TRUE(WriteWholeFile(Text(path), Bytes(second.data(), second.size())));
  EXPECT_EQ(Read(path), second);  // truncated, not overwritten in place

  ASSERT_TRUE(WriteWholeFile(Text(path), Bytes()));
  EXPECT_EQ(Read(path), "");
}

TEST_F(ScratchFolder, WriteWholeFileRefusesWhatCannotBeCreated) {
  EXPECT_FALSE(WriteWholeFile(Text(), Bytes("x", 1)));
  EXPECT_FALSE(WriteWholeFile(Text(Path("missing-folder/song.mp3")), Bytes("x", 1)));
  ASSERT_EQ(mkdir(Path("a-folder").c_str(), 0755), 0);
  EXPECT_FALSE(WriteWholeFile(Text(Path("a-folder")), Bytes("x", 1)));
}

TEST_F(ScratchFolder, WriteWholeFileNamesAreCodePage936) {
  // "歌" in code page 936 is B8 E8; on disk the name is UTF-8 E6 AD 8C.
  ASSERT_TRUE(WriteWholeFile(Text(Path("\xB8\xE8.mp3")), Bytes("x", 1)));
  EXPECT_EQ(Read(Path("\xE6\xAD\x8C.mp3")), "x");
  EXPECT_TRUE(FileExists(Text(Path("\xB8\xE8.mp3"))));
}

TEST_F(ScratchFolder, FileExistsCountsEveryKindOfEntry) {
  EXPECT_FALSE(FileExists(Text()));
  EXPECT_FALSE(FileExists(Text(Path("nothing"))));
  ASSERT_EQ(mkdir(Path("dir").c_str(), 0755), 0);
  EXPECT_TRUE(FileExists(Text(Path("dir"))));
  ASSERT_EQ(symlink("/nonexistent/target", Path("dangling").c_str()), 0);
  EXPECT_TRUE(FileExists(Text(Path("dangling"))));
}

TEST_F(ScratchFolder, SetFileAttributeMapsReadOnlyToWriteBits) {
  const std::string path = Path("lib");
  ASSERT_TRUE(WriteWholeFile(Text(path), Bytes("x", 1)));
  ASSERT_EQ(chmod(path.c_str(), 0664), 0);

  EXPECT_TRUE(SetFileAttribute(Text(path), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Mode(path), 0444u);
  EXPECT_TRUE(SetFileAttribute(Text(path), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Mode(path), 0644u);  // read-only cleared gives the owner write back
  EXPECT_TRUE(SetFileAttribute(Text(path), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Mode(path), 0644u);
  EXPECT_FALSE(SetFileAttribute(Text(Path("missing")), FILE_ATTRIBUTE_HIDDEN));
}

TEST(Library, LoadsByNameFindsExportsAndUnloads) {
  LibraryHandle libm = LoadLibraryByName("libm.so.6");
  ASSERT_NE(libm, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(FindExport(libm, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(FindExport(libm, "NoSuchExport"), nullptr);
  EXPECT_EQ(FindExport(nullptr, "cos"), nullptr);
  EXPECT_EQ(LoadLibraryByName("/nonexistent/SkinH_EL.dll"), nullptr);
  EXPECT_EQ(LoadLibraryByName(Text()), nullptr);
  UnloadLoadedLibraries();
  UnloadLoadedLibraries();  // a second end finds nothing left to unload
}

}  // namespace

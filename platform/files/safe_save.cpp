// Whole-file saving through a temporary file and a rename, which the file system
// performs as one step: readers see the old file or the complete new one.
#include "platform/files/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/codepage/boundary.h"

namespace {

// Appended to the final name; mkostemps fills in the X's. Its length is
// kTemporaryNameGrowth, which callers count on when they shorten names.
constexpr char kTemporarySuffix[] = ".XXXXXX.part";
constexpr int kTemporarySuffixTail = 5;  // ".part" stays as written
static_assert(sizeof(kTemporarySuffix) - 1 == kTemporaryNameGrowth);

SaveProblem ProblemFromErrno(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return SaveProblem::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return SaveProblem::kNoPermission;
    case ENOENT:
    case ENOTDIR:
      return SaveProblem::kNoFolder;
    default:
      return SaveProblem::kOther;
  }
}

// Pieces of a megabyte: on a 200 MiB song one write of the whole buffer took
// several times as long as the same bytes written a megabyte at a time.
constexpr size_t kWritePiece = 1 << 20;

bool WriteAll(int fd, const unsigned char* p, size_t left) {
  while (left > 0) {
    ssize_t n = write(fd, p, std::min(left, kWritePiece));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// mkostemps creates files readable by the owner only; a saved song should get the
// permissions any other new file of the user gets.
void GiveUsualPermissions(int fd) {
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
}

// The rename is durable only once the folder's own entry list reaches the disk.
void FlushFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

SaveProblem SaveFileSafely(const Text& folder, const Text& name, const Bytes& data) {
  std::string nativeFolder = Cp936ToUtf8(folder);
  if (nativeFolder.empty() || nativeFolder.back() != '/') return SaveProblem::kNoFolder;
  struct stat st;
  if (stat(nativeFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return SaveProblem::kNoFolder;

  std::string nativeName = Cp936ToUtf8(name);
  if (nativeName.empty() || nativeName == "." || nativeName == ".." ||
      nativeName.find('/') != std::string::npos ||
      nativeName.size() + kTemporaryNameGrowth > static_cast<size_t>(kLongestFileName)) {
    return SaveProblem::kBadName;
  }
  std::string finalPath = nativeFolder + nativeName;

  std::string temporaryPath = finalPath + kTemporarySuffix;
  int fd = mkostemps(temporaryPath.data(), kTemporarySuffixTail, O_CLOEXEC);
  if (fd < 0) return ProblemFromErrno(errno);

  bool written = WriteAll(fd, data.data(), data.size()) && fsync(fd) == 0;
  int error = errno;
  if (written) GiveUsualPermissions(fd);
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && rename(temporaryPath.c_str(), finalPath.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    unlink(temporaryPath.c_str());
    return ProblemFromErrno(error);
  }
  FlushFolder(nativeFolder);
  return SaveProblem::kNone;
}

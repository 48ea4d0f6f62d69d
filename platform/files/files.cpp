// File stand-ins over POSIX calls.
#include "platform/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/codepage/boundary.h"

bool FileExists(const Text& path) {
  if (path.empty()) return false;
  struct stat st;
  return lstat(Cp936ToUtf8(path).c_str(), &st) == 0;
}

bool WriteWholeFile(const Text& path, const Bytes& data) {
  if (path.empty()) return false;
  int fd = open(Cp936ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  const unsigned char* p = data.data();
  size_t left = data.size();
  // write() may take less than asked on large buffers; "one piece" means the
  // caller sees a single call, not that the kernel does.
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (close(fd) != 0) ok = false;
  return ok;
}

bool SetFileAttribute(const Text& path, int attributes) {
  if (path.empty()) return false;
  std::string native = Cp936ToUtf8(path);
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  if (mode == (st.st_mode & 07777)) return true;
  return chmod(native.c_str(), mode) == 0;
}

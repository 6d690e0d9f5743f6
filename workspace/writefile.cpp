// workspace/writefile.cpp - replacing a file whole, never leaving half of it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "workspace/files.h"

// Read-only query of the umask: the call has to set it to learn it.
static mode_t ModeForNewFile() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The temporary lives in the target's folder so that rename() stays within one file system.
static std::string TemporaryPattern(const std::string& path) {
  size_t cut = path.rfind('/');
  std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (name.size() > 200) name.resize(200);  // room for the marks within NAME_MAX
  return folder + "." + name + ".XXXXXX";
}

static bool FinishFile(FILE* file, bool written) {
  if (std::fflush(file) != 0 || std::ferror(file)) written = false;
  if (written && fsync(fileno(file)) != 0 && errno != EINVAL) written = false;
  if (std::fclose(file) != 0) written = false;
  return written;
}

// The rename itself reaches the disk only when the folder is synced too.
static void SyncFolderOf(const std::string& path) {
  size_t cut = path.rfind('/');
  std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool WriteFileWhole(const std::string& path, const std::function<bool(FILE*)>& write) {
  // Replacing by rename would pass over a file the user made read-only, or a folder.
  struct stat existing;
  if (lstat(path.c_str(), &existing) == 0 &&
      (S_ISDIR(existing.st_mode) || faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0))
    return false;
  std::string pattern = TemporaryPattern(path);
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');
  int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  struct stat old;
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : ModeForNewFile();
  FILE* file = fchmod(fd, mode) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!file) {
    close(fd);
    unlink(temporary.data());
    return false;
  }
  bool written = false;
  try {
    written = write(file);
  } catch (...) {
    written = false;
  }
  if (!FinishFile(file, written) || rename(temporary.data(), path.c_str()) != 0) {
    unlink(temporary.data());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

#include "workspace/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "workspace/workspace.h"

namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Names compare as a case-insensitive file system orders them; byte order breaks ties
// so that names differing only in case keep a stable order.
bool NameBefore(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; i++) {
    unsigned char x = static_cast<unsigned char>(FoldCase(a[i]));
    unsigned char y = static_cast<unsigned char>(FoldCase(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool MatchFrom(const std::string& p, size_t pi, const std::string& s, size_t si) {
  while (pi < p.size()) {
    if (p[pi] == '*') {
      for (size_t k = si; k <= s.size(); k++)
        if (MatchFrom(p, pi + 1, s, k)) return true;
      return false;
    }
    if (si >= s.size()) return false;
    if (p[pi] != '?' && FoldCase(p[pi]) != FoldCase(s[si])) return false;
    pi++;
    si++;
  }
  return si == s.size();
}

std::string FolderOf(const std::string& path) {
  std::string folder, name;
  SplitPath(path, folder, name);
  return folder.empty() ? "./" : folder;
}

// Another entry of the folder that a case-insensitive file system would take for `name`.
bool NameTakenIgnoringCase(const std::string& folder, const std::string& name,
                           const std::string& except) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  bool taken = false;
  while (dirent* e = readdir(dir))
    if (e->d_name != except && SameIgnoringCase(e->d_name, name)) taken = true;
  closedir(dir);
  return taken;
}

}  // namespace

bool MatchWildcard(const std::string& pattern, const std::string& name) {
  // "*.*" stands for every name, also one without a dot.
  if (pattern == "*.*") return true;
  return MatchFrom(pattern, 0, name, 0);
}

bool ListFolder(const std::string& folder, const std::string& pattern,
                std::vector<std::string>& names) {
  names.clear();
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (MatchWildcard(pattern, name)) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), NameBefore);
  return true;
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) {
    folder.clear();
    name = path;
  } else {
    folder = path.substr(0, cut + 1);
    name = path.substr(cut + 1);
  }
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  std::string fromFolder, fromName, toFolder, toName;
  SplitPath(from, fromFolder, fromName);
  SplitPath(to, toFolder, toName);
  if (NameTakenIgnoringCase(FolderOf(to), toName, fromFolder == toFolder ? fromName : ""))
    return false;
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  // File systems without RENAME_NOREPLACE: link refuses an existing target just the same.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  if (unlink(from.c_str()) != 0) {
    unlink(to.c_str());
    return false;
  }
  return true;
}

FILE* OpenRegularFile(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO named like a picture would wait for a writer forever.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

bool CopyFileWhole(const std::string& from, const std::string& to) {
  FILE* in = OpenRegularFile(from);
  if (!in) return false;
  bool ok = WriteFileWhole(to, [in](FILE* out) {
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0)
      if (fwrite(buf, 1, n, out) != n) return false;
    return !ferror(in);
  });
  fclose(in);
  return ok;
}

bool DeleteFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool IsBareFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name)
    if (c == '/' || c == '\\' || c < 32 || c == 127) return false;
  return true;
}

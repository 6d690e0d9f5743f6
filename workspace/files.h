// workspace/files.h - the file system as the tool expects it to behave.
//
// Operations:
//   ListFolder(folder, pattern, names)  every name matching the wildcard, "." and ".." included,
//                                       ordered by name compared without regard to case
//   MatchWildcard(pattern, name)        "*" and "?" with letters compared without regard to case
//   SplitPath(path, folder, name)       cuts after the last "/" or "\"
//   RenameNoReplace(from, to)           never replaces a file, also not one named in another case
//   WriteFileWhole(path, write)         writes beside path, then renames over it when complete
//   OpenRegularFile(path)               for reading, a regular file only (never waits on a FIFO)
//   CopyFileWhole(from, to)             a copy that replaces the target whole
//   DeleteFile(path)
//   IsBareFileName(name)                a name that can only stand for a file inside its folder
#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

bool ListFolder(const std::string& folder, const std::string& pattern,
                std::vector<std::string>& names);
bool MatchWildcard(const std::string& pattern, const std::string& name);
void SplitPath(const std::string& path, std::string& folder, std::string& name);
bool RenameNoReplace(const std::string& from, const std::string& to);
bool WriteFileWhole(const std::string& path, const std::function<bool(FILE*)>& write);
FILE* OpenRegularFile(const std::string& path);
bool CopyFileWhole(const std::string& from, const std::string& to);
bool DeleteFile(const std::string& path);
bool IsBareFileName(const std::string& name);

// tests/support/fixtures.h - temporary folders and file bytes for tests.
#pragma once
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder with its trailing "/", as the album folder holds it.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderNames(const std::string& folder);
void MakeFolder(const std::string& path);

// A flat-coloured JPEG picture of the given size, written with the tool's own encoder;
// grey of the red value when green and blue are not given.
bool MakeJpeg(const std::string& path, int width = 32, int height = 24, int red = 128,
              int green = -1, int blue = -1);

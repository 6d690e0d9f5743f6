#include "tests/support/fixtures.h"

#include "imaging/picture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quorel-test-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(buf.data()) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // A test may have made parts read-only; give write access back before removing.
  for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
    if (e.is_directory(ec)) chmod(e.path().c_str(), 0755);
  chmod(path_.c_str(), 0755);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

bool MakeJpeg(const std::string& path, int width, int height, int red, int green, int blue) {
  if (green < 0) green = red;
  if (blue < 0) blue = red;
  Picture p;
  p.width = width;
  p.height = height;
  p.channels = 3;
  p.pixels.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < p.pixels.size(); i += 3) {
    p.pixels[i] = static_cast<uint8_t>(red);
    p.pixels[i + 1] = static_cast<uint8_t>(green);
    p.pixels[i + 2] = static_cast<uint8_t>(blue);
  }
  return EncodeJpegFile(p, path, 90);
}

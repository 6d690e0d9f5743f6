#include "workspace/workspace.h"

AlbumWorkspace Workspace;

void ResetWorkspace() { Workspace = AlbumWorkspace{}; }

std::string TrimBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string FitText(const std::string& text, size_t width) {
  if (text.size() >= width) return text.substr(0, width);
  return text + std::string(width - text.size(), ' ');
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

std::string EntryFileName(const std::string& entry) {
  return TrimBlanks(entry.substr(0, EntryNameWidth));
}

std::string EntryCaption(const std::string& entry) {
  if (entry.size() <= EntryNameWidth) return "";
  return TrimBlanks(entry.substr(EntryNameWidth));
}

std::string MakePictureEntry(const std::string& name, const std::string& caption) {
  return FitText(name, EntryNameWidth) + caption;
}

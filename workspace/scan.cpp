#include "workspace/scan.h"

#include <vector>

#include "imaging/picture.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/workspace.h"

bool IsPictureName(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? "" : UpperCase(name.substr(dot + 1));
  if (ext != "PNG" && ext != "BMP" && ext != "JPG") return false;
  return name[0] != ThumbnailPrefix;
}

std::string ThumbnailName(const std::string& name) { return ThumbnailPrefix + name; }

void ScanPictureFolder() {
  ClearItems(PictureList);
  std::vector<std::string> names;
  if (!ListFolder(Workspace.albumFolder, "*.*", names)) return;
  for (const std::string& name : names)
    if (IsPictureName(name)) AddItem(PictureList, -1, FitText(name, ScannedEntryWidth));
}

void ListBackgroundLibrary() {
  std::vector<std::string> names;
  if (!ListFolder(Workspace.libraryFolder, "*.*", names)) return;
  for (const std::string& name : names)
    if (name[0] != '.') AddItem(BackgroundList, -1, name);
}

void SelectBackgroundPicture() {
  std::string name = ControlText(BackgroundList);
  if (LoadPicture(Workspace.libraryFolder + name)) ScalePicture(70, 60);
  ShowPicture(BackgroundPreview, PictureHandle());
  SetBackColour(BackgroundColourField, 0);
  SetControlText(BackgroundColourField, "-");
}

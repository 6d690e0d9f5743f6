// imaging/process.h - the Process command: rename, reduce and thumbnail passes over the
// pictures of the album folder, in place.
//
// Operations:
//   ProcessPictures()                 the Process button: the passes the controls ask for
//   ScaleToHeight(index, target)      loads the entry's picture, scaled to the target height
//   LoadPictureAtHeight(name, target) the same for a picture named in the album folder
//   ScaledSize(width, height, target) the size ScaleToHeight gives a picture of that size
//   RenameNumber(counter)             the three characters a new name carries
//   NumberedName(prefix, counter, name)  the new name of a picture on renaming
#pragma once
#include <string>

constexpr int ThumbnailHeight = 160;
constexpr int ProcessJpegQuality = 9;
constexpr int PreviewWidth = 200;
constexpr int PreviewHeight = 150;

struct PictureSize {
  int width = 0;
  int height = 0;
};

void ProcessPictures();
bool ScaleToHeight(int index, int target);
bool LoadPictureAtHeight(const std::string& name, int target);
PictureSize ScaledSize(int width, int height, int target);
std::string RenameNumber(int counter);
std::string NumberedName(const std::string& prefix, int counter, const std::string& name);

// workspace/scan.h - the picture folder and the background library listed into the window.
//
// Operations:
//   ScanPictureFolder()        refills the picture list from the album folder
//   ListBackgroundLibrary()    fills the background list from the library folder
//   SelectBackgroundPicture()  shows the chosen background and marks the colour field "-"
//   IsPictureName(name)        a name the scan lists: .jpg, .png or .bmp, not a thumbnail
//   ThumbnailName(name)        the thumbnail's name: the prefix, then the picture's name
#pragma once
#include <string>

constexpr char ThumbnailPrefix = '1';
constexpr size_t ScannedEntryWidth = 30;

void ScanPictureFolder();
void ListBackgroundLibrary();
void SelectBackgroundPicture();
bool IsPictureName(const std::string& name);
std::string ThumbnailName(const std::string& name);

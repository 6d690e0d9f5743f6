// imaging/process.cpp - the Process command.
//
// Every write goes through SavePictureJpeg, which replaces a file only once its new JPEG
// is complete, and every rename refuses to replace a file; so a failure or a kill at any
// moment leaves each picture either as it was or wholly rewritten. Names come from the
// picture list, which a hand-written page can fill with anything: a name that is not a
// bare file name is never turned into a path.
#include "imaging/process.h"

#include <climits>

#include "imaging/picture.h"
#include "ui/controls.h"
#include "ui/toolkit.h"
#include "workspace/files.h"
#include "workspace/scan.h"
#include "workspace/workspace.h"

static std::string EntryName(int index) { return EntryFileName(ItemText(PictureList, index)); }

// Truncated toward zero; a product beyond int is a size no scaler accepts anyway.
static int TruncateSide(double side) { return side >= double(INT_MAX) ? INT_MAX : int(side); }

PictureSize ScaledSize(int width, int height, int target) {
  if (width < 1 || height < 1) return PictureSize();
  // Held in single precision on purpose: this is what makes a height come out one short.
  float ratio = float(double(target) / double(height));
  return {TruncateSide(double(ratio) * width), TruncateSide(double(ratio) * height)};
}

std::string RenameNumber(int counter) {
  std::string number = std::to_string(counter);
  if (number.size() < 3) return std::string(3 - number.size(), '0') + number;
  return number.substr(0, 3);
}

std::string NumberedName(const std::string& prefix, int counter, const std::string& name) {
  std::string extension = name.size() <= 3 ? name : name.substr(name.size() - 3);
  return prefix + RenameNumber(counter) + "." + extension;
}

bool LoadPictureAtHeight(const std::string& name, int target) {
  if (!IsBareFileName(name) || !LoadPicture(Workspace.albumFolder + name)) return false;
  PictureSize size = ScaledSize(PictureWidth(), PictureHeight(), target);
  ScalePicture(size.width, size.height);
  // The scaler leaves a picture alone when the size is out of its reach (a side of 0).
  return PictureWidth() == size.width && PictureHeight() == size.height;
}

bool ScaleToHeight(int index, int target) { return LoadPictureAtHeight(EntryName(index), target); }

static void ShowInPreview() {
  ScalePicture(PreviewWidth, PreviewHeight);
  ShowPicture(PicturePreview, PictureHandle());
}

// One picture of the reduce or thumbnail pass, written under `fileName` in the album folder.
static void WriteScaledPicture(int index, int target, const std::string& fileName) {
  if (!ScaleToHeight(index, target)) {
    ShowPicture(PicturePreview, nullptr);
    return;
  }
  SavePictureJpeg(Workspace.albumFolder + fileName, ProcessJpegQuality);
  ShowInPreview();
}

static void RenamePictures() {
  const std::string& folder = Workspace.albumFolder;
  std::string prefix = ControlText(RenamePrefixField);
  int count = CountItems(PictureList);
  // The counter moves on for every entry, renamed or not.
  for (int index = 0, counter = 1; index < count; ++index, ++counter) {
    std::string name = EntryName(index);
    std::string newName = NumberedName(prefix, counter, name);
    if (!IsBareFileName(name) || !IsBareFileName(newName)) continue;
    // A thumbnail follows only its own picture: moved alone it would show another one's.
    if (RenameNoReplace(folder + name, folder + newName))
      RenameNoReplace(folder + ThumbnailName(name), folder + ThumbnailName(newName));
  }
  ScanPictureFolder();
}

static int ReduceTarget() {
  if (ControlState(Reduce480Option) == 1) return 480;
  if (ControlState(Reduce600Option) == 1) return 600;
  if (ControlState(Reduce768Option) == 1) return 768;
  return 0;
}

static void ReducePictures(int target) {
  if (target == 0) return;  // no height class chosen: nothing to reduce to
  int count = CountItems(PictureList);
  for (int index = 0; index < count; ++index) WriteScaledPicture(index, target, EntryName(index));
}

static void WriteThumbnails() {
  int count = CountItems(PictureList);
  for (int index = 0; index < count; ++index)
    WriteScaledPicture(index, ThumbnailHeight, ThumbnailName(EntryName(index)));
}

void ProcessPictures() {
  if (ControlState(RenameCheck) == 1) RenamePictures();
  if (ControlState(NoAdjustOption) != 1) ReducePictures(ReduceTarget());
  if (ControlState(ThumbnailsCheck) == 1) WriteThumbnails();
}

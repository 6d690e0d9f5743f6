// imaging/picture.cpp - the working picture and the operations callers use on it.
#include "imaging/picture.h"
#include "workspace/files.h"

#include <cstdio>
#include <new>

// Replaced, never changed in place: a picture view may still hold the previous one.
static PictureRef WorkingPicture;

void StartImageServices() {
  // libjpeg and libpng keep no process state; every coder sets up its own error handling.
  // The bitmap reader raises its allocation limit on each use.
}

static bool FileStartsWith(const std::string& head, const char* magic, size_t length) {
  return head.size() >= length && head.compare(0, length, magic, length) == 0;
}

// The first bytes of a file, enough to tell the formats apart.
static std::string ReadFileHead(const std::string& path) {
  std::string head(8, '\0');
  FILE* f = OpenRegularFile(path);
  if (!f) return std::string();
  head.resize(std::fread(&head[0], 1, head.size(), f));
  std::fclose(f);
  return head;
}

bool LoadPicture(const std::string& path) {
  WorkingPicture.reset();
  std::string head = ReadFileHead(path);
  auto picture = std::make_shared<Picture>();
  bool loaded = false;
  if (FileStartsWith(head, "BM", 2))
    loaded = DecodeBitmapFile(path, *picture);
  else if (head.size() > 2 && FileStartsWith(head, "\xFF\xD8", 2))
    loaded = DecodeJpegFile(path, *picture);
  else if (FileStartsWith(head, "\x89PNG\r\n\x1A\n", 8))
    loaded = DecodePngFile(path, *picture);
  if (loaded) WorkingPicture = picture;
  return loaded;
}

int PictureWidth() { return WorkingPicture ? WorkingPicture->width : 0; }

int PictureHeight() { return WorkingPicture ? WorkingPicture->height : 0; }

void ScalePicture(int width, int height) {
  if (!WorkingPicture || width < 1 || height < 1) return;
  if (width == WorkingPicture->width && height == WorkingPicture->height) return;
  if (int64_t(width) * height > MaxPicturePixels) return;
  try {
    WorkingPicture = std::make_shared<Picture>(AreaAverage(*WorkingPicture, width, height));
  } catch (const std::bad_alloc&) {
    // Too large for the memory at hand: the picture stays as it was, which callers can see.
  }
}

PictureRef PictureHandle() { return WorkingPicture; }

// Pixels for a decoder to fill; false when memory runs short.
bool SizePicture(Picture& out, int width, int height, int channels) noexcept {
  try {
    out.width = width;
    out.height = height;
    out.channels = channels;
    out.pixels.assign(size_t(width) * height * channels, 0);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool SavePictureJpeg(const std::string& path, int quality) {
  if (!WorkingPicture) return false;
  if (quality < 0) quality = 0;
  if (quality > 10) quality = 10;
  return EncodeJpegFile(*WorkingPicture, path, 10 * quality);
}

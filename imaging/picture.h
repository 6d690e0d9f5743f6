// imaging/picture.h - the working picture through which all picture work passes.
//
// Operations:
//   StartImageServices()            makes the JPEG writer, JPEG reader and PNG reader ready
//   LoadPicture(path)               reads a BMP, JPEG or PNG file, found by content
//   PictureWidth(), PictureHeight() size of the working picture, 0 when empty
//   ScalePicture(w, h)              area-averages to exactly w x h, alpha kept; a side below 1
//                                   or more than MaxPicturePixels in all changes nothing
//   PictureHandle()                 what a picture view shows; null when empty
//   SavePictureJpeg(path, quality)  writes JPEG at quality 10 x q, replacing the file whole
//
// The codec entry points below work on a Picture alone, so benchmarks and tests
// can drive them without the working picture.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  int channels = 3;               // 3: RGB, 4: RGBA (straight alpha)
  std::vector<uint8_t> pixels;    // rows top to bottom, no padding
};

using PictureRef = std::shared_ptr<const Picture>;

// Largest picture any reader accepts; beyond it a file fails to load like a bad one.
constexpr int64_t MaxPicturePixels = 300'000'000;

void StartImageServices();
bool LoadPicture(const std::string& path);
int PictureWidth();
int PictureHeight();
void ScalePicture(int width, int height);
PictureRef PictureHandle();
bool SavePictureJpeg(const std::string& path, int quality);

// Codecs and the scaler, on explicit pictures.
bool DecodeJpegFile(const std::string& path, Picture& out);
bool DecodePngFile(const std::string& path, Picture& out);
bool DecodeBitmapFile(const std::string& path, Picture& out);
Picture AreaAverage(const Picture& in, int width, int height);
bool SizePicture(Picture& out, int width, int height, int channels) noexcept;
bool EncodeJpegFile(const Picture& in, const std::string& path, int libjpegQuality);

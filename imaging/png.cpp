// imaging/png.cpp - PNG reading through libpng.
#include <csetjmp>
#include <cstdio>

#include <png.h>

#include "imaging/picture.h"
#include "workspace/files.h"

// libpng's own handlers print to stderr.
static void LeavePngOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

static void IgnorePngWarning(png_structp, png_const_charp) {}

// Everything arrives as 8-bit RGB, with alpha when the file has any transparency.
static void AskForRgb(png_structp png, png_infop info) {
  int type = png_get_color_type(png, info);
  png_set_strip_16(png);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
}

static bool ReadPng(FILE* file, Picture& out) {
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeavePngOnError, IgnorePngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_user_limits(png, png_uint_32(MaxPicturePixels), png_uint_32(MaxPicturePixels));
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (int64_t(width) * height > MaxPicturePixels) png_error(png, "picture too large");
  AskForRgb(png, info);
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  int channels = png_get_channels(png, info);
  if ((channels != 3 && channels != 4) || png_get_rowbytes(png, info) != size_t(width) * channels)
    png_error(png, "unexpected row layout");
  if (!SizePicture(out, int(width), int(height), channels)) png_error(png, "out of memory");
  size_t stride = size_t(width) * channels;
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, &out.pixels[y * stride], nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool DecodePngFile(const std::string& path, Picture& out) {
  out = Picture();
  FILE* file = OpenRegularFile(path);
  if (!file) return false;
  bool loaded = ReadPng(file, out);
  std::fclose(file);
  if (!loaded) out = Picture();
  return loaded;
}

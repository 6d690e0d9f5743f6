// samples/picture_files.h - writing PNG and BMP files, which the tool itself only reads;
// the sample generator and the tests make them with these. Header only.
#pragma once
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>

#include "imaging/picture.h"

inline bool WritePngFile(const Picture& p, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(p.width), png_uint_32(p.height), 8,
               p.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < p.height; ++y)
    png_write_row(png, const_cast<png_bytep>(&p.pixels[size_t(y) * p.width * p.channels]));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

// 24-bit, bottom-up rows padded to four bytes.
inline bool WriteBmpFile(const Picture& p, const std::string& path) {
  std::string data;
  auto put = [&data](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) data.push_back(char((v >> (8 * i)) & 255));
  };
  uint32_t stride = (uint32_t(p.width) * 3 + 3) & ~3u;
  uint32_t size = stride * uint32_t(p.height);
  data = "BM";
  put(54 + size, 4), put(0, 4), put(54, 4);
  put(40, 4), put(uint32_t(p.width), 4), put(uint32_t(p.height), 4);
  put(1, 2), put(24, 2), put(0, 4), put(size, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  for (int y = p.height - 1; y >= 0; --y) {
    const uint8_t* px = &p.pixels[size_t(y) * p.width * 3];
    for (int x = 0; x < p.width; ++x, px += 3) data += {char(px[2]), char(px[1]), char(px[0])};
    data.append(stride - uint32_t(p.width) * 3, '\0');
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

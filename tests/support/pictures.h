// tests/support/pictures.h - pictures made from arithmetic for tests and benchmarks, writers
// for the formats the tool reads, and checks on written JPEG files through libjpeg itself.
// Header only, so that the benchmarks can use it without the test support library.
#pragma once
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "samples/picture_files.h"

namespace testpictures {

inline uint32_t NextRandom(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

inline double RandomUnit(uint32_t& state) { return (NextRandom(state) >> 8) / double(1 << 24); }

// A photograph stand-in: sky and ground gradients under a wavy horizon, soft-edged discs of
// colour, and sensor-like grain, so that coders and scalers meet edges, slopes and noise.
inline Picture MakePhoto(int width, int height, uint32_t seed) {
  uint32_t rng = seed * 2654435761u + 1;
  Picture p;
  p.width = width;
  p.height = height;
  p.channels = 3;
  p.pixels.resize(size_t(width) * height * 3);
  float sky[2][3], ground[2][3];
  for (auto* c : {sky[0], sky[1], ground[0], ground[1]})
    for (int k = 0; k < 3; ++k) c[k] = float(30 + 200 * RandomUnit(rng));
  std::vector<float> horizon(static_cast<size_t>(width)), shade(static_cast<size_t>(width));
  double phase = 6.28 * RandomUnit(rng), waves = 2 + 6 * RandomUnit(rng);
  for (int x = 0; x < width; ++x) {
    double u = double(x) / width;
    horizon[size_t(x)] = float(height * (0.55 + 0.12 * std::sin(u * waves + phase) +
                                         0.04 * std::sin(u * waves * 5.3 + phase * 2)));
    shade[size_t(x)] = float(25 * std::sin(u * 3.1 + phase));
  }
  struct Disc { float x, y, r, colour[3], opacity; };
  std::vector<Disc> discs(size_t(5 + NextRandom(rng) % 8));
  for (Disc& d : discs) {
    d.x = float(width * RandomUnit(rng));
    d.y = float(height * RandomUnit(rng));
    d.r = float(std::min(width, height) * (0.04 + 0.2 * RandomUnit(rng)));
    for (float& c : d.colour) c = float(255 * RandomUnit(rng));
    d.opacity = float(0.5 + 0.45 * RandomUnit(rng));
  }
  std::vector<float> row(size_t(width) * 3);
  for (int y = 0; y < height; ++y) {
    float v = float(y) / float(height);
    for (int x = 0; x < width; ++x) {
      bool below = float(y) > horizon[size_t(x)];
      const float(*g)[3] = below ? ground : sky;
      for (int k = 0; k < 3; ++k)
        row[size_t(x) * 3 + k] = g[0][k] + (g[1][k] - g[0][k]) * v + shade[size_t(x)];
    }
    for (const Disc& d : discs) {
      float dy = float(y) - d.y;
      if (std::fabs(dy) >= d.r) continue;
      float half = std::sqrt(d.r * d.r - dy * dy);
      int from = std::max(0, int(d.x - half)), to = std::min(width, int(d.x + half) + 1);
      for (int x = from; x < to; ++x)
        for (int k = 0; k < 3; ++k) {
          float& c = row[size_t(x) * 3 + k];
          c += (d.colour[k] - c) * d.opacity;
        }
    }
    uint8_t* out = &p.pixels[size_t(y) * width * 3];
    for (size_t i = 0; i < row.size(); ++i) {
      float grain = float(int(NextRandom(rng) & 15) - 8);
      out[i] = uint8_t(std::clamp(row[i] + grain, 0.f, 255.f));
    }
  }
  return p;
}

// One colour everywhere; channels 4 adds the given alpha.
inline Picture MakeFlat(int width, int height, int r, int g, int b, int alpha = -1) {
  Picture p;
  p.width = width;
  p.height = height;
  p.channels = alpha < 0 ? 3 : 4;
  for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
    p.pixels.insert(p.pixels.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
    if (alpha >= 0) p.pixels.push_back(uint8_t(alpha));
  }
  return p;
}

// What a JPEG file's header says about how it was written.
struct JpegFacts {
  bool readable = false;
  int width = 0, height = 0;
  bool progressive = false, jfif = false, ycbcr420 = false;
  bool quantMatches = false;  // tables are libjpeg's own for the quality asked about
};

namespace detail {
struct Errors {
  jpeg_error_mgr manager;
  jmp_buf jump;
};
inline void Leave(j_common_ptr c) { longjmp(reinterpret_cast<Errors*>(c->err)->jump, 1); }
inline void Quiet(j_common_ptr) {}
}  // namespace detail

inline JpegFacts InspectJpeg(const std::string& path, int libjpegQuality) {
  JpegFacts facts;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return facts;
  jpeg_decompress_struct d{};
  jpeg_compress_struct c{};
  detail::Errors errors;
  d.err = c.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = detail::Leave;
  errors.manager.output_message = detail::Quiet;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&d);
    jpeg_destroy_compress(&c);
    std::fclose(f);
    return JpegFacts();
  }
  jpeg_create_decompress(&d);
  jpeg_create_compress(&c);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  facts.readable = true;
  facts.width = int(d.image_width);
  facts.height = int(d.image_height);
  facts.progressive = d.progressive_mode;
  facts.jfif = d.saw_JFIF_marker;
  facts.ycbcr420 = d.jpeg_color_space == JCS_YCbCr && d.num_components == 3 &&
                   d.comp_info[0].h_samp_factor == 2 && d.comp_info[0].v_samp_factor == 2 &&
                   d.comp_info[1].h_samp_factor == 1 && d.comp_info[2].v_samp_factor == 1;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, libjpegQuality, FALSE);
  facts.quantMatches = true;
  for (int t = 0; t < 2; ++t) {
    if (!d.quant_tbl_ptrs[t] || !c.quant_tbl_ptrs[t]) facts.quantMatches = false;
    for (int i = 0; facts.quantMatches && i < DCTSIZE2; ++i)
      facts.quantMatches = d.quant_tbl_ptrs[t]->quantval[i] == c.quant_tbl_ptrs[t]->quantval[i];
  }
  jpeg_destroy_decompress(&d);
  jpeg_destroy_compress(&c);
  std::fclose(f);
  return facts;
}

// Mean over all samples of |a - b|; a large value when the sizes differ.
inline double MeanAbsoluteDifference(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.channels != b.channels || a.pixels.empty())
    return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
  return sum / double(a.pixels.size());
}

}  // namespace testpictures

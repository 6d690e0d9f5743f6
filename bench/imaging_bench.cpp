// Decoding, shrinking and encoding a 12-megapixel photograph, the Process command's daily work.
// libjpeg's own DCT-scaled decode runs in the same binary as a yardstick for the ratios.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>

#include "imaging/picture.h"

namespace {

// Sky-to-ground gradients, a few discs and blocks with soft edges, and sensor-like noise.
Picture MakePhoto(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.resize(size_t(width) * height * 3);
  uint32_t seed = 2024;
  uint8_t* px = p.pixels.data();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x, px += 3) {
      double fy = double(y) / height, fx = double(x) / width;
      double r = 90 + 120 * fy, g = 140 + 60 * std::sin(fx * 6.0), b = 230 - 150 * fy;
      double dx = fx - 0.3, dy = fy - 0.4;
      if (dx * dx + dy * dy < 0.02) r = 240, g = 200 - 400 * (dx * dx + dy * dy) * 10, b = 40;
      if (fx > 0.6 && fx < 0.85 && fy > 0.5 && fy < 0.9) r *= 0.4, g *= 0.5, b *= 0.3;
      double stripes = 12 * std::sin(x * 0.05 + y * 0.02);
      seed = seed * 1664525 + 1013904223;
      double noise = int(seed >> 27) - 16;
      double v[3] = {r + stripes + noise, g + stripes + noise, b + noise};
      for (int c = 0; c < 3; ++c) px[c] = uint8_t(std::fmin(255.0, std::fmax(0.0, v[c])));
    }
  return p;
}

struct Inputs {
  std::string folder, photo;
  Picture decoded, small;
  Inputs() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorel-bench-XXXXXX";
    folder = mkdtemp(&pattern[0]) ? pattern + "/" : "./";
    photo = folder + "photo.jpg";
    if (!EncodeJpegFile(MakePhoto(4000, 3000), photo, 90) || !DecodeJpegFile(photo, decoded))
      std::abort();
    small = AreaAverage(decoded, 640, 480);
  }
  ~Inputs() {
    std::remove(photo.c_str());
    std::remove((folder + "out.jpg").c_str());
    rmdir(folder.c_str());
  }
};

const Inputs& Shared() {
  static Inputs inputs;
  return inputs;
}

void DecodeJpeg(benchmark::State& state) {
  const Inputs& in = Shared();
  Picture out;
  for (auto _ : state) {
    if (!DecodeJpegFile(in.photo, out)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(out.pixels.data());
  }
  state.SetLabel(std::to_string(out.width) + "x" + std::to_string(out.height));
}
BENCHMARK(DecodeJpeg)->Unit(benchmark::kMillisecond);

void LibjpegEighthScaleDecode(benchmark::State& state) {
  const Inputs& in = Shared();
  std::vector<uint8_t> row;
  for (auto _ : state) {
    FILE* f = std::fopen(in.photo.c_str(), "rb");
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.scale_num = 1;
    d.scale_denom = 8;
    jpeg_start_decompress(&d);
    row.resize(size_t(d.output_width) * d.output_components);
    while (d.output_scanline < d.output_height) {
      JSAMPROW line = row.data();
      jpeg_read_scanlines(&d, &line, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(LibjpegEighthScaleDecode)->Unit(benchmark::kMillisecond);

void ShrinkByAreaAverage(benchmark::State& state) {
  const Inputs& in = Shared();
  for (auto _ : state) {
    Picture out = AreaAverage(in.decoded, int(state.range(0)), int(state.range(1)));
    benchmark::DoNotOptimize(out.pixels.data());
  }
}
BENCHMARK(ShrinkByAreaAverage)->Args({640, 480})->Args({213, 160})->Unit(benchmark::kMillisecond);

void EncodeJpegQuality90(benchmark::State& state) {
  const Inputs& in = Shared();
  const Picture& picture = state.range(0) ? in.decoded : in.small;
  for (auto _ : state)
    if (!EncodeJpegFile(picture, in.folder + "out.jpg", 90)) state.SkipWithError("encode failed");
  state.SetLabel(std::to_string(picture.width) + "x" + std::to_string(picture.height));
}
BENCHMARK(EncodeJpegQuality90)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

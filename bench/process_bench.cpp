// Thumbnail pass timings over a few generated photographs, with peers in the same run so that
// the pass can be quoted as a ratio:
//   ThumbnailPass         load, area-average to 160 high, write JPEG: what Process does
//   DecodeEncodeUnscaled  the same files decoded and written again at full size
//   DecodeOnly            the decoding alone, the floor of any full-size approach
//   DctScaledThumbnails   libjpeg decoding at 1/2, 1/4 or 1/8 scale first, then the same
//                         averaging and writing: what a faster pass could do
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <stdlib.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "imaging/process.h"
#include "tests/support/pictures.h"
#include "workspace/workspace.h"

namespace {

struct Photos {
  std::string folder;
  std::vector<std::string> names;
  Photos() {
    char pattern[] = "/tmp/quorel-bench-XXXXXX";
    folder = std::string(mkdtemp(pattern)) + "/";
    const PictureSize sizes[] = {{2048, 1536}, {1920, 1080}, {3264, 2448}, {4000, 3000}};
    for (size_t i = 0; i < std::size(sizes); ++i) {
      names.push_back("photo" + std::to_string(i) + ".jpg");
      Picture p = testpictures::MakePhoto(sizes[i].width, sizes[i].height, uint32_t(i + 1));
      EncodeJpegFile(p, folder + names.back(), 92);
    }
    Workspace.albumFolder = folder;
  }
  ~Photos() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

const Photos& TestPhotos() {
  static Photos photos;
  return photos;
}

void ThumbnailPass(benchmark::State& state) {
  const Photos& photos = TestPhotos();
  for (auto _ : state)
    for (const std::string& name : photos.names)
      if (LoadPictureAtHeight(name, ThumbnailHeight))
        SavePictureJpeg(photos.folder + "1" + name, ProcessJpegQuality);
}

void DecodeEncodeUnscaled(benchmark::State& state) {
  const Photos& photos = TestPhotos();
  for (auto _ : state)
    for (const std::string& name : photos.names) {
      Picture p;
      if (DecodeJpegFile(photos.folder + name, p))
        EncodeJpegFile(p, photos.folder + "1" + name, 10 * ProcessJpegQuality);
    }
}

void DecodeOnly(benchmark::State& state) {
  const Photos& photos = TestPhotos();
  for (auto _ : state)
    for (const std::string& name : photos.names) {
      Picture p;
      benchmark::DoNotOptimize(DecodeJpegFile(photos.folder + name, p));
    }
}

struct JpegErrors {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

void LeaveOnError(j_common_ptr c) { longjmp(reinterpret_cast<JpegErrors*>(c->err)->jump, 1); }

// Decodes at the smallest DCT scale that still leaves at least `height` rows.
bool DecodeScaledDown(const std::string& path, int height, Picture& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  jpeg_decompress_struct d{};
  JpegErrors errors;
  d.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveOnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    return false;
  }
  jpeg_create_decompress(&d);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  d.scale_num = 1;
  d.scale_denom = 1;
  while (d.scale_denom < 8 && int(d.image_height / (d.scale_denom * 2)) >= height)
    d.scale_denom *= 2;
  jpeg_start_decompress(&d);
  out.width = int(d.output_width);
  out.height = int(d.output_height);
  out.channels = 3;
  out.pixels.resize(size_t(out.width) * out.height * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &out.pixels[size_t(d.output_scanline) * out.width * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  std::fclose(f);
  return true;
}

void DctScaledThumbnails(benchmark::State& state) {
  const Photos& photos = TestPhotos();
  for (auto _ : state)
    for (const std::string& name : photos.names) {
      Picture p;
      if (!DecodeScaledDown(photos.folder + name, ThumbnailHeight, p)) continue;
      PictureSize size = ScaledSize(p.width, p.height, ThumbnailHeight);
      EncodeJpegFile(AreaAverage(p, size.width, size.height), photos.folder + "1" + name,
                     10 * ProcessJpegQuality);
    }
}

}  // namespace

BENCHMARK(ThumbnailPass)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeEncodeUnscaled)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(DctScaledThumbnails)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Image services: loading by content, area averaging and JPEG saving, on fixtures made here.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include <jpeglib.h>
#include <png.h>

#include "imaging/picture.h"
#include "tests/support/fixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Shade = std::function<Bytes(int x, int y)>;

// ---- fixture writers ----------------------------------------------------------------------

struct JpegRecipe {
  int width = 32, height = 32;
  J_COLOR_SPACE given = JCS_RGB;   // what the samples are
  J_COLOR_SPACE stored = JCS_YCbCr;
  bool adobe = true;               // only consulted for CMYK and YCCK
  bool progressive = false;
  int quality = 95;
};

std::string MakeJpeg(const JpegRecipe& r, const Shade& shade) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = JDIMENSION(r.width);
  c.image_height = JDIMENSION(r.height);
  c.in_color_space = r.given;
  c.input_components = r.given == JCS_GRAYSCALE ? 1 : r.given == JCS_CMYK ? 4 : 3;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, r.stored);
  if (r.stored == JCS_CMYK || r.stored == JCS_YCCK) c.write_Adobe_marker = r.adobe;
  jpeg_set_quality(&c, r.quality, TRUE);
  if (r.progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  Bytes row;
  for (int y = 0; y < r.height; ++y) {
    row.clear();
    for (int x = 0; x < r.width; ++x) {
      Bytes px = shade(x, y);
      row.insert(row.end(), px.begin(), px.end());
    }
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&c, &line, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  free(buffer);
  return bytes;
}

struct PngRecipe {
  int width = 0, height = 0;
  int type = PNG_COLOR_TYPE_RGB;
  int depth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  Bytes alphas;                    // tRNS for a palette
  int transparentGrey = -1;        // tRNS for grey
  std::vector<Bytes> rows;         // packed samples as stored, 16-bit ones big-endian
};

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<char*>(data), length);
}

std::string MakePng(const PngRecipe& r) {
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &bytes, AppendPngBytes, nullptr);
  png_set_IHDR(png, info, png_uint_32(r.width), png_uint_32(r.height), r.depth, r.type,
               r.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!r.palette.empty())
    png_set_PLTE(png, info, r.palette.data(), int(r.palette.size()));
  if (!r.alphas.empty())
    png_set_tRNS(png, info, r.alphas.data(), int(r.alphas.size()), nullptr);
  if (r.transparentGrey >= 0) {
    png_color_16 grey{};
    grey.gray = png_uint_16(r.transparentGrey);
    png_set_tRNS(png, info, nullptr, 0, &grey);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (auto& row : r.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

// An 8-bit RGB or RGBA PNG of a shade function.
std::string MakeShadedPng(int width, int height, bool alpha, const Shade& shade) {
  PngRecipe r;
  r.width = width;
  r.height = height;
  r.type = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  for (int y = 0; y < height; ++y) {
    Bytes row;
    for (int x = 0; x < width; ++x) {
      Bytes px = shade(x, y);
      row.insert(row.end(), px.begin(), px.end());
    }
    r.rows.push_back(row);
  }
  return MakePng(r);
}

Bytes PixelAt(const PictureRef& p, int x, int y) {
  auto at = p->pixels.begin() + (size_t(y) * p->width + x) * p->channels;
  return Bytes(at, at + p->channels);
}

::testing::AssertionResult Near(const Bytes& got, const Bytes& want, int tolerance) {
  bool same = got.size() == want.size();
  for (size_t i = 0; same && i < got.size(); ++i)
    same = std::abs(int(got[i]) - int(want[i])) <= tolerance;
  if (same) return ::testing::AssertionSuccess();
  auto show = [](const Bytes& b) {
    std::string s;
    for (auto v : b) s += std::to_string(v) + " ";
    return s;
  };
  return ::testing::AssertionFailure() << "got " << show(got) << "want " << show(want);
}

class ImagingTest : public ::testing::Test {
 protected:
  void SetUp() override { StartImageServices(); }
  PictureRef Load(const std::string& name, const std::string& bytes) {
    WriteBytes(dir / name, bytes);
    if (!LoadPicture(dir / name)) return nullptr;
    return PictureHandle();
  }
  TempFolder dir;
};

// ---- loading -------------------------------------------------------------------------------

TEST_F(ImagingTest, JpegColourSpacesArriveAsRgb) {
  struct Case {
    const char* name;
    JpegRecipe recipe;
    Bytes top, bottom;  // stored samples of the two halves
    Bytes topRgb, bottomRgb;
  };
  auto recipe = [](J_COLOR_SPACE given, J_COLOR_SPACE stored, bool adobe, bool progressive) {
    JpegRecipe r;
    r.given = given;
    r.stored = stored;
    r.adobe = adobe;
    r.progressive = progressive;
    return r;
  };
  const Case cases[] = {
      {"colour", recipe(JCS_RGB, JCS_YCbCr, true, false), {200, 30, 40}, {20, 60, 220},
       {200, 30, 40}, {20, 60, 220}},
      {"progressive", recipe(JCS_RGB, JCS_YCbCr, true, true), {200, 30, 40}, {20, 60, 220},
       {200, 30, 40}, {20, 60, 220}},
      {"grey", recipe(JCS_GRAYSCALE, JCS_GRAYSCALE, true, false), {40}, {210},
       {40, 40, 40}, {210, 210, 210}},
      // Adobe files hold 255 - ink: full magenta and yellow, no cyan or black, is red.
      {"Adobe CMYK", recipe(JCS_CMYK, JCS_CMYK, true, false), {255, 0, 0, 255},
       {255, 255, 255, 128}, {255, 0, 0}, {128, 128, 128}},
      {"Adobe YCCK", recipe(JCS_CMYK, JCS_YCCK, true, false), {255, 0, 0, 255},
       {255, 255, 255, 128}, {255, 0, 0}, {128, 128, 128}},
      {"plain CMYK", recipe(JCS_CMYK, JCS_CMYK, false, false), {0, 255, 255, 0},
       {0, 0, 0, 127}, {255, 0, 0}, {128, 128, 128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto shade = [&](int, int y) { return y < 16 ? c.top : c.bottom; };
    PictureRef p = Load("a.jpg", MakeJpeg(c.recipe, shade));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 32);
    EXPECT_EQ(p->height, 32);
    EXPECT_EQ(p->channels, 3);
    EXPECT_TRUE(Near(PixelAt(p, 5, 4), c.topRgb, 4));
    EXPECT_TRUE(Near(PixelAt(p, 27, 28), c.bottomRgb, 4));
  }
}

TEST_F(ImagingTest, PngKindsExpandToRgbWithAlphaOnlyWhenTransparent) {
  struct Case {
    const char* name;
    PngRecipe recipe;
    int channels;
    std::vector<Bytes> pixels;  // first row, left to right
  };
  auto png = [](int type, int depth, std::vector<Bytes> rows) {
    PngRecipe r;
    r.type = type;
    r.depth = depth;
    r.height = int(rows.size());
    r.rows = rows;
    return r;
  };
  PngRecipe palette = png(PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 1}});
  palette.width = 3;
  palette.palette = {{10, 20, 30}, {200, 100, 0}};
  PngRecipe paletteAlpha = png(PNG_COLOR_TYPE_PALETTE, 4, {{0x01, 0x20}});
  paletteAlpha.width = 3;
  paletteAlpha.palette = {{10, 20, 30}, {200, 100, 0}, {1, 2, 3}};
  paletteAlpha.alphas = {0, 128};  // the third entry stays opaque
  PngRecipe grey = png(PNG_COLOR_TYPE_GRAY, 8, {{0, 77, 255}});
  grey.width = 3;
  PngRecipe grey2 = png(PNG_COLOR_TYPE_GRAY, 2, {{0x1B}});  // samples 0 1 2 3
  grey2.width = 4;
  grey2.transparentGrey = 1;
  PngRecipe greyAlpha = png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{50, 0, 60, 255}});
  greyAlpha.width = 2;
  PngRecipe deep = png(PNG_COLOR_TYPE_RGB, 16, {{0x12, 0xFF, 0xAB, 0x01, 0x00, 0x80}});
  deep.width = 1;
  PngRecipe deepAlpha = png(PNG_COLOR_TYPE_RGB_ALPHA, 16,
                            {{0xFF, 0x00, 0x00, 0xFF, 0x7F, 0xFF, 0x80, 0x00}});
  deepAlpha.width = 1;
  const Case cases[] = {
      {"palette", palette, 3, {{10, 20, 30}, {200, 100, 0}, {200, 100, 0}}},
      {"palette 4-bit with tRNS", paletteAlpha, 4,
       {{10, 20, 30, 0}, {200, 100, 0, 128}, {1, 2, 3, 255}}},
      {"grey", grey, 3, {{0, 0, 0}, {77, 77, 77}, {255, 255, 255}}},
      {"grey 2-bit with tRNS", grey2, 4,
       {{0, 0, 0, 255}, {85, 85, 85, 0}, {170, 170, 170, 255}, {255, 255, 255, 255}}},
      {"grey with alpha", greyAlpha, 4, {{50, 50, 50, 0}, {60, 60, 60, 255}}},
      {"16-bit", deep, 3, {{0x12, 0xAB, 0x00}}},
      {"16-bit with alpha", deepAlpha, 4, {{0xFF, 0x00, 0x7F, 0x80}}},  // 0x00FF cut, not rounded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PictureRef p = Load("a.png", MakePng(c.recipe));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, c.recipe.width);
    EXPECT_EQ(p->height, 1);
    ASSERT_EQ(p->channels, c.channels);
    for (size_t x = 0; x < c.pixels.size(); ++x) EXPECT_EQ(PixelAt(p, int(x), 0), c.pixels[x]);
  }
}

TEST_F(ImagingTest, InterlacedPngMatchesItsPattern) {
  auto shade = [](int x, int y) { return Bytes{uint8_t(x * 13), uint8_t(y * 7), uint8_t(x ^ y)}; };
  PngRecipe r;
  r.width = 19;
  r.height = 11;
  r.interlaced = true;
  for (int y = 0; y < r.height; ++y) {
    Bytes row;
    for (int x = 0; x < r.width; ++x) {
      Bytes px = shade(x, y);
      row.insert(row.end(), px.begin(), px.end());
    }
    r.rows.push_back(row);
  }
  PictureRef p = Load("a.png", MakePng(r));
  ASSERT_TRUE(p);
  ASSERT_EQ(p->channels, 3);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) ASSERT_EQ(PixelAt(p, x, y), shade(x, y)) << x << "," << y;
}

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value, int length) {
  for (int i = 0; i < length; ++i) bytes[at + i] = char(value >> (8 * i));
}

// Qt writes 24 bits at most, so the 32-bit kind is made by hand: rows top-down, blue first.
std::string MakeBitmap32TopDown(const QImage& image) {
  std::string bytes(54, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLittleEndian(bytes, 2, uint32_t(54 + 4 * image.width() * image.height()), 4);
  PutLittleEndian(bytes, 10, 54, 4);
  PutLittleEndian(bytes, 14, 40, 4);
  PutLittleEndian(bytes, 18, uint32_t(image.width()), 4);
  PutLittleEndian(bytes, 22, uint32_t(-image.height()), 4);
  PutLittleEndian(bytes, 26, 1, 2);
  PutLittleEndian(bytes, 28, 32, 2);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QRgb c = image.pixel(x, y);
      bytes += {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), 0};
    }
  return bytes;
}

std::string SaveWithQt(const QImage& image) {
  TempFolder dir;
  image.save(QString::fromStdString(dir / "b.bmp"), "BMP");
  return ReadBytes(dir / "b.bmp");
}

TEST_F(ImagingTest, BitmapsOfEachDepthLoadAsRgb) {
  QImage colour(3, 2, QImage::Format_RGB32);  // 3 wide: rows need padding at 24 bits
  colour.setPixel(0, 0, qRgb(255, 0, 0));
  colour.setPixel(1, 0, qRgb(0, 255, 0));
  colour.setPixel(2, 0, qRgb(0, 0, 255));
  for (int x = 0; x < 3; ++x) colour.setPixel(x, 1, qRgb(10 * x, 20, 30));
  QImage indexed = colour.convertToFormat(QImage::Format_Indexed8);
  indexed.setColorCount(256);  // Qt writes few colours at 4 bits
  const std::tuple<const char*, std::string, int> cases[] = {
      {"8-bit", SaveWithQt(indexed), 8},
      {"24-bit", SaveWithQt(colour), 24},
      {"32-bit top-down", MakeBitmap32TopDown(colour), 32},
  };
  for (const auto& [name, bytes, bits] : cases) {
    SCOPED_TRACE(name);
    ASSERT_EQ(uint8_t(bytes[28]), bits);  // the fixture is what it claims
    PictureRef p = Load("a.bmp", bytes);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 3);
    EXPECT_EQ(p->height, 2);
    EXPECT_EQ(p->channels, 3);
    EXPECT_EQ(PixelAt(p, 0, 0), (Bytes{255, 0, 0}));
    EXPECT_EQ(PixelAt(p, 2, 0), (Bytes{0, 0, 255}));
    EXPECT_EQ(PixelAt(p, 1, 1), (Bytes{10, 20, 30}));
    EXPECT_EQ(PixelAt(p, 2, 1), (Bytes{20, 20, 30}));
  }
}

std::string SmallBitmap() {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  return SaveWithQt(image);
}

TEST_F(ImagingTest, FormatIsFoundByContentNotName) {
  auto flat = [](int, int) { return Bytes{0, 128, 255, 200}; };
  PictureRef p = Load("photo.png", MakeJpeg(JpegRecipe(), [](int, int) { return Bytes{9, 9, 9}; }));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 32);
  // Alpha survives, so libpng read it, not the bitmap reader.
  p = Load("photo.bmp", MakeShadedPng(2, 2, true, flat));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->channels, 4);
  p = Load("photo.jpg", SmallBitmap());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 8);
}

// Halfway through the first scan's data, past every table.
std::string CutInScanData(const std::string& jpeg) {
  size_t scan = jpeg.find("\xFF\xDA");
  size_t next = jpeg.find("\xFF\xDA", scan + 2);
  if (next == std::string::npos) next = jpeg.size();
  return jpeg.substr(0, scan + (next - scan) / 2);
}

TEST_F(ImagingTest, BrokenOrForeignFilesLeaveNoPicture) {
  std::string jpeg = MakeJpeg(JpegRecipe(), [](int x, int y) {
    return Bytes{uint8_t(x * 8), uint8_t(y * 8), 77};
  });
  JpegRecipe progressive;
  progressive.progressive = true;
  std::string progressiveJpeg = MakeJpeg(progressive, [](int x, int y) {
    return Bytes{uint8_t(x * 8), uint8_t(y * 8), 77};
  });
  std::string png = MakeShadedPng(40, 40, false, [](int x, int y) {
    return Bytes{uint8_t(x * y), uint8_t(x), uint8_t(y)};
  });
  std::string bmp = SmallBitmap();
  const std::pair<const char*, std::string> cases[] = {
      {"truncated JPEG", CutInScanData(jpeg)},
      {"truncated progressive JPEG", CutInScanData(progressiveJpeg)},
      {"JPEG without its end marker", jpeg.substr(0, jpeg.size() - 2)},
      {"truncated PNG", png.substr(0, png.size() / 2)},
      {"PNG without its end chunk", png.substr(0, png.size() - 12)},
      {"PNG with a damaged header", std::string(png).replace(20, 1, "\x7F")},
      {"truncated bitmap", bmp.substr(0, bmp.size() / 2)},
      {"text", "Just some words, not a picture.\n"},
      {"empty", ""},
      {"JPEG start alone", "\xFF\xD8"},
      {"PNG signature alone", "\x89PNG\r\n\x1A\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ASSERT_TRUE(Load("good.png", png));
    EXPECT_FALSE(Load("bad.jpg", c.second));
    EXPECT_FALSE(PictureHandle());
    EXPECT_EQ(PictureWidth(), 0);
    EXPECT_EQ(PictureHeight(), 0);
  }
  EXPECT_FALSE(LoadPicture(dir / "missing.jpg"));
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value, int length) {
  for (int i = 0; i < length; ++i) bytes[at + i] = char(value >> (8 * (length - 1 - i)));
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST_F(ImagingTest, AbsurdSizesAreRefusedWithoutAllocating) {
  std::string png = MakeShadedPng(4, 4, false, [](int, int) { return Bytes{1, 2, 3}; });
  PutBigEndian(png, 16, 100000, 4);  // IHDR width and height
  PutBigEndian(png, 20, 100000, 4);
  PutBigEndian(png, 29, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(&png[12]), 17)), 4);
  std::string tall = MakeShadedPng(4, 4, false, [](int, int) { return Bytes{1, 2, 3}; });
  PutBigEndian(tall, 16, 1, 4);  // within each side's limit, over the pixel limit
  PutBigEndian(tall, 20, uint32_t(MaxPicturePixels) + 1, 4);
  PutBigEndian(tall, 29, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(&tall[12]), 17)), 4);
  std::string jpeg = MakeJpeg(JpegRecipe(), [](int, int) { return Bytes{1, 2, 3}; });
  size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  PutBigEndian(jpeg, sof + 5, 65500, 2);  // height, then width
  PutBigEndian(jpeg, sof + 7, 65500, 2);
  std::string bmp = SmallBitmap();
  bmp[18] = bmp[22] = 0;  // width and height, little-endian: 0x10000 x 0x10000
  bmp[20] = bmp[24] = 1;
  const std::pair<const char*, std::string> cases[] = {
      {"PNG 100000 x 100000", png},
      {"PNG 1 x 300000001", tall},
      {"JPEG 65500 x 65500", jpeg},
      {"bitmap 65536 x 65536", bmp},
  };
  long before = PeakMemoryKb();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    EXPECT_FALSE(Load("huge.png", c.second));
    EXPECT_FALSE(PictureHandle());
  }
  EXPECT_LT(PeakMemoryKb() - before, 64 * 1024);
}

// ---- area averaging ------------------------------------------------------------------------

Picture GreyPicture(int width, int height, const Bytes& values) {
  Picture p;
  p.width = width;
  p.height = height;
  for (uint8_t v : values) p.pixels.insert(p.pixels.end(), {v, v, v});
  return p;
}

Bytes FirstChannel(const Picture& p) {
  Bytes out;
  for (size_t i = 0; i < p.pixels.size(); i += size_t(p.channels)) out.push_back(p.pixels[i]);
  return out;
}

TEST(AreaAverage, KnownMeans) {
  struct Case {
    const char* name;
    Picture in;
    int width, height;
    Bytes want;
  };
  const Case cases[] = {
      {"4x4 to 2x2 block means",
       GreyPicture(4, 4, {0, 40, 100, 100,  //
                          80, 120, 100, 100,
                          10, 10, 255, 255,
                          30, 30, 255, 253}),
       2, 2, {60, 100, 20, 255}},  // 254.5 rounds up
      {"3 to 2 across: 2/3 + 1/3 shares", GreyPicture(3, 1, {0, 90, 180}), 2, 1, {30, 150}},
      {"3 to 2 down", GreyPicture(1, 3, {0, 90, 180}), 1, 2, {30, 150}},
      {"5 to 2 across: 2/5 2/5 1/5 shares", GreyPicture(5, 1, {0, 50, 100, 150, 200}), 2, 1,
       {40, 160}},
      {"2 to 4 across repeats", GreyPicture(2, 1, {10, 50}), 4, 1, {10, 10, 50, 50}},
      {"2 to 3 across: middle takes half of each", GreyPicture(2, 1, {10, 50}), 3, 1,
       {10, 30, 50}},
      {"1x1 to 2x3 fills", GreyPicture(1, 1, {77}), 2, 3, {77, 77, 77, 77, 77, 77}},
      {"same size keeps", GreyPicture(2, 1, {3, 250}), 2, 1, {3, 250}},
      {"to one pixel is the mean", GreyPicture(3, 2, {0, 10, 20, 30, 40, 50}), 1, 1, {25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Picture out = AreaAverage(c.in, c.width, c.height);
    ASSERT_EQ(out.width, c.width);
    ASSERT_EQ(out.height, c.height);
    ASSERT_EQ(out.channels, 3);
    ASSERT_EQ(out.pixels.size(), size_t(c.width) * c.height * 3);
    EXPECT_EQ(FirstChannel(out), c.want);
  }
}

TEST(AreaAverage, ChannelsAndAlphaAreAveragedApart) {
  Picture in;
  in.width = 2;
  in.height = 1;
  in.channels = 4;
  in.pixels = {255, 0, 10, 255, 0, 0, 30, 0};
  Picture out = AreaAverage(in, 1, 1);
  ASSERT_EQ(out.channels, 4);
  EXPECT_EQ(out.pixels, (Bytes{128, 0, 20, 128}));  // straight, not weighted by alpha
}

// The mean over each output pixel's rectangle, from the two-dimensional overlap directly.
Bytes ReferenceAverage(const Picture& in, int width, int height) {
  Bytes out;
  for (int oy = 0; oy < height; ++oy)
    for (int ox = 0; ox < width; ++ox)
      for (int ch = 0; ch < in.channels; ++ch) {
        double sum = 0;
        for (int sy = 0; sy < in.height; ++sy)
          for (int sx = 0; sx < in.width; ++sx) {
            double w = std::max(0.0, std::min((ox + 1.0) / width, (sx + 1.0) / in.width) -
                                         std::max(double(ox) / width, double(sx) / in.width));
            double h = std::max(0.0, std::min((oy + 1.0) / height, (sy + 1.0) / in.height) -
                                         std::max(double(oy) / height, double(sy) / in.height));
            sum += w * h * in.pixels[(size_t(sy) * in.width + sx) * in.channels + ch];
          }
        out.push_back(uint8_t(std::lround(sum * width * height)));
      }
  return out;
}

TEST(AreaAverage, MatchesTheOverlapMeanForOddSizes) {
  Picture in;
  in.width = 23;
  in.height = 17;
  in.channels = 4;
  uint32_t seed = 12345;
  for (int i = 0; i < in.width * in.height * 4; ++i) {
    seed = seed * 1103515245 + 12345;
    in.pixels.push_back(uint8_t(seed >> 16));
  }
  const std::pair<int, int> sizes[] = {{7, 5}, {10, 3}, {31, 29}, {23, 6}, {1, 17}, {60, 2}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    Picture out = AreaAverage(in, w, h);
    Bytes want = ReferenceAverage(in, w, h);
    ASSERT_EQ(out.pixels.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
      ASSERT_TRUE(Near({out.pixels[i]}, {want[i]}, 1)) << "at " << i;
  }
}

TEST_F(ImagingTest, ScalingReplacesThePictureAndLeavesTheOldOneAlone) {
  ASSERT_TRUE(Load("a.png", MakeShadedPng(4, 2, false, [](int x, int) {
    return Bytes{uint8_t(x < 2 ? 0 : 200), 0, 0};
  })));
  PictureRef before = PictureHandle();
  ScalePicture(4, 2);
  EXPECT_EQ(PictureHandle(), before);
  ScalePicture(0, 2);
  ScalePicture(3, -1);
  ScalePicture(20000, 20000);
  EXPECT_EQ(PictureHandle(), before);  // sizes below 1 or beyond the pixel limit change nothing
  ScalePicture(2, 1);
  PictureRef after = PictureHandle();
  ASSERT_NE(after, before);
  EXPECT_EQ(PictureWidth(), 2);
  EXPECT_EQ(PictureHeight(), 1);
  EXPECT_EQ(PixelAt(after, 1, 0), (Bytes{200, 0, 0}));
  EXPECT_EQ(before->width, 4);  // a view showing the old picture keeps it intact
  EXPECT_EQ(PixelAt(before, 3, 1), (Bytes{200, 0, 0}));

  ASSERT_FALSE(LoadPicture(dir / "missing.png"));
  ScalePicture(10, 10);
  EXPECT_FALSE(PictureHandle());
  EXPECT_TRUE(AreaAverage(Picture(), 3, 3).pixels.empty());
}

// ---- JPEG saving ---------------------------------------------------------------------------

struct SavedJpeg {
  bool read = false;
  int width = 0, height = 0;
  bool progressive = true, jfif = false;
  J_COLOR_SPACE space = JCS_UNKNOWN;
  std::vector<std::pair<int, int>> sampling;
  int firstQuant = 0;
  std::vector<Bytes> rows;
};

SavedJpeg ReadSavedJpeg(const std::string& path) {
  SavedJpeg s;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return s;
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  s.width = int(d.image_width);
  s.height = int(d.image_height);
  s.progressive = d.progressive_mode;
  s.jfif = d.saw_JFIF_marker;
  s.space = d.jpeg_color_space;
  for (int i = 0; i < d.num_components; ++i)
    s.sampling.push_back({d.comp_info[i].h_samp_factor, d.comp_info[i].v_samp_factor});
  s.firstQuant = d.quant_tbl_ptrs[0]->quantval[0];
  jpeg_start_decompress(&d);
  Bytes row(size_t(d.output_width) * d.output_components);
  while (d.output_scanline < d.output_height) {
    JSAMPROW line = row.data();
    jpeg_read_scanlines(&d, &line, 1);
    s.rows.push_back(row);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  std::fclose(f);
  s.read = true;
  return s;
}

TEST_F(ImagingTest, SavedJpegIsBaselineJfifWithHalvedChroma) {
  ASSERT_TRUE(Load("a.png", MakeShadedPng(48, 40, false, [](int x, int y) {
    return Bytes{uint8_t(x * 5), uint8_t(y * 6), 90};
  })));
  ScalePicture(45, 33);
  ASSERT_TRUE(SavePictureJpeg(dir / "out.png", 9));  // JPEG data whatever the name
  SavedJpeg s = ReadSavedJpeg(dir / "out.png");
  ASSERT_TRUE(s.read);
  EXPECT_EQ(s.width, 45);
  EXPECT_EQ(s.height, 33);
  EXPECT_FALSE(s.progressive);
  EXPECT_NE(ReadBytes(dir / "out.png").find("\xFF\xC0"), std::string::npos);  // SOF0
  EXPECT_TRUE(s.jfif);
  EXPECT_EQ(s.space, JCS_YCbCr);
  EXPECT_EQ(s.sampling, (std::vector<std::pair<int, int>>{{2, 2}, {1, 1}, {1, 1}}));
}

TEST_F(ImagingTest, QualityIsClampedAndScaledByTen) {
  ASSERT_TRUE(Load("a.png", MakeShadedPng(8, 8, false, [](int, int) { return Bytes{1, 2, 3}; })));
  // First entry of the luminance table, 16 at libjpeg quality 50.
  const std::pair<int, int> cases[] = {{9, 3}, {5, 16}, {10, 1}, {15, 1}, {-3, 800}};
  for (auto [quality, quant] : cases) {
    SCOPED_TRACE(quality);
    ASSERT_TRUE(SavePictureJpeg(dir / "q.jpg", quality));
    EXPECT_EQ(ReadSavedJpeg(dir / "q.jpg").firstQuant, quant);  // 800: baseline not forced
  }
}

TEST_F(ImagingTest, TransparencyIsBlendedOntoWhite) {
  ASSERT_TRUE(Load("a.png", MakeShadedPng(16, 48, true, [](int, int y) {
    if (y < 16) return Bytes{255, 0, 0, 0};      // invisible red
    if (y < 32) return Bytes{0, 0, 0, 128};      // half black
    return Bytes{30, 60, 200, 255};              // opaque blue
  })));
  ASSERT_TRUE(SavePictureJpeg(dir / "out.jpg", 10));
  SavedJpeg s = ReadSavedJpeg(dir / "out.jpg");
  ASSERT_TRUE(s.read);
  auto at = [&](int x, int y) { return Bytes(&s.rows[y][x * 3], &s.rows[y][x * 3] + 3); };
  EXPECT_TRUE(Near(at(8, 4), {255, 255, 255}, 3));
  EXPECT_TRUE(Near(at(8, 24), {127, 127, 127}, 3));  // (65025 - 255 * 128) / 255
  EXPECT_TRUE(Near(at(8, 44), {30, 60, 200}, 3));
}

TEST_F(ImagingTest, FailedSavesWriteNothing) {
  ASSERT_FALSE(LoadPicture(dir / "missing.png"));
  EXPECT_FALSE(SavePictureJpeg(dir / "empty.jpg", 9));
  EXPECT_FALSE(FileExists(dir / "empty.jpg"));

  ASSERT_TRUE(Load("a.png", MakeShadedPng(4, 4, false, [](int, int) { return Bytes{1, 2, 3}; })));
  EXPECT_FALSE(SavePictureJpeg(dir / "no/such/folder/out.jpg", 9));

  // Wider than JPEG allows: the encoder fails once the file is already being written.
  ASSERT_TRUE(Load("wide.png", MakeShadedPng(70000, 1, false, [](int, int) {
    return Bytes{1, 2, 3};
  })));
  WriteBytes(dir / "old.jpg", "previous contents");
  auto namesBefore = FolderNames(dir.path());
  EXPECT_FALSE(SavePictureJpeg(dir / "old.jpg", 9));
  EXPECT_EQ(ReadBytes(dir / "old.jpg"), "previous contents");
  EXPECT_EQ(FolderNames(dir.path()), namesBefore);  // no temporary left behind
}

TEST_F(ImagingTest, SaveReplacesAnExistingFile) {
  WriteBytes(dir / "out.jpg", std::string(100000, 'x'));
  ASSERT_TRUE(Load("a.png", MakeShadedPng(4, 4, false, [](int, int) { return Bytes{1, 2, 3}; })));
  ASSERT_TRUE(SavePictureJpeg(dir / "out.jpg", 9));
  ASSERT_TRUE(LoadPicture(dir / "out.jpg"));
  EXPECT_EQ(PictureWidth(), 4);
  EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"a.png", "out.jpg"}));
}

}  // namespace

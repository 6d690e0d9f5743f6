// imaging/bitmap.cpp - Windows bitmap reading through Qt, the one use of Qt in imaging/.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <new>

#include "imaging/picture.h"

static bool CopyRgb(const QImage& image, Picture& out) noexcept {
  try {
    out.width = image.width();
    out.height = image.height();
    out.channels = 3;
    out.pixels.resize(size_t(out.width) * out.height * 3);
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint8_t* rgb = out.pixels.data();
  for (int y = 0; y < out.height; ++y) {
    auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < out.width; ++x, rgb += 3) {
      rgb[0] = uint8_t(qRed(row[x]));
      rgb[1] = uint8_t(qGreen(row[x]));
      rgb[2] = uint8_t(qBlue(row[x]));
    }
  }
  return true;
}

static bool ReadBitmap(QFile& file, Picture& out) {
  // Qt's default limit refuses pictures well below the tool's own.
  QImageReader::setAllocationLimit(int(MaxPicturePixels * 4 / (1 << 20)) + 1);
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);  // never let another Qt reader take the file
  QSize size = reader.size();
  if (!size.isValid() || int64_t(size.width()) * size.height() > MaxPicturePixels) return false;
  QImage image = reader.read();
  if (image.isNull()) return false;
  // Colours are kept as stored; a bitmap's alpha, if any, is dropped.
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image.convertTo(QImage::Format_ARGB32);
  return !image.isNull() && CopyRgb(image, out);
}

bool DecodeBitmapFile(const std::string& path, Picture& out) {
  out = Picture();
  FILE* handle = std::fopen(path.c_str(), "rb");  // any bytes in the path, unlike QString
  if (!handle) return false;
  QFile file;
  if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    std::fclose(handle);
    return false;
  }
  bool loaded = ReadBitmap(file, out);
  if (!loaded) out = Picture();
  return loaded;
}

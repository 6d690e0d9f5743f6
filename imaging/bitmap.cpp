// imaging/bitmap.cpp - Windows bitmap reading through Qt, the one use of Qt in imaging/.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "imaging/picture.h"
#include "workspace/files.h"

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

static int64_t ReadLittleEndian(const QByteArray& bytes, int at, int length) {
  int64_t value = 0;
  for (int i = length - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + i]);
  return value;
}

// Sizes are taken from the header here: Qt reports top-down bitmaps with a negative height.
// Qt also reads a bitmap cut short without complaint and leaves the missing rows blank;
// run-length data has no fixed size and is left to Qt.
static bool BitmapHeaderFits(QFile& file) {
  QByteArray head = file.peek(34);
  if (head.size() < 26) return false;
  int64_t width, height, bits, compression = 0;
  if (ReadLittleEndian(head, 14, 4) == 12) {
    width = ReadLittleEndian(head, 18, 2);
    height = ReadLittleEndian(head, 20, 2);
    bits = ReadLittleEndian(head, 24, 2);
  } else {
    if (head.size() < 34) return false;
    width = int32_t(ReadLittleEndian(head, 18, 4));
    height = int32_t(ReadLittleEndian(head, 22, 4));
    bits = ReadLittleEndian(head, 28, 2);
    compression = ReadLittleEndian(head, 30, 4);
  }
  if (std::abs(width) * std::abs(height) > MaxPicturePixels) return false;
  if (compression == 1 || compression == 2) return true;
  int64_t rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
  return file.size() >= ReadLittleEndian(head, 10, 4) + rowBytes * std::abs(height);
}

static bool ReadBitmap(QFile& file, Picture& out) {
  // Qt's default limit refuses pictures well below the tool's own.
  QImageReader::setAllocationLimit(int(MaxPicturePixels * 4 / (1 << 20)) + 1);
  if (!BitmapHeaderFits(file)) return false;
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);  // never let another Qt reader take the file
  QImage image = reader.read();
  if (image.isNull()) return false;
  // Colours are kept as stored; a bitmap's alpha, if any, is dropped.
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image.convertTo(QImage::Format_ARGB32);
  return !image.isNull() && CopyRgb(image, out);
}

bool DecodeBitmapFile(const std::string& path, Picture& out) {
  out = Picture();
  FILE* handle = OpenRegularFile(path);  // any bytes in the path, unlike QString
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

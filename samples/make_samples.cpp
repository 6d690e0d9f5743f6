// Makes the bundled sample album and background library from nothing but arithmetic:
//   make_samples OUT   writes OUT/album/ (JPEG, PNG and BMP pictures) and OUT/Quorel/
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "imaging/picture.h"
#include "samples/picture_files.h"

namespace {

struct Rgb { double r, g, b; };

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A landscape: sky gradient, a sun, rolling hills and a little grain.
Picture Landscape(int w, int h, Rgb skyTop, Rgb skyLow, Rgb hill, double sunX, unsigned seed) {
  Picture p;
  p.width = w;
  p.height = h;
  p.channels = 3;
  p.pixels.resize(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      double u = static_cast<double>(x) / w, v = static_cast<double>(y) / h;
      Rgb c = Mix(skyTop, skyLow, v);
      double dx = u - sunX, dy = v - 0.25;
      double sun = std::exp(-(dx * dx + dy * dy) * 120.0);
      c = Mix(c, {255, 235, 170}, sun);
      double ridge = 0.6 + 0.08 * std::sin(u * 9.0 + seed) + 0.04 * std::sin(u * 23.0 + seed * 3);
      if (v > ridge) c = Mix(hill, {hill.r * 0.5, hill.g * 0.5, hill.b * 0.5}, (v - ridge) * 2.0);
      double ridge2 = 0.78 + 0.05 * std::sin(u * 5.0 + seed * 7);
      if (v > ridge2) c = Mix({hill.g * 0.7, hill.r * 0.8, hill.b}, {40, 50, 30}, (v - ridge2) * 3.0);
      seed = seed * 1103515245u + 12345u;
      double grain = static_cast<double>((seed >> 16) & 15) - 7.5;
      uint8_t* px = &p.pixels[(static_cast<size_t>(y) * w + x) * 3];
      px[0] = static_cast<uint8_t>(std::fmin(255, std::fmax(0, c.r + grain)));
      px[1] = static_cast<uint8_t>(std::fmin(255, std::fmax(0, c.g + grain)));
      px[2] = static_cast<uint8_t>(std::fmin(255, std::fmax(0, c.b + grain)));
    }
  }
  return p;
}

// A tile for the background library: soft stripes or a chequer.
Picture Tile(int size, Rgb a, Rgb b, bool chequer) {
  Picture p;
  p.width = p.height = size;
  p.pixels.resize(static_cast<size_t>(size) * size * 3);
  for (int y = 0; y < size; y++)
    for (int x = 0; x < size; x++) {
      double t = chequer ? (((x / 16) + (y / 16)) % 2) * 0.6
                         : 0.5 + 0.5 * std::sin((x + y) * 3.14159 / 16.0);
      Rgb c = Mix(a, b, t);
      uint8_t* px = &p.pixels[(static_cast<size_t>(y) * size + x) * 3];
      px[0] = static_cast<uint8_t>(c.r);
      px[1] = static_cast<uint8_t>(c.g);
      px[2] = static_cast<uint8_t>(c.b);
    }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples OUT\n");
    return 2;
  }
  std::string out = std::string(argv[1]) + "/";
  mkdir((out + "album").c_str(), 0755);
  mkdir((out + "Quorel").c_str(), 0755);
  const std::string album = out + "album/", library = out + "Quorel/";
  bool ok = true;
  ok &= EncodeJpegFile(Landscape(800, 600, {70, 120, 200}, {200, 220, 240}, {60, 130, 60}, 0.7, 1),
                       album + "harbour.jpg", 85);
  ok &= EncodeJpegFile(Landscape(640, 480, {30, 40, 110}, {240, 130, 80}, {90, 60, 40}, 0.3, 2),
                       album + "sunset.jpg", 85);
  ok &= EncodeJpegFile(Landscape(480, 640, {90, 160, 230}, {230, 240, 250}, {40, 110, 70}, 0.5, 3),
                       album + "Tower.JPG", 85);
  ok &= WritePngFile(Landscape(400, 300, {120, 170, 220}, {250, 250, 230}, {150, 140, 60}, 0.2, 4),
                 album + "meadow.png");
  ok &= WriteBmpFile(Landscape(240, 180, {60, 60, 90}, {160, 150, 200}, {70, 80, 110}, 0.8, 5),
                 album + "dusk.bmp");
  ok &= EncodeJpegFile(Tile(128, {200, 225, 250}, {150, 190, 240}, false), library + "sky.jpg", 85);
  ok &= WritePngFile(Tile(128, {240, 230, 200}, {220, 205, 170}, true), library + "paper.png");
  ok &= WriteBmpFile(Tile(64, {150, 150, 145}, {120, 118, 112}, true), library + "stone.bmp");
  return ok ? 0 : 1;
}

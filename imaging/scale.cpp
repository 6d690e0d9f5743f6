// imaging/scale.cpp - area-averaging scaler.
//
// Each output pixel is the mean of the source area under it, every source pixel weighted by
// the share of it that the output pixel covers. Rows are averaged across first, one source
// row at a time, then summed down into the output row, so besides the two pictures only two
// rows of floats are held.
#include <algorithm>
#include <vector>

#include "imaging/picture.h"

namespace {
// Which source pixels make up each output pixel along one axis, and with what weights.
// Output i takes sources first[i], first[i] + 1, ... with weights weight[begin[i]] up to
// weight[begin[i + 1] - 1]; its weights add up to 1.
struct Coverage {
  std::vector<int> first;
  std::vector<int> begin;
  std::vector<float> weight;
};
}  // namespace

// Source pixel s spans [s * outputs, (s + 1) * outputs) and output i spans
// [i * sources, (i + 1) * sources) on a common integer grid.
static Coverage MeasureCoverage(int sources, int outputs) {
  Coverage c;
  c.first.resize(size_t(outputs));
  c.begin.resize(size_t(outputs) + 1);
  c.weight.reserve(size_t(sources) + size_t(outputs));
  for (int i = 0; i < outputs; ++i) {
    int64_t start = int64_t(i) * sources, end = start + sources;
    int64_t s = start / outputs;
    c.first[size_t(i)] = int(s);
    c.begin[size_t(i)] = int(c.weight.size());
    for (; s * outputs < end; ++s) {
      int64_t from = std::max(start, s * outputs), to = std::min(end, (s + 1) * outputs);
      c.weight.push_back(float(double(to - from) / double(sources)));
    }
  }
  c.begin[size_t(outputs)] = int(c.weight.size());
  return c;
}

template <int Channels>
static void AverageAcross(const uint8_t* source, const Coverage& c, float* row) {
  int outputs = int(c.first.size());
  for (int i = 0; i < outputs; ++i, row += Channels) {
    const uint8_t* p = source + size_t(c.first[size_t(i)]) * Channels;
    float sum[Channels] = {};
    for (int k = c.begin[size_t(i)]; k < c.begin[size_t(i) + 1]; ++k, p += Channels) {
      float w = c.weight[size_t(k)];
      for (int ch = 0; ch < Channels; ++ch) sum[ch] += w * float(p[ch]);
    }
    for (int ch = 0; ch < Channels; ++ch) row[ch] = sum[ch];
  }
}

static void AverageRowAcross(const Picture& in, int y, const Coverage& c, float* row) {
  const uint8_t* source = &in.pixels[size_t(y) * in.width * in.channels];
  if (in.channels == 4)
    AverageAcross<4>(source, c, row);
  else
    AverageAcross<3>(source, c, row);
}

static void RoundRow(const std::vector<float>& sums, uint8_t* out) {
  for (size_t i = 0; i < sums.size(); ++i) {
    float v = sums[i] + 0.5f;
    out[i] = uint8_t(v < 0.f ? 0.f : v > 255.f ? 255.f : v);
  }
}

Picture AreaAverage(const Picture& in, int width, int height) {
  Picture out;
  if (in.width < 1 || in.height < 1 || width < 1 || height < 1) return out;
  out.width = width;
  out.height = height;
  out.channels = in.channels;
  size_t rowLength = size_t(width) * in.channels;
  out.pixels.resize(rowLength * height);
  Coverage across = MeasureCoverage(in.width, width);
  Coverage down = MeasureCoverage(in.height, height);
  std::vector<float> sourceRow(rowLength), sums(rowLength);
  int averagedRow = -1;  // rows are visited in order; when shrinking, neighbours share one
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0.f);
    int sy = down.first[size_t(y)];
    for (int k = down.begin[size_t(y)]; k < down.begin[size_t(y) + 1]; ++k, ++sy) {
      if (sy != averagedRow) AverageRowAcross(in, sy, across, sourceRow.data());
      averagedRow = sy;
      float w = down.weight[size_t(k)];
      for (size_t i = 0; i < rowLength; ++i) sums[i] += w * sourceRow[i];
    }
    RoundRow(sums, &out.pixels[size_t(y) * rowLength]);
  }
  return out;
}

// imaging/jpeg.cpp - JPEG reading and writing through libjpeg.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "imaging/picture.h"
#include "workspace/files.h"

namespace {
struct JpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is also a pointer to us
  jmp_buf jump;
};
}  // namespace

// libjpeg's own handler ends the process.
static void LeaveJpegOnError(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

static void SilenceJpegMessage(j_common_ptr) {}

// A file cut short would otherwise come back with its missing part grey.
static void LeaveJpegOnTruncation(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) LeaveJpegOnError(cinfo);
}

static jpeg_error_mgr* UseJpegErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveJpegOnError;
  errors.manager.output_message = SilenceJpegMessage;
  errors.manager.emit_message = LeaveJpegOnTruncation;
  return &errors.manager;
}

static void FailJpeg(j_common_ptr cinfo, int code) {
  cinfo->err->msg_code = code;
  LeaveJpegOnError(cinfo);
}

// A crafted progressive file can hold thousands of tiny scans and take minutes to decode.
static void LimitJpegScans(j_common_ptr cinfo) {
  auto* decoder = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decoder->input_scan_number > 500) FailJpeg(cinfo, JERR_BAD_PROGRESSION);
}

static void ExpandGreyRow(const JSAMPLE* grey, uint8_t* rgb, int width) {
  for (int x = 0; x < width; ++x, rgb += 3) rgb[0] = rgb[1] = rgb[2] = grey[x];
}

// Adobe's writers store CMYK inverted (255 means no ink); other writers store ink amounts.
static void ConvertCmykRow(const JSAMPLE* cmyk, uint8_t* rgb, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    int k = inverted ? cmyk[3] : 255 - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      int v = inverted ? cmyk[c] : 255 - cmyk[c];
      rgb[c] = uint8_t((v * k + 127) / 255);
    }
  }
}

static J_COLOR_SPACE ChooseOutputSpace(J_COLOR_SPACE stored) {
  if (stored == JCS_GRAYSCALE) return JCS_GRAYSCALE;
  if (stored == JCS_CMYK || stored == JCS_YCCK) return JCS_CMYK;
  return JCS_RGB;
}

// Any failure leaves through the error manager's jump.
static void ReadJpeg(jpeg_decompress_struct& cinfo, Picture& out) {
  j_common_ptr common = reinterpret_cast<j_common_ptr>(&cinfo);
  jpeg_read_header(&cinfo, TRUE);
  if (int64_t(cinfo.image_width) * cinfo.image_height > MaxPicturePixels)
    FailJpeg(common, JERR_IMAGE_TOO_BIG);
  cinfo.out_color_space = ChooseOutputSpace(cinfo.jpeg_color_space);
  jpeg_start_decompress(&cinfo);
  int width = int(cinfo.output_width);
  if (!SizePicture(out, width, int(cinfo.output_height), 3)) FailJpeg(common, JERR_OUT_OF_MEMORY);
  JSAMPARRAY line = nullptr;
  if (cinfo.out_color_space != JCS_RGB)
    line = (*cinfo.mem->alloc_sarray)(common, JPOOL_IMAGE,
                                      cinfo.output_width * cinfo.output_components, 1);
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* target = &out.pixels[size_t(cinfo.output_scanline) * width * 3];
    JSAMPROW direct = target;
    jpeg_read_scanlines(&cinfo, line ? line : &direct, 1);
    if (cinfo.out_color_space == JCS_GRAYSCALE) ExpandGreyRow(line[0], target, width);
    if (cinfo.out_color_space == JCS_CMYK)
      ConvertCmykRow(line[0], target, width, cinfo.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&cinfo);
}

bool DecodeJpegFile(const std::string& path, Picture& out) {
  out = Picture();
  FILE* file = OpenRegularFile(path);
  if (!file) return false;
  jpeg_decompress_struct cinfo{};
  JpegErrors errors;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitJpegScans;
  cinfo.err = UseJpegErrors(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    out = Picture();
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  jpeg_stdio_src(&cinfo, file);
  ReadJpeg(cinfo, out);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return true;
}

// JPEG has no transparency; the page shows pictures on white.
static void BlendRowOntoWhite(const uint8_t* rgba, JSAMPLE* rgb, int width) {
  for (int x = 0; x < width; ++x, rgba += 4, rgb += 3) {
    int a = rgba[3];
    for (int c = 0; c < 3; ++c) rgb[c] = JSAMPLE((65025 - (255 - rgba[c]) * a) / 255);
  }
}

static bool WriteJpeg(const Picture& in, FILE* file, int quality) {
  jpeg_compress_struct cinfo{};
  JpegErrors errors;
  cinfo.err = UseJpegErrors(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = JDIMENSION(in.width);
  cinfo.image_height = JDIMENSION(in.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, FALSE);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPARRAY blended = nullptr;
  if (in.channels == 4)
    blended = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.image_width * 3, 1);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* source = &in.pixels[size_t(cinfo.next_scanline) * in.width * in.channels];
    JSAMPROW line = const_cast<JSAMPROW>(source);  // libjpeg only reads input rows
    if (blended) {
      BlendRowOntoWhite(source, blended[0], in.width);
      line = blended[0];
    }
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

bool EncodeJpegFile(const Picture& in, const std::string& path, int libjpegQuality) {
  if (in.width < 1 || in.height < 1 || (in.channels != 3 && in.channels != 4)) return false;
  if (in.pixels.size() != size_t(in.width) * in.height * in.channels) return false;
  return WriteFileWhole(path, [&](FILE* file) { return WriteJpeg(in, file, libjpegQuality); });
}

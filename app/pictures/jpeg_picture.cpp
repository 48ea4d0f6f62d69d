// libjpeg called directly, with an error manager that jumps back instead of exiting.
#include "app/pictures/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

// Warnings (level -1) are only counted; the caller looks at the count afterwards.
void CountWarnings(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

bool LooksLikeJpeg(const unsigned char* data, std::size_t size) {
  return data != nullptr && size >= 4 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// The smallest scale n/8 whose output covers the wanted size; libjpeg decodes
// those sizes at a fraction of the full cost.
void ChooseScale(jpeg_decompress_struct* info, int coverWidth, int coverHeight) {
  info->scale_denom = 8;
  if (coverWidth <= 0 && coverHeight <= 0) {
    info->scale_num = 8;
    return;
  }
  for (unsigned int n = 1; n <= 8; ++n) {
    info->scale_num = n;
    jpeg_calc_output_dimensions(info);
    if (static_cast<int>(info->output_width) >= coverWidth && static_cast<int>(info->output_height) >= coverHeight)
      return;
  }
  info->scale_num = 8;
}

// Everything that can longjmp lives here, with no C++ object that needs unwinding.
DecodeStatus DecodeInto(jpeg_decompress_struct* info, ErrorManager* errors, const unsigned char* data,
                        std::size_t size, int coverWidth, int coverHeight, Picture* picture) {
  if (setjmp(errors->escape)) return DecodeStatus::Corrupt;
  jpeg_mem_src(info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return DecodeStatus::Corrupt;
  if (info->image_width > kLargestPictureSide || info->image_height > kLargestPictureSide)
    return DecodeStatus::TooLarge;
  info->out_color_space = JCS_RGB;
  ChooseScale(info, coverWidth, coverHeight);
  jpeg_start_decompress(info);
  if (info->output_components != 3) return DecodeStatus::Corrupt;
  picture->width = static_cast<int>(info->output_width);
  picture->height = static_cast<int>(info->output_height);
  picture->rgb.resize(static_cast<std::size_t>(picture->width) * picture->height * 3);
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = picture->rgb.data() + static_cast<std::size_t>(info->output_scanline) * picture->width * 3;
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return info->err->num_warnings == 0 ? DecodeStatus::Ok : DecodeStatus::Corrupt;
}
}  // namespace

DecodeStatus DecodeJpeg(const unsigned char* data, std::size_t size, int coverWidth, int coverHeight,
                        Picture* picture) {
  *picture = Picture();
  if (!LooksLikeJpeg(data, size)) return DecodeStatus::NotJpeg;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  errors.base.emit_message = CountWarnings;
  jpeg_create_decompress(&info);
  DecodeStatus status = DecodeInto(&info, &errors, data, size, coverWidth, coverHeight, picture);
  jpeg_destroy_decompress(&info);
  if (status != DecodeStatus::Ok) *picture = Picture();
  return status;
}

namespace {
// Where one output pixel samples its source: two neighbours and the weight of the second.
struct Tap {
  int near, far;
  double weight;
};

// Sampling at pixel centres puts the picture's edges on the box's edges.
std::vector<Tap> TapsAlong(int sourceLength, int length) {
  std::vector<Tap> taps(static_cast<std::size_t>(length));
  const double step = static_cast<double>(sourceLength) / length;
  for (int i = 0; i < length; ++i) {
    double at = (i + 0.5) * step - 0.5;
    if (at < 0) at = 0;
    int near = static_cast<int>(at);
    taps[i] = {near, near + 1 < sourceLength ? near + 1 : near, at - near};
  }
  return taps;
}
}  // namespace

Picture StretchPicture(const Picture& source, int width, int height) {
  Picture out;
  if (source.width < 1 || source.height < 1 || width < 1 || height < 1) return out;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<std::size_t>(width) * height * 3);
  const std::vector<Tap> columns = TapsAlong(source.width, width);
  const std::vector<Tap> rows = TapsAlong(source.height, height);
  auto at = [&](int x, int y, int c) -> double {
    return source.rgb[(static_cast<std::size_t>(y) * source.width + x) * 3 + c];
  };
  unsigned char* pixel = out.rgb.data();
  for (const Tap& row : rows) {
    for (const Tap& column : columns) {
      for (int c = 0; c < 3; ++c) {
        double top = at(column.near, row.near, c) * (1 - column.weight) + at(column.far, row.near, c) * column.weight;
        double bottom = at(column.near, row.far, c) * (1 - column.weight) + at(column.far, row.far, c) * column.weight;
        *pixel++ = static_cast<unsigned char>(top * (1 - row.weight) + bottom * row.weight + 0.5);
      }
    }
  }
  return out;
}

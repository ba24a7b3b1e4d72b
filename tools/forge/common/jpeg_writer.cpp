#include "common/jpeg_writer.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

bool encode_jpeg(const forge_image& image, int quality, byte_buffer& out) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  byte_buffer rgb = image.to_bytes(3, false);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = rgb.data() + size_t(info.next_scanline) * image.width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  out.assign(buffer, buffer + size);
  std::free(buffer);
  return !out.empty();
}

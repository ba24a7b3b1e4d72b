#include "libjpeg_reference.h"

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

struct libjpeg_errors {
  jpeg_error_mgr manager;
  std::jmp_buf failed;
};

void on_libjpeg_error(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<libjpeg_errors*>(cinfo->err)->failed, 1);
}

}  // namespace

std::string libjpeg_encode(const uint8_t* pixels, int width, int height, const jpeg_encoding& e) {
  jpeg_compress_struct cinfo;
  libjpeg_errors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = on_libjpeg_error;
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  if (setjmp(errors.failed)) {
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return {};
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out, &out_size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = e.grey ? 1 : e.cmyk ? 4 : 3;
  cinfo.in_color_space = e.grey ? JCS_GRAYSCALE : e.cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, e.quality, TRUE);
  if (!e.grey && !e.cmyk) {
    cinfo.comp_info[0].h_samp_factor = e.luma_h;
    cinfo.comp_info[0].v_samp_factor = e.luma_v;
  }
  cinfo.restart_interval = static_cast<unsigned int>(e.restart_units);
  if (e.progressive) jpeg_simple_progression(&cinfo);
  cinfo.arith_code = e.arithmetic ? TRUE : FALSE;
  cinfo.write_JFIF_header = e.jfif ? TRUE : FALSE;
  cinfo.write_Adobe_marker = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  if (!e.exif.empty())
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(e.exif.data()), unsigned(e.exif.size()));
  if (!e.comment.empty())
    jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(e.comment.data()), unsigned(e.comment.size()));
  size_t row_bytes = size_t(width) * cinfo.input_components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * row_bytes);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string file(reinterpret_cast<char*>(out), out_size);
  std::free(out);
  return file;
}

libjpeg_picture libjpeg_decode(const std::string& file) {
  jpeg_decompress_struct cinfo;
  libjpeg_errors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = on_libjpeg_error;
  libjpeg_picture picture;
  if (setjmp(errors.failed)) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&cinfo);
  size_t row_bytes = size_t(cinfo.output_width) * 3;
  picture.width = int(cinfo.output_width);
  picture.height = int(cinfo.output_height);
  picture.rgb.reset(new uint8_t[row_bytes * cinfo.output_height]);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = picture.rgb.get() + cinfo.output_scanline * row_bytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return picture;
}

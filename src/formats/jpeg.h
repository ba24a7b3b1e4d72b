// Baseline JFIF JPEG decoder for textures and menu backdrops. It reads 8-bit
// Huffman-coded sequential images with one (grey) or three (YCbCr) components,
// luma sampling 1x1, 2x1 or 2x2, and optional restart markers; everything
// else is rejected. A grey image comes out as grey RGB pixels.
#pragma once
#include <cstddef>

// The last decoded image: jpeg_width x jpeg_height pixels of red, green and
// blue bytes, bottom row first (ready for OpenGL). jpeg_data is malloc'ed by
// the decoder; the caller owns it and releases it with free(). A failed
// decode leaves all three as they were.
extern int jpeg_width;
extern int jpeg_height;
extern unsigned char* jpeg_data;

// Decodes the whole file. 1 on success; 0 when it cannot be opened, is
// empty, memory is short, or decoding fails.
int load_jpg(const char* path);

// Decodes `size` bytes of a JPEG file held in memory. 1 on success, 0 when
// the data is rejected or ends before the image does.
int load_memory_jpg(const void* data, size_t size);

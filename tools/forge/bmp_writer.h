// Windows BMP, 24-bit uncompressed, bottom row first: the setup program's
// pictures, loaded through SDL.
#pragma once
#include "file_output.h"
#include "image.h"

byte_buffer encode_bmp(const forge_image& image);

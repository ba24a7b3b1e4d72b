// Windows BMP, 24-bit uncompressed, bottom row first: the setup program's
// pictures, loaded through SDL.
#pragma once
#include "common/file_output.h"
#include "common/image.h"

byte_buffer encode_bmp(const forge_image& image);

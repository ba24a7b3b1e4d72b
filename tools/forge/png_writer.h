// PNG (8-bit RGB) for the contact sheet that shows every forged picture.
#pragma once
#include "file_output.h"
#include "image.h"

bool encode_png(const forge_image& image, byte_buffer& out);

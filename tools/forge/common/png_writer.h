// PNG (8-bit RGB) for the contact sheet that shows every forged picture.
#pragma once
#include "common/file_output.h"
#include "common/image.h"

bool encode_png(const forge_image& image, byte_buffer& out);

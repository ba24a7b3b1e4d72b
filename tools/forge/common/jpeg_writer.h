// Baseline JFIF JPEG through libjpeg (its defaults: JFIF APP0, 4:2:0
// sampling, no restart markers), the subset the engine's decoder reads.
#pragma once
#include "common/file_output.h"
#include "common/image.h"

bool encode_jpeg(const forge_image& image, int quality, byte_buffer& out);

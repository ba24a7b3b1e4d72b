#include "common/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "base/byte_io.h"

byte_buffer encode_wav(const std::vector<float>& samples, unsigned rate) {
  const uint32_t data_size = uint32_t(samples.size() * 2);
  byte_buffer out;
  put_bytes(out, "RIFF");
  append_u32(out, 36 + data_size);
  put_bytes(out, "WAVE");
  put_bytes(out, "fmt ");
  append_u32(out, 16);        // size of the format block
  append_u16(out, 1);         // PCM
  append_u16(out, 1);         // mono
  append_u32(out, rate);
  append_u32(out, rate * 2);  // bytes per second
  append_u16(out, 2);         // bytes per sample frame
  append_u16(out, 16);        // bits per sample
  put_bytes(out, "data");
  append_u32(out, data_size);
  for (float s : samples) {
    long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    append_i16(out, int16_t(value));
  }
  return out;
}

// Seeds for the sound-list fuzzer: lists as the game ships them, each with a
// small WAV after the NUL byte, or none at all.
#include <iterator>
#include <string>

#include "seed_files.h"

static std::string le(unsigned value, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xff);
  return s;
}

// RIFF/WAVE with a 16-byte PCM fmt chunk, then `extra` (whole chunks), then
// the samples.
static std::string wav(unsigned channels, unsigned rate, unsigned bits, const std::string& samples,
                       const std::string& extra = "") {
  unsigned frame = channels * bits / 8;
  return "RIFF" + le(36 + static_cast<unsigned>(extra.size() + samples.size()), 4) + "WAVE" +
         "fmt " + le(16, 4) + le(1, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) +
         le(frame, 2) + le(bits, 2) + extra + "data" + le(static_cast<unsigned>(samples.size()), 4) +
         samples;
}

int main(int argc, char** argv) {
  const std::string nul(1, '\0');
  const std::string seeds[] = {
      "data/sound/fuzz.wav\n" + nul + wav(1, 22050, 16, std::string(64, '\x10')),
      "data/sound/krok.wav data/sound/fuzz.wav\r\ndata/sound/fuzz.wav" + nul +
          wav(2, 11025, 8, std::string(32, '\x80')),
      "data/sound/fuzz.wav ./data/sound/fuzz.wav DATA/SOUND/FUZZ.WAV",
      // A chunk that claims far more bytes than the file holds.
      "data/sound/fuzz.wav" + nul + wav(1, 8000, 16, std::string(16, '\1'), "junk" + le(0xf0000000u, 4)),
      // An odd-sized chunk and its pad byte.
      "data/sound/fuzz.wav" + nul + wav(1, 8000, 8, std::string(9, '\1'), "LIST" + le(3, 4) + "abc" + nul),
  };
  return write_seed_files(argc, argv, {std::begin(seeds), std::end(seeds)});
}

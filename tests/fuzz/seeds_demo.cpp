// Valid demo files for the fuzz corpus: one from the logo, one in a level
// with keys going down and up, the mouse moving and a pad pushed, pressed and
// pulled out, and the shipped version-1 campaign.
#include <cstdio>
#include <string>
#include <vector>

#include "formats/demo_file.h"

static void write(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

static std::vector<uint8_t> demo_of(const char* level, int frames) {
  demo_header header{};
  header.seed = 42;
  header.marks_life = 25.0f;
  header.pad_sensitivity = 5;
  std::snprintf(header.level, sizeof header.level, "%s", level);
  std::vector<uint8_t> out;
  append_demo_header(out, header);
  demo_frame previous{}, frame{};
  for (int i = 0; i < frames; ++i) {
    frame.tick = static_cast<uint32_t>(i * 33);
    frame.mouse_x = 100 + i;
    frame.mouse_y = 80 - i;
    frame.width = 320;
    frame.height = 240;
    frame.active = true;
    frame.left_button = i % 3 == 0;
    frame.keys['W'] = i % 4 < 2;
    frame.keys[0x1B] = i == frames - 1;
    frame.pad = {i < frames - 1, i == frames - 1, {int16_t(i * 3000), int16_t(-i * 2000), 0, 32767, 0, int16_t(i * 100)},
                 uint16_t(i % 2 ? 0x0021 : 0), uint16_t(i % 2 ? 0x0001 : 0)};
    append_demo_frame(out, frame, i ? &previous : nullptr);
    previous = frame;
  }
  demo_set_frame_count(out, static_cast<uint32_t>(frames));
  return out;
}

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  const std::string dir = argv[1];
  write(dir + "/logo", demo_of("", 3));
  write(dir + "/level", demo_of("data/maps/test", 12));
  std::vector<uint8_t> campaign;
  if (std::FILE* f = std::fopen(KEL_DEMO_DIR "/campaign/campaign.dem", "rb")) {
    unsigned char block[65536];
    for (size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;) campaign.insert(campaign.end(), block, block + got);
    std::fclose(f);
    write(dir + "/campaign_v1", campaign);
  }
  return 0;
}

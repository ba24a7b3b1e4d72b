// The forged demo game, read back through the engine's own readers: every
// texture through the TGA or JPEG decoder, the sound list through the tagged
// reader and every sound through ALUT; the setup pictures and the HUD frame
// against the rectangles and positions the programs use; and the forge's
// promise that two runs give the same bytes.
#include <AL/alut.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "content/tagged_reader.h"
#include "content/texture_list.h"
#include "formats/jpeg.h"
#include "formats/tga.h"
#include "menus/menu_layout.h"
#include "pictures/setup_pictures.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string game_dir = KEL_FORGED_GAME_DIR;

std::string game_path(const std::string& data_path) { return game_dir + "/" + data_path; }

std::vector<std::string> list_words(const std::string& data_path) {
  tagged_reader reader;
  std::vector<std::string> words;
  if (!reader.open(game_path(data_path).c_str())) return words;
  char word[tag_word_capacity];
  while (reader.word(word)) words.push_back(word);
  return words;
}

bool power_of_two(unsigned n) { return n && !(n & (n - 1)); }

TEST(DemoData, EveryListedTextureDecodesWithTheEnginesReaders) {
  std::vector<std::string> textures = list_words("data/tex.list");
  ASSERT_GE(textures.size(), 30u);
  ASSERT_LE(int(textures.size()), texture_capacity);
  int fonts = 0, bz2_only = 0;
  for (const std::string& name : textures) {
    SCOPED_TRACE(name);
    EXPECT_LT(name.size(), size_t(content_name_capacity));
    std::string path = game_path(name);
    if (name.find("/font/") != std::string::npos) ++fonts;
    if (name.find(".jpg") != std::string::npos) {
      EXPECT_NE(name.find("/backdrops/"), std::string::npos);
      ASSERT_EQ(load_jpg(path.c_str()), 1);
      EXPECT_TRUE(power_of_two(unsigned(jpeg_width)) && power_of_two(unsigned(jpeg_height)));
      std::free(jpeg_data);
      jpeg_data = nullptr;
      continue;
    }
    ASSERT_NE(name.find(".tga"), std::string::npos);
    if (!fs::exists(path) && fs::exists(path + ".bz2")) ++bz2_only;
    tga_image image;
    ASSERT_EQ(tga_decode(path.c_str(), image), 1);
    EXPECT_TRUE(power_of_two(image.width) && power_of_two(image.height));
  }
  EXPECT_EQ(fonts, 1);
  EXPECT_GE(bz2_only, 1);
}

TEST(DemoData, TheTexturesTheEngineNamesItselfAreListed) {
  std::vector<std::string> textures = list_words("data/tex.list");
  for (const char* fixed : {"data/textures/hud/render.tga", "data/textures/hud/default.tga",
                            "data/textures/particles/particle.tga", "data/textures/particles/blood_wm.tga",
                            "data/textures/particles/shadow.tga", "data/textures/backdrops/logo.jpg"})
    EXPECT_NE(std::find(textures.begin(), textures.end(), fixed), textures.end()) << fixed;
  // Sprites and the HUD frame need alpha to blend; the crosshair too.
  for (const char* sprite : {"data/textures/hud/render.tga", "data/textures/hud/default.tga",
                             "data/textures/particles/particle.tga", "data/textures/particles/shadow.tga"}) {
    tga_image image;
    ASSERT_EQ(tga_decode(game_path(sprite).c_str(), image), 1) << sprite;
    EXPECT_TRUE(image.has_alpha()) << sprite;
  }
}

// Alpha of the HUD frame at a point of the 800 x 600 layout. The frame is
// drawn over 800 x 800 units and its file is stored bottom row first.
int hud_alpha(const tga_image& frame, float x, float y) {
  unsigned px = unsigned(x * frame.width / 800.0f);
  unsigned row = frame.height - 1 - unsigned(y * frame.height / 800.0f);
  return frame.pixels[(size_t(row) * frame.width + px) * 4 + 3];
}

TEST(DemoData, HudFramePanelsSitBehindTheHudItemsAndLeaveTheViewClear) {
  tga_image frame;
  ASSERT_EQ(tga_decode(game_path("data/textures/hud/render.tga").c_str(), frame), 1);
  ASSERT_TRUE(frame.has_alpha());
  // glPrint positions are in 640 x 480 units; the frame's in 800 x 600.
  struct item {
    const char* what;
    float x, y, w, h;
  } items[] = {
      {"weapon icon", 19, 537, 50, 50},
      {"ammunition", 112 * 1.25f, 448 * 1.25f, 60, 16},
      {"message", 221 * 1.25f, 462 * 1.25f, 340, 16},
      {"health", 538 * 1.25f, 455 * 1.25f, 40, 16},
      {"frame rate", 0, 0, 140, 16},
  };
  for (const item& it : items)
    for (float fx : {0.05f, 0.5f, 0.95f})
      for (float fy : {0.1f, 0.5f, 0.9f})
        EXPECT_GE(hud_alpha(frame, it.x + it.w * fx, it.y + it.h * fy), 128) << it.what;
  for (float x : {200.0f, 400.0f, 600.0f})
    for (float y : {100.0f, 300.0f, 500.0f}) EXPECT_EQ(hud_alpha(frame, x, y), 0) << x << "," << y;
}

TEST(DemoData, EverySoundInTheListLoadsWithAlut) {
  std::vector<std::string> sounds = list_words("data/sound.list");
  ASSERT_GE(sounds.size(), 19u);
  ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "data/sound/krok.wav"), sounds.end());
  for (const std::string& name : sounds) {
    SCOPED_TRACE(name);
    EXPECT_LT(name.size(), 128u);
    std::string path = game_path(name);
    ALenum format = 0;
    ALsizei size = 0;
    ALfloat frequency = 0;
    void* data = alutLoadMemoryFromFile(path.c_str(), &format, &size, &frequency);
    ASSERT_NE(data, nullptr) << alutGetErrorString(alutGetError());
    EXPECT_EQ(format, AL_FORMAT_MONO16);
    EXPECT_EQ(frequency, 22050.0f);
    EXPECT_GT(size, 22050 / 20);  // at least 25 ms
    // Loud enough to hear, and not one long silence.
    const int16_t* samples = static_cast<const int16_t*>(data);
    int peak = 0;
    for (ALsizei i = 0; i < size / 2; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    EXPECT_GT(peak, 8000);
    std::free(data);
  }
  alutExit();
}

TEST(DemoData, SetupPicturesDifferInsideEveryChoiceRectangle) {
  SDL_Surface* base = SDL_LoadBMP(game_path("data/setup_base.bmp").c_str());
  SDL_Surface* select = SDL_LoadBMP(game_path("data/setup_select.bmp").c_str());
  ASSERT_NE(base, nullptr);
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(base->w, 640);
  EXPECT_EQ(base->h, 480);
  EXPECT_EQ(select->w, 640);
  EXPECT_EQ(select->h, 480);
  ASSERT_EQ(base->format->BytesPerPixel, 3);
  for (int k = 0; k < setup_rect_count; ++k) {
    const setup_rect& r = setup_rects[k];
    int differing = 0, area = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x, ++area) {
        const uint8_t* a = static_cast<const uint8_t*>(base->pixels) + y * base->pitch + x * 3;
        const uint8_t* b = static_cast<const uint8_t*>(select->pixels) + y * select->pitch + x * 3;
        if (std::memcmp(a, b, 3) != 0) ++differing;
      }
    // The highlight shows across the rectangle, not in a corner of it.
    EXPECT_GT(differing, area / 4) << "rectangle " << k;
  }
  SDL_FreeSurface(base);
  SDL_FreeSurface(select);
}

std::vector<std::string> files_below(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(DemoData, ForgingTwiceGivesIdenticalBytes) {
  scratch_dir dir;
  std::string forge = KEL_FORGE_BINARY, demo = KEL_DEMO_DIR;
  for (const char* out : {"first", "second"})
    ASSERT_EQ(std::system((forge + " " + demo + " " + out).c_str()), 0);
  std::vector<std::string> first = files_below("first"), second = files_below("second");
  ASSERT_EQ(first, second);
  ASSERT_FALSE(first.empty());
  // A first start runs the setup program; build/game itself may hold the one
  // a player's setup wrote.
  EXPECT_EQ(std::find(first.begin(), first.end(), "opengl"), first.end());
  for (const std::string& name : first)
    EXPECT_TRUE(read_file("first/" + name) == read_file("second/" + name)) << name;
}

TEST(DemoData, ForgeReportsASourceErrorWithFileAndLineAndFails) {
  scratch_dir dir;
  write_file("demo/textures/walls/stone.txt", "texture size=64\nlayer noise octaves=12\n");
  std::string command = std::string(KEL_FORGE_BINARY) + " demo out 2> errors.txt";
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_NE(read_file("errors.txt").find("demo/textures/walls/stone.txt:2:21: octaves must be a whole number from 1 to 8"),
            std::string::npos)
      << read_file("errors.txt");
}

}  // namespace

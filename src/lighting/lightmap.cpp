#include "lighting/lightmap.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/compressed_asset.h"
#include "platform/multitexture.h"
#include "world/level_paths.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

GLuint lightmap = 0;
int LMXA = 0;

// Room for a full level path and the suffix.
constexpr size_t lightmap_path_capacity = path_capacity + 16;
static char last_loaded[lightmap_path_capacity];

bool read_lightmap_file(const char* path, std::vector<uint8_t>& texels, int& side) {
  bool used_scratch = false;
  FILE* file = asset_open_seekable(path, used_scratch);
  if (!file) return false;
  bool ok = false;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    long length = std::ftell(file);
    long n = length > 0 ? static_cast<long>(std::sqrt(static_cast<double>(length / 3))) : 0;
    // sqrt may land a hair off for big lengths: settle on the exact integer root.
    while (n > 0 && n * n * 3 > length) --n;
    while ((n + 1) * (n + 1) * 3 <= length) ++n;
    if (n > 0 && n <= lightmap_max_side && std::fseek(file, 0, SEEK_SET) == 0) {
      texels.resize(static_cast<size_t>(n) * n * 3);
      ok = std::fread(texels.data(), 1, texels.size(), file) == texels.size();
      side = static_cast<int>(n);
    }
  }
  std::fclose(file);
  if (used_scratch) scratch_empty();
  return ok;
}

void load_lightmap(bool force) {
  if (!MULTITEXTURING) return;
  char path[lightmap_path_capacity];
  std::snprintf(path, sizeof path, "%s_lm.raw", mapa_filename);
  if (!force && std::strcmp(path, last_loaded) == 0) return;
  std::snprintf(last_loaded, sizeof last_loaded, "%s", path);

  std::vector<uint8_t> texels;
  int side = 0;
  if (!read_lightmap_file(path, texels, side)) return;

  // Upload on unit 1 itself: unit 0's binding, which the texture table caches,
  // stays as it was. The old level's lightmap is released, except after a
  // context change, when its name means nothing any more.
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  if (lightmap && !force) glDeleteTextures(1, &lightmap);
  glGenTextures(1, &lightmap);
  glBindTexture(GL_TEXTURE_2D, lightmap);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glDisable(GL_TEXTURE_2D);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  LMXA = side;
}

#include "lighting/lightmap.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/compressed_asset.h"
#include "formats/file_length.h"
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

int lightmap_side_for_length(long length) {
  if (length < 3 || length > lightmap_file_limit) return 0;
  long n = static_cast<long>(std::sqrt(static_cast<double>(length / 3)));
  // sqrt may land a hair off: settle on the exact integer root (n stays
  // below 2049, so none of these products can overflow).
  while (n > 0 && n * n * 3 > length) --n;
  while ((n + 1) * (n + 1) * 3 <= length) ++n;
  return static_cast<int>(n);
}

bool read_lightmap_file(const char* path, std::vector<uint8_t>& texels, int& side) {
  bool used_scratch = false;
  FILE* file = asset_open_seekable(path, used_scratch);
  if (!file) return false;
  int n = lightmap_side_for_length(regular_file_length(file, lightmap_file_limit));
  bool ok = false;
  if (n > 0) {
    texels.resize(static_cast<size_t>(n) * n * 3);
    ok = std::fread(texels.data(), 1, texels.size(), file) == texels.size();
    side = n;
  }
  std::fclose(file);
  if (used_scratch) scratch_empty();
  return ok;
}

void forget_loaded_lightmap() { last_loaded[0] = 0; }

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

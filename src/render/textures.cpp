#include "render/textures.h"

#include <GL/glu.h>

#include <cstdlib>
#include <cstring>

#include "base/loading_log.h"
#include "base/table_index.h"
#include "formats/jpeg.h"
#include "platform/message_box.h"
#include "platform/multitexture.h"
#include "render/tga_texture.h"

uint8_t textura_alphaflag[texture_capacity];
uint8_t textura_loaded[texture_capacity];
uint8_t textura_failed[texture_capacity];
int font_texture_index = 0;
int g_tex_used = 0;

static int _active_tex = -1;
// What the last start-up load found: a font in the list, an ordinary texture loaded.
static bool font_listed = false, ordinary_loaded = false;

static bool is_font(const char* path) { return std::strstr(path, "/font/") != nullptr; }
static bool is_backdrop(const char* path) { return std::strstr(path, "/backdrops/") != nullptr; }

static int listed_textures() { return table_rows(textur, texture_capacity); }

void forget_bound_texture() { _active_tex = -1; }

int load_texture(int index, const char* path) {
  if (!in_table(index, texture_capacity)) return 0;
  if (std::strstr(path, ".tga")) {
    if (!LoadTGA(index, path)) return 0;
    textura_alphaflag[index] = _tga_alphaflag;
  }
  if (!std::strstr(path, ".jpg") && !std::strstr(path, ".jpeg")) return 1;

  if (!load_jpg(path)) return 0;
  textura_alphaflag[index] = 0;
  textura[index] = upload_mipmapped_texture(jpeg_data, jpeg_width, jpeg_height, GL_RGB);
  textura_rows[index] = visible_rows(jpeg_data, jpeg_width, jpeg_height, false);
  std::free(jpeg_data);
  jpeg_data = nullptr;
  return textura[index] != 0;
}

// Loads entry i and remembers the outcome either way.
static bool load_entry(int i) {
  bool loaded = load_texture(i, textura_list[i]) != 0;
  textura_loaded[i] = loaded ? 1 : 0;
  textura_failed[i] = loaded ? 0 : 1;
  return loaded;
}

void load_font_textures() {
  std::memset(textura_loaded, 0, sizeof textura_loaded);
  std::memset(textura_failed, 0, sizeof textura_failed);
  forget_bound_texture();  // a new context has nothing bound, whatever the old one had
  glEnable(GL_TEXTURE_2D);
  font_listed = false;
  for (int i = 0; i < listed_textures(); ++i) {
    if (!is_font(textura_list[i])) continue;
    font_texture_index = i;
    font_listed = true;
    if (!load_entry(i)) MessageBoxA(nullptr, textura_list[i], "LOADING ERROR", MB_OK);
  }
}

// One line each, marked when the texture failed; true when any loaded.
static bool load_listed(bool (*wanted)(int)) {
  bool any = false;
  for (int i = 0; i < listed_textures(); ++i) {
    const char* path = textura_list[i];
    if (is_font(path) || is_backdrop(path) || !wanted(i)) continue;
    draw_loading(path);
    if (load_entry(i))
      any = true;
    else
      mark_loading_failed();
  }
  return any;
}

void load_ordinary_textures() { ordinary_loaded = load_listed([](int) { return true; }); }

const char* texture_list_problem() {
  if (!font_listed) return "data/tex.list: no font texture (a path with /font/)";
  if (!ordinary_loaded) return "data/tex.list: no texture could be loaded";
  return nullptr;
}

void retry_failed_textures() {
  load_listed([](int i) { return textura_failed[i] != 0; });
  // Backdrops load on first use; a failed one gets that use again.
  for (int i = 0; i < listed_textures(); ++i)
    if (is_backdrop(textura_list[i])) textura_failed[i] = 0;
}

static void bind_entry(int index) {
  glBindTexture(GL_TEXTURE_2D, textura[index]);
  ++g_tex_used;
  _active_tex = index;
}

// Keeps at most the current backdrop and one more resident.
static void evict_one_backdrop() {
  for (int i = 0; i < listed_textures(); ++i) {
    if (i == _active_tex || !textura_loaded[i] || !is_backdrop(textura_list[i])) continue;
    glDeleteTextures(1, &textura[i]);
    textura[i] = 0;
    textura_loaded[i] = 0;
    return;
  }
}

int SetGLTexture(const char* path) {
  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  int index = find_texture(path);
  if (in_table(index, texture_capacity)) {
    glActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    if (index == font_texture_index) {
      glEnable(GL_BLEND);  // the font adds onto the picture
      bind_entry(index);
    } else {
      if (index != _active_tex) {
        // A failed texture is not tried again before the next level: every
        // bind would read the file anew, and play would crawl.
        if (!textura_loaded[index] && !textura_failed[index] && !load_entry(index))
          record_loading_failure(path);
        bind_entry(index);
      }
      // After a first-use load, so that its alpha is known already.
      if (textura_alphaflag[index]) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
      }
    }
  }
  if (is_backdrop(path)) evict_one_backdrop();
  return 0;
}

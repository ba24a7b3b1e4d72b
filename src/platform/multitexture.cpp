#include "platform/multitexture.h"

#include <SDL.h>

#include "platform/message_box.h"

uint8_t MULTITEXTURING = 1;

using active_texture_fn = void(APIENTRY*)(GLenum);
using multi_tex_coord_fn = void(APIENTRY*)(GLenum, GLfloat, GLfloat);

static void* sdl_lookup(const char* name) { return SDL_GL_GetProcAddress(name); }

static gl_proc_lookup_fn lookup = sdl_lookup;

// One slot per entry point: looked up on first use, once per run.
struct entry_point {
  const char* name;
  bool looked_up;
  void* address;
};
static entry_point active_texture = {"glActiveTextureARB", false, nullptr};
static entry_point multi_tex_coord = {"glMultiTexCoord2fARB", false, nullptr};

void set_gl_proc_lookup(gl_proc_lookup_fn fn) {
  lookup = fn ? fn : sdl_lookup;
  active_texture.looked_up = multi_tex_coord.looked_up = false;
  active_texture.address = multi_tex_coord.address = nullptr;
}

// The driver's function, or null after switching multitexturing off with one message.
static void* resolve(entry_point& entry) {
  if (!entry.looked_up) {
    entry.looked_up = true;
    entry.address = lookup(entry.name);
    if (!entry.address) {
      MessageBoxA(nullptr, "Your graphics card or drivers does not support Multitexturing!", "ERROR",
                  MB_OK | MB_ICONEXCLAMATION);
      MULTITEXTURING = 0;
    }
  }
  return entry.address;
}

void kel_active_texture_arb(GLenum unit) {
  if (!MULTITEXTURING) return;
  if (void* fn = resolve(active_texture)) reinterpret_cast<active_texture_fn>(fn)(unit);
}

void kel_multi_tex_coord_2f_arb(GLenum unit, GLfloat s, GLfloat t) {
  if (MULTITEXTURING) {
    if (void* fn = resolve(multi_tex_coord)) {
      reinterpret_cast<multi_tex_coord_fn>(fn)(unit, s, t);
      return;
    }
  }
  // Single texturing: unit 0 becomes the ordinary coordinate, the rest is dropped.
  if (unit == GL_TEXTURE0_ARB) glTexCoord2f(s, t);
}

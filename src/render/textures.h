// The texture table: every entry of data/tex.list as a GL texture object,
// bound by path with a one-entry cache. Backdrops (large menu pictures) load
// on first use and evict one another; everything else loads at start-up.
#pragma once
#include <GL/gl.h>

#include <cstdint>

#include "content/texture_list.h"

extern uint8_t textura_alphaflag[texture_capacity];  // drawn with alpha blending
extern uint8_t textura_loaded[texture_capacity];     // the texture object is resident
extern uint8_t textura_failed[texture_capacity];     // the last load failed: not tried on bind
extern int font_texture_index;                       // last entry whose path holds "/font/"
extern int g_tex_used;                               // binds made (a per-frame statistic)

// Creates the texture object of entry `index` from the TGA or JPEG at `path`.
// 1 on success; a path of another kind counts as loaded without an object.
int load_texture(int index, const char* path);

// Start-up, in a new context: first the font textures (forgetting what was
// loaded or failed before), then every ordinary texture with a loading-log
// line each. Backdrops stay unloaded.
void load_font_textures();
void load_ordinary_textures();

// After those: why the game cannot be drawn (a list without a font, or one of
// which no ordinary texture loaded), or null when it can.
const char* texture_list_problem();

// Level loading: the ordinary textures that failed are tried once more, each
// with its loading-log line; a failed backdrop is tried again at its next use.
void retry_failed_textures();

// Makes the entry with this path current on texture unit 0 and sets the
// blending its alpha needs. A path that is not listed binds nothing. An entry
// not yet loaded is loaded here once; when that fails the failure is recorded
// on the log without showing it (this runs during play) and the entry is not
// tried again until retry_failed_textures().
int SetGLTexture(const char* path);

// Forgets which entry is bound (a new GL context has nothing bound).
void forget_bound_texture();

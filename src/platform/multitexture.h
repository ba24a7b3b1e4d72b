// Safe wrappers of the two multitexture entry points. The renderer calls
// glActiveTextureARB / glMultiTexCoord2fARB as usual; these names resolve to the
// wrappers, which look the driver's functions up once per run and fall back to
// single texturing when they are missing or switched off.
#pragma once
#include <GL/gl.h>

#include <cstdint>

#ifndef GL_TEXTURE0_ARB
#define GL_TEXTURE0_ARB 0x84C0
#define GL_TEXTURE1_ARB 0x84C1
#endif

// 1 while the second texture unit may be used; the configuration or a missing
// entry point clears it for the rest of the run.
extern uint8_t MULTITEXTURING;

void kel_active_texture_arb(GLenum unit);
void kel_multi_tex_coord_2f_arb(GLenum unit, GLfloat s, GLfloat t);

#define glActiveTextureARB kel_active_texture_arb
#define glMultiTexCoord2fARB kel_multi_tex_coord_2f_arb

// Tests swap the driver look-up to play a driver without the extension;
// nullptr restores SDL's. Also forgets earlier look-ups.
using gl_proc_lookup_fn = void* (*)(const char* name);
void set_gl_proc_lookup(gl_proc_lookup_fn lookup);

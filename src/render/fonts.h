// The two bitmap fonts built from the font texture's 16 x 16 glyph grid: a
// screen font laid out in 640 x 480 and drawn in an 800 x 600 orthographic
// space, and a flat font drawn inside the 3D scene.
#pragma once
#include <GL/gl.h>

constexpr int font_glyphs = 256;
constexpr float screen_font_advance = 10.0f;

extern GLuint base;    // first display list of the screen font
extern GLuint base3D;  // first display list of the 3D font

void BuildFont();
void KillFont();
void BuildFont3D();
void KillFont3D();

// Text with its top-left corner at (x, y) of the 640 x 480 layout; set 0 or 1
// (anything above 1 counts as 1). The current colour tints the glyphs.
void glPrint(float x, float y, const char* text, int set);
// Text lying in the scene near the floor at (x, 2, z).
void glPrint3D(float x, float z, const char* text, int set);

// Where glPrint puts the first glyph's lower-left corner in the 800 x 600 space.
struct screen_point {
  float x, y;
};
screen_point screen_font_origin(float x, float y);

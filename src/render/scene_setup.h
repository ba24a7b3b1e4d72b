// What a fresh GL context needs before the game draws in it: the fixed GL
// state, the textures of the texture list and the 3D font.
#pragma once

// GL_LIGHT1's colours; the model passes set them per model.
extern float LightAmbient[4];
extern float LightDiffuse[4];
extern float LightPosition[4];

// The font textures, the screen font, then every ordinary texture.
int LoadGLTextures();

// The set-up CreateGLWindow runs in every new context. Always true.
bool InitGL();

// A frame with nothing in it, cleared and ready to swap: the timedemo's
// baseline for what the loop and the buffer swap cost alone.
void draw_empty_frame();

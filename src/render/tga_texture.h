// TGA textures: decode a file (formats/tga.h) and upload it with mipmaps.
#pragma once
#include <GL/gl.h>

#include "content/texture_list.h"
#include "render/visible_rows.h"

// Texture object names of the texture table's entries, 0 while never created.
extern GLuint textura[texture_capacity];

// Where each entry's picture shows (see visible_rows.h); set with the texture.
extern texture_rows textura_rows[texture_capacity];

// 1 after a 32-bit image, 0 after a 24-bit one; the texture table copies it.
extern unsigned char _tga_alphaflag;

// Creates a mipmapped texture from `path` (or its ".bz2" copy) into
// textura[index], records its visible rows and sets _tga_alphaflag. 1 when the texture was created;
// 0, with nothing created, for an index outside the table, an unreadable or
// rejected file, or a failed upload.
int LoadTGA(int index, const char* path);

// Uploads tightly packed rows of GL_RGB or GL_RGBA bytes as a new texture
// with the full mipmap chain (GLU scales sizes that are not powers of two),
// filtered linear-mipmap-linear / linear. Returns the texture name, or 0
// when the upload failed (nothing is left behind then).
GLuint upload_mipmapped_texture(const unsigned char* pixels, int width, int height, GLenum format);

#include "render/tga_texture.h"

#include <GL/glu.h>

#include "base/table_index.h"
#include "formats/tga.h"

GLuint textura[texture_capacity];
texture_rows textura_rows[texture_capacity];
unsigned char _tga_alphaflag = 0;

GLuint upload_mipmapped_texture(const unsigned char* pixels, int width, int height, GLenum format) {
  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == 0) return 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // RGB rows of an odd width are not 4-byte aligned: with GL's default
  // unpack alignment GLU would read past the end of the buffer.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  GLint components = format == GL_RGBA ? GL_RGBA : GL_RGB;
  GLint error = gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  if (error != 0) {
    glDeleteTextures(1, &name);
    return 0;
  }
  return name;
}

int LoadTGA(int index, const char* path) {
  if (!in_table(index, texture_capacity)) return 0;
  tga_image image;
  if (!tga_decode(path, image)) return 0;
  GLenum format = image.has_alpha() ? GL_RGBA : GL_RGB;
  GLuint name = upload_mipmapped_texture(image.pixels, int(image.width), int(image.height), format);
  if (name == 0) return 0;
  textura[index] = name;
  textura_rows[index] = visible_rows(image.pixels, int(image.width), int(image.height), image.has_alpha());
  _tga_alphaflag = image.has_alpha() ? 1 : 0;
  return 1;
}

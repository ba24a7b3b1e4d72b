#include "render/screenshot.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "formats/tga.h"
#include "render/viewport.h"

uint8_t screenshot = 0;

void ensure_screenshot_dir() {
  std::error_code ignored;
  std::filesystem::create_directories(screenshot_dir, ignored);
}

// Any file under the name counts, readable or not: an unreadable one must
// not be overwritten.
static bool name_taken(const char* path) {
  struct stat info;
  return stat(path, &info) == 0;
}

int next_screenshot_path(char* path, size_t capacity) {
  for (int n = 0; n < screenshot_number_limit; ++n) {
    int length = std::snprintf(path, capacity, "%s/screenshot.%04d.tga", screenshot_dir, n);
    if (length < 0 || static_cast<size_t>(length) >= capacity) return -1;
    if (!name_taken(path)) return n;
  }
  return -1;
}

int SaveScreenshot() {
  // The viewport is the drawable: a full-screen mode larger than the
  // configured resolution is taken whole.
  const std::array<int, 4> viewport = current_viewport();
  if (viewport[2] <= 0 || viewport[3] <= 0) return 0;
  unsigned width = static_cast<unsigned>(viewport[2]);
  unsigned height = static_cast<unsigned>(viewport[3]);

  auto* pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(width) * height * 3));
  if (!pixels) return 0;
  // Rows tightly packed: the default alignment of 4 would write past the end
  // of the buffer for widths whose rows are not a multiple of four bytes.
  GLint pack_alignment;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack_alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, viewport[2], viewport[3], GL_RGB, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_PACK_ALIGNMENT, pack_alignment);

  char path[screenshot_path_capacity];
  int written = next_screenshot_path(path, sizeof path) >= 0 && SaveTGA(pixels, width, height, 24, path);
  std::free(pixels);
  return written;
}

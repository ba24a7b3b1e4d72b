#include "platform/window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "platform/display_settings.h"
#include "platform/gamepad.h"  // pad_message: pad messages come through the same pump
#include "platform/gamma.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"

static bool video_up = false;

static void show_error(const char* text) { MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION); }

static void show_shutdown_error(const char* text) {
  MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

// X visuals of depth 24 are stored in 32 bits: treat 24 and 32 as one depth.
static bool same_depth(int mode_bits, int wanted_bits) {
  return mode_bits == wanted_bits || (mode_bits >= 24 && wanted_bits >= 24);
}

// The display mode for width x height x bits, if the display has one.
static bool find_display_mode(int width, int height, int bits, SDL_DisplayMode& found) {
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    if (mode.w == width && mode.h == height && same_depth(SDL_BITSPERPIXEL(mode.format), bits)) {
      found = mode;
      return true;
    }
  }
  return false;
}

static void request_pixel_format(int bits) {
  int channel = (bits & 0xFF) <= 16 ? 5 : 8;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

static bool vertical_sync_wanted = true;

static void apply_vertical_sync() { SDL_GL_SetSwapInterval(vertical_sync_wanted ? 1 : 0); }

void set_vertical_sync(bool on) {
  vertical_sync_wanted = on;
  if (hRC) apply_vertical_sync();
}

bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag,
                    context_setup_fn setup) {
  fullscreen = fullscreenflag;

  if (!video_up) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      show_error("Failed To Register The Window Class.");
      return false;
    }
    video_up = true;
  }

  SDL_DisplayMode mode{};
  if (fullscreen && !find_display_mode(width, height, bits, mode)) {
    int answer = MessageBoxA(nullptr,
                             "The Requested Fullscreen Mode Is Not Supported By\n"
                             "Your Video Card. Use Windowed Mode Instead?",
                             "Tesk GL", MB_YESNO | MB_ICONEXCLAMATION);
    if (answer != IDYES) {
      MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
      return false;
    }
    fullscreen = 0;
  }
  SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);

  request_pixel_format(bits);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  hWnd = SDL_CreateWindow(title, 0, 0, width, height, flags);
  if (!hWnd) {
    // SDL folds the pixel-format choice into window creation; tell the two apart.
    const char* why = SDL_GetError();
    bool format = std::strstr(why, "visual") || std::strstr(why, "pixel format") || std::strstr(why, "GL");
    KillGLWindow();
    show_error(format ? "Can't Find A Suitable PixelFormat." : "WINDOW CREATION ERROR");
    return false;
  }
  if (fullscreen && SDL_SetWindowDisplayMode(hWnd, &mode) != 0) {
    KillGLWindow();
    show_error("Can't Set The PixelFormat.");
    return false;
  }

  hRC = SDL_GL_CreateContext(hWnd);
  if (!hRC) {
    KillGLWindow();
    show_error("Can't Create A GL Rendering Context.");
    return false;
  }
  if (SDL_GL_MakeCurrent(hWnd, hRC) != 0) {
    KillGLWindow();
    show_error("Can't Activate The GL Rendering Context.");
    return false;
  }
  apply_vertical_sync();
  SDL_DisableScreenSaver();

  SDL_ShowWindow(hWnd);
  SDL_RaiseWindow(hWnd);

  // Full screen may keep a bigger mode than asked for: the drawable is the truth.
  int drawable_w = width, drawable_h = height;
  SDL_GL_GetDrawableSize(hWnd, &drawable_w, &drawable_h);
  ReSizeGLScene(drawable_w, drawable_h);
  if (setup && !setup()) {
    KillGLWindow();
    show_error("Initialization Failed.");
    return false;
  }
  return true;
}

void KillGLWindow() {
  if (fullscreen && hWnd) {
    SDL_SetWindowFullscreen(hWnd, 0);
    SDL_ShowCursor(SDL_ENABLE);
  }
  if (hRC) {
    if (SDL_GL_MakeCurrent(hWnd, nullptr) != 0) show_shutdown_error("Release Of DC And RC Failed.");
    SDL_GL_DeleteContext(hRC);
    hRC = nullptr;
  }
  if (hWnd) {
    SDL_DestroyWindow(hWnd);
    hWnd = nullptr;
  }
  if (video_up) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    video_up = false;
  }
}

void ReSizeGLScene(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<GLdouble>(width) / static_cast<GLdouble>(height), 0.1, 50.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}


// Presses not yet seen by a frame, and releases held back until one has.
static uint8_t fresh_key[key_table_size], held_release_key[key_table_size];
static uint8_t fresh_button[2], held_release_button[2];

static void press_or_release(uint8_t& state, uint8_t& fresh, uint8_t& held_release, bool down) {
  if (down) {
    state = 1;
    fresh = 1;
    held_release = 0;
  } else if (fresh) {
    held_release = 1;
  } else {
    state = 0;
  }
}

void finish_frame_input() {
  for (int vk = 0; vk < key_table_size; ++vk) {
    if (held_release_key[vk]) keys[vk] = 0;
    fresh_key[vk] = held_release_key[vk] = 0;
  }
  uint8_t* buttons[2] = {&mouse_lb, &mouse_rb};
  for (int b = 0; b < 2; ++b) {
    if (held_release_button[b]) *buttons[b] = 0;
    fresh_button[b] = held_release_button[b] = 0;
  }
}

static void update_active_from_window() {
  if (hWnd) active = (SDL_GetWindowFlags(hWnd) & SDL_WINDOW_MINIMIZED) ? 0 : 1;
}

void WndProc(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED: active = 0; break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST: update_active_from_window(); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: ReSizeGLScene(event.window.data1, event.window.data2); break;
        case SDL_WINDOWEVENT_CLOSE: {
          SDL_Event quit{};
          quit.type = SDL_QUIT;
          SDL_PushEvent(&quit);
          break;
        }
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int vk = vk_from_sdl(event.key.keysym.sym);
      if (vk > 0 && vk < key_table_size)
        press_or_release(keys[vk], fresh_key[vk], held_release_key[vk], event.type == SDL_KEYDOWN);
      break;
    }
    case SDL_MOUSEMOTION:
      mouse_x = event.motion.x;
      mouse_y = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      mouse_x = event.button.x;
      mouse_y = event.button.y;
      bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT)
        press_or_release(mouse_lb, fresh_button[0], held_release_button[0], down);
      if (event.button.button == SDL_BUTTON_RIGHT)
        press_or_release(mouse_rb, fresh_button[1], held_release_button[1], down);
      break;
    }
    default: pad_message(event); break;
  }
}

bool take_message(bool& quit) {
  SDL_Event event;
  quit = false;
  if (!SDL_PollEvent(&event)) return false;
  if (event.type == SDL_QUIT)
    quit = true;
  else
    WndProc(event);
  return true;
}

void tap_key(int vk) {
  if (vk <= 0 || vk >= key_table_size) return;
  press_or_release(keys[vk], fresh_key[vk], held_release_key[vk], true);
  press_or_release(keys[vk], fresh_key[vk], held_release_key[vk], false);
}

void wait_for_message() { SDL_WaitEvent(nullptr); }

void SwapBuffers() {
  if (!hWnd) return;
  apply_drawn_gamma();
  SDL_GL_SwapWindow(hWnd);
}

void SetWindowTextA(const char* title) {
  if (hWnd && std::strcmp(SDL_GetWindowTitle(hWnd), title) != 0) SDL_SetWindowTitle(hWnd, title);
}

void close_platform() { SDL_Quit(); }

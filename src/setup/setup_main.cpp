// The setup program: a 640 x 480 dialog of two pictures in which the user
// picks the resolution, the screen mode and multitexturing; on confirm or
// close it writes "data/opengl" for the game.
#include <SDL.h>  // SDL 1.2 API (sdl12-compat)

#include <cstdio>
#include <cstring>
#include <string>

#include "setup/setup_choices.h"
#include "setup/setup_config.h"
#include "setup/setup_message.h"

namespace {

constexpr int exit_written = 0;
constexpr int exit_no_sdl = 1;
constexpr int exit_no_video_mode = 2;
constexpr int exit_not_written = 3;
constexpr int exit_usage = 1;

const char usage[] =
    "Usage: setup [--help | --version]\n"
    "Shows Kel's screen-mode dialog and writes the choice to data/opengl in the\n"
    "current folder (the installed game: kel --setup).\n"
    "\n"
    "Exit status: 0 written; 1 SDL cannot start (or a wrong command line);\n"
    "2 the 640 x 480 window cannot be opened; 3 data/opengl cannot be written.\n";

// A picture that is missing or not 640 x 480 is left out; the dialog still works.
SDL_Surface* load_picture(const char* path) {
  SDL_Surface* loaded = SDL_LoadBMP(path);
  if (!loaded) return nullptr;
  if (loaded->w != setup_width || loaded->h != setup_height) {
    std::fprintf(stderr, "setup: %s is %d x %d, not %d x %d; not shown\n", path, loaded->w, loaded->h, setup_width,
                 setup_height);
    SDL_FreeSurface(loaded);
    return nullptr;
  }
  SDL_Surface* converted = SDL_DisplayFormat(loaded);
  if (!converted) return loaded;
  SDL_FreeSurface(loaded);
  return converted;
}

void copy_rect(SDL_Surface* from, SDL_Surface* to, const setup_rect& r) {
  if (!from) return;
  SDL_Rect area = {Sint16(r.left), Sint16(r.top), Uint16(r.right - r.left), Uint16(r.bottom - r.top)};
  SDL_Rect at = area;
  SDL_BlitSurface(from, &area, to, &at);
}

void draw(SDL_Surface* screen, SDL_Surface* base, SDL_Surface* select, const setup_settings& settings, int hovered) {
  if (base) SDL_BlitSurface(base, nullptr, screen, nullptr);
  else SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
  if (hovered != no_choice) copy_rect(select, screen, setup_rects[hovered]);
  for (int marker : {settings.resolution_marker, settings.fullscreen_marker, settings.multitexturing_marker})
    copy_rect(select, screen, setup_rects[marker]);
  SDL_Flip(screen);
}

// Runs the dialog until confirm or close.
void run_dialog(SDL_Surface* screen, setup_settings& settings) {
  SDL_Surface* base = load_picture("data/setup_base.bmp");
  SDL_Surface* select = load_picture("data/setup_select.bmp");
  int hovered = no_choice;
  bool done = false;
  for (;;) {
    SDL_Event event;
    if (SDL_PollEvent(&event)) {
      // The button state is read on every event, so a held button keeps
      // applying the choice under the mouse.
      int x, y;
      Uint8 buttons = SDL_GetMouseState(&x, &y);
      hovered = choice_at(x, y);
      if ((buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) && hovered != no_choice) done |= apply_choice(settings, hovered);
      // A click shorter than one pass of the loop has already let go by the
      // time its event is read: apply it from the event itself.
      if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT)
        done |= apply_choice(settings, choice_at(event.button.x, event.button.y));
      if (event.type == SDL_QUIT) done = true;
      continue;
    }
    draw(screen, base, select, settings, hovered);
    SDL_Delay(1);
    if (done) break;
  }
  if (base) SDL_FreeSurface(base);
  if (select) SDL_FreeSurface(select);
}

}  // namespace

int main(int argc, char** argv) {
  // The game starts setup without arguments; these are for a person.
  if (argc == 2 && !std::strcmp(argv[1], "--help")) {
    std::fputs(usage, stdout);
    return exit_written;
  }
  if (argc == 2 && !std::strcmp(argv[1], "--version")) {
    std::puts("setup (Kel) " KEL_VERSION);
    return exit_written;
  }
  if (argc > 1) {
    std::fprintf(stderr, "setup: unknown option %s\n%s", argv[1], usage);
    return exit_usage;
  }
  setup_settings settings = load_setup_config(setup_config_path);

  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::string text = std::string("Couldn't initialize SDL: ") + SDL_GetError() + "\n";
    show_error_box(text.c_str());
    return exit_no_sdl;
  }
  std::atexit(SDL_Quit);
  SDL_Surface* screen = SDL_SetVideoMode(setup_width, setup_height, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
  if (!screen) {
    std::string text = std::string("Couldn't set 640x480x32 video mode: ") + SDL_GetError() + "\n";
    show_error_box(text.c_str());
    return exit_no_video_mode;
  }
  SDL_WM_SetCaption("Kel engine setup program", nullptr);
  run_dialog(screen, settings);
  SDL_Quit();  // the window goes before the file is written, as the game waits on us

  std::string error;
  if (!write_setup_config(setup_config_path, setup_config_text(settings), error)) {
    show_error_box(("Couldn't write data/opengl: " + error).c_str());
    return exit_not_written;
  }
  return exit_written;
}

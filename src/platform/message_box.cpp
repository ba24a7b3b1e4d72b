#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/window_handle.h"

static Uint32 sdl_box_kind(unsigned flags) {
  switch (flags & 0xF0) {
    case MB_ICONSTOP: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
  }
}

// A display server that is there may still turn a connection away now and
// then (a busy server hangs up at once); a question the player never saw must
// not be answered for them on the first refusal. Without a display there is
// nobody to ask, and no reason to wait.
static bool show_box(const SDL_MessageBoxData& box, int& answer) {
  constexpr int attempts_with_a_display = 5;
  constexpr Uint32 pause_ms = 200;
  bool display = SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY");
  for (int attempt = 1;; ++attempt) {
    if (SDL_ShowMessageBox(&box, &answer) == 0) return true;
    if (!display || attempt == attempts_with_a_display) return false;
    SDL_Delay(pause_ms);
  }
}

int MessageBoxA(void*, const char* text, const char* caption, unsigned flags) {
  // Always leave a trace on stderr: a box may never be seen on a headless run.
  std::fprintf(stderr, "%s: %s\n", caption, text);

  bool yes_no = (flags & 0x0F) == MB_YESNO;
  SDL_MessageBoxButtonData buttons[2];
  int count = 0;
  if (yes_no) {
    buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
    buttons[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
  } else {
    buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                        IDOK, "OK"};
  }
  SDL_MessageBoxData box = {sdl_box_kind(flags), hWnd, caption, text, count, buttons, nullptr};
  int answer = 0;
  if (!show_box(box, answer)) {
    answer = yes_no ? IDYES : IDOK;
    std::fprintf(stderr, "(no display for the message box: %s; answered %s)\n", SDL_GetError(), yes_no ? "Yes" : "OK");
  } else if (answer < 0) {
    answer = yes_no ? IDNO : IDOK;  // box closed without a button: the escape answer
  }
  return answer;
}

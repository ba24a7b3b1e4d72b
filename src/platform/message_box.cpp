#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/window.h"

static Uint32 sdl_box_kind(unsigned flags) {
  switch (flags & 0xF0) {
    case MB_ICONSTOP: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
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
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    answer = yes_no ? IDYES : IDOK;
    std::fprintf(stderr, "(no display for the message box; answered %s)\n", yes_no ? "Yes" : "OK");
  } else if (answer < 0) {
    answer = yes_no ? IDNO : IDOK;  // box closed without a button: the escape answer
  }
  return answer;
}

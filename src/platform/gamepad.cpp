#include "platform/gamepad.h"

#include "base/player_settings.h"

pad_state pad;

namespace {

SDL_GameController* playing = nullptr;
SDL_JoystickID playing_id = -1;
bool opened = false;

constexpr SDL_GameControllerButton sdl_buttons[pad_button_count] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,           SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_BACK,        SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,  SDL_CONTROLLER_BUTTON_DPAD_LEFT,   SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};

float axis_value(Sint16 raw) { return raw < 0 ? raw / 32768.0f : raw / 32767.0f; }

// Takes the pad at device index `index` when none plays yet.
void take_pad(int index) {
  if (playing) return;
  playing = SDL_GameControllerOpen(index);
  if (!playing) return;
  playing_id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(playing));
  const bool pulled_out = pad.pulled_out;  // the pad it replaces, not yet taken
  pad = pad_state{};
  pad.connected = true;
  pad.pulled_out = pulled_out;
}

void release_pad() {
  if (playing) SDL_GameControllerClose(playing);
  playing = nullptr;
  playing_id = -1;
  pad = pad_state{};
}

// Another pad still plugged in plays on.
void take_any_pad() {
  for (int i = 0; i < SDL_NumJoysticks() && !playing; ++i)
    if (SDL_IsGameController(i)) take_pad(i);
}

void set_axis(SDL_GameControllerAxis axis, float value) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX: pad.left_x = value; break;
    case SDL_CONTROLLER_AXIS_LEFTY: pad.left_y = value; break;
    case SDL_CONTROLLER_AXIS_RIGHTX: pad.right_x = value; break;
    case SDL_CONTROLLER_AXIS_RIGHTY: pad.right_y = value; break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: pad.left_trigger = value; break;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: pad.right_trigger = value; break;
    default: break;
  }
}

void set_button(Uint8 button, bool down) {
  for (int b = 0; b < pad_button_count; ++b)
    if (sdl_buttons[b] == button) {
      pad.buttons[b] = down ? 1 : 0;
      if (down && pad.pressed[b] < 255) ++pad.pressed[b];
    }
}

}  // namespace

void open_gamepads() {
  if (opened) return;
  opened = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!opened) return;
  // A missing file is no error: SDL's own database stays.
  SDL_GameControllerAddMappingsFromFile("data/gamecontrollerdb.txt");
  SDL_GameControllerAddMappingsFromFile("gamecontrollerdb.txt");
  take_any_pad();
}

bool pad_message(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: take_pad(event.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (event.cdevice.which == playing_id) {
        release_pad();
        pad.pulled_out = true;
        take_any_pad();
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.which == playing_id)
        set_axis(static_cast<SDL_GameControllerAxis>(event.caxis.axis), axis_value(event.caxis.value));
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (event.cbutton.which == playing_id) set_button(event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
      return true;
    default: return false;
  }
}

bool take_pad_pulled_out() {
  bool was = pad.pulled_out;
  pad.pulled_out = false;
  return was;
}

bool take_pad_press(pad_button button) {
  if (!pad.pressed[button]) return false;
  --pad.pressed[button];
  return true;
}

void rumble_pad(float strength, uint32_t milliseconds) {
  if (!playing || !player_settings.rumble || strength <= 0.0f) return;
  const Uint16 level = static_cast<Uint16>((strength > 1.0f ? 1.0f : strength) * 65535.0f);
  SDL_GameControllerRumble(playing, level, level, milliseconds);
}

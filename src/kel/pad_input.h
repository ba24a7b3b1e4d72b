// The pad's buttons as the game's keys and mouse buttons, once per frame
// after the window's messages: Start is Esc, Back is F12; on the logo and in
// menus the d-pad and the left stick are the arrows, A is Enter and B is Esc
// (on the logo: Enter); in play the right trigger is the left mouse button,
// the left trigger and X the right one, the shoulders cycle the weapons. A
// pad pulled out during play pauses as Esc does.
#pragma once

void pad_buttons_as_keys();

// Forgets where the sticks and triggers were last seen, as at start-up: a new
// run must not take a stick or trigger held at the end of the last one for
// one that has not moved.
void reset_pad_buttons();

// The setup program's error box. SDL 1.2 has no message boxes, so the text
// always goes to stderr and, on an X display, xmessage shows it; the call
// returns when the box is dismissed (or at once when it cannot be shown).
#pragma once

void show_error_box(const char* text);

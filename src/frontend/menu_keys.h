// The menu's keys: Up and Down move the highlight round the active menu's
// items, Enter or Space choose the highlighted item, Esc the menu's Esc item.
#pragma once

// The command a menu frame queues when nothing is chosen. No room registers
// it, so it does nothing.
constexpr const char* no_menu_command = "none";

// Turns this frame's menu keys into exactly one queued command and clears
// the keys it used. Enter or Space wins over Esc. A menu without items keeps
// the highlight at 0 and Enter chooses nothing; a menu without an Esc item
// does nothing on Esc.
void process_menu();

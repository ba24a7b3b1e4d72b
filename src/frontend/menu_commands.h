// The commands the menus carry out: switching menus, and reading or writing
// the savegame of the highlighted slot.
#pragma once

// Registers "menu:", "load:" and "save:" with the console.
void register_menu_commands();

// kel -watch: between frames, when the pack of the level being played
// changes on disk (the watching forge renames a new one in), the level is
// loaded again in place. The player keeps position, facing, health, weapons,
// ammunition and keys; a position that became blocked as movement has it
// (player_square_blocked: walls, doors, barriers and occupied cells) moves the
// player to the level's start. A pack that does not load leaves the old level playing
// and says so on the message line.
#pragma once

void set_level_watch(bool on);

// Called once a frame in play.
void reload_level_if_changed();

// Moving on: the player on an exit cell starts the level the settings name next.
#pragma once

// Frame step: on an exit cell, load the level that follows (with autosave).
void check_level_exit();

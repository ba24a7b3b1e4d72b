// The level settings block: a few tagged words at the end of every level that
// set its ambient light, its wall heights and the level that follows it.
#pragma once

constexpr int level_setting_capacity = 256;       // words in one block
constexpr int level_setting_word_capacity = 256;  // characters per word, with the terminator

// Start-up values: 0 0 0, 4.0 and 2.2. A level that leaves a tag out keeps what
// the level before it set. The next level's path is c_next_filename (core).
extern float c_ambient_light[3];
extern float c_wall_h;    // wall height
extern float c_wall_cut;  // height of walls shown cut down near the player

// Walks the block and sets the globals. The last occurrence of a tag wins; a
// value that is not a number leaves its target unchanged but is still taken as
// the tag's value; a tag whose values are missing at the end is ignored.
void apply_level_settings(const char (*words)[level_setting_word_capacity], int count);

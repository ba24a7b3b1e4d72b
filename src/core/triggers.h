// The level's triggers at play: the player standing on a trigger (its message,
// picking up weapons, medikits, ammunition and keys, unlocking and pushing
// doors), enemies pushing doors, and doors opening and closing over time.
#pragma once

#include "content/models.h"  // trigger_t

constexpr int key_capacity = 256;
constexpr int key_name_capacity = 32;  // a collected key's name is cut to 31 characters

// The keys the player picked up in this level, in pick-up order; savegames
// keep them, a level load forgets them.
extern char t_keys[key_capacity][key_name_capacity];
extern int t_keyu;

// Whether the live player's push opens this door: it is not locked, or a
// key of its name was picked up in this level.
bool door_opens_for_player(const trigger_t& door);

// Level loading: the next level starts without keys.
void forget_keys();

// One game frame of trigger interaction: the live player's contact, enemies at
// doors (dead or alive), then the motion of every door.
void process_triggers();

// Takes the picked-up item `t` off the player's cell: no model drawn, no
// trigger reached from there, the record marked taken (it stays in the table).
void kill_trigger_plpos(int t);

// A sound bank for tests: the game's `Sound` gets entries with the given
// names, all playing one second of silence on the null device, and a test asks
// whether a name was played since it last asked. ALUT is left alone, so the
// sound bank's own tests can still start it in the same program.
#pragma once
#include <initializer_list>

void open_test_sounds(std::initializer_list<const char*> names);
void close_test_sounds();
// Index of the entry with this name, or -1.
int bank_entry(const char* name);
// Whether `name` was played since the last look (its source is rewound after
// each look, so every look sees only the plays in between).
bool played(const char* name);

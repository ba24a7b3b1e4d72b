// The game's sound bank `Sound` filled with a few named sounds on a context of
// the calling suite's own, on OpenAL Soft's silent null device, so a test can
// ask whether the code under test played a sound. ALUT is left alone, so the
// sound bank's own tests can still start it in the same program.
#pragma once
#include <initializer_list>

// Each name gets a second of silence: still playing when a test looks.
void open_test_sounds(std::initializer_list<const char*> names);
void close_test_sounds();
// Whether `name` was played since the last look: its source is rewound after
// each look, so every look sees only the plays in between. A name that is not
// in the bank fails the test.
bool played(const char* name);

#include "support/test_sounds.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sound/sound_bank.h"

static ALCdevice* test_device = nullptr;
static ALCcontext* test_context = nullptr;
static ALuint test_samples = 0;

int bank_entry(const char* name) {
  for (int i = 0; i < Sound.count; ++i)
    if (!std::strcmp(Sound.names[i], name)) return i;
  return -1;
}

bool played(const char* name) {
  int i = bank_entry(name);
  if (i < 0) {
    ADD_FAILURE() << name << " is not in the sound bank";
    return false;
  }
  ALint state = 0;
  alGetSourcei(Sound.sources[i], AL_SOURCE_STATE, &state);
  alSourceRewind(Sound.sources[i]);
  return state == AL_PLAYING;
}

void open_test_sounds(std::initializer_list<const char*> names) {
  setenv("ALSOFT_DRIVERS", "null", 0);
  test_device = alcOpenDevice(nullptr);
  if (!test_device) return;
  test_context = alcCreateContext(test_device, nullptr);
  alcMakeContextCurrent(test_context);
  // A second of silence: still playing when a test looks.
  const std::vector<int16_t> silence(8000);
  alGenBuffers(1, &test_samples);
  alBufferData(test_samples, AL_FORMAT_MONO16, silence.data(), static_cast<ALsizei>(silence.size() * 2), 8000);
  Sound.count = static_cast<int>(names.size());
  alGenSources(Sound.count, Sound.sources);
  int i = 0;
  for (const char* name : names) {
    std::snprintf(Sound.names[i], sound_name_capacity, "%s", name);
    alSourcei(Sound.sources[i], AL_BUFFER, static_cast<ALint>(test_samples));
    ++i;
  }
}

void close_test_sounds() {
  if (!test_device) return;
  alDeleteSources(Sound.count, Sound.sources);
  Sound.count = 0;
  alDeleteBuffers(1, &test_samples);
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(test_context);
  alcCloseDevice(test_device);
  test_device = nullptr;
}

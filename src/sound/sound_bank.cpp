#include "sound/sound_bank.h"

#include <AL/alut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "content/definition_values.h"
#include "content/tagged_reader.h"
#include "core/loading_log.h"

C_Sound Sound;

C_Sound::C_Sound() {}

C_Sound::~C_Sound() {
  if (!device_open_) return;
  // Sources first: a buffer still attached to a source cannot be deleted.
  alDeleteSources(count, sources);
  alDeleteBuffers(count, buffers);
  alutExit();
}

void C_Sound::Init() {
  if (device_open_) return;
  if (!alutInit(nullptr, nullptr)) {
    // No sound card (or no usable back end): the game goes on silent, and the
    // loading log says why.
    error = alutGetError();
    std::printf("alutInit : %d", error);
    char line[loading_line_capacity];
    std::snprintf(line, sizeof line, "alutInit: %s (no sound)", alutGetErrorString(error));
    draw_loading(line);
    draw_loading("_last_failed");
    return;
  }
  device_open_ = true;
  alGetError();

  draw_loading(sound_list_path);
  tagged_reader list;
  if (!list.open(sound_list_path)) {
    draw_loading("_last_failed");
    return;
  }
  read_list(list);
  if (!generate_buffers_and_sources()) return;
  for (int i = 0; i < count; ++i) load_entry(i);
}

void C_Sound::read_list(tagged_reader& list) {
  count = 0;
  while (!list.at_end()) {
    if (count >= sound_capacity) {
      log_content_failure(sound_list_path, "too many sounds");
      return;
    }
    // A name cut to fit would be another file, so an over-long one is left out.
    if (!read_name(list, names[count])) {
      log_content_failure(sound_list_path, "name too long");
      continue;
    }
    ++count;
  }
}

// On failure the bank is emptied, so that Play never touches names OpenAL did
// not hand out.
bool C_Sound::generate_buffers_and_sources() {
  alGenBuffers(count, buffers);
  if ((error = alGetError()) != AL_NO_ERROR) {
    std::printf("alGenBuffers : %d", error);
    draw_loading("alGenBuffers");
    draw_loading("_last_failed");
    count = 0;
    return false;
  }
  alGenSources(count, sources);
  if ((error = alGetError()) != AL_NO_ERROR) {
    std::printf("alGenSources 1 : %d", error);
    draw_loading("alGenSources");
    draw_loading("_last_failed");
    alDeleteBuffers(count, buffers);
    count = 0;
    return false;
  }
  return true;
}

// A sample rate outside what alBufferData takes becomes 0, which it refuses
// like any other bad rate (converting a huge float to int would be undefined).
static int buffer_rate(ALfloat rate) {
  return rate >= 1.0f && rate < 2147483648.0f ? static_cast<int>(rate) : 0;
}

// A sound that fails here keeps its entry: Play then starts a source without a
// buffer, which is silent.
void C_Sound::load_entry(int i) {
  draw_loading(names[i]);
  ALenum loaded_format = 0;
  ALsizei loaded_size = 0;
  ALfloat loaded_rate = 0.0f;
  data = alutLoadMemoryFromFile(names[i], &loaded_format, &loaded_size, &loaded_rate);
  if (!data) {
    error = alutGetError();
    std::printf("alutLoadWAVFile %s : %d", names[i], error);
    draw_loading("_last_failed");
    return;
  }
  format = loaded_format;
  size = loaded_size;
  frequency = buffer_rate(loaded_rate);

  alBufferData(buffers[i], format, data, size, frequency);
  error = alGetError();
  // The samples are copied into the buffer (or refused): free them either way.
  std::free(data);
  data = nullptr;
  if (error != AL_NO_ERROR) {
    std::printf("alBufferData buffer %d : %d", i, error);
    draw_loading("_last_failed");
    return;
  }

  alSourcei(sources[i], AL_BUFFER, static_cast<ALint>(buffers[i]));
  if ((error = alGetError()) != AL_NO_ERROR) {
    std::printf("alSourcei AL_BUFFER : %d", error);
    draw_loading("alSourcei AL_BUFFER");
    draw_loading("alSourcei AL_BUFFER");
  }
}

int C_Sound::Play(const char* name) {
  if (!name) return count;
  for (int i = 0; i < count; ++i)
    if (!std::strcmp(names[i], name)) alSourcePlay(sources[i]);
  return count;
}

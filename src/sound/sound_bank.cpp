#include "sound/sound_bank.h"

#include <AL/alut.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/byte_io.h"
#include "base/loading_log.h"
#include "content/definition_words.h"
#include "content/tagged_reader.h"

C_Sound Sound;

C_Sound::C_Sound() {}

C_Sound::~C_Sound() {
  if (!device_open_) return;
  // Sources first: a buffer still attached to a source cannot be deleted.
  alDeleteSources(count, sources);
  alDeleteBuffers(count, buffers);
  alutExit();
}

// An OpenAL step that failed: "STEP : CODE" on stdout (one line each, so that
// a run of failures stays readable) and the step's own line on the loading
// log, marked failed; `log_line` null marks the line already there (the
// sound's name).
static void report_al_failure(const char* step, int code, const char* log_line) {
  std::printf("%s : %d\n", step, code);
  if (log_line)
    draw_loading_failed(log_line);
  else
    mark_loading_failed();
}

void C_Sound::Init() {
  if (device_open_) return;
  if (!alutInit(nullptr, nullptr)) {
    // No sound card (or no usable back end): the game goes on silent, and the
    // loading log says why.
    error = alutGetError();
    char line[loading_line_capacity];
    std::snprintf(line, sizeof line, "alutInit: %s (no sound)", alutGetErrorString(error));
    draw_loading_failed(line);
    return;
  }
  device_open_ = true;
  alGetError();
  apply_volume();

  draw_loading(sound_list_path);
  tagged_reader list;
  if (!list.open(sound_list_path)) {
    mark_loading_failed();
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
    report_al_failure("alGenBuffers", error, "alGenBuffers");
    count = 0;
    return false;
  }
  alGenSources(count, sources);
  if ((error = alGetError()) != AL_NO_ERROR) {
    report_al_failure("alGenSources 1", error, "alGenSources");
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

// The whole file, or an ALUT error code: a file that cannot be read is an I/O
// error, and so is one too large to be a sound effect.
static int read_sound_file(const char* path, std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return ALUT_ERROR_IO_ERROR;
  unsigned char block[65536];
  size_t got;
  bool too_large = false;
  while (!too_large && (got = std::fread(block, 1, sizeof block, f)) > 0) {
    too_large = bytes.size() + got > sound_file_limit;
    if (!too_large) bytes.insert(bytes.end(), block, block + got);
  }
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return failed || too_large ? ALUT_ERROR_IO_ERROR : ALUT_ERROR_NO_ERROR;
}

// ALUT allocates every chunk at the length the file claims before reading it,
// so a few corrupt bytes could ask for gigabytes. The chunks are walked here
// as ALUT walks them (odd lengths padded, stopping at "data") and each length
// must fit the file. Returns an ALUT error code.
static int check_wav_chunks(const std::vector<unsigned char>& bytes) {
  const unsigned char* p = bytes.data();
  if (bytes.size() < 12 || std::memcmp(p, "RIFF", 4) || std::memcmp(p + 8, "WAVE", 4))
    return ALUT_ERROR_UNSUPPORTED_FILE_TYPE;
  for (size_t at = 12; bytes.size() - at >= 8;) {
    uint64_t length = get_u32(p + at + 4);
    if (length > bytes.size() - at - 8) return ALUT_ERROR_CORRUPT_OR_TRUNCATED_DATA;
    if (!std::memcmp(p + at, "data", 4)) break;
    uint64_t next = at + 8 + length + (length & 1);
    if (next > bytes.size()) break;
    at = static_cast<size_t>(next);
  }
  return ALUT_ERROR_NO_ERROR;
}

// The samples of a WAV file, decoded by ALUT, or null with `error` set. ALUT
// reads the file itself once it has passed the check: its reader of images
// in memory runs past the end of one that stops without a "data" chunk.
static void* load_wav(const char* path, ALenum& format, ALsizei& size, ALfloat& rate, int& error) {
  std::vector<unsigned char> bytes;
  if ((error = read_sound_file(path, bytes)) != ALUT_ERROR_NO_ERROR) return nullptr;
  if ((error = check_wav_chunks(bytes)) != ALUT_ERROR_NO_ERROR) return nullptr;
  void* samples = alutLoadMemoryFromFile(path, &format, &size, &rate);
  if (!samples) error = alutGetError();
  return samples;
}

// A sound that fails here keeps its entry: Play then starts a source without a
// buffer, which is silent.
void C_Sound::load_entry(int i) {
  draw_loading(names[i]);
  ALenum format = 0;
  ALsizei size = 0;
  ALfloat rate = 0.0f;
  void* data = load_wav(names[i], format, size, rate, error);
  if (!data) {
    std::printf("alutLoadWAVFile %s : %d\n", names[i], error);
    mark_loading_failed();
    return;
  }

  alBufferData(buffers[i], format, data, size, buffer_rate(rate));
  error = alGetError();
  // The samples are copied into the buffer (or refused): free them either way.
  std::free(data);
  if (error != AL_NO_ERROR) {
    char step[64];
    std::snprintf(step, sizeof step, "alBufferData buffer %d", i);
    report_al_failure(step, error, nullptr);
    return;
  }

  alSourcei(sources[i], AL_BUFFER, static_cast<ALint>(buffers[i]));
  // Once on the log: the same line twice would only push older lines out.
  if ((error = alGetError()) != AL_NO_ERROR) report_al_failure("alSourcei AL_BUFFER", error, "alSourcei AL_BUFFER");
}

void C_Sound::set_volume(int percent) {
  volume_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  if (device_open_) apply_volume();
}

void C_Sound::apply_volume() {
  alListenerf(AL_GAIN, static_cast<ALfloat>(volume_) / 100.0f);
  alGetError();  // a refused gain leaves the sound as loud as it was; nothing to report
}

int C_Sound::Play(const char* name) {
  if (!name) return count;
  for (int i = 0; i < count; ++i)
    if (!std::strcmp(names[i], name)) alSourcePlay(sources[i]);
  return count;
}

// The sound bank: every sound effect is loaded once at start-up from the files
// that data/sound.list names, and played by that same file name. Sounds are
// not positional: each plays at the listener, at the player's volume.
#pragma once
#include <AL/al.h>
#include <cstddef>

class tagged_reader;

constexpr int sound_capacity = 128;
// A name holds at most 127 characters and a terminator.
constexpr size_t sound_name_capacity = 128;
constexpr const char* sound_list_path = "data/sound.list";
// A sound file larger than this is refused rather than read into memory.
constexpr size_t sound_file_limit = 64u << 20;

class C_Sound {
 public:
  C_Sound();
  // Deletes the sources and buffers and closes the audio device, if Init
  // opened one.
  ~C_Sound();

  // Opens the default audio device and loads every sound of the list. Without
  // a device the bank stays empty and the game runs silent. Only the first
  // call does anything: the bank is loaded once per run.
  void Init();
  // Starts (or restarts from the beginning) every entry whose name equals
  // `name` byte for byte; returns the number of entries.
  int Play(const char* name);
  // The listener's gain in per cent of full (0 silent, 100 full; outside
  // that range it is clamped). Kept until Init opens a device.
  void set_volume(int percent);

  // Entry i of names, buffers and sources describes the same sound.
  char names[sound_capacity][sound_name_capacity] = {};
  ALuint buffers[sound_capacity] = {};
  ALuint sources[sound_capacity] = {};
  int count = 0;

  // The last OpenAL (or ALUT) error code seen.
  int error = 0;

 private:
  void read_list(tagged_reader& list);
  bool generate_buffers_and_sources();
  void load_entry(int i);

  void apply_volume();

  bool device_open_ = false;
  int volume_ = 100;
};

extern C_Sound Sound;

// Any bytes as the sound list and one WAV file: the bank must never crash or
// write past its table, whatever the list names and whatever the file holds.
// The input is the list text, optionally followed by a NUL byte and the bytes
// of "data/sound/fuzz.wav"; list names that do not exist are part of the game.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sound/sound_bank.h"

static void write_bytes(const char* path, const uint8_t* data, size_t size) {
  if (FILE* f = std::fopen(path, "wb")) {
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The silent null back end: no sound card is needed and nothing is heard.
  // Short mixing periods let the device close at once, input after input.
  setenv("ALSOFT_DRIVERS", "null", 1);
  char conf[4096];
  if (!getcwd(conf, sizeof conf - 32)) return 1;
  std::strcat(conf, "/alsoft.conf");
  const char settings[] = "[general]\nperiod_size = 64\n";
  write_bytes(conf, reinterpret_cast<const uint8_t*>(settings), sizeof settings - 1);
  setenv("ALSOFT_CONF", conf, 1);
  mkdir("data", 0755);
  mkdir("data/sound", 0755);
  // The loading log echoes every line to stdout.
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  size_t list_size = split ? static_cast<size_t>(split - data) : size;
  write_bytes(sound_list_path, data, list_size);
  if (split)
    write_bytes("data/sound/fuzz.wav", split + 1, size - list_size - 1);
  else
    std::remove("data/sound/fuzz.wav");

  C_Sound bank;
  bank.Init();
  bank.Play("data/sound/fuzz.wav");
  if (bank.count > 0) bank.Play(bank.names[bank.count - 1]);
  return 0;
}

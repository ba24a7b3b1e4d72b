#include <gtest/gtest.h>

#include <AL/al.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/loading_log.h"
#include "sound/sound_bank.h"
#include "support/scratch_dir.h"

namespace {

// OpenAL Soft reads the back-end choice once, at its first use; the silent null
// back end lets these tests run without a sound card (ctest sets it as well).
struct null_audio_device {
  null_audio_device() { setenv("ALSOFT_DRIVERS", "null", 0); }
};

void put_le(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A mono 16-bit PCM WAV holding a quiet square wave, long enough to be still
// playing when a test looks at it; `extra` is a whole chunk put before the
// samples.
std::string mono16_wav(uint32_t rate, uint32_t samples, const std::string& extra = "") {
  std::string wav = "RIFF";
  put_le(wav, static_cast<uint32_t>(36 + extra.size()) + samples * 2, 4);
  wav += "WAVEfmt ";
  put_le(wav, 16, 4);
  put_le(wav, 1, 2);         // PCM
  put_le(wav, 1, 2);         // mono
  put_le(wav, rate, 4);
  put_le(wav, rate * 2, 4);  // bytes per second
  put_le(wav, 2, 2);         // bytes per frame
  put_le(wav, 16, 2);
  wav += extra + "data";
  put_le(wav, samples * 2, 4);
  for (uint32_t i = 0; i < samples; ++i) put_le(wav, (i / 20) % 2 ? 0x0400 : 0xfc00, 2);
  return wav;
}

void write_sound(const std::string& path) { write_file(path, mono16_wav(8000, 5 * 8000)); }

// True when `text` holds `before`, a decimal error code and `after`, with
// nothing else between them.
bool holds_code_between(const std::string& text, const std::string& before, const std::string& after) {
  size_t at = text.find(before);
  if (at == std::string::npos) return false;
  size_t code = at + before.size(), end = code;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return end > code && text.compare(end, after.size(), after) == 0;
}

ALint source_state(ALuint source) {
  ALint state = 0;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

class SoundBank : public ::testing::Test {
 protected:
  null_audio_device device;
  scratch_dir dir;
};

TEST_F(SoundBank, ListNamingAFileTwiceGivesTwoEntriesAndPlayStartsBoth) {
  write_sound("data/sound/krok.wav");
  write_sound("data/sound/shot.wav");
  write_file("data/sound.list", "data/sound/krok.wav\r\ndata/sound/shot.wav\n\tdata/sound/krok.wav");
  C_Sound bank;
  bank.Init();
  ASSERT_EQ(bank.count, 3);
  EXPECT_STREQ(_loaded[0], "data/sound/krok.wav");

  EXPECT_EQ(bank.Play("data/sound/krok.wav"), 3);
  EXPECT_EQ(source_state(bank.sources[0]), AL_PLAYING);
  EXPECT_EQ(source_state(bank.sources[1]), AL_INITIAL);
  EXPECT_EQ(source_state(bank.sources[2]), AL_PLAYING);
  EXPECT_NE(bank.sources[0], bank.sources[2]);
}

TEST_F(SoundBank, VolumeIsTheListenerGainKeptFromBeforeInit) {
  write_file("data/sound.list", "");
  C_Sound bank;
  bank.set_volume(40);
  bank.Init();
  ALfloat gain = -1.0f;
  alGetListenerf(AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.4f);
  struct {
    int percent;
    float gain;
  } cases[] = {{0, 0.0f}, {50, 0.5f}, {100, 1.0f}, {-10, 0.0f}, {250, 1.0f}, {70, 0.7f}};
  for (const auto& c : cases) {
    bank.set_volume(c.percent);
    alGetListenerf(AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, c.gain) << c.percent;
  }
}

TEST_F(SoundBank, OnlyTheExactNamePlays) {
  write_sound("data/sound/krok.wav");
  write_file("data/sound.list", "data/sound/krok.wav");
  C_Sound bank;
  EXPECT_EQ(bank.Play("data/sound/krok.wav"), 0);  // before Init: no entries
  bank.Init();
  ASSERT_EQ(bank.count, 1);
  for (const char* other : {"data/sound/KROK.wav", "./data/sound/krok.wav", "data/sound/krok.wav ",
                            "data/sound/krok", ""}) {
    bank.Play(other);
    EXPECT_EQ(source_state(bank.sources[0]), AL_INITIAL) << other;
  }
  bank.Play(nullptr);
  bank.Play("data/sound/krok.wav");
  EXPECT_EQ(source_state(bank.sources[0]), AL_PLAYING);
}

TEST_F(SoundBank, PlayingASoundAgainRestartsItInsteadOfOverlapping) {
  write_sound("data/sound/krok.wav");
  write_file("data/sound.list", "data/sound/krok.wav");
  C_Sound bank;
  bank.Init();
  ASSERT_EQ(bank.count, 1);
  ALuint source = bank.sources[0];
  bank.Play("data/sound/krok.wav");
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  ALint played = 0, restarted = 0;
  alGetSourcei(source, AL_SAMPLE_OFFSET, &played);
  ASSERT_EQ(source_state(source), AL_PLAYING);
  ASSERT_GT(played, 0);

  bank.Play("data/sound/krok.wav");
  alGetSourcei(source, AL_SAMPLE_OFFSET, &restarted);
  EXPECT_EQ(source_state(source), AL_PLAYING);
  EXPECT_LT(restarted, played);
}

TEST_F(SoundBank, MissingListGivesAnEmptyBankAndTheFailedListLine) {
  C_Sound bank;
  bank.Init();
  EXPECT_EQ(bank.count, 0);
  EXPECT_STREQ(_loaded[0], "data/sound.list - FAILED!");
  EXPECT_EQ(bank.Play("data/sound/krok.wav"), 0);
}

TEST_F(SoundBank, SoundThatFailsToLoadIsReportedAndTheRestOfTheListLoads) {
  const char* failing[] = {"data/sound/missing.wav", "data/sound/garbage.wav",
                           "data/sound/truncated.wav", "data/sound/claims_4gb.wav"};
  write_file(failing[1], "this is no wave at all, only words in a file");
  write_file(failing[2], mono16_wav(8000, 8000).substr(0, 30));
  write_file(failing[3], mono16_wav(8000, 8000, std::string("junk\0\0\0\xf0", 8)));
  // An odd-sized chunk is followed by a pad byte, as RIFF writers do.
  write_file("data/sound/padded.wav", mono16_wav(8000, 5 * 8000, std::string("LIST\3\0\0\0abc\0", 12)));
  std::string list;
  for (const char* name : failing) list += std::string(name) + " ";
  write_file("data/sound.list", list + "data/sound/padded.wav");

  C_Sound bank;
  testing::internal::CaptureStdout();
  bank.Init();
  std::string out = testing::internal::GetCapturedStdout();

  ASSERT_EQ(bank.count, 5);  // failed sounds keep their entries
  EXPECT_STREQ(_loaded[0], "data/sound/padded.wav");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(_loaded[4 - i], std::string(failing[i]) + " - FAILED!");
    // The diagnostic is a line of its own, followed by the log's failed line.
    EXPECT_TRUE(holds_code_between(out, std::string("alutLoadWAVFile ") + failing[i] + " : ",
                                   "\n" + std::string(failing[i]) + " - FAILED!\n"))
        << out;
    bank.Play(failing[i]);
    EXPECT_NE(source_state(bank.sources[i]), AL_PLAYING);
  }
  EXPECT_EQ(out.find("alutLoadWAVFile data/sound/padded.wav"), std::string::npos);
  bank.Play("data/sound/padded.wav");
  EXPECT_EQ(source_state(bank.sources[4]), AL_PLAYING);
}

TEST_F(SoundBank, BufferThatOpenALRefusesIsReportedWithItsIndexAndCode) {
  write_sound("data/sound/good.wav");
  write_file("data/sound/no_rate.wav", mono16_wav(0, 8000));  // ALUT reads it, OpenAL refuses rate 0
  write_file("data/sound.list", "data/sound/good.wav data/sound/no_rate.wav");
  C_Sound bank;
  testing::internal::CaptureStdout();
  bank.Init();
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(bank.count, 2);
  EXPECT_STREQ(_loaded[0], "data/sound/no_rate.wav - FAILED!");
  EXPECT_TRUE(holds_code_between(out, "alBufferData buffer 1 : ", "\ndata/sound/no_rate.wav - FAILED!\n")) << out;
  EXPECT_EQ(out.find("alBufferData buffer 0"), std::string::npos);
  EXPECT_EQ(out.find("alSourcei"), std::string::npos);  // a refused buffer is never bound
}

TEST_F(SoundBank, LongListAndOverLongNamesNeverPassTheTable) {
  write_sound("data/s/last.wav");
  std::string too_long = "data/s/" + std::string(sound_name_capacity, 'x') + ".wav";
  std::string longest = std::string(sound_name_capacity - 1 - 4, 'y') + ".wav";
  write_sound(longest);
  std::string list = too_long + " " + longest;
  for (int i = 1; i < sound_capacity - 1; ++i) list += " data/s/" + std::to_string(i) + ".wav";
  list += " data/s/last.wav data/s/beyond.wav data/s/last.wav";
  write_file("data/sound.list", list);

  C_Sound bank;
  testing::internal::CaptureStdout();
  bank.Init();
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(bank.count, sound_capacity);
  EXPECT_EQ(bank.names[0], longest);
  EXPECT_STREQ(bank.names[sound_capacity - 1], "data/s/last.wav");
  EXPECT_NE(out.find("data/sound.list: name too long - FAILED!"), std::string::npos);
  EXPECT_NE(out.find("data/sound.list: too many sounds - FAILED!"), std::string::npos);
  EXPECT_EQ(out.find("beyond"), std::string::npos);

  bank.Play("data/s/last.wav");
  EXPECT_EQ(source_state(bank.sources[sound_capacity - 1]), AL_PLAYING);
  bank.Play(longest.c_str());
  EXPECT_EQ(source_state(bank.sources[0]), AL_PLAYING);
}

// OpenAL Soft picks its back end once per process, so the run without a sound
// card happens in a child process that names a back end that does not exist.
TEST_F(SoundBank, WithoutAnAudioDeviceTheGameRunsSilent) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  write_sound("data/sound/krok.wav");
  write_file("data/sound.list", "data/sound/krok.wav");
  EXPECT_EXIT(
      {
        setenv("ALSOFT_DRIVERS", "no-such-back-end", 1);
        C_Sound bank;
        bank.Init();
        bool silent = bank.count == 0 && bank.Play("data/sound/krok.wav") == 0;
        std::fprintf(stderr, "log: %s\n", _loaded[0]);
        std::exit(silent ? 0 : 1);
      },
      testing::ExitedWithCode(0), "log: alutInit: .* \\(no sound\\) - FAILED!");
}

}  // namespace

#include "sounds/sound_recipe.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/rng.h"

namespace {

constexpr float two_pi = 6.2831853f;

struct sweep {
  float from = 0, to = 0;
  // Exponential glide for frequencies, so a sweep sounds even.
  float at(float t) const {
    if (from <= 0 || to <= 0) return from + (to - from) * t;
    return from * std::pow(to / from, t);
  }
};

bool read_sweep(recipe_args& args, const char* name, sweep& out, double lo, double hi) {
  if (!args.has(name)) return true;
  const recipe_argument* found = nullptr;
  for (const recipe_argument& a : args.entry().arguments)
    if (a.name == name) found = &a;
  size_t parts = found && found->value.text.find(',') != std::string::npos ? 2 : 1;
  std::vector<double> values;
  if (!args.numbers(name, values, parts, lo, hi)) return false;
  out = {float(values[0]), float(values.back())};
  return true;
}

enum class wave { sine, square, saw, triangle, noise, crackle };

struct voice {
  wave kind = wave::sine;
  float at = 0, length = -1, attack = 0.002f, hold = 0, decay = -1, curve = 1.5f;
  sweep freq{220, 220};
  int filter = 0;  // none, lowpass, highpass, bandpass
  sweep cutoff{2000, 2000};
  float resonance = 0.7f, gain = 1, drive = 0;
  int repeats = 1;
  float interval = 0;
};

float envelope(const voice& v, float t, float length) {
  if (t < 0 || t >= length) return 0;
  if (t < v.attack) return t / v.attack;
  t -= v.attack;
  if (t < v.hold) return 1;
  t -= v.hold;
  float decay = v.decay > 0 ? v.decay : std::max(length - v.attack - v.hold, 1e-3f);
  if (t >= decay) return 0;
  return std::pow(1.0f - t / decay, v.curve);
}

// Zero-delay-feedback state-variable filter: stable at any cutoff.
struct svf {
  float ic1 = 0, ic2 = 0;
  float run(float x, float cutoff, float resonance, unsigned rate, int mode) {
    float g = std::tan(3.14159265f * std::min(cutoff, rate * 0.45f) / float(rate));
    float k = 1.0f / std::max(resonance, 0.05f);
    float a1 = 1 / (1 + g * (g + k)), a2 = g * a1, a3 = g * a2;
    float v3 = x - ic2, v1 = a1 * ic1 + a2 * v3, v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    return mode == 1 ? v2 : mode == 2 ? x - k * v1 - v2 : v1;
  }
};

bool read_voice(recipe& source, const recipe_entry& entry, voice& v, float sound_length) {
  recipe_args args(source, entry);
  std::string kind = args.bare(0, "a wave (sine, square, saw, triangle, noise, crackle)");
  const char* kinds[] = {"sine", "square", "saw", "triangle", "noise", "crackle"};
  bool known = false;
  for (int i = 0; i < 6; ++i)
    if (kind == kinds[i]) {
      v.kind = wave(i);
      known = true;
    }
  if (!known && !kind.empty()) args.error(entry.arguments[0].value.at, "unknown wave '" + kind + "'");
  args.number("at", v.at, 0.0f, sound_max_seconds);
  args.number("length", v.length, 0.001f, sound_max_seconds);
  args.number("attack", v.attack, 0.0001f, sound_max_seconds);
  args.number("hold", v.hold, 0.0f, sound_max_seconds);
  args.number("decay", v.decay, 0.001f, sound_max_seconds);
  args.number("curve", v.curve, 0.1f, 8.0f);
  read_sweep(args, "freq", v.freq, 1, 20000);
  args.choice("filter", v.filter, {"none", "lowpass", "highpass", "bandpass"});
  read_sweep(args, "cutoff", v.cutoff, 10, 20000);
  args.number("resonance", v.resonance, 0.1f, 20.0f);
  args.number("gain", v.gain, 0.0f, 4.0f);
  args.number("drive", v.drive, 0.0f, 20.0f);
  std::vector<double> repeat;
  if (args.numbers("repeat", repeat, 2, 0, 64) && !repeat.empty()) {
    v.repeats = std::max(1, int(repeat[0]));
    v.interval = float(repeat[1]);
  }
  if (v.length < 0) v.length = std::max(0.001f, sound_length - v.at);
  return args.finish();
}

void render_voice(const voice& v, uint32_t seed, synthesized_sound& out) {
  const unsigned rate = out.rate;
  forge_rng rng(seed);
  for (int r = 0; r < v.repeats; ++r) {
    float start = v.at + v.interval * float(r);
    size_t first = size_t(start * rate);
    size_t count = size_t(v.length * rate);
    svf filter;
    float phase = 0;
    for (size_t i = 0; i < count && first + i < out.samples.size(); ++i) {
      float t = float(i) / float(rate);
      float progress = float(i) / float(std::max<size_t>(count, 1));
      float freq = v.freq.at(progress);
      phase += freq / float(rate);
      phase -= std::floor(phase);
      float s = 0;
      switch (v.kind) {
        case wave::sine: s = std::sin(two_pi * phase); break;
        case wave::square: s = phase < 0.5f ? 1.0f : -1.0f; break;
        case wave::saw: s = 2 * phase - 1; break;
        case wave::triangle: s = 1 - 4 * std::fabs(phase - 0.5f); break;
        case wave::noise: s = rng.signed_unit(); break;
        case wave::crackle: s = rng.unit() < freq / float(rate) ? rng.signed_unit() * 2 : 0; break;
      }
      if (v.filter != 0) s = filter.run(s, v.cutoff.at(progress), v.resonance, rate, v.filter);
      if (v.drive > 0) s = std::tanh(s * (1 + v.drive)) / std::tanh(1 + v.drive);
      out.samples[first + i] += s * v.gain * envelope(v, t, v.length);
    }
  }
}

}  // namespace

bool synthesize_sound(recipe& source, synthesized_sound& out) {
  int errors_before = source.sink().count();
  const std::vector<recipe_entry>& entries = source.entries();
  if (entries.empty() || entries[0].keyword.text != "sound") {
    source.error(entries.empty() ? recipe_position{1, 1} : entries[0].keyword.at,
                 "a sound recipe starts with 'sound'");
    return false;
  }
  float length = 0.5f, gain = 0.8f;
  int seed = 1, rate = int(sound_default_rate);
  {
    recipe_args args(source, entries[0]);
    args.require("length");
    args.number("length", length, 0.01f, sound_max_seconds);
    args.integer("rate", rate, 8000, 48000);
    args.integer("seed", seed, 0, 1 << 30);
    args.number("gain", gain, 0.01f, 1.0f);
    args.finish();
  }
  out.rate = unsigned(rate);
  out.samples.assign(size_t(length * float(rate)), 0.0f);
  for (size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].keyword.text != "voice") {
      source.error(entries[i].keyword.at, "unknown entry '" + entries[i].keyword.text + "' (voice)");
      continue;
    }
    voice v;
    read_voice(source, entries[i], v, length);
    render_voice(v, uint32_t(seed) * 7919u + uint32_t(i), out);
  }
  // Saturate softly, then bring the peak to the requested level.
  float peak = 0;
  for (float& s : out.samples) {
    s = std::tanh(s);
    peak = std::max(peak, std::fabs(s));
  }
  if (peak > 0)
    for (float& s : out.samples) s *= gain / peak;
  // Short fades so no sound starts or stops with a click.
  size_t fade = std::min(out.samples.size() / 2, size_t(rate / 500));
  for (size_t i = 0; i < fade; ++i) {
    float f = float(i) / float(fade);
    out.samples[i] *= f;
    out.samples[out.samples.size() - 1 - i] *= f;
  }
  return source.sink().count() == errors_before;
}

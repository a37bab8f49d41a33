#include "platform/music_synth.h"

#include <fluidsynth.h>

#include <cmath>
#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/audio.h"
#include "platform/music.h"

namespace plat {
namespace {

struct Synth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  ~Synth() {
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

void quiet_logging() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

bool make_synth(Synth* s, int rate, double gain) {
  const char* font = soundfont_path();
  if (!font) return false;
  quiet_logging();
  s->settings = new_fluid_settings();
  if (!s->settings) return false;
  fluid_settings_setnum(s->settings, "synth.sample-rate", rate);
  fluid_settings_setnum(s->settings, "synth.gain", gain);
  fluid_settings_setint(s->settings, "synth.polyphony", 256);
  fluid_settings_setint(s->settings, "synth.reverb.active", 1);
  fluid_settings_setint(s->settings, "synth.chorus.active", 1);
  s->synth = new_fluid_synth(s->settings);
  if (!s->synth) return false;
  return fluid_synth_sfload(s->synth, font, 1) != FLUID_FAILED;
}

}  // namespace

const char* soundfont_path() {
  static const char* const candidates[] = {"/usr/share/sounds/sf2/default-GM.sf2",
                                           "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                           "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
  for (const char* path : candidates) {
    if (std::FILE* f = std::fopen(path, "rb")) {
      std::fclose(f);
      return path;
    }
  }
  return nullptr;
}

fluid_synth_t* shared_synth() {
  static Synth live;
  static bool ready = make_synth(&live, kMixRate, 0.5);
  return ready ? live.synth : nullptr;
}

void synth_send(fluid_synth_t* synth, const MidiEvent& e) {
  const int channel = e.status & 0x0F;
  switch (e.status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, e.data1); break;
    case 0x90:
      if (e.data2 == 0) {
        fluid_synth_noteoff(synth, channel, e.data1);
      } else {
        fluid_synth_noteon(synth, channel, e.data1, e.data2);
      }
      break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, e.data1, e.data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, e.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, e.data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, e.data1 | e.data2 << 7); break;
    default: break;
  }
}

void synth_reset(fluid_synth_t* synth) {
  fluid_synth_all_sounds_off(synth, -1);
  fluid_synth_system_reset(synth);
}

void synth_render(fluid_synth_t* synth, float* out, int frames) {
  fluid_synth_write_float(synth, frames, out, 0, 2, out, 1, 2);
}

int synth_active_voices(fluid_synth_t* synth) { return fluid_synth_get_active_voice_count(synth); }

bool render_midi_to_pcm(const MidiSequence& sequence, int rate, double seconds,
                        std::vector<float>* out) {
  if (!out || rate <= 0 || seconds < 0) return false;
  Synth s;
  if (!make_synth(&s, rate, 0.5)) return false;
  const auto total = static_cast<size_t>(std::llround(seconds * rate));
  out->assign(total * 2, 0.0f);
  size_t frame = 0;
  size_t next = 0;
  while (frame < total) {
    while (next < sequence.events.size() &&
           static_cast<size_t>(std::llround(sequence.events[next].seconds * rate)) <= frame) {
      synth_send(s.synth, sequence.events[next++]);
    }
    size_t until = total;
    if (next < sequence.events.size()) {
      until =
          std::min(until, static_cast<size_t>(std::llround(sequence.events[next].seconds * rate)));
    }
    const size_t chunk = std::min<size_t>(until - frame, 4096);
    synth_render(s.synth, out->data() + frame * 2, static_cast<int>(chunk));
    frame += chunk;
  }
  return true;
}

}  // namespace plat

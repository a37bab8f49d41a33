// Writes the game's six sound files and the MIDI module's test file into the
// directory given as the first argument.
#include <cstdio>
#include <string>

#include "platform/midi_file.h"
#include "platform/music.h"
#include "tools/compose.h"
#include "tools/effects.h"
#include "tools/pcm.h"

namespace {

// Renders a composed piece through the soundfont synthesizer.
bool render(const std::vector<uint8_t>& midi, int rate, double tail, Pcm* out) {
  plat::MidiSequence sequence;
  if (!plat::parse_midi(midi.data(), midi.size(), &sequence)) return false;
  out->rate = rate;
  out->channels = 2;
  return plat::render_midi_to_pcm(sequence, rate, sequence.length_seconds + tail, &out->samples);
}

// The music loops: whatever rings past the last beat (reverb, releases) is laid
// over the beginning, where the next pass would have it, so the seam has
// neither click nor gap.
bool make_music(Pcm* out) {
  constexpr double kTail = 5.0;
  if (!render(compose_music(), 44100, kTail, out)) return false;
  const auto loop = static_cast<size_t>(kMusicSeconds * out->rate) * 2;
  for (size_t i = loop; i < out->samples.size(); ++i) out->samples[i - loop] += out->samples[i];
  out->samples.resize(loop);
  pcm_normalize(out, 0.56f);
  return true;
}

bool make_effect(const std::vector<uint8_t>& midi, int rate, double tail, float peak, Pcm* out) {
  if (!render(midi, rate, tail, out)) return false;
  pcm_normalize(out, peak);
  pcm_trim_tail(out, 0.0015f, 0.15);
  return true;
}

bool save(const std::string& dir, const char* name, const Pcm& pcm) {
  if (write_wav(dir + "/" + name, pcm)) return true;
  std::fprintf(stderr, "make_sounds: cannot write %s/%s\n", dir.c_str(), name);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  if (!plat::soundfont_path()) {
    std::fprintf(stderr,
                 "make_sounds: no General MIDI soundfont under /usr/share/sounds/sf2 "
                 "(install timgm6mb-soundfont)\n");
    return 1;
  }
  Pcm music, fanfare, lament, acknowledge;
  if (!make_music(&music) || !make_effect(compose_fanfare(), 44100, 2.0, 0.8f, &fanfare) ||
      !make_effect(compose_lament(), 44100, 2.5, 0.75f, &lament) ||
      !make_effect(compose_acknowledge(), 44100, 1.0, 0.7f, &acknowledge)) {
    std::fprintf(stderr, "make_sounds: the synthesizer failed to render\n");
    return 1;
  }
  // The short order sound needs neither stereo nor the full rate.
  acknowledge = pcm_halve_rate(pcm_to_mono(acknowledge));
  pcm_normalize(&acknowledge, 0.7f);

  bool ok = save(dir, "Combat_Skirmish.wav", make_skirmish());
  ok = save(dir, "Combat_BattleWon.wav", fanfare) && ok;
  ok = save(dir, "Combat_BattleLost.wav", lament) && ok;
  ok = save(dir, "Unit_ArmyMove.wav", make_march()) && ok;
  ok = save(dir, "Unit_ArmySelected.wav", acknowledge) && ok;
  ok = save(dir, "CROSS_OR_CROWN.wav", music) && ok;
  if (!write_bytes(dir + "/Test_Phrase.mid", compose_test_phrase())) {
    std::fprintf(stderr, "make_sounds: cannot write %s/Test_Phrase.mid\n", dir.c_str());
    ok = false;
  }
  return ok ? 0 : 1;
}

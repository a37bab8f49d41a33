// The mixer's cost per audio callback (1024 frames, about 23 ms of sound).
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/audio.h"
#include "sound/dmusic.h"
#include "sound/dsound.h"

namespace {

constexpr int kFrames = 1024;

plat::SoundBuffer* make(plat::SoundDevice* device, int rate, int channels, int bits) {
  plat::WaveFormat f{plat::WAVE_FORMAT_PCM,
                     static_cast<uint16_t>(channels),
                     static_cast<uint32_t>(rate),
                     0,
                     0,
                     static_cast<uint16_t>(bits),
                     0};
  plat::SoundBufferDesc d{36, 0xE0, 1u << 18, 0, &f, {}};
  plat::SoundBuffer* b = nullptr;
  plat::sound_device_create_buffer(device, &d, &b);
  return b;
}

// Effects of every format at once, each resampled, panned and attenuated.
void BM_MixSounds(benchmark::State& state) {
  plat::set_audio_output_enabled(false);
  plat::SoundDevice* device = nullptr;
  plat::sound_device_create(&device);
  for (int i = 0; i < state.range(0); ++i) {
    plat::SoundBuffer* b = make(device, i % 2 ? 22050 : 11025, 1 + i % 2, i % 3 ? 16 : 8);
    plat::buffer_set_pan(b, (i % 5 - 2) * 1000);
    plat::buffer_set_volume(b, -300 * (i % 4));
    plat::buffer_play(b, 0, 0, plat::DSBPLAY_LOOPING);
  }
  std::vector<float> out(kFrames * 2);
  for (auto _ : state) {
    plat::mix_render(device, out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
  plat::sound_device_release(device);
}
BENCHMARK(BM_MixSounds)->Arg(1)->Arg(6)->Arg(32);

// The game's case: the looping music at the output rate.
void BM_MixGameMusic(benchmark::State& state) {
  plat::set_audio_output_enabled(false);
  DSound_Reset_Module();
  DSound_Init();
  const int id = DSound_Load_WAV("CROSS_OR_CROWN.wav", 224);
  if (id < 0) {
    state.SkipWithError("run from the build directory");
    return;
  }
  DSound_Play(id, 1, 0, 0, 0);
  std::vector<float> out(kFrames * 2);
  for (auto _ : state) {
    plat::mix_render(lpds, out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
  }
  DSound_Reset_Module();
}
BENCHMARK(BM_MixGameMusic);

// A MIDI piece through the soundfont synthesizer.
void BM_MixMidiPerformance(benchmark::State& state) {
  plat::set_audio_output_enabled(false);
  DSound_Reset_Module();
  DSound_Init();
  DMusic_Init();
  const int id = DMusic_Load_MIDI("Test_Phrase.mid");
  if (id < 0) {
    state.SkipWithError("run from the build directory");
    return;
  }
  std::vector<float> out(kFrames * 2);
  int rendered = 0;
  for (auto _ : state) {
    if (rendered == 0) DMusic_Play(id);
    plat::mix_render(lpds, out.data(), kFrames);
    rendered = (rendered + 1) % 40;  // restart before the phrase ends
  }
  DMusic_Shutdown();
  DSound_Reset_Module();
}
BENCHMARK(BM_MixMidiPerformance);

}  // namespace

BENCHMARK_MAIN();

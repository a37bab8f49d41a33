// Sample blocks for the sound generator: interleaved float PCM, a few shaping
// helpers, and a 16-bit PCM WAVE writer.
#pragma once
#include <string>
#include <vector>

struct Pcm {
  int rate = 22050;
  int channels = 1;
  std::vector<float> samples;  // interleaved
};

size_t pcm_frames(const Pcm& pcm);
Pcm pcm_silence(int rate, int channels, double seconds);
// Scales so that the loudest sample reaches `peak`.
void pcm_normalize(Pcm* pcm, float peak);
// Cuts trailing samples quieter than `floor`, then fades the last `fade` seconds.
void pcm_trim_tail(Pcm* pcm, float floor, double fade);
// Linear fade-in over the first `seconds`.
void pcm_fade_in(Pcm* pcm, double seconds);
Pcm pcm_to_mono(const Pcm& pcm);
// Every second sample of a stereo or mono block, halving the rate, after a
// gentle low-pass that keeps the fold-over down.
Pcm pcm_halve_rate(const Pcm& pcm);

// A plain PCM WAVE file, 16 bits, format chunk first.
bool write_wav(const std::string& path, const Pcm& pcm);
bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);

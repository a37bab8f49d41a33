#include "tools/effects.h"

#include <cmath>
#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

// One-pole low-pass, run over a mono signal in place.
void low_pass(std::vector<float>* s, double cutoff, int rate) {
  const float a = static_cast<float>(1.0 - std::exp(-2.0 * kPi * cutoff / rate));
  float y = 0;
  for (float& x : *s) x = y += a * (x - y);
}

void high_pass(std::vector<float>* s, double cutoff, int rate) {
  std::vector<float> low = *s;
  low_pass(&low, cutoff, rate);
  for (size_t i = 0; i < s->size(); ++i) (*s)[i] -= low[i];
}

// A clash: a noisy strike, then inharmonic partials of a long blade ringing
// and beating against each other.
void add_clash(std::vector<float>* out, int rate, double at, double base, float level,
               std::mt19937* rng) {
  std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
  std::uniform_real_distribution<double> detune(0.985, 1.015);
  const auto start = static_cast<size_t>(at * rate);
  const double ratios[] = {1.0, 1.47, 2.09, 2.76, 3.52, 4.31, 5.23};
  const size_t length = static_cast<size_t>(1.6 * rate);
  const size_t release = static_cast<size_t>(0.3 * rate);
  std::vector<float> ring(length, 0.0f);
  for (size_t k = 0; k < std::size(ratios); ++k) {
    const double f = base * ratios[k] * detune(*rng);
    if (f * 2 >= rate) continue;
    const double beat = f * 1.004;  // a second mode close by: the shimmer
    const double decay = 0.5 / (1.0 + 0.6 * k);
    const double amp = 1.0 / (1.0 + 0.7 * k);
    const double phase = detune(*rng) * 6.0;
    for (size_t i = 0; i < length; ++i) {
      const double t = static_cast<double>(i) / rate;
      // Dies away fully before the block ends, so no ring is cut off.
      const double tail = i + release > length ? static_cast<double>(length - i) / release : 1.0;
      const double env = std::exp(-t / decay) * tail;
      ring[i] += static_cast<float>(
          amp * env * 0.5 * (std::sin(2 * kPi * f * t + phase) + std::sin(2 * kPi * beat * t)));
    }
  }
  // The strike itself: 20 ms of bright noise.
  std::vector<float> strike(static_cast<size_t>(0.06 * rate));
  for (size_t i = 0; i < strike.size(); ++i) {
    strike[i] =
        noise(*rng) * static_cast<float>(std::exp(-static_cast<double>(i) / (0.012 * rate)));
  }
  high_pass(&strike, 1500, rate);
  // A short scrape of edge on edge after the strike.
  std::vector<float> scrape(static_cast<size_t>(0.18 * rate));
  for (size_t i = 0; i < scrape.size(); ++i) {
    const double t = static_cast<double>(i) / scrape.size();
    scrape[i] = noise(*rng) * static_cast<float>(std::sin(kPi * t) * 0.25);
  }
  high_pass(&scrape, 3000, rate);
  low_pass(&scrape, 7000, rate);
  if (out->size() < start + length) out->resize(start + length, 0.0f);
  for (size_t i = 0; i < length; ++i) {
    float v = 0.45f * ring[i];
    if (i < strike.size()) v += 1.2f * strike[i];
    const size_t si =
        i >= static_cast<size_t>(0.02 * rate) ? i - static_cast<size_t>(0.02 * rate) : length;
    if (si < scrape.size()) v += scrape[si];
    (*out)[start + i] += level * v;
  }
}

// A booted foot on earth: a falling thump and a crunch of gravel.
void add_step(std::vector<float>* left, std::vector<float>* right, int rate, double at, float pan,
              float level, std::mt19937* rng) {
  std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
  const size_t length = static_cast<size_t>(0.32 * rate);
  std::vector<float> thump(length), crunch(length), jingle(length);
  double phase = 0;
  for (size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double f = 45 + 55 * std::exp(-t / 0.03);
    phase += 2 * kPi * f / rate;
    thump[i] =
        static_cast<float>(std::sin(phase) * std::exp(-t / 0.045) * std::min(1.0, t / 0.003));
    crunch[i] = noise(*rng) * static_cast<float>(std::exp(-t / 0.035) * std::min(1.0, t / 0.004));
    // Mail rings in sparse bright grains.
    jingle[i] =
        (noise(*rng) > 0.93f ? noise(*rng) : 0.0f) * static_cast<float>(std::exp(-t / 0.06));
  }
  low_pass(&crunch, 1800, rate);
  high_pass(&crunch, 150, rate);
  high_pass(&jingle, 4500, rate);
  const auto start = static_cast<size_t>(at * rate);
  if (left->size() < start + length) {
    left->resize(start + length, 0.0f);
    right->resize(start + length, 0.0f);
  }
  for (size_t i = 0; i < length; ++i) {
    const float v = level * (0.9f * thump[i] + 0.55f * crunch[i] + 0.35f * jingle[i]);
    (*left)[start + i] += v * (1.0f - pan);
    (*right)[start + i] += v * (1.0f + pan);
  }
}

}  // namespace

Pcm make_skirmish() {
  constexpr int rate = 22050;
  std::mt19937 rng(1187);
  std::vector<float> mono;
  add_clash(&mono, rate, 0.00, 1850, 0.9f, &rng);
  add_clash(&mono, rate, 0.30, 2240, 0.7f, &rng);
  add_clash(&mono, rate, 0.52, 1610, 1.0f, &rng);
  Pcm pcm;
  pcm.rate = rate;
  pcm.channels = 1;
  pcm.samples = std::move(mono);
  pcm_normalize(&pcm, 0.8f);
  pcm_trim_tail(&pcm, 0.002f, 0.08);
  return pcm;
}

Pcm make_march() {
  constexpr int rate = 22050;
  std::mt19937 rng(4471);
  std::uniform_real_distribution<double> jitter(-0.018, 0.018);
  std::vector<float> left, right;
  // Four strides of a squad of five: left and right feet alternate across the
  // stereo field, no two soldiers quite in step.
  for (int stride = 0; stride < 4; ++stride) {
    const double at = 0.05 + 0.40 * stride;
    const float side = stride % 2 ? 0.25f : -0.25f;
    for (int soldier = 0; soldier < 5; ++soldier) {
      const float pan = side + 0.12f * static_cast<float>(soldier - 2);
      add_step(&left, &right, rate, at + 0.02 + jitter(rng), pan, 0.45f - 0.04f * soldier, &rng);
    }
  }
  Pcm pcm;
  pcm.rate = rate;
  pcm.channels = 2;
  pcm.samples.resize(left.size() * 2);
  for (size_t i = 0; i < left.size(); ++i) {
    pcm.samples[2 * i] = left[i];
    pcm.samples[2 * i + 1] = right[i];
  }
  pcm_normalize(&pcm, 0.75f);
  pcm_trim_tail(&pcm, 0.002f, 0.05);
  return pcm;
}

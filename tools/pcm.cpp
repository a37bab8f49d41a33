#include "tools/pcm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

size_t pcm_frames(const Pcm& pcm) { return pcm.samples.size() / static_cast<size_t>(pcm.channels); }

Pcm pcm_silence(int rate, int channels, double seconds) {
  Pcm pcm;
  pcm.rate = rate;
  pcm.channels = channels;
  pcm.samples.assign(static_cast<size_t>(std::lround(seconds * rate)) * channels, 0.0f);
  return pcm;
}

void pcm_normalize(Pcm* pcm, float peak) {
  float loudest = 0;
  for (float s : pcm->samples) loudest = std::max(loudest, std::fabs(s));
  if (loudest <= 0) return;
  const float gain = peak / loudest;
  for (float& s : pcm->samples) s *= gain;
}

void pcm_trim_tail(Pcm* pcm, float floor, double fade) {
  size_t frames = pcm_frames(*pcm);
  const auto ch = static_cast<size_t>(pcm->channels);
  while (frames > 0) {
    bool quiet = true;
    for (size_t c = 0; c < ch; ++c)
      quiet = quiet && std::fabs(pcm->samples[(frames - 1) * ch + c]) < floor;
    if (!quiet) break;
    --frames;
  }
  pcm->samples.resize(frames * ch);
  const auto fade_frames = std::min(frames, static_cast<size_t>(fade * pcm->rate));
  for (size_t i = 0; i < fade_frames; ++i) {
    const float g = static_cast<float>(i) / static_cast<float>(fade_frames);
    for (size_t c = 0; c < ch; ++c) pcm->samples[(frames - 1 - i) * ch + c] *= g;
  }
}

void pcm_fade_in(Pcm* pcm, double seconds) {
  const auto ch = static_cast<size_t>(pcm->channels);
  const auto n = std::min(pcm_frames(*pcm), static_cast<size_t>(seconds * pcm->rate));
  for (size_t i = 0; i < n; ++i) {
    for (size_t c = 0; c < ch; ++c) pcm->samples[i * ch + c] *= static_cast<float>(i) / n;
  }
}

Pcm pcm_to_mono(const Pcm& pcm) {
  if (pcm.channels == 1) return pcm;
  Pcm mono;
  mono.rate = pcm.rate;
  mono.channels = 1;
  const size_t frames = pcm_frames(pcm);
  mono.samples.resize(frames);
  for (size_t i = 0; i < frames; ++i) {
    mono.samples[i] = 0.5f * (pcm.samples[2 * i] + pcm.samples[2 * i + 1]);
  }
  return mono;
}

Pcm pcm_halve_rate(const Pcm& pcm) {
  Pcm out;
  out.rate = pcm.rate / 2;
  out.channels = pcm.channels;
  const auto ch = static_cast<size_t>(pcm.channels);
  const size_t frames = pcm_frames(pcm) / 2;
  out.samples.resize(frames * ch);
  auto at = [&](size_t f, size_t c) {
    return f < pcm_frames(pcm) ? pcm.samples[f * ch + c] : 0.0f;
  };
  for (size_t i = 0; i < frames; ++i) {
    for (size_t c = 0; c < ch; ++c) {
      const size_t f = 2 * i;
      // A 1-2-1 kernel over the dropped neighbours.
      out.samples[i * ch + c] =
          0.25f * (f ? at(f - 1, c) : at(f, c)) + 0.5f * at(f, c) + 0.25f * at(f + 1, c);
    }
  }
  return out;
}

namespace {
void put16(std::vector<uint8_t>* b, uint32_t v) {
  b->push_back(static_cast<uint8_t>(v));
  b->push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>* b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
}  // namespace

bool write_wav(const std::string& path, const Pcm& pcm) {
  const auto data_bytes = static_cast<uint32_t>(pcm.samples.size() * 2);
  std::vector<uint8_t> b;
  b.reserve(44 + data_bytes);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  put32(&b, 36 + data_bytes);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(&b, 16);
  put16(&b, 1);
  put16(&b, static_cast<uint32_t>(pcm.channels));
  put32(&b, static_cast<uint32_t>(pcm.rate));
  put32(&b, static_cast<uint32_t>(pcm.rate * pcm.channels * 2));
  put16(&b, static_cast<uint32_t>(pcm.channels * 2));
  put16(&b, 16);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put32(&b, data_bytes);
  for (float s : pcm.samples) {
    const auto v = static_cast<int16_t>(std::lrint(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    put16(&b, static_cast<uint16_t>(v));
  }
  return write_bytes(path, b);
}

bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

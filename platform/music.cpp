// The performance: one segment at a time, sequenced sample-accurately inside
// the sound device's mix.
#include "platform/music.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "platform/music_synth.h"

namespace plat {

struct MusicSegmentState {
  uint64_t segment_id = 0;
};

struct MusicPerformance {
  std::mutex mutex;
  SoundDevice* device = nullptr;
  fluid_synth_t* synth = nullptr;
  std::shared_ptr<const MidiSequence> current;
  uint64_t current_id = 0;
  size_t next_event = 0;
  uint64_t frame = 0;
  bool playing = false;
  bool muted = false;                        // stopped: the output fades within a few ms
  int fade_frames = 0;                       // left of that fade
  uint64_t idle_frames = uint64_t{1} << 40;  // at rest until the first play
  MusicSegmentState state;
  std::vector<float> scratch;
};

namespace {

std::atomic<int> initialized{0};

constexpr int kStopFadeFrames = kMixRate / 200;  // 5 ms

uint64_t frame_at(double seconds) {
  return seconds <= 0 ? 0 : static_cast<uint64_t>(std::llround(seconds * kMixRate));
}

// Runs on the audio thread with the device lock held.
void render(void* user, float* mix, int frames) {
  auto* perf = static_cast<MusicPerformance*>(user);
  std::lock_guard<std::mutex> lock(perf->mutex);
  if (!perf->synth) return;
  // After a piece ends its voices and reverb ring out, then the synthesizer
  // rests until the next play.
  if (!perf->playing && perf->idle_frames > 2u * kMixRate &&
      synth_active_voices(perf->synth) == 0) {
    return;
  }
  // A stopped piece is cut off at once; the synthesizer runs on unheard for a
  // moment so its reverb drains before the next play.
  if (perf->muted && perf->idle_frames > kMixRate / 2) return;
  if (perf->scratch.size() < static_cast<size_t>(frames) * 2) {
    perf->scratch.resize(static_cast<size_t>(frames) * 2);
  }
  int done = 0;
  while (done < frames) {
    uint64_t chunk = static_cast<uint64_t>(frames - done);
    if (perf->playing) {
      const auto& events = perf->current->events;
      while (perf->next_event < events.size() &&
             frame_at(events[perf->next_event].seconds) <= perf->frame) {
        synth_send(perf->synth, events[perf->next_event++]);
      }
      const uint64_t until = perf->next_event < events.size()
                                 ? frame_at(events[perf->next_event].seconds)
                                 : frame_at(perf->current->length_seconds);
      if (perf->next_event >= events.size() && perf->frame >= until) {
        perf->playing = false;
        perf->idle_frames = 0;
        continue;
      }
      chunk = std::min(chunk, until - perf->frame);
    }
    synth_render(perf->synth, perf->scratch.data(), static_cast<int>(chunk));
    if (!perf->muted) {
      for (uint64_t i = 0; i < chunk * 2; ++i) mix[2 * done + i] += perf->scratch[i];
    } else {
      for (uint64_t i = 0; i < chunk && perf->fade_frames > 0; ++i, --perf->fade_frames) {
        const float gain = static_cast<float>(perf->fade_frames) / kStopFadeFrames;
        mix[2 * (done + i)] += perf->scratch[2 * i] * gain;
        mix[2 * (done + i) + 1] += perf->scratch[2 * i + 1] * gain;
      }
    }
    perf->frame += chunk;
    done += static_cast<int>(chunk);
    if (!perf->playing) perf->idle_frames += chunk;
  }
}

void detach(void* user) {
  auto* perf = static_cast<MusicPerformance*>(user);
  std::lock_guard<std::mutex> lock(perf->mutex);
  perf->device = nullptr;
}

}  // namespace

int32_t music_initialize() {
  ++initialized;
  return MUSIC_OK;
}

void music_uninitialize() {
  if (initialized > 0) --initialized;
}

int32_t performance_create(MusicPerformance** out) {
  if (!out) return MUSIC_E_FAIL;
  *out = new MusicPerformance;
  return MUSIC_OK;
}

int32_t performance_init(MusicPerformance* perf, SoundDevice* device, void*) {
  if (!perf || !device) return MUSIC_E_FAIL;
  {
    std::lock_guard<std::mutex> lock(perf->mutex);
    perf->device = device;
  }
  const MixSource source{render, detach, perf};
  sound_device_set_source(device, &source);
  return MUSIC_OK;
}

int32_t performance_add_port(MusicPerformance* perf) {
  if (!perf) return MUSIC_E_FAIL;
  fluid_synth_t* synth = shared_synth();
  if (!synth) return MUSIC_E_NO_SYNTH;
  std::lock_guard<std::mutex> lock(perf->mutex);
  synth_reset(synth);
  perf->synth = synth;
  return MUSIC_OK;
}

int32_t performance_play_segment(MusicPerformance* perf, MusicSegment* segment, uint32_t, int64_t,
                                 MusicSegmentState** state) {
  if (!perf || !segment) return MUSIC_E_FAIL;
  std::unique_lock<std::mutex> lock(perf->mutex);
  if (!perf->synth) return MUSIC_E_NO_SYNTH;
  synth_reset(perf->synth);
  perf->current = segment->sequence;
  perf->current_id = segment->id;
  perf->next_event = 0;
  perf->frame = 0;
  perf->playing = true;
  perf->muted = false;
  perf->state.segment_id = segment->id;
  if (state) *state = &perf->state;
  SoundDevice* device = perf->device;
  lock.unlock();
  sound_device_start_output(device);
  return MUSIC_OK;
}

int32_t performance_stop(MusicPerformance* perf, MusicSegment* segment, MusicSegmentState*, int64_t,
                         uint32_t) {
  if (!perf) return MUSIC_E_FAIL;
  std::lock_guard<std::mutex> lock(perf->mutex);
  if (segment && (!perf->playing || segment->id != perf->current_id)) return MUSIC_OK;
  perf->playing = false;
  perf->idle_frames = 0;
  perf->muted = true;
  perf->fade_frames = kStopFadeFrames;
  if (perf->synth) synth_reset(perf->synth);
  return MUSIC_OK;
}

int32_t performance_is_playing(MusicPerformance* perf, MusicSegment* segment, MusicSegmentState*) {
  if (!perf || !segment) return MUSIC_E_FAIL;
  std::lock_guard<std::mutex> lock(perf->mutex);
  return perf->playing && perf->current_id == segment->id ? MUSIC_OK : MUSIC_FALSE;
}

bool performance_has_synth(MusicPerformance* perf) {
  std::lock_guard<std::mutex> lock(perf->mutex);
  return perf->synth != nullptr;
}

void performance_close_down(MusicPerformance* perf) {
  if (!perf) return;
  SoundDevice* device;
  {
    std::lock_guard<std::mutex> lock(perf->mutex);
    device = perf->device;
    perf->device = nullptr;
  }
  // Outside our own lock: the mixer takes its lock before ours.
  if (device) sound_device_set_source(device, nullptr);
  std::lock_guard<std::mutex> lock(perf->mutex);
  if (perf->synth) synth_reset(perf->synth);
  perf->synth = nullptr;
  perf->playing = false;
  perf->current.reset();
}

void performance_release(MusicPerformance* perf) {
  if (!perf) return;
  performance_close_down(perf);
  delete perf;
}

}  // namespace plat

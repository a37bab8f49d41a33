// Secondary sound buffers: creation in their own PCM format, locking, play
// controls and status. Every call that the mixer could see half-done takes the
// device lock.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/audio_internal.h"

namespace plat {
namespace {

bool format_supported(const WaveFormat& f) {
  return f.format_tag == WAVE_FORMAT_PCM && (f.channels == 1 || f.channels == 2) &&
         (f.bits_per_sample == 8 || f.bits_per_sample == 16) &&
         f.samples_per_sec >= DSBFREQUENCY_MIN && f.samples_per_sec <= DSBFREQUENCY_MAX;
}

void attach(SoundDevice* device, SoundBuffer* buffer) {
  std::lock_guard<std::mutex> lock(device->mutex);
  device->buffers.push_back(buffer);
}

}  // namespace

int32_t sound_device_create_buffer(SoundDevice* device, const SoundBufferDesc* desc,
                                   SoundBuffer** out) {
  if (!device || !desc || !out || !desc->format) return DSERR_INVALIDPARAM;
  const WaveFormat& format = *desc->format;
  if (!format_supported(format)) return DSERR_BADFORMAT;
  const uint32_t block = format.channels * (format.bits_per_sample / 8u);
  if (desc->buffer_bytes < DSBSIZE_MIN || desc->buffer_bytes > DSBSIZE_MAX ||
      desc->buffer_bytes < block) {
    return DSERR_INVALIDPARAM;
  }
  auto store = std::make_shared<SampleStore>();
  // calloc leaves untouched pages unbacked, so a large declared size costs
  // memory only where samples are written.
  store->bytes = static_cast<uint8_t*>(std::calloc(desc->buffer_bytes, 1));
  if (!store->bytes) return DSERR_OUTOFMEMORY;
  store->size = desc->buffer_bytes;
  // Silence of unsigned 8-bit samples is 128.
  if (format.bits_per_sample == 8) std::memset(store->bytes, 128, store->size);

  auto* buffer = new SoundBuffer;
  buffer->device = device;
  buffer->samples = std::move(store);
  buffer->format = format;
  buffer->format.block_align = static_cast<uint16_t>(block);
  buffer->format.avg_bytes_per_sec = format.samples_per_sec * block;
  buffer->caps = desc->flags;
  buffer->block = block;
  buffer->frames = desc->buffer_bytes / block;
  buffer->frequency = format.samples_per_sec;
  attach(device, buffer);
  *out = buffer;
  return DS_OK;
}

int32_t sound_device_duplicate_buffer(SoundDevice* device, SoundBuffer* source, SoundBuffer** out) {
  if (!device || !source || !out || source->device != device) return DSERR_INVALIDPARAM;
  auto* buffer = new SoundBuffer;
  {
    std::lock_guard<std::mutex> lock(device->mutex);
    *buffer = *source;
    buffer->position = 0;
    buffer->playing = false;
    buffer->looping = false;
    device->buffers.push_back(buffer);
  }
  *out = buffer;
  return DS_OK;
}

void buffer_release(SoundBuffer* buffer) {
  if (!buffer) return;
  SoundDevice* device = buffer->device;
  {
    std::lock_guard<std::mutex> lock(device->mutex);
    auto& list = device->buffers;
    list.erase(std::remove(list.begin(), list.end(), buffer), list.end());
  }
  delete buffer;
}

int32_t buffer_lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** region1,
                    uint32_t* length1, void** region2, uint32_t* length2, uint32_t flags) {
  if (!buffer || !region1 || !length1) return DSERR_INVALIDPARAM;
  const uint32_t size = buffer->samples->size;
  if (bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  uint32_t start = offset;
  if (flags & DSBLOCK_FROMWRITECURSOR) {
    std::lock_guard<std::mutex> lock(buffer->device->mutex);
    start = static_cast<uint32_t>(buffer->position) * buffer->block;
  }
  if (start >= size) return DSERR_INVALIDPARAM;
  const uint32_t first = std::min(bytes, size - start);
  *region1 = buffer->samples->bytes + start;
  *length1 = first;
  if (first < bytes) {
    // The range wraps round to the buffer's start.
    if (!region2 || !length2) return DSERR_INVALIDPARAM;
    *region2 = buffer->samples->bytes;
    *length2 = bytes - first;
  } else if (region2 && length2) {
    *region2 = nullptr;
    *length2 = 0;
  }
  return DS_OK;
}

int32_t buffer_unlock(SoundBuffer* buffer, void* region1, uint32_t length1, void* region2,
                      uint32_t length2) {
  if (!buffer) return DSERR_INVALIDPARAM;
  const uint8_t* begin = buffer->samples->bytes;
  const uint8_t* end = begin + buffer->samples->size;
  auto inside = [&](void* p, uint32_t n) {
    auto* b = static_cast<uint8_t*>(p);
    return n == 0 || (b >= begin && b <= end && n <= static_cast<size_t>(end - b));
  };
  if (!region1 || !inside(region1, length1) || !inside(region2, length2)) {
    return DSERR_INVALIDPARAM;
  }
  return DS_OK;
}

int32_t buffer_set_current_position(SoundBuffer* buffer, uint32_t byte_position) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (byte_position >= buffer->samples->size) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  buffer->position = byte_position / buffer->block;
  return DS_OK;
}

int32_t buffer_play(SoundBuffer* buffer, uint32_t reserved, uint32_t, uint32_t flags) {
  if (!buffer || reserved != 0) return DSERR_INVALIDPARAM;
  {
    std::lock_guard<std::mutex> lock(buffer->device->mutex);
    buffer->playing = true;
    buffer->looping = (flags & DSBPLAY_LOOPING) != 0;
  }
  sound_device_start_output(buffer->device);
  return DS_OK;
}

int32_t buffer_stop(SoundBuffer* buffer) {
  if (!buffer) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  buffer->playing = false;
  buffer->looping = false;
  return DS_OK;
}

int32_t buffer_set_volume(SoundBuffer* buffer, int32_t hundredths_db) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (!(buffer->caps & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (hundredths_db < DSBVOLUME_MIN || hundredths_db > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  buffer->volume = hundredths_db;
  return DS_OK;
}

int32_t buffer_set_frequency(SoundBuffer* buffer, uint32_t samples_per_sec) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (!(buffer->caps & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
  if (samples_per_sec == DSBFREQUENCY_ORIGINAL) samples_per_sec = buffer->format.samples_per_sec;
  if (samples_per_sec < DSBFREQUENCY_MIN || samples_per_sec > DSBFREQUENCY_MAX) {
    return DSERR_INVALIDPARAM;
  }
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  buffer->frequency = samples_per_sec;
  return DS_OK;
}

int32_t buffer_set_pan(SoundBuffer* buffer, int32_t pan) {
  if (!buffer) return DSERR_INVALIDPARAM;
  if (!(buffer->caps & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  buffer->pan = pan;
  return DS_OK;
}

int32_t buffer_get_status(SoundBuffer* buffer, uint32_t* status) {
  if (!buffer || !status) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  *status = 0;
  if (buffer->playing) {
    *status |= DSBSTATUS_PLAYING;
    if (buffer->looping) *status |= DSBSTATUS_LOOPING;
  }
  return DS_OK;
}

SoundBufferInfo buffer_info(const SoundBuffer* buffer) {
  SoundBufferInfo info{};
  if (!buffer) return info;
  std::lock_guard<std::mutex> lock(buffer->device->mutex);
  info.caps = buffer->caps;
  info.format = buffer->format;
  info.bytes = buffer->samples->size;
  info.volume = buffer->volume;
  info.pan = buffer->pan;
  info.frequency = buffer->frequency;
  info.play_position = static_cast<uint32_t>(buffer->position) * buffer->block;
  return info;
}

}  // namespace plat

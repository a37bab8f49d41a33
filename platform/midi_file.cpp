#include "platform/midi_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace plat {
namespace {

struct Reader {
  const uint8_t* p;
  size_t left;

  bool byte(uint8_t* out) {
    if (!left) return false;
    *out = *p++;
    --left;
    return true;
  }
  bool u16(uint32_t* out) {
    uint8_t a, b;
    if (!byte(&a) || !byte(&b)) return false;
    *out = static_cast<uint32_t>(a) << 8 | b;
    return true;
  }
  bool u32(uint32_t* out) {
    uint32_t hi, lo;
    if (!u16(&hi) || !u16(&lo)) return false;
    *out = hi << 16 | lo;
    return true;
  }
  // A variable-length quantity: at most four bytes.
  bool varlen(uint32_t* out) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!byte(&b)) return false;
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) {
        *out = value;
        return true;
      }
    }
    return false;
  }
  bool skip(size_t n) {
    if (n > left) return false;
    p += n;
    left -= n;
    return true;
  }
};

struct TickEvent {
  uint64_t tick;
  MidiEvent event;
};
struct TempoChange {
  uint64_t tick;
  uint32_t micros_per_quarter;
};

bool data_byte(Reader& r, uint8_t* out) { return r.byte(out) && *out < 0x80; }

// One track's events; its end tick goes to `end_tick`.
bool parse_track(Reader track, std::vector<TickEvent>* events, std::vector<TempoChange>* tempos,
                 uint64_t* end_tick) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (track.left) {
    uint32_t delta;
    if (!track.varlen(&delta)) return false;
    tick += delta;
    uint8_t status;
    if (!track.byte(&status)) return false;
    if (status == 0xFF) {
      uint8_t type;
      uint32_t length;
      if (!track.byte(&type) || !track.varlen(&length)) return false;
      const uint8_t* payload = track.p;
      if (!track.skip(length)) return false;
      if (type == 0x51 && length == 3) {
        const uint32_t micros =
            static_cast<uint32_t>(payload[0]) << 16 | payload[1] << 8 | payload[2];
        if (micros) tempos->push_back({tick, micros});
      }
      if (type == 0x2F) break;
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      uint32_t length;
      if (!track.varlen(&length) || !track.skip(length)) return false;
      running = 0;
      continue;
    }
    if (status >= 0xF0) return false;  // no system messages in a file
    MidiEvent ev{0, 0, 0, 0};
    if (status & 0x80) {
      running = status;
      if (!data_byte(track, &ev.data1)) return false;
    } else {
      // Running status: this byte is the first data byte.
      if (!running) return false;
      ev.data1 = status;
    }
    ev.status = running;
    const uint8_t kind = running & 0xF0;
    if (kind != 0xC0 && kind != 0xD0 && !data_byte(track, &ev.data2)) return false;
    events->push_back({tick, ev});
  }
  *end_tick = std::max(*end_tick, tick);
  return true;
}

}  // namespace

bool parse_midi(const uint8_t* data, size_t size, MidiSequence* out) {
  if (!out) return false;
  *out = MidiSequence{};
  if (!data) return false;
  Reader r{data, size};
  uint32_t id, header_length, format, track_count, division;
  if (!r.u32(&id) || id != 0x4D546864 || !r.u32(&header_length) || header_length < 6) return false;
  Reader header{r.p, std::min<size_t>(header_length, r.left)};
  if (!r.skip(header_length)) return false;
  if (!header.u16(&format) || !header.u16(&track_count) || !header.u16(&division)) return false;
  if (format > 1 || division == 0) return false;

  double seconds_per_tick_at_tempo = 0;  // for SMPTE time: fixed
  double ticks_per_quarter = 0;
  if (division & 0x8000) {
    const int fps = -static_cast<int8_t>(division >> 8);
    const int per_frame = division & 0xFF;
    if (fps <= 0 || per_frame == 0) return false;
    seconds_per_tick_at_tempo = 1.0 / ((fps == 29 ? 29.97 : fps) * per_frame);
  } else {
    ticks_per_quarter = division;
  }

  std::vector<TickEvent> events;
  std::vector<TempoChange> tempos;
  uint64_t end_tick = 0;
  int tracks = 0;
  while (r.left >= 8) {
    uint32_t chunk_id, length;
    r.u32(&chunk_id);
    r.u32(&length);
    // A track cut short by the end of the file is read as far as it goes.
    Reader body{r.p, std::min<size_t>(length, r.left)};
    r.skip(body.left);
    if (chunk_id != 0x4D54726B) continue;  // chunks other than "MTrk" are skipped
    if (!parse_track(body, &events, &tempos, &end_tick)) return false;
    ++tracks;
  }
  if (tracks == 0) return false;

  std::stable_sort(events.begin(), events.end(),
                   [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });

  // Ticks to seconds through the tempo map (120 beats a minute until the
  // first change).
  size_t next_tempo = 0;
  uint64_t base_tick = 0;
  double base_seconds = 0;
  double seconds_per_tick = ticks_per_quarter ? 0.5 / ticks_per_quarter : seconds_per_tick_at_tempo;
  auto seconds_at = [&](uint64_t tick) {
    if (ticks_per_quarter) {
      while (next_tempo < tempos.size() && tempos[next_tempo].tick <= tick) {
        base_seconds += static_cast<double>(tempos[next_tempo].tick - base_tick) * seconds_per_tick;
        base_tick = tempos[next_tempo].tick;
        seconds_per_tick = tempos[next_tempo].micros_per_quarter / 1e6 / ticks_per_quarter;
        ++next_tempo;
      }
    }
    return base_seconds + static_cast<double>(tick - base_tick) * seconds_per_tick;
  };
  out->events.reserve(events.size());
  for (TickEvent& e : events) {
    e.event.seconds = seconds_at(e.tick);
    out->events.push_back(e.event);
  }
  out->length_seconds = seconds_at(end_tick);
  out->format = static_cast<int>(format);
  out->tracks = tracks;
  (void)track_count;  // the chunks themselves say how many tracks there are
  return true;
}

bool read_midi_file(const char* path, MidiSequence* out) {
  if (out) *out = MidiSequence{};
  if (!path) return false;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return false;
  return parse_midi(bytes.data(), bytes.size(), out);
}

}  // namespace plat

// Builds RIFF WAVE files byte by byte, well-formed or broken on purpose.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct WavLayout {
  uint16_t tag = 1;
  uint16_t channels = 1;
  uint32_t rate = 11025;
  uint16_t bits = 8;
  uint32_t fmt_size = 16;  // 16 or 18 for PCM
  std::string form = "WAVE";
  bool fmt_chunk = true;
  bool data_chunk = true;
  std::string chunk_before_fmt;  // e.g. "LIST": a chunk placed ahead of the format
  std::vector<uint8_t> samples;
  int64_t declared_data = -1;  // data chunk size when it should lie
  uint32_t fmt_declared = 0;   // format chunk size when it should lie
};

inline void put_le(std::vector<uint8_t>* b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void put_id(std::vector<uint8_t>* b, const std::string& id) {
  b->insert(b->end(), id.begin(), id.begin() + 4);
}

inline std::vector<uint8_t> wav_bytes(const WavLayout& s) {
  std::vector<uint8_t> body;
  put_id(&body, s.form);
  if (!s.chunk_before_fmt.empty()) {
    put_id(&body, s.chunk_before_fmt);
    put_le(&body, 6, 4);
    body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 'y'});
  }
  if (s.fmt_chunk) {
    put_id(&body, "fmt ");
    put_le(&body, s.fmt_declared ? s.fmt_declared : s.fmt_size, 4);
    const uint16_t block = static_cast<uint16_t>(s.channels * s.bits / 8);
    put_le(&body, s.tag, 2);
    put_le(&body, s.channels, 2);
    put_le(&body, s.rate, 4);
    put_le(&body, s.rate * block, 4);
    put_le(&body, block, 2);
    put_le(&body, s.bits, 2);
    if (s.fmt_size >= 18) put_le(&body, 0, 2);
  }
  if (s.data_chunk) {
    put_id(&body, "data");
    put_le(&body,
           s.declared_data >= 0 ? static_cast<uint32_t>(s.declared_data)
                                : static_cast<uint32_t>(s.samples.size()),
           4);
    body.insert(body.end(), s.samples.begin(), s.samples.end());
  }
  std::vector<uint8_t> file;
  put_id(&file, "RIFF");
  put_le(&file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

inline bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

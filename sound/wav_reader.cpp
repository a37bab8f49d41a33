#include "sound/wav_reader.h"

#include <algorithm>

int Read_WAV(plat::MmioFile* file, WAV_CONTENTS_TYP* out) {
  if (!file || !out) return 0;
  plat::MmckInfo parent{};
  plat::MmckInfo child{};
  parent.fcc_type = plat::make_fourcc('W', 'A', 'V', 'E');
  if (plat::mmio_descend(file, &parent, nullptr, plat::MMIO_FINDRIFF) != 0) return 0;

  // Searched by name, so a file with another chunk before its format loads.
  child.ckid = plat::make_fourcc('f', 'm', 't', ' ');
  if (plat::mmio_descend(file, &child, &parent, plat::MMIO_FINDCHUNK) != 0) return 0;

  uint8_t raw[18];
  if (plat::mmio_read(file, raw, sizeof raw) != static_cast<int32_t>(sizeof raw)) return 0;
  auto u16 = [&](int at) { return static_cast<uint16_t>(raw[at] | raw[at + 1] << 8); };
  auto u32 = [&](int at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
  plat::WaveFormat& f = out->format;
  f.format_tag = u16(0);
  f.channels = u16(2);
  f.samples_per_sec = u32(4);
  f.avg_bytes_per_sec = u32(8);
  f.block_align = u16(12);
  f.bits_per_sample = u16(14);
  f.extra_size = u16(16);
  if (f.format_tag != plat::WAVE_FORMAT_PCM) return 0;

  if (plat::mmio_ascend(file, &child, 0) != 0) return 0;

  child.ckid = plat::make_fourcc('d', 'a', 't', 'a');
  if (plat::mmio_descend(file, &child, &parent, plat::MMIO_FINDCHUNK) != 0) return 0;

  // Only the bytes that are really there are read; a short file's missing
  // samples are left to the caller to fill with silence.
  out->data_size = child.cksize;
  const size_t have = std::min<size_t>(child.cksize, plat::mmio_remaining(file));
  out->data.resize(have);
  const int32_t got = plat::mmio_read(file, out->data.data(), static_cast<int32_t>(have));
  out->data.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return 1;
}

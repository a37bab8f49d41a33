// Reads a RIFF WAVE file's format record and sample bytes.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/audio.h"
#include "platform/mmio.h"

struct WAV_CONTENTS_TYP {
  plat::WaveFormat format;
  uint32_t data_size;         // as the data chunk declares it
  std::vector<uint8_t> data;  // the bytes the file really holds, at most data_size
};

// Finds the WAVE form, its "fmt " chunk (18 bytes read from its start, so a
// 16-byte chunk lends the 2 bytes after it) and its "data" chunk. Returns 0
// for anything that is not a PCM WAVE file. Leaves the file open.
int Read_WAV(plat::MmioFile* file, WAV_CONTENTS_TYP* out);

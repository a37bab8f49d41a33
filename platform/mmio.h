// A RIFF file reader: open a file (or a block of memory), step into and out of
// chunks, read bytes. Reads never go past the end of the data.
#pragma once
#include <cstddef>
#include <cstdint>

namespace plat {

struct MmioFile;

struct MmckInfo {
  uint32_t ckid;         // chunk identifier
  uint32_t cksize;       // size of the chunk's data
  uint32_t fcc_type;     // form type of a RIFF or LIST chunk
  uint32_t data_offset;  // where the chunk's data starts in the file
  uint32_t flags;
};

constexpr uint32_t MMIO_ALLOCBUF = 0x10000;
constexpr uint32_t MMIO_FINDCHUNK = 0x10;
constexpr uint32_t MMIO_FINDRIFF = 0x20;
constexpr uint32_t MMIO_FINDLIST = 0x40;
constexpr uint32_t MMIOERR_CHUNKNOTFOUND = 265;
constexpr uint32_t MMIOERR_CANNOTSEEK = 262;

constexpr uint32_t make_fourcc(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
         static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

// Null when the file can't be opened or read.
MmioFile* mmio_open(const char* filename, uint32_t flags);
// Reads from a copy of the given bytes.
MmioFile* mmio_open_memory(const void* data, size_t size);
// 0 on success: `chunk` filled and the file at the chunk's data (after the
// form type for RIFF and LIST chunks). With MMIO_FINDRIFF, MMIO_FINDLIST or
// MMIO_FINDCHUNK the chunk is searched for by `chunk`'s identifier or form
// type; with no flag the next chunk is taken. The search stays inside
// `parent` when one is given.
uint32_t mmio_descend(MmioFile* file, MmckInfo* chunk, const MmckInfo* parent, uint32_t flags);
// The number of bytes read, at most `count`; -1 on a bad argument.
int32_t mmio_read(MmioFile* file, void* dest, int32_t count);
// 0 on success, the file positioned after the chunk (and its pad byte).
uint32_t mmio_ascend(MmioFile* file, MmckInfo* chunk, uint32_t flags);
// Bytes left from the current position to the end of the file.
size_t mmio_remaining(const MmioFile* file);
void mmio_close(MmioFile* file, uint32_t flags);

}  // namespace plat

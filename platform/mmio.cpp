#include "platform/mmio.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace plat {

struct MmioFile {
  std::vector<uint8_t> bytes;
  size_t pos = 0;
};

namespace {

constexpr uint32_t kRiff = make_fourcc('R', 'I', 'F', 'F');
constexpr uint32_t kList = make_fourcc('L', 'I', 'S', 'T');

bool read_u32(MmioFile* file, size_t limit, uint32_t* out) {
  if (file->pos > limit || limit - file->pos < 4) return false;
  const uint8_t* p = file->bytes.data() + file->pos;
  *out = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  file->pos += 4;
  return true;
}

}  // namespace

MmioFile* mmio_open(const char* filename, uint32_t) {
  if (!filename) return nullptr;
  std::FILE* f = std::fopen(filename, "rb");
  if (!f) return nullptr;
  auto* file = new MmioFile;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    file->bytes.insert(file->bytes.end(), chunk, chunk + n);
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    delete file;
    return nullptr;
  }
  return file;
}

MmioFile* mmio_open_memory(const void* data, size_t size) {
  auto* file = new MmioFile;
  if (size) {
    auto* p = static_cast<const uint8_t*>(data);
    file->bytes.assign(p, p + size);
  }
  return file;
}

uint32_t mmio_descend(MmioFile* file, MmckInfo* chunk, const MmckInfo* parent, uint32_t flags) {
  if (!file || !chunk) return MMIOERR_CHUNKNOTFOUND;
  size_t limit = file->bytes.size();
  if (parent) {
    const uint64_t end = static_cast<uint64_t>(parent->data_offset) + parent->cksize;
    if (end < limit) limit = static_cast<size_t>(end);
  }
  const uint32_t want_id = chunk->ckid;
  const uint32_t want_type = chunk->fcc_type;
  for (;;) {
    const size_t start = file->pos;
    MmckInfo found{};
    if (!read_u32(file, limit, &found.ckid) || !read_u32(file, limit, &found.cksize)) {
      file->pos = start;
      return MMIOERR_CHUNKNOTFOUND;
    }
    found.data_offset = static_cast<uint32_t>(file->pos);
    const bool has_form = found.ckid == kRiff || found.ckid == kList;
    if (has_form && !read_u32(file, limit, &found.fcc_type)) {
      file->pos = start;
      return MMIOERR_CHUNKNOTFOUND;
    }
    bool match = true;
    if (flags & MMIO_FINDRIFF) match = found.ckid == kRiff && found.fcc_type == want_type;
    if (flags & MMIO_FINDLIST) match = found.ckid == kList && found.fcc_type == want_type;
    if (flags & MMIO_FINDCHUNK) match = found.ckid == want_id;
    if (match) {
      *chunk = found;
      return 0;
    }
    // Skip the chunk and its pad byte; a chunk reaching past the end ends the
    // search.
    const uint64_t next =
        static_cast<uint64_t>(found.data_offset) + found.cksize + (found.cksize & 1);
    if (next >= limit) {
      file->pos = start;
      return MMIOERR_CHUNKNOTFOUND;
    }
    file->pos = static_cast<size_t>(next);
  }
}

int32_t mmio_read(MmioFile* file, void* dest, int32_t count) {
  if (!file || count < 0 || (!dest && count > 0)) return -1;
  const size_t left = file->bytes.size() - file->pos;
  const size_t n = static_cast<size_t>(count) < left ? static_cast<size_t>(count) : left;
  if (n) std::memcpy(dest, file->bytes.data() + file->pos, n);
  file->pos += n;
  return static_cast<int32_t>(n);
}

uint32_t mmio_ascend(MmioFile* file, MmckInfo* chunk, uint32_t) {
  if (!file || !chunk) return MMIOERR_CANNOTSEEK;
  const uint64_t end = static_cast<uint64_t>(chunk->data_offset) + chunk->cksize;
  const uint64_t padded = end + (chunk->cksize & 1);
  const size_t size = file->bytes.size();
  // A chunk that claims more bytes than the file holds can't be left.
  if (end > size) return MMIOERR_CANNOTSEEK;
  file->pos = static_cast<size_t>(padded > size ? size : padded);
  return 0;
}

size_t mmio_remaining(const MmioFile* file) { return file ? file->bytes.size() - file->pos : 0; }

void mmio_close(MmioFile* file, uint32_t) { delete file; }

}  // namespace plat

// The SZDD packer against an expander that is not ours: libmspack unpacks
// what PackSzdd packs, for any bytes, to the same bytes, and its header
// gives the size and the replaced character that were packed. The CRC-32
// that the build records for a payload is that of what expansion gives,
// also taken in two pieces, and it tells any one changed byte.
#include "engine/payload_crc.h"
#include "native/fuzz/property.h"
#include "tools/szdd/szdd_pack.h"

#include <mspack.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// libmspack reads and writes through a table of file functions; these keep
// the "files" in memory. A file name is the address of one of them.
struct MemoryFile {
  std::vector<unsigned char> bytes;
  size_t at = 0;
};

mspack_file* Open(mspack_system*, const char* name, int mode) {
  MemoryFile* file = reinterpret_cast<MemoryFile*>(const_cast<char*>(name));
  if (mode == MSPACK_SYS_OPEN_WRITE)
    file->bytes.clear();
  file->at = 0;
  return reinterpret_cast<mspack_file*>(file);
}

void Close(mspack_file*) {}

MemoryFile* Of(mspack_file* file) {
  return reinterpret_cast<MemoryFile*>(file);
}

int Read(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile* file = Of(handle);
  size_t count =
      std::min(static_cast<size_t>(bytes), file->bytes.size() - file->at);
  memcpy(buffer, file->bytes.data() + file->at, count);
  file->at += count;
  return static_cast<int>(count);
}

int Write(mspack_file* handle, void* buffer, int bytes) {
  const unsigned char* from = static_cast<const unsigned char*>(buffer);
  Of(handle)->bytes.insert(Of(handle)->bytes.end(), from, from + bytes);
  return bytes;
}

int Seek(mspack_file* handle, off_t offset, int mode) {
  MemoryFile* file = Of(handle);
  off_t base = mode == MSPACK_SYS_SEEK_START ? 0
               : mode == MSPACK_SYS_SEEK_CUR
                   ? static_cast<off_t>(file->at)
                   : static_cast<off_t>(file->bytes.size());
  off_t to = base + offset;
  if (to < 0 || to > static_cast<off_t>(file->bytes.size()))
    return -1;
  file->at = static_cast<size_t>(to);
  return 0;
}

off_t Tell(mspack_file* handle) {
  return static_cast<off_t>(Of(handle)->at);
}

void Message(mspack_file*, const char*, ...) {}

void* Alloc(mspack_system*, size_t bytes) {
  return malloc(bytes);
}

void Free(void* p) {
  free(p);
}

void Copy(void* from, void* to, size_t bytes) {
  memmove(to, from, bytes);
}

mspack_system memorySystem = {Open,    Close, Read, Write, Seek,   Tell,
                              Message, Alloc, Free, Copy,  nullptr};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static msszdd_decompressor* expander =
      mspack_create_szdd_decompressor(&memorySystem);
  PROPERTY(expander != nullptr);

  const char replaced = size ? static_cast<char>(data[0]) : 'e';
  MemoryFile packed, unpacked;
  packed.bytes = PackSzdd(data, size, replaced);

  msszddd_header* header =
      expander->open(expander, reinterpret_cast<char*>(&packed));
  PROPERTY(header != nullptr);
  PROPERTY(header->format == MSSZDD_FMT_NORMAL);
  PROPERTY(header->length == static_cast<off_t>(size));
  PROPERTY(header->missing_char == replaced);
  int error =
      expander->extract(expander, header, reinterpret_cast<char*>(&unpacked));
  expander->close(expander, header);
  PROPERTY(error == MSPACK_ERR_OK);
  PROPERTY(unpacked.bytes.size() == size);
  PROPERTY(size == 0 || memcmp(unpacked.bytes.data(), data, size) == 0);

  const uint32_t recorded = PayloadCrc(0, data, size);
  unsigned char* expanded = unpacked.bytes.data();
  const size_t split = size ? data[size - 1] % (size + 1) : 0;
  PROPERTY(PayloadCrc(PayloadCrc(0, expanded, split), expanded + split,
                      size - split) == recorded);
  if (size) {
    expanded[split % size] ^= static_cast<unsigned char>(1 + data[0] % 255);
    PROPERTY(PayloadCrc(0, expanded, size) != recorded);
  }
  return 0;
}

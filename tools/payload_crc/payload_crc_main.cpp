// payload_crc OUTPUT FILE...: writes the CRC-32 of each FILE, in the order
// given, as little-endian 32-bit values into OUTPUT; the installer carries
// OUTPUT as its table of recorded payload checksums. A program of the
// build host.
#include "engine/payload_crc.h"

#include <cstdio>

namespace {

bool FileCrc(const char* path, uint32_t& crc) {
  FILE* file = fopen(path, "rb");
  if (!file)
    return false;
  crc = 0;
  unsigned char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
    crc = PayloadCrc(crc, chunk, got);
  bool ok = !ferror(file);
  fclose(file);
  return ok;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: payload_crc OUTPUT FILE...\n");
    return 2;
  }
  FILE* out = fopen(argv[1], "wb");
  if (!out) {
    fprintf(stderr, "payload_crc: cannot write %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  for (int i = 2; i < argc && ok; ++i) {
    uint32_t crc;
    if (!FileCrc(argv[i], crc)) {
      fprintf(stderr, "payload_crc: cannot read %s\n", argv[i]);
      ok = false;
      break;
    }
    const unsigned char bytes[4] = {static_cast<unsigned char>(crc),
                                    static_cast<unsigned char>(crc >> 8),
                                    static_cast<unsigned char>(crc >> 16),
                                    static_cast<unsigned char>(crc >> 24)};
    ok = fwrite(bytes, 1, 4, out) == 4;
  }
  if (fclose(out) != 0 || !ok) {
    remove(argv[1]);
    return 1;
  }
  return 0;
}

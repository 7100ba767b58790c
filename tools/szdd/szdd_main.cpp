// szdd_pack INPUT OUTPUT: packs INPUT into the SZDD file OUTPUT. The
// header records the last character of INPUT's extension, which the
// underscore replaces in the packed file's name.
#include "tools/szdd/szdd_pack.h"

#include <cstdio>
#include <cstring>

namespace {

char ReplacedChar(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '/' || *p == '\\' || *p == ':')
      name = p + 1;
  const char* dot = strrchr(name, '.');
  if (!dot || !dot[1])
    return 0;
  return name[strlen(name) - 1];
}

bool ReadFile(const char* path, std::vector<unsigned char>& bytes) {
  FILE* f = fopen(path, "rb");
  if (!f)
    return false;
  unsigned char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  bool ok = !ferror(f);
  fclose(f);
  return ok;
}

bool WriteFile(const char* path, const std::vector<unsigned char>& bytes) {
  FILE* f = fopen(path, "wb");
  if (!f)
    return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: szdd_pack INPUT OUTPUT\n");
    return 2;
  }
  std::vector<unsigned char> input;
  if (!ReadFile(argv[1], input)) {
    fprintf(stderr, "szdd_pack: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> packed =
      PackSzdd(input.data(), input.size(), ReplacedChar(argv[1]));
  if (!WriteFile(argv[2], packed)) {
    fprintf(stderr, "szdd_pack: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

#include "state/unguessable_file.h"

#include "state/system_random.h"

namespace {

enum { NAME_TRIES = 8 };

// `folder`, `prefix`, `digits` random digits and `extension`, into `path`.
void FormName(char* path, const char* folder, const char* prefix, int digits,
              const char* extension) {
  unsigned long bits[2];
  SystemRandom(bits);
  if (digits > 8)
    wsprintfA(path, "%s%s%08lx%08lx%s", folder, prefix, bits[0], bits[1],
              extension);
  else
    wsprintfA(path, "%s%s%08lx%s", folder, prefix, bits[0], extension);
}

} // namespace

HANDLE CreateUnguessableFile(const char* folder, const char* prefix, int digits,
                             const char* extension, DWORD attributes,
                             char* path, int size, DWORD* error) {
  *error = ERROR_PATH_NOT_FOUND;
  if (lstrlenA(folder) + lstrlenA(prefix) + digits + lstrlenA(extension) >=
      size)
    return INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < NAME_TRIES; ++tries) {
    FormName(path, folder, prefix, digits, extension);
    HANDLE file =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, attributes, nullptr);
    if (file != INVALID_HANDLE_VALUE)
      return file;
    if ((*error = GetLastError()) != ERROR_FILE_EXISTS)
      break;
  }
  return INVALID_HANDLE_VALUE;
}

int LinkUnguessableName(const char* existing, const char* folder,
                        const char* prefix, char* path, int size) {
  if (lstrlenA(folder) + lstrlenA(prefix) + 8 >= size)
    return 0;
  for (int tries = 0; tries < NAME_TRIES; ++tries) {
    FormName(path, folder, prefix, 8, "");
    if (CreateHardLinkA(path, existing, nullptr))
      return 1;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
  return 0;
}

int CreateUnguessableFolder(const char* folder, const char* prefix,
                            SECURITY_ATTRIBUTES* security, char* path,
                            int size) {
  if (lstrlenA(folder) + lstrlenA(prefix) + 16 + 1 >= size)
    return 0;
  for (int tries = 0; tries < NAME_TRIES; ++tries) {
    FormName(path, folder, prefix, 16, "");
    if (CreateDirectoryA(path, security)) {
      lstrcatA(path, "\\");
      return 1;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
  return 0;
}

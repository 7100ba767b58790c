// What every dialog test starts from: the state of a fresh process, with
// the colours the main window's first paint would have measured.
#pragma once

#include "tests/support/installer_state_reset.h"

#include <string>

inline void ResetForDialogs() {
  ResetInstallerState();
  state.backgroundColor = RGB(65, 105, 225);
  state.textColor = RGB(255, 255, 255);
}

// Makes a folder and its parents.
inline void MakeFolders(const std::string& path) {
  for (size_t p = path.find('\\', 3); p != std::string::npos;
       p = path.find('\\', p + 1))
    CreateDirectoryA(path.substr(0, p).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

inline void MakeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(file);
}

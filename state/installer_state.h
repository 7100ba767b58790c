// The one process-wide record through which every part of the installer
// shares the state of the run.
#pragma once

#include "state/install_mode.h"

#include <windows.h>

enum { PATH_SIZE = 775, MESSAGE_SIZE = 1400, VERSION_SIZE = 60 };

struct InstallerState {
  // Mode and progress.
  int uninstallMode;
  int installPerformed;
  int agreementAccepted;
  int iconChoiceOffered;
  int shortcutFlags;
  int allUsersShortcuts;
  int windowsVersionClass;

  // Build configuration, fixed for a given build.
  int updateMode;
  int agreementIncluded;
  int destinationChangeable;
  int iconsOffered;

  // Paths and texts.
  char destinationPath[PATH_SIZE];
  char installerFolder[PATH_SIZE];
  char versionFileVersion[VERSION_SIZE];
  char installerVersion[VERSION_SIZE];
  char scratchText[MESSAGE_SIZE];
  char errorPath[PATH_SIZE];

  // Other shared values.
  int errorDetail;
  HINSTANCE appInstance;
  HWND mainWindow;
  HWND searchDialog;
  COLORREF backgroundColor;
  COLORREF textColor;
  int windowWidth;
  int windowHeight;
};

extern InstallerState state;

// Uninstall wins over update, update over a full installation.
InstallMode CurrentInstallMode();

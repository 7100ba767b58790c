// The permissions of the installation folder: those of program files.
// SYSTEM and Administrators have full control, Users read and execute,
// the owner is Administrators, and nothing is inherited from the folder
// above: a folder made under c:\ would otherwise let every account that
// can log on add, replace and link things inside the installation.
#pragma once

#include "engine/error_codes.h"

#include <windows.h>

// The security attributes to create a folder of the installation with;
// null when the system cannot build them.
SECURITY_ATTRIBUTES* InstallationFolderAttributes();

// Takes over the existing folder `path` when its owner is neither
// Administrators nor SYSTEM, or another account may change it: owner and
// permissions are reset to the installation folder's. 0, or
// ERR_CREATE_FOLDER when that cannot be done.
ErrorCode SecureInstallationFolder(const char* path);

// 1 when an account other than Administrators and SYSTEM owns the open
// `folder` or may change it, or when its access list cannot be read.
int OthersMayChangeFolder(HANDLE folder);

// How the installer gives an open folder its owner and protected
// permissions; a test may put in its own to see what is set, since Wine
// keeps no access lists (it maps them onto Unix permission bits).
struct FolderSecurityCalls {
  DWORD (*setOwnerAndPermissions)(HANDLE folder, PSID owner, PACL permissions);
};

extern FolderSecurityCalls folderSecurityCalls;

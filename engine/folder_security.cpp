#include "engine/folder_security.h"

#include <aclapi.h>
#include <sddl.h>

namespace {

// Protected (nothing inherited), for the folder and everything below it:
// SYSTEM and Administrators full control, Users read and execute.
const char kFolderSecurity[] = "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
                               "(A;OICI;0x1200a9;;;BU)";

const DWORD kChangeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                            FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES | DELETE |
                            WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                            GENERIC_ALL;

int IsTrusted(PSID sid) {
  return IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
         IsWellKnownSid(sid, WinLocalSystemSid) ||
         IsWellKnownSid(sid, WinCreatorOwnerSid);
}

int OthersMayChange(PSID owner, PACL permissions) {
  if (!owner || !IsTrusted(owner) || !permissions)
    return 1;
  for (DWORD i = 0; i < permissions->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* entry;
    if (!GetAce(permissions, i, reinterpret_cast<void**>(&entry)))
      return 1;
    if (entry->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
        (entry->Mask & kChangeRights) && !IsTrusted(&entry->SidStart))
      return 1;
  }
  return 0;
}

DWORD SetOwnerAndPermissions(HANDLE folder, PSID owner, PACL permissions) {
  return SetSecurityInfo(folder, SE_FILE_OBJECT,
                         OWNER_SECURITY_INFORMATION |
                             DACL_SECURITY_INFORMATION |
                             PROTECTED_DACL_SECURITY_INFORMATION,
                         owner, nullptr, permissions, nullptr);
}

} // namespace

FolderSecurityCalls folderSecurityCalls = {SetOwnerAndPermissions};

int OthersMayChangeFolder(HANDLE folder) {
  PSID owner = nullptr;
  PACL permissions = nullptr;
  PSECURITY_DESCRIPTOR now = nullptr;
  DWORD result =
      GetSecurityInfo(folder, SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                      &owner, nullptr, &permissions, nullptr, &now);
  int others = result != ERROR_SUCCESS || OthersMayChange(owner, permissions);
  if (now)
    LocalFree(now);
  return others;
}

SECURITY_ATTRIBUTES* InstallationFolderAttributes() {
  static SECURITY_ATTRIBUTES attributes;
  if (!attributes.lpSecurityDescriptor &&
      !ConvertStringSecurityDescriptorToSecurityDescriptorA(
          kFolderSecurity, SDDL_REVISION_1, &attributes.lpSecurityDescriptor,
          nullptr))
    return nullptr;
  attributes.nLength = sizeof attributes;
  return &attributes;
}

ErrorCode SecureInstallationFolder(const char* path) {
  SECURITY_ATTRIBUTES* wanted = InstallationFolderAttributes();
  HANDLE folder = CreateFileA(
      path, READ_CONTROL | WRITE_DAC | WRITE_OWNER,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
      nullptr);
  if (!wanted || folder == INVALID_HANDLE_VALUE) {
    if (folder != INVALID_HANDLE_VALUE)
      CloseHandle(folder);
    return ERR_CREATE_FOLDER;
  }
  DWORD result = ERROR_SUCCESS;
  if (OthersMayChangeFolder(folder)) {
    PSID owner = nullptr;
    PACL permissions = nullptr;
    BOOL given, defaulted;
    GetSecurityDescriptorOwner(wanted->lpSecurityDescriptor, &owner,
                               &defaulted);
    GetSecurityDescriptorDacl(wanted->lpSecurityDescriptor, &given,
                              &permissions, &defaulted);
    result =
        folderSecurityCalls.setOwnerAndPermissions(folder, owner, permissions);
  }
  CloseHandle(folder);
  return result == ERROR_SUCCESS ? 0 : ERR_CREATE_FOLDER;
}

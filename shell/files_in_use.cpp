#include "shell/files_in_use.h"

#include "engine/file_holders.h"
#include "shell/product_start.h"
#include "state/installer_state.h"
#include "state/message_box.h"

#include <stdio.h>

int closeApplications = 0;

namespace {

enum { CLOSE_WAIT = 30000 };

FileHolders holders;
int productClosed = 0;

int IsProduct(const FileHolder& holder) {
  char product[PATH_SIZE + 16];
  wsprintfA(product, "%sorvel.exe", state.destinationPath);
  GetLongPathNameA(product, product, sizeof product);
  return holder.program[0] && lstrcmpiA(holder.program, product) == 0;
}

// The program's name as its person knows it: the one Windows gives, else
// its file's.
const char* NameOf(const FileHolder& holder) {
  if (holder.name[0])
    return holder.name;
  const char* name = holder.program;
  for (const char* at = holder.program; *at; ++at)
    if (*at == '\\')
      name = at + 1;
  return name;
}

// The box's text, or the log's without the advice to a person.
void Describe(const FileHolder& holder) {
  const char* advice = messageRecorder
                           ? ""
                           : "\n\nClose it, then choose Retry. Cancel changes "
                             "nothing.";
  if (IsProduct(holder))
    _snprintf(state.scratchText, MESSAGE_SIZE,
              "Orvel is running.\n%sorvel.exe%s", state.destinationPath,
              advice);
  else
    _snprintf(state.scratchText, MESSAGE_SIZE,
              "%s is using a file of Orvel:\n%s%s",
              holder.program[0] || holder.name[0] ? NameOf(holder)
                                                  : "Another program",
              holder.file, advice);
  state.scratchText[MESSAGE_SIZE - 1] = '\0';
}

// Asked once, waited for at most half a minute.
void AskToClose() {
  for (int i = 0; i < holders.count; ++i) {
    productClosed |= IsProduct(holders.holder[i]);
    if (messageRecorder && holders.holder[i].processId)
      messageRecorder("Asked to close", NameOf(holders.holder[i]));
  }
  CloseFileHolders(&holders, CLOSE_WAIT);
}

} // namespace

int FilesStillHeld(HWND window) {
  int asked = 0;
  while (FindFileHolders(&holders)) {
    if (closeApplications && !asked) {
      AskToClose();
      asked = 1;
      continue;
    }
    Describe(holders.holder[0]);
    if (ShowMessageBox(window, state.scratchText, "Files in Use",
                       MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY)
      return 1;
  }
  return 0;
}

void RestartClosedProduct() {
  char product[PATH_SIZE + 16];
  wsprintfA(product, "%sorvel.exe", state.destinationPath);
  if (productClosed && GetFileAttributesA(product) != INVALID_FILE_ATTRIBUTES)
    StartInstalledProgram();
  productClosed = 0;
}

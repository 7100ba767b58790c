#include "engine/file_list.h"

#include "engine/file_list_text.h"
#include "state/installer_state.h"

void ShowFileList() {
  FileListChoices choices = {CurrentInstallMode(), state.shortcutFlags,
                             state.windowsVersionClass, state.agreementIncluded,
                             state.destinationPath};
  FormatFileList(state.scratchText, sizeof state.scratchText, choices);
  MessageBoxA(state.mainWindow, state.scratchText, "List of Files", MB_OK);
}

// The "List of Files" message box, or the uninstall warning.
#pragma once

void ShowFileList();

#include "engine/error_report.h"

#include "engine/error_report_text.h"
#include "state/installer_state.h"
#include "state/message_box.h"

void ReportError(HWND owner, ErrorCode code) {
  // Success has nothing to report.
  if (code == 0)
    return;
  // The path is read as a string; make sure it ends inside its buffer.
  state.errorPath[PATH_SIZE - 1] = '\0';
  FormatErrorReport(state.scratchText, sizeof state.scratchText, code,
                    state.errorDetail, state.errorPath);
  ShowMessageBox(owner, state.scratchText, ErrorCaption(code), MB_OK);
}

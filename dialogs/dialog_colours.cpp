#include "dialogs/dialog_colours.h"

#include "state/installer_state.h"

INT_PTR ColourControl(WPARAM dc, COLORREF background, HBRUSH brush) {
  SetBkColor(reinterpret_cast<HDC>(dc), background);
  SetTextColor(reinterpret_cast<HDC>(dc), state.textColor);
  return reinterpret_cast<INT_PTR>(brush);
}

bool AnswerDialogColours(UINT message, WPARAM dc, COLORREF background,
                         HBRUSH brush, INT_PTR* answer) {
  switch (message) {
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    *answer = ColourControl(dc, background, brush);
    return true;
  case WM_CTLCOLORDLG:
    *answer = reinterpret_cast<INT_PTR>(brush);
    return true;
  }
  return false;
}

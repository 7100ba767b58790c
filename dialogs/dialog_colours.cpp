#include "dialogs/dialog_colours.h"

#include "shell/installer_state.h"

INT_PTR ColourControl(WPARAM dc, COLORREF background, HBRUSH brush) {
  SetBkColor(reinterpret_cast<HDC>(dc), background);
  SetTextColor(reinterpret_cast<HDC>(dc), state.textColor);
  return reinterpret_cast<INT_PTR>(brush);
}

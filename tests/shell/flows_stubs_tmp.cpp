// TEMPORARY stand-ins for parts not yet on main; deleted once they land.
#include "dialogs/about_box.h"
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/help_pager.h"
#include "dialogs/icons_dialog.h"
#include "resources/resource_ids.h"
#include "shell/installer_state.h"


namespace {
INT_PTR CALLBACK SimpleProc(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG)
    return TRUE;
  if (m != WM_COMMAND)
    return FALSE;
  int id = LOWORD(w);
  if (id == IDC_OK) {
    if (GetDlgItem(d, IDC_AGREE_CHECK)) {
      state.agreementAccepted = IsDlgButtonChecked(d, IDC_AGREE_CHECK);
      if (!state.agreementAccepted && !state.updateMode)
        return TRUE;
    }
    EndDialog(d, 1);
    return TRUE;
  }
  if (id == IDC_CANCEL || id == IDCANCEL) {
    if (GetDlgItem(d, IDC_AGREE_CHECK))
      state.agreementAccepted = 0;
    EndDialog(d, GetDlgItem(d, IDC_ICON_DESKTOP) ? 0 : 1);
    return TRUE;
  }
  return FALSE;
}
INT_PTR Run(HWND owner, const char* name) {
  return DialogBoxParamA(state.appInstance, name, owner, SimpleProc, 0);
}
} // namespace

INT_PTR ChooseIcons(HWND owner) {
  return Run(owner, "ICONS");
}
INT_PTR RunAgreementDialog(HWND owner) {
  return Run(owner, "agree");
}
INT_PTR RunChangeDestinationDialog(HWND owner) {
  return Run(owner, "changeit");
}
INT_PTR RunHelpPager(HWND owner) {
  return Run(owner, "DTLINFO");
}
int ShowTableMessage(HWND owner, int, const char* insert) {
  return MessageBoxA(owner, insert, "About Install", 0x40);
}

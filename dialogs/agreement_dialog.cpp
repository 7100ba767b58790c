#include "dialogs/agreement_dialog.h"

#include "dialogs/agreement_layout.h"
#include "dialogs/agreement_rows.h"
#include "dialogs/dialog_colours.h"
#include "dialogs/dialog_scale.h"
#include "engine/agreement_text.h"
#include "resources/resource_ids.h"
#include "state/installer_state.h"

namespace {

COLORREF dialogColour;
HBRUSH dialogBrush;

struct ListFill {
  HWND list;
  HDC dc;
};

int MeasureInList(const char* row, int length, void* context) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(static_cast<ListFill*>(context)->dc, row, length,
                        &size);
  return size.cx;
}

void AddToList(const char* row, void* context) {
  SendMessageA(static_cast<ListFill*>(context)->list, LB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(row));
}

void FillAgreementList(const char* text, int size, void* dialog) {
  FillWrappedList(static_cast<HWND>(dialog), IDC_AGREE_TEXT, text, size);
}

Extent SizeOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void Place(HWND dialog, int id, const Placement& p, UINT flags) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, p.x, p.y, p.w, p.h,
               flags | SWP_NOZORDER);
}

void LayOut(HWND dialog) {
  AgreementLayout l = LayOutAgreement(
      SizeOf(dialog), SizeOf(GetDlgItem(dialog, IDC_AGREE_CHECK)),
      SizeOf(GetDlgItem(dialog, IDC_OK)),
      SizeOf(GetDlgItem(dialog, IDC_CANCEL)),
      SizeOf(GetDlgItem(dialog, IDC_AGREE_LABEL)),
      GetSystemMetrics(SM_CYBORDER), state.updateMode);
  Place(dialog, IDC_AGREE_CHECK, l.check, SWP_NOSIZE);
  Place(dialog, IDC_OK, l.ok, SWP_NOSIZE);
  Place(dialog, IDC_CANCEL, l.cancel, SWP_NOSIZE);
  Place(dialog, IDC_AGREE_TEXT, l.list, 0);
  Place(dialog, IDC_AGREE_LABEL, l.label, SWP_NOSIZE);
}

void Open(HWND dialog) {
  dialogColour = state.backgroundColor;
  dialogBrush = CreateSolidBrush(dialogColour);
  KeepOnScreen(dialog);
  LayOut(dialog);
  const int update = state.updateMode == 1;
  if (UseAgreementText(FillAgreementList, dialog) == 1)
    SendDlgItemMessageA(dialog, IDC_AGREE_TEXT, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(
                            update
                                ? " ERROR!       Changes File is Unavailable!!'"
                                : " ERROR!       EULA is Unavailable!!'"));
  if (update) {
    ShowWindow(GetDlgItem(dialog, IDC_AGREE_CHECK), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CANCEL), SW_HIDE);
    SetWindowTextA(dialog, "New Changes in this Version");
    SetDlgItemTextA(dialog, IDC_AGREE_LABEL, "Please Read These Changes");
    SetDlgItemTextA(dialog, IDC_OK, "OK");
  }
  SendDlgItemMessageA(dialog, IDC_AGREE_TEXT, LB_SETCURSEL,
                      static_cast<WPARAM>(-1), 0);
  SetFocus(GetDlgItem(dialog, IDC_OK));
}

void Close(HWND dialog) {
  DeleteObject(dialogBrush);
  dialogBrush = nullptr;
  EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
  case IDC_OK:
    state.agreementAccepted =
        IsDlgButtonChecked(dialog, IDC_AGREE_CHECK) == BST_CHECKED;
    if (state.updateMode != 1 && !state.agreementAccepted)
      MessageBeep(MB_ICONEXCLAMATION);
    else
      Close(dialog);
    return TRUE;
  case IDC_CANCEL:
  case IDCANCEL:
    if (state.updateMode != 1)
      MessageBeep(MB_ICONEXCLAMATION);
    state.agreementAccepted = 0;
    Close(dialog);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AgreementProc(HWND dialog, UINT message, WPARAM wParam,
                               LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    Open(dialog);
    return FALSE;
  case WM_COMMAND:
    return OnCommand(dialog, LOWORD(wParam));
  }
  INT_PTR colours;
  if (AnswerDialogColours(message, wParam, dialogColour, dialogBrush, &colours))
    return colours;
  return FALSE;
}

} // namespace

INT_PTR RunAgreementDialog(HWND owner) {
  return DialogBoxParamA(state.appInstance, "agree", owner, AgreementProc, 0);
}

void FillWrappedList(HWND dialog, int listId, const char* text, int size) {
  ListFill fill = {GetDlgItem(dialog, listId), nullptr};
  RECT client;
  GetClientRect(fill.list, &client);
  fill.dc = GetDC(fill.list);
  HGDIOBJ font =
      reinterpret_cast<HGDIOBJ>(SendMessageA(fill.list, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font ? SelectObject(fill.dc, font) : nullptr;
  RowWrapper wrapper = {client.right - client.left,
                        MeasureInList,
                        AddToList,
                        &fill,
                        state.scratchText,
                        static_cast<int>(sizeof state.scratchText)};
  WrapAgreementRows(wrapper, text, size);
  if (previous)
    SelectObject(fill.dc, previous);
  ReleaseDC(fill.list, fill.dc);
}

// The coloured dialogs: each paints its surface and its static texts with
// the main window's blue and white, as the controls ask for them.
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/icons_dialog.h"

#include "resources/resource_ids.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

struct Colours {
  COLORREF surface = 0;    // the brush answered for the dialog
  COLORREF behindText = 0; // the brush answered for a static text
  COLORREF background = 0; // the text background set for it
  COLORREF text = 0;       // the text colour set for it
};

COLORREF BrushColour(LRESULT brush) {
  LOGBRUSH data = {};
  if (!GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof data, &data))
    return CLR_INVALID;
  return data.lbColor;
}

// Asks the open dialog for the colours of its surface and of its first
// static control, as the system does before painting them.
Step ReadColours(Colours* colours) {
  return Call([colours](HWND dialog) {
    HWND label = FindWindowExA(dialog, nullptr, "Static", nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    WPARAM w = reinterpret_cast<WPARAM>(dc);
    colours->behindText = BrushColour(SendMessageA(
        dialog, WM_CTLCOLORSTATIC, w, reinterpret_cast<LPARAM>(label)));
    colours->background = GetBkColor(dc);
    colours->text = GetTextColor(dc);
    colours->surface = BrushColour(SendMessageA(
        dialog, WM_CTLCOLORDLG, w, reinterpret_cast<LPARAM>(dialog)));
    DeleteDC(dc);
  });
}

TEST(DialogColours, BlueSurfaceAndWhiteStaticText) {
  const struct {
    const char* name;
    INT_PTR (*run)(HWND owner);
    bool throughBrowse; // the folder browser, opened from CHANGEIT
  } dialogs[] = {
      {"change destination", RunChangeDestinationDialog, false},
      {"folder browser", RunChangeDestinationDialog, true},
      {"agreement", RunAgreementDialog, false},
      {"icons", ChooseIcons, false},
  };
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.name);
    ResetForDialogs();
    state.backgroundColor = RGB(10, 20, 200);
    state.textColor = RGB(250, 251, 252);
    lstrcpyA(state.destinationPath, "c:\\");
    Colours colours;
    ScriptedUser user;
    if (dialog.throughBrowse)
      user.Answer({Press(IDC_BROWSE), Escape()});
    user.Answer({ReadColours(&colours), Escape()});
    dialog.run(nullptr);
    EXPECT_EQ(0u, user.pending());
    EXPECT_EQ(RGB(10, 20, 200), colours.surface);
    EXPECT_EQ(RGB(10, 20, 200), colours.behindText);
    EXPECT_EQ(RGB(10, 20, 200), colours.background);
    EXPECT_EQ(RGB(250, 251, 252), colours.text);
  }
}

} // namespace

// The scripted user: answers dialogs and message boxes the way a person
// would, and records what each one showed.
//
// A test lists its answers in the order the windows will appear. Each
// dialog or message box that becomes active for the first time takes the
// next answer; its steps run one by one from the thread's own message loop,
// after everything the window posted to itself while opening. A window
// that appears with no answer left is recorded as unexpected and dismissed,
// so a test fails instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace scripted {

enum class Act {
  Press,          // click a button (WM_COMMAND BN_CLICKED)
  Enter,          // the default button, as the Enter key picks it
  Escape,         // IDCANCEL, as the Esc key sends it
  Tick,           // tick a check box
  Clear,          // clear a check box
  Type,           // replace an edit box's text
  SelectRow,      // select a list row
  DoubleClickRow, // select a list row and double-click it
  Read,           // record a control's text (a list box: its rows)
  ReadCaret,      // record an edit box's selection as "start,end"
  Call,           // run a function on the window
};

struct Step {
  Act act = Act::Press;
  int id = 0;
  std::string text;
  int row = 0;
  std::function<void(HWND)> call;
};

Step Press(int id);
Step Enter();
Step Escape();
Step Tick(int id);
Step Clear(int id);
Step Type(int id, const std::string& text);
Step SelectRow(int id, int row);
Step DoubleClickRow(int id, int row);
Step Read(int id);
Step ReadCaret(int id);
Step Call(std::function<void(HWND)> call);

struct Control {
  int id = 0;
  std::string className;
  std::string text;
  DWORD style = 0;
  bool visible = false;
  int checked = 0;
  std::vector<std::string> rows; // list boxes only
};

struct Shown {
  HWND window = nullptr;
  HWND owner = nullptr;
  std::string className;
  std::string caption;
  std::string text; // a message box's text
  bool isMessageBox = false;
  UINT style = 0; // MessageBox style, or the dialog's window style
  int result = 0; // what MessageBox returned
  bool unexpected = false;
  std::vector<Control> controls; // as they stood before the first step
  std::vector<std::string> reads;

  const Control* control(int id) const;
};

class ScriptedUser {
public:
  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // The answer to the next window that appears.
  ScriptedUser& Answer(std::vector<Step> steps);

  const std::vector<Shown>& shown() const;
  // Answers not yet taken by a window.
  size_t pending() const;
};

// Text of a window or control.
std::string WindowText(HWND window);
// Rows of a list box.
std::vector<std::string> ListRows(HWND list);

} // namespace scripted

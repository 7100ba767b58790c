#include "tests/support/scripted_user.h"

#include <set>

namespace scripted {

namespace {

const UINT kRunStep = WM_APP + 1;

struct MessageBoxCall {
  std::string text;
  std::string caption;
  UINT style;
  size_t record; // index into shown, or SIZE_MAX until its window appears
};

struct Session {
  std::vector<std::vector<Step>> answers;
  size_t nextAnswer = 0;
  std::vector<Shown> shown;
  std::vector<std::vector<Step>> stepsOf; // per shown window
  std::vector<size_t> nextStep;
  std::set<HWND> seen;
  std::vector<MessageBoxCall> boxes; // MessageBoxA calls in progress
  HHOOK hook = nullptr;
  HWND runner = nullptr;
};

Session* session = nullptr;

typedef int(WINAPI* MessageBoxAFn)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxAFn realMessageBoxA = nullptr;

int WINAPI RecordingMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption,
                                UINT style) {
  if (!session)
    return realMessageBoxA(owner, text, caption, style);
  session->boxes.push_back(
      {text ? text : "", caption ? caption : "", style, SIZE_MAX});
  int result = realMessageBoxA(owner, text, caption, style);
  MessageBoxCall call = session->boxes.back();
  session->boxes.pop_back();
  if (session && call.record != SIZE_MAX)
    session->shown[call.record].result = result;
  return result;
}

// Routes the executable's calls of MessageBoxA through the recorder, so the
// style a box was asked for can be read back; the window alone does not
// tell every style bit.
void HookMessageBoxA() {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  FARPROC target = GetProcAddress(user32, "MessageBoxA");
  if (!realMessageBoxA)
    realMessageBoxA =
        reinterpret_cast<MessageBoxAFn>(reinterpret_cast<void*>(target));
  BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* desc =
      reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
  for (; desc->Name; ++desc) {
    auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
    for (; thunk->u1.Function; ++thunk) {
      if (reinterpret_cast<FARPROC>(thunk->u1.Function) != target)
        continue;
      DWORD old;
      VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function,
                     PAGE_READWRITE, &old);
      thunk->u1.Function = reinterpret_cast<DWORD_PTR>(&RecordingMessageBoxA);
      VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, old, &old);
    }
  }
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK AddControl(HWND child, LPARAM param) {
  auto* controls = reinterpret_cast<std::vector<Control>*>(param);
  Control c;
  c.id = static_cast<int>(static_cast<short>(GetDlgCtrlID(child)));
  c.className = ClassOf(child);
  c.text = WindowText(child);
  c.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
  c.visible = IsWindowVisible(child) != 0;
  if (lstrcmpiA(c.className.c_str(), "Button") == 0)
    c.checked = static_cast<int>(SendMessageA(child, BM_GETCHECK, 0, 0));
  if (lstrcmpiA(c.className.c_str(), "ListBox") == 0)
    c.rows = ListRows(child);
  controls->push_back(c);
  return TRUE;
}

std::vector<Control> Controls(HWND window) {
  std::vector<Control> controls;
  EnumChildWindows(window, AddControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

void PressButton(HWND window, int id) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void Dismiss(HWND window) {
  for (int id : {IDCANCEL, IDNO, IDOK}) {
    if (GetDlgItem(window, id)) {
      PressButton(window, id);
      return;
    }
  }
  PressButton(window, IDCANCEL);
}

void Perform(HWND window, const Step& step, size_t index) {
  HWND control = GetDlgItem(window, step.id);
  Shown& record = session->shown[index];
  switch (step.act) {
  case Act::Press:
    PressButton(window, step.id);
    break;
  case Act::Enter: {
    LRESULT def = SendMessageA(window, DM_GETDEFID, 0, 0);
    PressButton(window, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
    break;
  }
  case Act::Escape:
    PressButton(window, IDCANCEL);
    break;
  case Act::Tick:
  case Act::Clear:
    SendMessageA(control, BM_SETCHECK,
                 step.act == Act::Tick ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(step.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
    break;
  case Act::Type:
    SetWindowTextA(control, step.text.c_str());
    break;
  case Act::SelectRow:
  case Act::DoubleClickRow:
    SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(step.row), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(step.id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
    if (step.act == Act::DoubleClickRow)
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(step.id, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(control));
    break;
  case Act::Read:
    if (lstrcmpiA(ClassOf(control).c_str(), "ListBox") == 0) {
      std::string rows;
      for (const std::string& row : ListRows(control))
        rows += row + "\n";
      record.reads.push_back(rows);
    } else {
      record.reads.push_back(WindowText(control));
    }
    break;
  case Act::ReadCaret: {
    DWORD start = 0, end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    record.reads.push_back(std::to_string(start) + "," + std::to_string(end));
    break;
  }
  case Act::Call:
    step.call(window);
    break;
  }
}

LRESULT CALLBACK RunnerProc(HWND runner, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  if (message != kRunStep || !session)
    return DefWindowProcA(runner, message, wParam, lParam);
  const size_t index = wParam;
  Shown& record = session->shown[index];
  if (!IsWindow(record.window))
    return 0;
  if (record.unexpected) {
    record.controls = Controls(record.window);
    Dismiss(record.window);
    return 0;
  }
  size_t& next = session->nextStep[index];
  if (next == 0)
    record.controls = Controls(record.window);
  if (next >= session->stepsOf[index].size())
    return 0;
  const Step step = session->stepsOf[index][next++];
  // A press may open a nested dialog and return only when that has closed;
  // the next step follows it.
  Perform(record.window, step, index);
  if (session && session->nextStep[index] < session->stepsOf[index].size())
    PostMessageA(session->runner, kRunStep, index, 0);
  return 0;
}

void OnActivate(HWND window) {
  if (ClassOf(window) != "#32770" || session->seen.count(window))
    return;
  session->seen.insert(window);
  Shown record;
  record.window = window;
  record.owner = GetWindow(window, GW_OWNER);
  record.className = ClassOf(window);
  record.caption = WindowText(window);
  record.style = static_cast<UINT>(GetWindowLongA(window, GWL_STYLE));
  const size_t index = session->shown.size();
  if (!session->boxes.empty() && session->boxes.back().record == SIZE_MAX) {
    MessageBoxCall& call = session->boxes.back();
    call.record = index;
    record.isMessageBox = true;
    record.style = call.style;
    HWND text = GetDlgItem(window, 0xFFFF);
    record.text = text ? WindowText(text) : call.text;
  }
  std::vector<Step> steps;
  if (session->nextAnswer < session->answers.size())
    steps = session->answers[session->nextAnswer++];
  else
    record.unexpected = true;
  session->shown.push_back(record);
  session->stepsOf.push_back(steps);
  session->nextStep.push_back(0);
  PostMessageA(session->runner, kRunStep, index, 0);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && session)
    OnActivate(reinterpret_cast<HWND>(wParam));
  if (code == HCBT_DESTROYWND && session)
    session->seen.erase(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND CreateRunner() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RunnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ScriptedUserRunner";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "ScriptedUserRunner", "", 0, 0, 0, 0, 0,
                         HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

} // namespace

Step MakeStep(Act act, int id, const std::string& text, int row) {
  Step step;
  step.act = act;
  step.id = id;
  step.text = text;
  step.row = row;
  return step;
}

Step Press(int id) {
  return MakeStep(Act::Press, id, "", 0);
}
Step Enter() {
  return MakeStep(Act::Enter, 0, "", 0);
}
Step Escape() {
  return MakeStep(Act::Escape, 0, "", 0);
}
Step Tick(int id) {
  return MakeStep(Act::Tick, id, "", 0);
}
Step Clear(int id) {
  return MakeStep(Act::Clear, id, "", 0);
}
Step Type(int id, const std::string& text) {
  return MakeStep(Act::Type, id, text, 0);
}
Step SelectRow(int id, int row) {
  return MakeStep(Act::SelectRow, id, "", row);
}
Step DoubleClickRow(int id, int row) {
  return MakeStep(Act::DoubleClickRow, id, "", row);
}
Step Read(int id) {
  return MakeStep(Act::Read, id, "", 0);
}
Step ReadCaret(int id) {
  return MakeStep(Act::ReadCaret, id, "", 0);
}
Step Call(std::function<void(HWND)> call) {
  Step step = MakeStep(Act::Call, 0, "", 0);
  step.call = std::move(call);
  return step;
}

const Control* Shown::control(int id) const {
  for (const Control& c : controls)
    if (c.id == id)
      return &c;
  return nullptr;
}

ScriptedUser::ScriptedUser() {
  HookMessageBoxA();
  session = new Session;
  session->runner = CreateRunner();
  session->hook =
      SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

ScriptedUser::~ScriptedUser() {
  UnhookWindowsHookEx(session->hook);
  DestroyWindow(session->runner);
  delete session;
  session = nullptr;
}

ScriptedUser& ScriptedUser::Answer(std::vector<Step> steps) {
  session->answers.push_back(std::move(steps));
  return *this;
}

const std::vector<Shown>& ScriptedUser::shown() const {
  return session->shown;
}

size_t ScriptedUser::pending() const {
  return session->answers.size() - session->nextAnswer;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(window, text.data(), length + 1);
  text.resize(strlen(text.c_str()));
  return text;
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
    std::string row(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
    row.resize(static_cast<size_t>(length));
    rows.push_back(row);
  }
  return rows;
}

} // namespace scripted

#include "tests/dialogs/call_recorder.h"

namespace {

std::vector<PaintedText> painted;
std::vector<UINT> beeped;
bool recording = false;

typedef BOOL(WINAPI* TextOutFn)(HDC, int, int, LPCSTR, int);
typedef BOOL(WINAPI* BeepFn)(UINT);
TextOutFn realTextOut = nullptr;
BeepFn realBeep = nullptr;

BOOL WINAPI RecordingTextOut(HDC dc, int x, int y, LPCSTR text, int length) {
  if (recording)
    painted.push_back({x, y, std::string(text, static_cast<size_t>(length))});
  return realTextOut(dc, x, y, text, length);
}

BOOL WINAPI RecordingBeep(UINT type) {
  if (recording)
    beeped.push_back(type);
  return realBeep(type);
}

void Patch(const char* dll, const char* name, void* replacement,
           FARPROC* real) {
  FARPROC target = GetProcAddress(GetModuleHandleA(dll), name);
  if (!*real)
    *real = target;
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
      thunk->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
      VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, old, &old);
    }
  }
}

} // namespace

CallRecorder::CallRecorder() {
  static bool patched = false;
  if (!patched) {
    Patch("gdi32.dll", "TextOutA", reinterpret_cast<void*>(&RecordingTextOut),
          reinterpret_cast<FARPROC*>(&realTextOut));
    Patch("user32.dll", "MessageBeep", reinterpret_cast<void*>(&RecordingBeep),
          reinterpret_cast<FARPROC*>(&realBeep));
    patched = true;
  }
  Clear();
  recording = true;
}

CallRecorder::~CallRecorder() {
  recording = false;
  Clear();
}

void CallRecorder::Clear() {
  painted.clear();
  beeped.clear();
}

const std::vector<PaintedText>& CallRecorder::texts() const {
  return painted;
}

const std::vector<UINT>& CallRecorder::beeps() const {
  return beeped;
}

std::vector<std::string> CallRecorder::lines() const {
  std::vector<std::string> lines;
  for (const PaintedText& t : painted)
    lines.push_back(t.text);
  return lines;
}

void ShowNow(HWND dialog) {
  if (!IsWindowVisible(dialog))
    ShowWindow(dialog, SW_SHOWNORMAL);
}

void PaintNow(HWND window) {
  ShowNow(window);
  UpdateWindow(window);
}

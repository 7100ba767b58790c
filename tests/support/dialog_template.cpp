#include "tests/support/dialog_template.h"

namespace scripted {

namespace {

struct Reader {
  const BYTE* p;
  const BYTE* end;

  bool ok() const { return p <= end; }
  WORD Word() {
    WORD w = 0;
    if (p + 2 <= end)
      memcpy(&w, p, 2);
    p += 2;
    return w;
  }
  DWORD Dword() {
    DWORD d = 0;
    if (p + 4 <= end)
      memcpy(&d, p, 4);
    p += 4;
    return d;
  }
  std::string Wide() {
    std::string s;
    for (WORD c = Word(); c && ok(); c = Word())
      s += static_cast<char>(c < 0x100 ? c : '?');
    return s;
  }
  // A name or ordinal: 0 (none), 0xFFFF then an ordinal, or a string.
  std::string NameOrOrdinal(int* ordinal) {
    WORD first = 0;
    if (p + 2 <= end)
      memcpy(&first, p, 2);
    if (first == 0xFFFF) {
      Word();
      int value = Word();
      if (ordinal)
        *ordinal = value;
      return "#" + std::to_string(value);
    }
    return Wide();
  }
  void AlignDword(const BYTE* base) {
    while ((p - base) % 4)
      ++p;
  }
};

std::string ClassName(const std::string& name) {
  static const char* atoms[] = {"BUTTON",  "EDIT",      "STATIC",
                                "LISTBOX", "SCROLLBAR", "COMBOBOX"};
  for (int i = 0; i < 6; ++i)
    if (name == "#" + std::to_string(0x80 + i))
      return atoms[i];
  std::string upper = name;
  CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

} // namespace

bool LoadDialogTemplate(HMODULE module, const char* name, DialogTemplate& out) {
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));
  if (!found)
    return false;
  const BYTE* base =
      static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  Reader r{base, base + SizeofResource(module, found)};
  out = DialogTemplate();
  out.style = r.Dword();
  r.Dword(); // extended style
  int count = r.Word();
  out.x = static_cast<short>(r.Word());
  out.y = static_cast<short>(r.Word());
  out.cx = static_cast<short>(r.Word());
  out.cy = static_cast<short>(r.Word());
  out.menu = r.NameOrOrdinal(nullptr);
  out.className = r.NameOrOrdinal(nullptr);
  out.caption = r.Wide();
  out.hasFont = (out.style & DS_SETFONT) != 0;
  if (out.hasFont) {
    r.Word();
    r.Wide();
  }
  for (int i = 0; i < count && r.ok(); ++i) {
    r.AlignDword(base);
    TemplateItem item;
    item.style = r.Dword();
    r.Dword();
    item.x = static_cast<short>(r.Word());
    item.y = static_cast<short>(r.Word());
    item.cx = static_cast<short>(r.Word());
    item.cy = static_cast<short>(r.Word());
    item.id = static_cast<short>(r.Word());
    item.className = ClassName(r.NameOrOrdinal(nullptr));
    item.text = r.NameOrOrdinal(&item.textOrdinal);
    if (item.textOrdinal >= 0)
      item.text.clear();
    WORD extra = r.Word();
    r.p += extra;
    out.items.push_back(item);
  }
  return r.ok();
}

} // namespace scripted

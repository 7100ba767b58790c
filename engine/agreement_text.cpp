#include "engine/agreement_text.h"

#include "engine/fresh_file.h"
#include "resources/resource_ids.h"
#include "state/installer_state.h"

int UseAgreementText(AgreementConsumer consumer, void* context) {
  HRSRC found = FindResourceA(state.appInstance,
                              MAKEINTRESOURCEA(AGREEMENT_TEXT_ID), RT_RCDATA);
  if (!found)
    return 1;
  HGLOBAL loaded = LoadResource(state.appInstance, found);
  if (!loaded)
    return 1;
  const char* text = static_cast<const char*>(LockResource(loaded));
  if (!text) {
    FreeResource(loaded);
    return 1;
  }
  consumer(text, static_cast<int>(SizeofResource(state.appInstance, found)),
           context);
  FreeResource(loaded);
  return 0;
}

// The copy holds the resource byte for byte, up to its first zero byte. It
// is made anew: a link standing under its name is replaced, never written
// through.
int SaveAgreementFile(const char* text, int size) {
  wsprintfA(state.scratchText,
            state.updateMode == 1 ? "%snew.txt" : "%seula.txt",
            state.destinationPath);
  HANDLE file = CreateFreshFile(state.scratchText);
  if (file == INVALID_HANDLE_VALUE)
    return 1;
  DWORD length = 0;
  while (static_cast<int>(length) < size && text[length] != '\0')
    ++length;
  DWORD written = 0;
  int result =
      !WriteFile(file, text, length, &written, nullptr) || written != length;
  if (!CloseHandle(file))
    result = 1;
  return result;
}

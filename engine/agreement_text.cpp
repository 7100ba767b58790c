#include "engine/agreement_text.h"

#include "resources/resource_ids.h"
#include "state/installer_state.h"

#include <stdio.h>

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

// The copy holds the resource byte for byte; a byte that fails to go out
// does not stop the ones after it.
int SaveAgreementFile(const char* text, int size) {
  wsprintfA(state.scratchText,
            state.updateMode == 1 ? "%snew.txt" : "%seula.txt",
            state.destinationPath);
  FILE* file = fopen(state.scratchText, "w+b");
  if (!file)
    return 1;
  int result = 0;
  for (int i = 0; i < size && text[i] != '\0'; ++i)
    if (fputc(static_cast<unsigned char>(text[i]), file) == EOF)
      result = 1;
  if (fclose(file) != 0)
    result = 1;
  return result;
}

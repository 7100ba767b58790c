// The AGREE dialog and its row filler.
#pragma once

#include <windows.h>

INT_PTR RunAgreementDialog(HWND owner);

// Adds the display rows of the text to the dialog's list box.
void FillWrappedList(HWND dialog, int listId, const char* text, int size);

// What the dialogs paint or place in pixels themselves, at the display
// scale. Their templates scale by themselves: without a font of their own
// they are laid out in units of the system font, which grows with the DPI.
#pragma once

#include <windows.h>

// A 96-DPI vertical distance in `dialog`, in step with its template: scaled
// by the dialog's vertical unit, 16 pixels per 8 units at 96 DPI. (Wine
// grows that unit faster than the DPI; the painted labels must stay beside
// the controls they name.) Horizontal distances follow the DPI
// (ScaledPixels).
int ScaledInDialog(HWND dialog, int pixels);

// Shortens a dialog that is taller than the screen's work area and moves
// it onto it, before the dialog places its controls by its size.
void KeepOnScreen(HWND dialog);

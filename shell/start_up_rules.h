// Start-up rules that need no system call: the command-line scan, the
// cutting of the installer's folder and the centring of the window.
#pragma once

// 1 when the command tail holds the uninstall switch "/UN", in any case
// and anywhere, also inside a longer word; else 0.
int TailSelectsUninstall(const char* tail);

// Cuts a path after its last backslash; the backslash stays. A path
// without one becomes empty.
void CutAfterLastBackslash(char* path);

// Where a window of the given size starts so that it is centred; negative
// when the screen is the smaller.
int CentredPosition(int screenSize, int windowSize);

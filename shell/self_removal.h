// A removal of the installation the running installer stands in. Its own
// file, install.exe in that folder, cannot be deleted while it runs, so
// the removal runs from a copy outside it, and this process waits for the
// copy and hands on its exit code.
#pragma once

#include "shell/unattended_rules.h"

// When the tail asks to remove the installation this installer's file
// stands in: runs the removal from a copy in a fresh folder of the
// temporary folder (or beside the installation folder), scheduled for
// deletion at the next restart before it starts, waits for it, and puts
// its exit code in `exitCode`;
// returns 1. Returns 0 when the removal is another folder's, or when no
// copy can be run (the removal then runs here as it always did).
int RemoveFromOutside(const char* tail, const CommandTail& reading,
                      int* exitCode);

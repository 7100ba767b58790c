// A removal of the installation the running installer stands in. Its own
// file, install.exe in that folder, cannot be deleted while it runs, so
// the removal runs from a copy outside it, and this process waits for the
// copy and hands on its exit code.
#pragma once

#include "shell/unattended_rules.h"

// 1 when `folder` (ending in a backslash) holds an installation: the
// product's program and the agreement copy of a full installation or an
// update, which the installer leaves there.
int HoldsInstallation(const char* folder);

// When the tail asks to remove the installation this installer's file
// stands in: runs the removal from a copy in a fresh folder of the
// temporary folder, waits for it, and puts its exit code in `exitCode`;
// returns 1. Returns 0 when the removal is another folder's, or when no
// copy can be run (the removal then runs here as it always did).
int RemoveFromOutside(const char* tail, const CommandTail& reading,
                      int* exitCode);

// Moves this installer's running file out of `folder` when it stands
// there, into a fresh folder of the temporary folder (or beside `folder`
// on another volume), so that a removal can take the folder; 1 when it
// stood there. StepBack then puts it back if the folder stays, or has it
// deleted at the next restart.
int StepOutOf(const char* folder);
void StepBack();

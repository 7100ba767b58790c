// The mark that a run holds while it changes something, so that two never
// overlap (a deployment tool that retries, two tools at once, a person
// clicking through while a removal runs).
#pragma once

#include <windows.h>

// Takes the mark; the system lets it go however the process ends. 0 when
// it is taken (or this process holds it already), ERROR_ALREADY_EXISTS
// when another installer holds it, any other number: the system's error
// when the mark could not be made.
DWORD TakeRunLock();

// Lets the mark go once the change is over.
void ReleaseRunLock();

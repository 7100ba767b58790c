// Bits nobody can predict, for the names the installer makes and for the
// guard value of its stack cookies.
#pragma once

// Fills `bits` from the system's random source; where that is missing,
// from clocks and process details that an outsider sees only roughly.
// Carries no stack cookie of its own, so that the entry point may call it
// before the guard value is set.
void SystemRandom(unsigned long bits[2]);

// The guard value of the stack cookies that the compiler puts into every
// function holding a buffer, and what happens when one was overwritten.
#pragma once

// Sets the guard value from the system's random source. Only the entry
// point calls it, first, while no function with a cookie is running: a
// cookie taken before would no longer match.
void SeedStackGuard();

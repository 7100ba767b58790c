// The command line as it was given, in wide characters, beside the 8-bit
// one that the installer reads.
#pragma once

// 1 when the 8-bit command line spells the /D= folder, whose text starts
// at `start` and runs to the line's end, as it was given: read back into
// wide characters, that text ends the wide command line. A character
// outside the code page comes through the 8-bit calls as a question mark
// or as a look-alike (a full-width letter as its plain one), and would
// name another folder.
int DestinationSpelledAsGiven(const char* start);

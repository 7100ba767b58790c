// Packs bytes into the SZDD compressed-file container that the Windows LZ
// expansion functions (LZOpenFile, LZCopy) and msexpand read.
#pragma once

#include <cstddef>
#include <vector>

// The whole container: magic, method "A", the character that the
// underscore replaces in the packed file's name, the unpacked size and the
// LZ data.
std::vector<unsigned char> PackSzdd(const unsigned char* data, size_t size,
                                    char replacedChar);

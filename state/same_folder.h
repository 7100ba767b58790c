// Whether two spellings name one folder.
#pragma once

// 1 when `a` and `b` name the same folder however each is spelled: full
// or relative, short or long names, any case, with or without a trailing
// backslash. 0 when either cannot be made a full path.
int SameFolder(const char* a, const char* b);

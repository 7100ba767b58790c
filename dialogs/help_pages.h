// The help pages, ended by an empty text.
#pragma once

extern const char* const helpPages[];

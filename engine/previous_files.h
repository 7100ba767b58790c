// The files an installation replaces, kept until it ends: a run either
// replaces every payload file or leaves each one as it was.
#pragma once

#include "engine/error_codes.h"

// Before `finalPath` is replaced: its present file, if any, gets a second
// name of the installer's own beside it, so that the final name always
// holds the previous file or the new one, never neither.
// ERR_DELETE_PREVIOUS when it cannot be kept (it must not be replaced then).
ErrorCode KeepPrevious(const char* finalPath);

// The file last kept has been replaced.
void MarkReplaced();

// The run failed: every replaced file gets its previous file back (a new
// one where there was none goes), and the second names go.
void PutPreviousBack();

// The run succeeded: the previous files go.
void DropPrevious();

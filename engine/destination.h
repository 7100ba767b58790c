// Destination validation: normalises `destinationPath` in place and tests
// it; with createFolders 1 also creates its missing folders.
#pragma once

#include "engine/error_codes.h"

ErrorCode ValidateDestination(int createFolders);

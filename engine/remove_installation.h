// The removal of an installation: the destination folder tree, deleted.
#pragma once

// Deletes the folder tree of `destinationPath` once it passes the check.
int RemoveInstallation();

#include "engine/drive_table.h"

const DriveTable realDriveTable = {GetDriveTypeA, GetDiskFreeSpaceA,
                                   GetWindowsDirectoryA};

// Defined after the real table in this same file, so it starts as a copy.
DriveTable driveTable = realDriveTable;

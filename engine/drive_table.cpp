#include "engine/drive_table.h"

const DriveTable realDriveTable = {GetDriveTypeA, GetDiskFreeSpaceA,
                                   GetWindowsDirectoryA};

DriveTable driveTable = {GetDriveTypeA, GetDiskFreeSpaceA,
                         GetWindowsDirectoryA};

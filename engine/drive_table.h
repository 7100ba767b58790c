// The drive facts that destination validation asks the system for. A
// test may replace an entry to present a drive Wine cannot give (a
// floppy, a nearly full or very large disk, another Windows directory).
#pragma once

#include <windows.h>

struct DriveTable {
  UINT(WINAPI* getDriveType)(LPCSTR root);
  BOOL(WINAPI* getDiskFreeSpace)
  (LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
   LPDWORD freeClusters, LPDWORD totalClusters);
  UINT(WINAPI* getWindowsDirectory)(LPSTR buffer, UINT size);
};

extern DriveTable driveTable;

// The real calls, for putting the table back.
extern const DriveTable realDriveTable;

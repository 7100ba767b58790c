// The rights probe and the Windows version class.
#pragma once

enum {
  RIGHTS_HELD = 0,
  RIGHTS_NO_SECURITY = 1,
  RIGHTS_OPEN_FAILED = 2,
  RIGHTS_LOOKUP_FAILED = 3,
  RIGHTS_ADJUST_FAILED = 4,
  RIGHTS_CHECK_FAILED = 5,
  RIGHTS_NOT_HELD = 9,
};

// 1 enables the system-time privilege and checks it; any other value
// withdraws it.
int ProbeRights(int argument);

// 0, 3, 4, 5 or 6 for the Windows that GetVersion reports.
int ClassifyWindowsVersion();

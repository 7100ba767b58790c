// The family of Windows, from the major and minor version numbers that
// GetVersion reports.
#pragma once

// 3, 4, 5 or 6; 0 for major 7 or more.
int WindowsVersionClass(unsigned major, unsigned minor);

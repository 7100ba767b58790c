// The mode of a run, derived from the installer state; every text that
// differs by mode is chosen by it.
#pragma once

enum class InstallMode { Full, Update, Uninstall };

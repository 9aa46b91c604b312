// An uninstall that met a held plug-in left its deletion for the next
// restart; installing the plug-in again before that restart must take the
// deletion back, or the restart would remove the new copy.
#pragma once

#include <string>

// Removes every deletion at restart scheduled for path; true when none is
// left (or none was there), false when the schedule could not be changed.
bool CancelDeleteAtRestart(const std::string& path);

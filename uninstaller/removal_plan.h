// What the install record names, in the order the uninstaller takes it
// back: the plug-in, the favourite, the bookmark entries, the desktop
// shortcut, the program group, and last the settings.
#pragma once

#include <vector>

#include "common/install_record.h"
#include "uninstaller/removal.h"

// Every thing the record names, with whether it is there now, and the
// settings. Reads only.
std::vector<Removal> PlanRemoval(const Product& product);

bool AnythingToRemove(const std::vector<Removal>& plan);

// Takes back every thing of the plan and sets its result; then deletes the
// record keys of what was removed or already gone, and SetUp.ini when no
// section is left.
void CarryOutRemoval(const Product& product, std::vector<Removal>& plan);

// The scratch file the definition parser writes its normalised copy to.
#pragma once

#include <cstdio>
#include <string>

// Creates a new, empty file with a unique name in the system's temporary
// folder (never one that already exists) and opens it for writing in binary
// mode. The open file and its name, or null and an empty name on failure.
FILE* CreateWorkFile(std::string& name);

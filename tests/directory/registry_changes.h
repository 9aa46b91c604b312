// Registry values a test sets or removes in its prefix, all put back as
// they were (keys it created deleted) when the object goes: the shared
// registry scope under the name the directory tests use.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/state_scopes.h"

class RegistryChanges : public support::RegistryScope {
public:
    void Remove(HKEY root, const std::string& path, const char* name) { Delete(root, path, name); }
};

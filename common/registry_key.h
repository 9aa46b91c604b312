// Registry keys opened and read into the fixed sizes the installer allows.
#pragma once

#include <string>

#include "common/owned_handles.h"

// Opens name under parent; false (and key left empty) when it cannot be opened.
bool OpenKey(OwnedKey& key, HKEY parent, const char* name, REGSAM access);

// A text value read into bufferSize bytes: empty text when it is missing, is
// not text, or does not fit with its terminator.
std::string ReadKeyText(HKEY key, const char* valueName, DWORD bufferSize);

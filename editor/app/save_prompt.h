// The question before unsaved changes would be lost: Save, Don't Save or
// Cancel.
#pragma once

#include <windows.h>

#include <string>

enum class SaveAnswer { Save, DontSave, Cancel };

SaveAnswer AskSaveChanges(HINSTANCE instance, HWND owner, const std::string& question);

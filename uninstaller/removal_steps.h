// Taking back each thing the installer made. Every step first checks that
// the thing is Zorbit's and leaves it alone otherwise; none shows a message.
#pragma once

#include <windows.h>

#include <string>

#include "common/install_record.h"
#include "uninstaller/removal.h"
#include "common/text_compare.h"

// Files
enum class PathKind { Missing, File, Folder };
PathKind KindOf(const std::string& path);
// Deletes a file: removed, already gone, or failed with the reason (a
// read-only file is not deleted).
RemovalResult DeleteOwnFile(const std::string& path);
// The system's text for an error code, without its closing full stop.
std::string SystemReason(DWORD error);

// The plug-in: only a build of npzrbit, known by the MIME type in its
// version resource, whose bytes are this product's own build of it; a file
// in use is deleted when Windows restarts.
bool IsZorbitPlugin(const std::string& path);
RemovalResult RemovePluginFile(const Product& product, const std::string& path);

// The favourite: only when its address is this product's start page.
RemovalResult RemoveFavorite(const Product& product, const std::string& path);

// Bookmarks: the pattern must be the installer's "\bookmark*.htm"; only the
// spans of the entries named "Welcome to Zorbit" for this product's start
// page go, whatever the line ends.
bool IsBookmarkPattern(const std::string& pattern);
// How many files matching the pattern hold an entry.
int CountBookmarkFiles(const Product& product, const std::string& pattern);
RemovalResult RemoveBookmarkEntries(const Product& product, const std::string& pattern);
// The text without the spans of the entries for address, every other byte
// as it was; dropped receives their number. When any such span holds
// another link, nothing is dropped and refused is set.
std::string DropBookmarkEntries(const std::string& text, const std::string& address, int* dropped,
                                bool* refused = nullptr);

// Shortcuts: only those whose arguments name this product's start page,
// or (editor, uninstaller) whose target is this product's program.
RemovalResult RemoveBrowserShortcut(const Product& product, const std::string& path);
// The group's three shortcuts, then the folder when it is empty.
RemovalResult RemoveProgramGroup(const Product& product, const std::string& folder);
bool ProgramGroupPresent(const std::string& folder);

// The profile entry (when it names this product directory) and the
// collection sections of SetUp.ini.
bool SettingsPresent(const Product& product);
RemovalResult RemoveSettings(const Product& product);

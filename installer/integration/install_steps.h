// The integration steps the install page runs: on activation the bookmark
// (Netscape) or the favourite (Internet Explorer), on Finish the shell
// entries and the collection settings.
//
// A step that needs the product directory does nothing when the page holds
// none (CaptureProductDirectory refused it): no entry may point into an
// unknown place.
#pragma once

#include <windows.h>

#include <string>

#include "common/user_link_folders.h"
#include "installer/integration/install_state.h"

// Adds the start-page entry to the user's bookmark files and records their
// pattern as "BOOKMARK"; false when there is no Netscape user directory.
bool AddNetscapeBookmark(InstallState& state);

// Returns the Favorites folder; stores the Programs folder in the state.
std::string GetShellFolders(InstallState& state);
// Writes "Welcome to Zorbit.url" and records it as "FAVORITE". Throws
// FileError when an earlier favourite cannot be deleted.
bool AddFavorite(InstallState& state);

// Finish: program group, browser shortcuts, collection settings; true
// when every one of them is in place.
bool FinishInstall(InstallState& state);
// The "Zorbit" folder with the editor and uninstaller shortcuts, made only
// when the folder is new; true when the group is there, made whole now or
// kept as the user left it.
bool CreateProgramGroup(InstallState& state);
// "Zor Bit IE.LNK" on the desktop and in the program group; "IE ICON".
// True when both were saved.
bool CreateBrowserShortcuts(InstallState& state);
// The collection keys, "Start Directory" and "Zorbit"/"ZorbitDir"; 1 when
// every one was written, 0 otherwise.
int WriteCollectionSettings(InstallState& state);

// Says that a step was skipped; shown as the shortcut messages are.
void ShowStepMessage(const char* text);

// One shortcut written through the shell's link object; a failed field is
// shown and the shortcut still saved. The result is that of the save, or
// the failure that kept the link object from being made.
HRESULT CreateShellLink(const InstallState& state, const std::string& target, const std::string& linkPath,
                        const std::string& description);
// The same with the group icon ('p' pink, 'g' green) and no arguments.
HRESULT CreateGroupLink(const InstallState& state, const std::string& target, const std::string& linkPath,
                        const std::string& description, char iconLetter);

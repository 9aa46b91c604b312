// Where the shortcut writer gets its link object and shows its messages;
// tests put substitutes in place to see failing fields.
#pragma once

#include <windows.h>
#include <shlobj.h>

// Creates a new link object; the default asks for CLSID_ShellLink.
using ShellLinkFactory = HRESULT (*)(IShellLinkA** link);
// Returns the factory it replaces; null restores the default.
ShellLinkFactory SetShellLinkFactory(ShellLinkFactory factory);

// Shows the message for a failed shortcut field; the default is
// ShowInstallerMessage. Returns the function it replaces; null restores it.
using ShellLinkMessage = void (*)(const char* text);
ShellLinkMessage SetShellLinkMessage(ShellLinkMessage message);

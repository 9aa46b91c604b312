// The shared temporary folders, file bytes and registry, profile and
// current-directory scopes, under the names the integration tests use.
#pragma once

#include "tests/support/files.h"
#include "tests/support/state_scopes.h"

using support::CurrentDirectoryScope;
using support::Exists;
using support::FolderEntries;
using support::ProfileValue;
using support::ReadBytes;
using support::RegistryScope;
using support::SetShellFolder;
using support::TempFolder;
using support::WriteBytes;
using support::ZorbitProfileScope;

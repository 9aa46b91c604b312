// What the install page holds for the integration steps: the product
// directory, the install record path and the Programs folder, and the
// browser program directory that the sheet carries.
#pragma once

#include <stdexcept>
#include <string>

struct InstallState {
    // The installer's current directory, read whole by CaptureProductDirectory.
    // Empty when it could not be read or was longer than the path limit: the
    // steps then write nothing under it.
    std::string productDirectory;
    std::string installRecordPath;      // productDirectory + "\SetUp.ini"
    std::string programsFolder;         // stored by GetShellFolders
    std::string browserProgramDirectory;  // from the sheet, for the shortcuts
};

// A file error that leaves an install step at once and reaches the
// installer's top-level error report.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the process's current directory into state.productDirectory. Refuses
// (false, empty directory) a directory that does not fit the path limit.
bool CaptureProductDirectory(InstallState& state);

// The application title: the executable's file name without its extension.
std::string ApplicationTitle();

// The installer's message box: OK, exclamation icon, application title.
void ShowInstallerMessage(const char* text);
